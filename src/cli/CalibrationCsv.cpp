#include "CalibrationCsv.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "export/TablePoints.h"

#include <algorithm>

namespace veloquin::cli {

std::string CalibrationTableCsv(const TSteelVertCylTank& tank)
{
    const std::vector<CalibrationLevel> levels = CalibrationTableLevels(tank);
    const double touchPointMm = tank.TouchPointHeight();
    std::string text = "girdle;level_mm;volume_m3\n";
    for (const CalibrationLevel& row : levels) {
        const std::string volume = UngroupedDecimals(3, row.volumeM3);
        text += std::to_string(row.girdle);
        text.push_back(';');
        text += FloatToStr(row.levelMm - touchPointMm);
        text.push_back(';');
        text += volume;
        text.push_back('\n');
    }
    return text;
}

} // namespace veloquin::cli
