#pragma once
// The calibration table as it leaves the program for other software: levels
// above the tape's touch point and volumes as printed (three decimals), and the
// linear interpolation between levels that level gauges and spreadsheets apply.

#include "CalibrationText.h"
#include "TankClasses.h"

#include <string>
#include <vector>

namespace veloquin {

struct TablePoint
{
    double levelMm = 0;  // above the tape's touch point
    double volumeM3 = 0; // as printed: rounded to three decimals
};

// Every level of the tank's table; throws TableTooLongError.
std::vector<TablePoint> PrintedTable(const TSteelVertCylTank& tank);

// Every row of the printed table's sheets in their order, girdle by girdle:
// each girdle's levels from its own start to the first level above its top, so
// that a level may end one girdle and start the next. The volumes are the
// computed ones (the sheets print them with three decimals). Throws
// TableTooLongError; the tank's GivenLevel is not moved.
std::vector<CalibrationLevel> PrintedSheetRows(const TSteelVertCylTank& tank);

// The volume at a level between the table's levels, by linear interpolation; the
// levels must increase and the level lie within them.
double InterpolatedVolume(const std::vector<TablePoint>& table, double levelMm);

// A number as the data lines of exported tables write it: no thousands
// grouping, the program's decimal separator.
std::string UngroupedDecimals(int decimals, double value);

} // namespace veloquin
