#include "export/TablePoints.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "export/GirdleFigures.h"

#include <algorithm>
#include <numeric>

namespace veloquin {

std::vector<TablePoint> PrintedTable(const TSteelVertCylTank& tank)
{
    const double touchPointMm = tank.TouchPointHeight();
    std::vector<TablePoint> points;
    for (const CalibrationLevel& level : CalibrationTableLevels(tank))
        points.push_back({level.levelMm - touchPointMm, RoundDecimals(3, level.volumeM3)});
    return points;
}

std::vector<CalibrationLevel> PrintedSheetRows(const TSteelVertCylTank& tank)
{
    // Counted first: a table too long to print is refused before it is walked.
    const std::vector<int> counts = PrintedRowsOfGirdles(tank);
    std::vector<CalibrationLevel> rows;
    rows.reserve(static_cast<std::size_t>(std::accumulate(counts.begin(), counts.end(), 0LL)));
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle) {
        const GirdleRows walked = WalkGirdleRows(tank, girdle);
        for (std::size_t k = 0; k < walked.levelMm.size(); ++k)
            rows.push_back({girdle, walked.levelMm[k], walked.volumeM3[k]});
    }
    return rows;
}

double InterpolatedVolume(const std::vector<TablePoint>& table, double levelMm)
{
    const auto above = std::lower_bound(table.begin(), table.end(), levelMm,
                                        [](const TablePoint& p, double level) { return p.levelMm < level; });
    if (above == table.end())
        return table.back().volumeM3;
    if (above->levelMm == levelMm || above == table.begin())
        return above->volumeM3;
    const TablePoint& below = *(above - 1);
    const double share = (levelMm - below.levelMm) / (above->levelMm - below.levelMm);
    return below.volumeM3 + share * (above->volumeM3 - below.volumeM3);
}

std::string UngroupedDecimals(int decimals, double value)
{
    std::string text = FormatDecimals(static_cast<std::int8_t>(decimals), value);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

} // namespace veloquin
