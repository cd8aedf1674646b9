#include "CalibrationSheets.h"

#include "CalibrationText.h"
#include "ErrorReport.h"
#include "GFunc.h"
#include "LevelStepping.h"

#include <algorithm>
#include <string>

namespace veloquin {

namespace {

std::vector<CalibrationSheet> PlanSheets(const TSteelVertCylTank& tank, std::string* refusal)
{
    const int girdles = tank.GirdleCount();
    std::vector<int> rowsOfGirdles;
    try {
        rowsOfGirdles = PrintedRowsOfGirdles(tank);
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
