#include "PageDrawing.h"

#include "DrawCalibrationUnit.h"
#include "DrawOutlineUnit.h"
#include "DrawProtocolUnit.h"
#include "ErrorReport.h"

#include <algorithm>

namespace veloquin {

void AddReport(PageReports& reports, const PageReport& report)
{
    if (std::find(reports.begin(), reports.end(), report) == reports.end())
        reports.push_back(report);
}

PageReports DrawDocumentPage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& tank,
                             const PageOptions& options, DocKind kind, int page)
{
    PageReports reports;
    const ScopedErrorReporter collect([&reports](const std::string& caption, const std::string& text) {
        AddReport(reports, {caption, text});
    });
    switch (kind) {
    case DocKind::Outline: DrawOutlinePage(canvas, geometry, tank, options); break;
    case DocKind::Calibration: DrawCalibrationPage(canvas, geometry, tank, options, page); break;
    case DocKind::Protocol: DrawProtocolPage(canvas, geometry, tank, options, page); break;
    }
    return reports;
}

void ForwardReports(const PageReports& reports)
{
    for (const PageReport& report : reports)
        ReportError(report.caption, report.text);
}

} // namespace veloquin
