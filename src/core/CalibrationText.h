#pragma once
// The calibration table as text: one line per 10 mm of level from the dead
// cavity up to the design fill height. Producing it only reads the tank: the
// volume-at-level query stays where the user set it.

#include "TankClasses.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veloquin {

// More levels than any real tank has (a height typed with three zeros too many):
// refused before any line is produced, so nothing freezes.
constexpr long long kMaxCalibrationTableLines = 100000;

// Every level visits every internal detail. A table of this many visits takes
// about a second; one with more details than a tank has is held to fewer levels.
constexpr long long kMaxTableDetailVisits = 250000000;

// The most levels a table of a tank with this many details may have.
long long CalibrationTableLineLimit(int detailCount);

class TableTooLongError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Number of lines the table of this tank would have (0 when the dead cavity lies
// above the design fill height).
long long CalibrationTableLineCount(const TSteelVertCylTank& tank);

// Throws TableTooLongError when the table has more lines than
// CalibrationTableLineLimit allows for the tank's details; the printed table
// shows the same refusal.
void CheckCalibrationTableLength(const TSteelVertCylTank& tank);

// One level of the table: the girdle that holds it, the level above the bottom at
// the wall (mm) and the volume up to it (m3).
struct CalibrationLevel
{
    int girdle = 0;
    double levelMm = 0;
    double volumeM3 = 0;
};

// Every level of the table; throws TableTooLongError. The printed level of a row is levelMm - TouchPointHeight.
std::vector<CalibrationLevel> CalibrationTableLevels(const TSteelVertCylTank& tank);

// "Пояс №1\t\th =\t200\t\tV =\t6,337" ...; throws TableTooLongError.
std::vector<std::string> CalibrationTableLines(const TSteelVertCylTank& tank);

// The same lines in one text, each followed by lineEnd: what a text box or a
// terminal shows, built without a string per line.
std::string CalibrationTableText(const TSteelVertCylTank& tank, std::string_view lineEnd);

} // namespace veloquin
