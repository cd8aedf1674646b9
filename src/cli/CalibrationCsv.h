#pragma once
// The calibration table as CSV for scripts: a header row, then one row per level
// with its girdle, printed level and volume, numbers never grouped.

#include "TankClasses.h"

#include <string>

namespace veloquin::cli {

// Semicolon-separated rows; throws TableTooLongError.
std::string CalibrationTableCsv(const TSteelVertCylTank& tank);

} // namespace veloquin::cli
