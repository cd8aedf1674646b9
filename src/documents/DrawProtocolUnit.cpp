#include "DrawProtocolUnit.h"

#include "PageFrame.h"

namespace veloquin {

void DrawProtocolPage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& /*tank*/,
                      const PageOptions& options, int /*page*/)
{
    PagePainter painter(canvas, geometry);
    DrawPageFrame(painter, options);
}

} // namespace veloquin
