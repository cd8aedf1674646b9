#pragma once
// The calibration table as it leaves the program for other software: levels
// above the tape's touch point and volumes as printed (three decimals), and the
// linear interpolation between levels that level gauges and spreadsheets apply.

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

// The volume at a level between the table's levels, by linear interpolation; the
// levels must increase and the level lie within them.
double InterpolatedVolume(const std::vector<TablePoint>& table, double levelMm);

// A number as the data lines of exported tables write it: no thousands
// grouping, the program's decimal separator.
std::string UngroupedDecimals(int decimals, double value);

} // namespace veloquin
