#include "CalibrationSheets.h"

#include "CalibrationText.h"
#include "ErrorReport.h"
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

namespace {

std::vector<CalibrationSheet> PlanSheets(const TSteelVertCylTank& tank, std::string* refusal)
{
    const int girdles = tank.GirdleCount();
    std::vector<int> rowsOfGirdles;
    try {
        rowsOfGirdles = RowsOfGirdles(tank);
    } catch (const TableTooLongError& error) {
        // One empty sheet per girdle, each showing the refusal.
        rowsOfGirdles.assign(static_cast<std::size_t>(std::max(0, girdles)), 0);
        if (refusal)
            *refusal = error.what();
    }
    std::vector<CalibrationSheet> sheets;
    for (int girdle = 1; girdle <= girdles; ++girdle) {
        const bool lastGirdle = girdle == girdles;
        int remaining = rowsOfGirdles[static_cast<std::size_t>(girdle - 1)];
        const int fitWithTable = lastGirdle ? kRowsWithSignature : kRowsWithFractionalTable;
        int first = 0;
        while (remaining > fitWithTable) {
            const int rows = std::min(kRowsPerSheet, remaining - 1);
            sheets.push_back({girdle, first, rows, false, false});
            first += rows;
            remaining -= rows;
        }
        sheets.push_back({girdle, first, remaining, true, lastGirdle});
    }
    return sheets;
}

} // namespace

std::vector<CalibrationSheet> CalibrationSheetPlan(const TSteelVertCylTank& tank)
{
    return PlanSheets(tank, nullptr);
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

GirdleRows WalkGirdleRows(const TSteelVertCylTank& tank, int girdle)
{
    GirdleRows rows;
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    while (step.LevelMm() <= range.topMm) {
        const double volumeM3 = step.VolumeM3();
        rows.levelMm.push_back(step.LevelMm());
        rows.volumeM3.push_back(volumeM3);
        if (!step.Next())
            break;
        // The step into the first level above the top counts too.
        rows.stepSumM3 += step.VolumeM3() - volumeM3;
        ++rows.steps;
    }
    return rows;
}

CalibrationTablePlan::CalibrationTablePlan(const TSteelVertCylTank& tank) : m_tank(tank)
{
    m_sheets = PlanSheets(tank, &m_refusal);
}

CalibrationSheet CalibrationTablePlan::At(int sheet) const
{
    if (sheet < 1 || sheet > static_cast<int>(m_sheets.size()))
        return {};
    return m_sheets[static_cast<std::size_t>(sheet - 1)];
}

const GirdleRows& CalibrationTablePlan::Rows(int girdle)
{
    auto found = m_rows.find(girdle);
    if (found == m_rows.end())
        found = m_rows.emplace(girdle, WalkGirdleRows(m_tank, girdle)).first;
    return found->second;
}

void ReportDeadCavityAboveFillHeight(const TSteelVertCylTank& tank)
{
    if (tank.GirdleCount() >= 1 && tank.VolumeAt(tank.ClampedLevel(tank.DesignFillHeight())).deadCavityAbove)
        ReportError(tank.Name(), TankMessages::DeadCavityAboveLevel);
}

} // namespace veloquin
