#pragma once
// Whether the calibration table of a tank can be handed out: a table without a
// level, one refused for its length, or one holding a level or volume that is
// not a number is a wrong table, and whoever produces it says so instead of
// printing it as if it were sound.

#include "TankClasses.h"

#include <string>

namespace veloquin {

// What is wrong with the tank's calibration table, in the words the user sees;
// empty when every level and volume is a finite number. Walks the table (about
// what producing it costs) without changing the tank.
std::string CalibrationTableFault(const TSteelVertCylTank& tank);

} // namespace veloquin
