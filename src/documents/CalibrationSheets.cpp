#include "CalibrationSheets.h"

#include "CalibrationText.h"
#include "LevelStepping.h"

#include <algorithm>
#include <cmath>

namespace veloquin {

GirdleLevelRange LevelRangeOfGirdle(const TSteelVertCylTank& tank, int girdle)
{
    if (girdle == 1)
        return {tank.DeadCavityHeight(), tank.GirdleHeight(1)};
    double bottom = 0;
    for (int k = 1; k < girdle; ++k)
        bottom += tank.GirdleHeight(k);
    // The first multiple of 10 mm strictly above the girdle's bottom.
    const double tens = bottom / 10;
    const double start = tens == std::trunc(tens) ? bottom + 10 : (std::trunc(tens) + 1) * 10;
    return {start, bottom + tank.GirdleHeight(girdle)};
}

int GirdleRowCount(const TSteelVertCylTank& tank, int girdle)
{
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    int rows = 0;
    while (step.LevelMm() <= range.topMm) {
        ++rows;
        if (!step.Next())
            break;
    }
    return rows;
}

namespace {

bool TableTooLong(const TSteelVertCylTank& tank)
{
    try {
        CheckCalibrationTableLength(tank);
    } catch (const TableTooLongError&) {
        return true;
    }
    return false;
}

} // namespace

std::vector<CalibrationSheet> CalibrationSheetPlan(const TSteelVertCylTank& tank)
{
    std::vector<CalibrationSheet> sheets;
    const int girdles = tank.GirdleCount();
    const bool tooLong = TableTooLong(tank);
    for (int girdle = 1; girdle <= girdles; ++girdle) {
        const bool lastGirdle = girdle == girdles;
        int remaining = tooLong ? 0 : GirdleRowCount(tank, girdle);
        const int fitWithTable = lastGirdle ? kRowsWithSignature : kRowsWithFractionalTable;
        int first = 0;
        while (remaining > fitWithTable) {
            const int rows = std::min(kRowsPerSheet, remaining);
            sheets.push_back({girdle, first, rows, false, false});
            first += rows;
            remaining -= rows;
        }
        sheets.push_back({girdle, first, remaining, true, lastGirdle});
    }
    return sheets;
}

int CalibrationSheetCount(const TSteelVertCylTank& tank)
{
    return static_cast<int>(CalibrationSheetPlan(tank).size());
}

CalibrationSheet CalibrationSheetAt(const TSteelVertCylTank& tank, int sheet)
{
    const std::vector<CalibrationSheet> plan = CalibrationSheetPlan(tank);
    if (sheet < 1 || sheet > static_cast<int>(plan.size()))
        return {};
    return plan[static_cast<std::size_t>(sheet - 1)];
}

} // namespace veloquin
