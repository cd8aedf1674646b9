// Readings not taken: whole rows, lines and tables left at zero.

#include "CheckContext.h"
#include "RobustStatistics.h"

#include <cmath>

namespace veloquin::checks {

bool FieldWorkBegun(const TSteelVertCylTank& tank)
{
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            if (tank.PlumbDistance(row, g) != 0)
                return true;
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            if (tank.BottomReading(c, r) != 0)
                return true;
    if (tank.BottomCenter() != 0 || tank.PointPlumb() != 0)
        return true;
    // The base heights are never below the fill height: equal to it, they were not typed.
    const double fill = tank.DesignFillHeight();
    return tank.BaseHeightMeas1() > fill || tank.BaseHeightMeas2() > fill;
}

bool GirdleLacksPlumbRow(const TSteelVertCylTank& tank, int girdle)
{
    for (int row = 1; row <= tank.PlumbRowCount(); ++row) {
        if (tank.GirdleOfPlumbRow(row) != girdle)
            continue;
        bool any = false;
        for (int g = 1; g <= tank.GeneratrixCount() && !any; ++g)
            any = tank.PlumbDistance(row, g) != 0;
        if (!any)
            return true;
    }
    return false;
}

MissingReadings FindMissing(const LineTable& table)
{
    MissingReadings missing;
    missing.positions.assign(static_cast<std::size_t>(table.positions), true);
    missing.lines.assign(static_cast<std::size_t>(table.lines), true);
    bool any = false;
    for (int p = 0; p < table.positions; ++p)
        for (int line = 0; line < table.lines; ++line)
            if (std::isfinite(table.At(p, line))) {
                missing.positions[static_cast<std::size_t>(p)] = false;
                missing.lines[static_cast<std::size_t>(line)] = false;
                any = true;
            }
    missing.all = !any;
    return missing;
}

} // namespace veloquin::checks
