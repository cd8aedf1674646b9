#pragma once
// How the printed calibration table falls onto sheets. Each girdle's levels
// (every 10 mm from the first multiple of 10 mm above the girdle's bottom, or
// from the dead cavity on girdle 1, up to the first level above its top) are
// rows of four blocks of 51. A girdle whose rows fit beside its fractional table
// (and on the last girdle beside the chairman's signature too) takes one sheet;
// a longer girdle fills sheets of up to 204 rows first and ends on a sheet with
// the remaining rows and its fractional table, so that no level is lost or
// printed over. That last sheet always keeps at least one row: a sheet with the
// fractional table beside empty columns reads like an error. The preview, the print dialog and veloquin-cli number
// pages by these sheets; the sheet options of every sheet are its girdle's record.

#include "TankClasses.h"
#include "export/GirdleFigures.h"

#include <map>
#include <string>
#include <vector>

namespace veloquin {

constexpr int kRowsPerBlock = 51;
constexpr int kBlocksPerSheet = 4;
constexpr int kRowsPerSheet = kRowsPerBlock * kBlocksPerSheet; // 204
// Rows that leave room for the fractional table under block 4.
constexpr int kRowsWithFractionalTable = 184;
// ... and for the signature under it, on the last girdle.
constexpr int kRowsWithSignature = 177;

struct CalibrationSheet
{
    int girdle = 0;            // 0: no such sheet
    int firstRow = 0;          // index of the sheet's first row among its girdle's rows
    int rowCount = 0;          // rows on this sheet (the last sheet of a girdle may have none)
    bool lastOfGirdle = false; // carries the fractional table
    bool lastOfTable = false;  // carries the signature
};

// Every sheet of the table in order (one per girdle for a table too long to print).
std::vector<CalibrationSheet> CalibrationSheetPlan(const TSteelVertCylTank& tank);
int CalibrationSheetCount(const TSteelVertCylTank& tank);
// Sheet `sheet` (from 1); girdle 0 when there is no such sheet.
CalibrationSheet CalibrationSheetAt(const TSteelVertCylTank& tank, int sheet);

// A page that states volumes up to the fill height (the title page, a sheet of
// the table) says so when the dead cavity lies above it: every level is then
// the fill height and no volume is there. Reported, not stored.
void ReportDeadCavityAboveFillHeight(const TSteelVertCylTank& tank);

// The sheets of one drawing of the table, and each girdle's rows once it was
// asked for: drawing every sheet of a girdle walks its levels once, not once
// per sheet. Holds the tank by reference: make a new one after it changed.
class CalibrationTablePlan
{
public:
    explicit CalibrationTablePlan(const TSteelVertCylTank& tank);
    const std::vector<CalibrationSheet>& Sheets() const { return m_sheets; }
    // Sheet `sheet` (from 1); girdle 0 when there is no such sheet.
    CalibrationSheet At(int sheet) const;
    // Why the table is not printed (too long), or empty.
    const std::string& Refusal() const { return m_refusal; }
    const GirdleRows& Rows(int girdle);

private:
    const TSteelVertCylTank& m_tank;
    std::vector<CalibrationSheet> m_sheets;
    std::string m_refusal;
    std::map<int, GirdleRows> m_rows;
};

} // namespace veloquin
