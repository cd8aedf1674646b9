#pragma once
// The calibration table as a workbook for the tank owner's spreadsheets: the
// printed table row for row with numbers as numbers (formatted, not texts), the fractional parts of
// a centimetre of every girdle, every input and the protocol's texts; the
// tank's name and the program's version in the document properties. Also the
// comparison of two tables.
//
// The workbook is written beside the target and renamed over it only when it
// is complete: a failure leaves an earlier file of that name as it was.

#include "TankClasses.h"
#include "export/TableComparison.h"
#include "uncertainty/TableUncertainty.h"

#include <stdexcept>
#include <string>

namespace veloquin {

class WorkbookError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Sheet names, as the user finds them in the workbook.
extern const char* const kTableSheetName;
extern const char* const kFractionsSheetName;
extern const char* const kInputsSheetName;
extern const char* const kComparisonSheetName;
extern const char* const kGirdleComparisonSheetName;

// The version the workbooks name in their properties.
const char* WorkbookProgramVersion();

// The table sheet holds the printed table's rows, girdle by girdle, as the
// calibration sheets list them. Throws TableTooLongError and WorkbookError.
// With an estimate of the table's uncertainty, the table has a column "U, м³"
// beside the volumes.
void WriteTableWorkbook(const std::string& path, const TSteelVertCylTank& tank,
                        const TableUncertainty* uncertainty = nullptr);

// Throws WorkbookError.
void WriteComparisonWorkbook(const std::string& path, const TableComparison& comparison);

} // namespace veloquin
