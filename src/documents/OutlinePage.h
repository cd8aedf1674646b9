#pragma once
// The tank outline page: a schematic elevation of the tank, girdle above
// girdle, each labelled with its number, capacity, height and internal
// circumference, under a pitched roof and over a hatched ground line, with
// the optional free texts above and below. The drawing is schematic: the tank
// always fills the same 130 x 130 mm; only the girdles' shares of the height
// and the steps of their walls (from the signs of the overlaps) come from the
// tank. Called through DrawDocumentPage by the preview, the print dialog and
// veloquin-cli.

#include "Canvas.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"

#include <vector>

namespace veloquin {

// One girdle as drawn, in page mm (y downwards).
struct OutlineGirdle
{
    double leftMm = 0;
    double rightMm = 0;
    double bottomMm = 0;     // where its walls start
    double topMm = 0;        // where its walls end
    double nominalTopMm = 0; // its boundary, without the overlap steps
    double heightMm = 0;     // its share of the drawn 130 mm
};

// The girdles from the bottom up; none when the girdle heights give no
// proportion (their sum is not positive).
std::vector<OutlineGirdle> OutlineGirdles(const TSteelVertCylTank& tank);

// Draws the outline's one page.
void DrawOutlinePage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                     const PageOptions& options);

} // namespace veloquin
