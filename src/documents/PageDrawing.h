#pragma once
// Draws one page of the document set onto a canvas: the preview's paint event,
// every printed page and every page of veloquin-cli's PDF go through here.
//
// Painting never shows a message: the engine's reports raised while the page
// is drawn (a dead cavity above the level, a bad sheet index) are collected and
// returned. The preview shows them once after painting (not on every repaint),
// the print dialog after the job, veloquin-cli on standard error.

#include "CalibrationSheets.h"
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

// What drawing a page left: the engine's reports.
struct DrawnPageResult
{
    PageReports reports;
};

// Draws pages of the document set of one tank, which it only reads: the frame,
// options and content of each page come from the tank and the page number
// alone. Keeps what one drawing of several pages shares (the sheet plan, each
// girdle's rows, the options resolved so far): make a new one after the tank
// changed.
class DocumentRenderer
{
public:
    explicit DocumentRenderer(const TSteelVertCylTank& tank);
    DocumentRenderer(const DocumentRenderer&) = delete;
    DocumentRenderer& operator=(const DocumentRenderer&) = delete;

    int PageCount() const { return m_resolver.PageCount(); }
    // The resolved options of page `globalPage` of the whole set.
    const PageOptions& OptionsOf(int globalPage) { return m_resolver.At(globalPage); }
    // Page `globalPage` of the whole set with its resolved options.
    DrawnPageResult Draw(Canvas& canvas, const PageGeometry& geometry, int globalPage);
    // Page `page` of document `kind` with the options given.
    DrawnPageResult Draw(Canvas& canvas, const PageGeometry& geometry, const PageOptions& options, DocKind kind,
                         int page);

private:
    const TSteelVertCylTank& m_tank;
    CalibrationTablePlan m_plan;
    PageOptionsResolver m_resolver;
};

// Page `page` of document `kind` (the outline ignores the page), drawn with the
// options given. No page changes the tank: viewing, printing or exporting
// leaves the saved file as it was.
PageReports DrawDocumentPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                             const PageOptions& options, DocKind kind, int page);

// Passes reports on to the installed reporter (ReportError), each once.
void ForwardReports(const PageReports& reports);

} // namespace veloquin
