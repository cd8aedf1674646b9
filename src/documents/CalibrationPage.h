#pragma once
// The printed calibration table: on each sheet the levels of one girdle in
// centimetres above the touch point with the capacity at each, in up to four
// banded two-column blocks, the table of the mean capacity of 1 to 9 mm on the
// girdle's last sheet, and the chairman's signature on the table's last sheet
// (sheet layout: CalibrationSheets.h). Called through DrawDocumentPage by the
// preview, the print dialog and veloquin-cli.

#include "CalibrationSheets.h"
#include "Canvas.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"

#include <optional>

namespace veloquin {

// Draws sheet `page` (from 1) of the calibration table: the frame, then the
// rows. Reads the tank only; returns the level a walk of the sheet's girdle
// leaves (what the tank's GivenLevel is to become, whichever of the girdle's
// sheets is drawn), or nothing for a sheet that walks no levels.
std::optional<double> DrawCalibrationPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                                          CalibrationTablePlan& plan, const PageOptions& options, int page);

} // namespace veloquin
