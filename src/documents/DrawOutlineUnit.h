#pragma once
// The tank outline page: a schematic elevation of the girdles with their
// labels, the roof and the ground, and the optional free texts. Called through
// DrawDocumentPage by the preview, the print dialog and veloquin-cli; for now
// it draws the page's frame only.

#include "Canvas.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"

namespace veloquin {

// Draws the outline's one page.
void DrawOutlinePage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& tank, const PageOptions& options);

} // namespace veloquin
