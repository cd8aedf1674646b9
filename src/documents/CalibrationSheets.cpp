#include "CalibrationSheets.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "LevelStepping.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace veloquin {

namespace {

// Rows of a girdle, counted up to `cap`: a level so large that the 10 mm step
// is lost in its rounding would never end.
long long CountRows(const TSteelVertCylTank& tank, int girdle, long long cap)
{
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    long long rows = 0;
    while (rows < cap && step.LevelMm() <= range.topMm) {
        ++rows;
        if (!step.Next())
            break;
    }
    return rows;
}

// The rows of every girdle; throws TableTooLongError.
std::vector<int> RowsOfGirdles(const TSteelVertCylTank& tank)
{
    CheckCalibrationTableLength(tank);
    const long long limit = CalibrationTableLineLimit(tank.DetailCount());
    std::vector<int> rows;
    long long total = 0;
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle) {
        const long long count = CountRows(tank, girdle, limit + 1 - total);
        total += count;
        if (total > limit) {
            const std::string limitText = FormatDecimals(0, static_cast<double>(limit));
            throw TableTooLongError("Число уровней градуировочной таблицы — более " + limitText +
                                    ", допускается не более " + limitText + ".");
        }
        rows.push_back(static_cast<int>(count));
    }
    return rows;
}

} // namespace

void CheckCalibrationSheetsLength(const TSteelVertCylTank& tank)
{
    RowsOfGirdles(tank);
}

std::vector<CalibrationSheet> CalibrationSheetPlan(const TSteelVertCylTank& tank)
{
    const int girdles = tank.GirdleCount();
    std::vector<int> rowsOfGirdles;
    try {
        rowsOfGirdles = RowsOfGirdles(tank);
    } catch (const TableTooLongError&) {
        // One empty sheet per girdle, each showing the refusal.
        rowsOfGirdles.assign(static_cast<std::size_t>(std::max(0, girdles)), 0);
    }
    std::vector<CalibrationSheet> sheets;
    for (int girdle = 1; girdle <= girdles; ++girdle) {
        const bool lastGirdle = girdle == girdles;
        int remaining = rowsOfGirdles[static_cast<std::size_t>(girdle - 1)];
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
