#pragma once
// The frame every page is drawn in: none, a plain frame, or the company frame
// with its title block (organisations, date, object, sheet, the title in one or
// two lines, the worker). The first step of every page-drawing routine, in the
// preview, on the printer and in veloquin-cli's PDF alike; the page's own
// content is drawn over it at the same positions whatever the style.

#include "PageOptions.h"
#include "PagePainter.h"

namespace veloquin {

void DrawPageFrame(PagePainter& painter, const PageOptions& options);

} // namespace veloquin
