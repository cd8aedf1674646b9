#pragma once
// The measurement protocol's pages (the title page, then the numbered sections
// with their ruled tables). Called through DrawDocumentPage by the preview, the
// print dialog and veloquin-cli; for now it draws the page's frame only.

#include "Canvas.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"

namespace veloquin {

// Draws page `page` (from 1) of the protocol.
void DrawProtocolPage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& tank, const PageOptions& options,
                      int page);

} // namespace veloquin
