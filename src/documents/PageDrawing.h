#pragma once
// Draws one page of the document set onto a canvas: the preview's paint event,
// every printed page and every page of veloquin-cli's PDF go through here.
//
// Painting never shows a message: the engine's reports raised while the page
// is drawn (a dead cavity above the level, a bad sheet index) are collected and
// returned. The preview shows them once after painting (not on every repaint),
// the print dialog after the job, veloquin-cli on standard error.

#include "Canvas.h"
#include "DocumentSet.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"

#include <string>
#include <vector>

namespace veloquin {

struct PageReport
{
    std::string caption;
    std::string text;
    bool operator==(const PageReport& other) const { return caption == other.caption && text == other.text; }
};
using PageReports = std::vector<PageReport>;

// Adds a report unless the list holds it already: each is shown once.
void AddReport(PageReports& reports, const PageReport& report);

// Page `page` of document `kind` (the outline ignores the page), drawn with the
// options already loaded for it (LoadPageOptions).
PageReports DrawDocumentPage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& tank,
                             const PageOptions& options, DocKind kind, int page);

// Passes reports on to the installed reporter (ReportError), each once.
void ForwardReports(const PageReports& reports);

} // namespace veloquin
