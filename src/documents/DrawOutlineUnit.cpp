#include "DrawOutlineUnit.h"

#include "PageFrame.h"

namespace veloquin {

void DrawOutlinePage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& /*tank*/,
                     const PageOptions& options)
{
    PagePainter painter(canvas, geometry);
    DrawPageFrame(painter, options);
}

} // namespace veloquin
