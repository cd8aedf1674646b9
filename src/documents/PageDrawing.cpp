#include "PageDrawing.h"

#include "CalibrationPage.h"
#include "OutlinePage.h"
#include "ProtocolPages.h"
#include "ErrorReport.h"

#include <algorithm>

namespace veloquin {

void AddReport(PageReports& reports, const PageReport& report)
{
    if (std::find(reports.begin(), reports.end(), report) == reports.end())
        reports.push_back(report);
}

namespace {

// Collects what the engine reports while `work` runs.
template <typename Work>
PageReports Collecting(Work&& work)
{
    PageReports reports;
    const ScopedErrorReporter collect([&reports](const std::string& caption, const std::string& text) {
        AddReport(reports, {caption, text});
    });
    work();
    return reports;
}

} // namespace

DocumentRenderer::DocumentRenderer(const TSteelVertCylTank& tank) : m_tank(tank), m_plan(tank), m_resolver(tank) {}

DrawnPageResult DocumentRenderer::Draw(Canvas& canvas, const PageGeometry& geometry, int globalPage)
{
    const int protocolPages = m_tank.ProtocolSheetCount();
    const int calibrationPages = static_cast<int>(m_plan.Sheets().size());
    DocKind kind = DocKind::Outline;
    int page = globalPage - protocolPages - calibrationPages;
    if (globalPage <= protocolPages) {
        kind = DocKind::Protocol;
        page = globalPage;
    } else if (globalPage <= protocolPages + calibrationPages) {
        kind = DocKind::Calibration;
        page = globalPage - protocolPages;
    }
    const PageOptions options = m_resolver.At(globalPage);
    return Draw(canvas, geometry, options, kind, page);
}

DrawnPageResult DocumentRenderer::Draw(Canvas& canvas, const PageGeometry& geometry, const PageOptions& options,
                                       DocKind kind, int page)
{
    DrawnPageResult result;
    result.reports = Collecting([&] {
        switch (kind) {
        case DocKind::Outline: DrawOutlinePage(canvas, geometry, m_tank, options); break;
        case DocKind::Calibration:
            result.levelLeftMm = DrawCalibrationPage(canvas, geometry, m_tank, m_plan, options, page);
            break;
        case DocKind::Protocol: result.levelLeftMm = DrawProtocolPage(canvas, geometry, m_tank, options, page); break;
        }
    });
    return result;
}

PageReports LeaveGivenLevelAsDrawn(TSteelVertCylTank& tank, const std::optional<double>& levelLeftMm)
{
    if (!levelLeftMm)
        return {};
    return Collecting([&] { tank.SetGivenLevel(*levelLeftMm); });
}

PageReports DrawDocumentPage(Canvas& canvas, const PageGeometry& geometry, TSteelVertCylTank& tank,
                             const PageOptions& options, DocKind kind, int page)
{
    DocumentRenderer renderer(tank);
    DrawnPageResult drawn = renderer.Draw(canvas, geometry, options, kind, page);
    for (const PageReport& report : LeaveGivenLevelAsDrawn(tank, drawn.levelLeftMm))
        AddReport(drawn.reports, report);
    return drawn.reports;
}

void ForwardReports(const PageReports& reports)
{
    for (const PageReport& report : reports)
        ReportError(report.caption, report.text);
}

} // namespace veloquin
