#pragma once
// Figures of a calibrated tank that the printed documents state and that the
// table keeps when it leaves the program: where each girdle's rows lie, the
// mean capacity of one millimetre within a girdle (the table of fractional
// parts of a centimetre) and the error of the capacity stated on the title page.

#include "TankClasses.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace veloquin {

// Where a girdle's rows start and the level above which they end (mm).
struct GirdleLevelRange
{
    double startMm = 0;
    double topMm = 0;
};
GirdleLevelRange LevelRangeOfGirdle(const TSteelVertCylTank& tank, int girdle);

// The levels of one girdle as the printed table's sheets list them and the
// capacity at each, walked once: every sheet of the girdle takes its rows from
// here, and the last one the mean of the girdle's 10 mm steps (including the
// step into the first level above it).
struct GirdleRows
{
    std::vector<double> levelMm;
    std::vector<double> volumeM3;
    double stepSumM3 = 0;
    int steps = 0;
};
GirdleRows WalkGirdleRows(const TSteelVertCylTank& tank, int girdle);

// The number of printed rows of every girdle. Throws TableTooLongError when the
// table is too long to print: refused as text, or with more rows on paper than
// a table may have. The sheets count each girdle's own levels, which a dead
// cavity that is not a number leaves unbounded below although the text table
// then lists nothing.
std::vector<int> PrintedRowsOfGirdles(const TSteelVertCylTank& tank);
void CheckCalibrationSheetsLength(const TSteelVertCylTank& tank);

// The mean capacity of one millimetre of a girdle (m3/mm): the 10 mm steps of
// its rows, the step into the first level above its top included. Empty for a
// girdle without a single step (one level only).
std::optional<double> MeanCapacityPerMm(const TSteelVertCylTank& tank, int girdle);

// The uncertainty of the capacity printed on the title page: 0.2 % of the
// volume at the design fill height up to a design capacity of 3000 m3, 0.15 %
// below 5000 m3, 0.1 % from 5000 m3.
double CapacityUncertaintyM3(std::int32_t designCapacityM3, double volumeAtDesignFillM3);

// The uncertainty as the title page states it (m3, three decimals), computed
// without moving the tank's GivenLevel.
double StatedCapacityErrorM3(const TSteelVertCylTank& tank);

} // namespace veloquin
