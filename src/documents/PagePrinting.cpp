#include "PagePrinting.h"

#include "Canvas.h"
#include "FileIo.h"
#include "UncertaintyBudgetPage.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace veloquin {

const int kPdfDotsPerInch = 1200;

namespace {

// Stands for the uncertainty budget among the page numbers of a job.
constexpr int kBudgetSheet = 0;

} // namespace

std::vector<int> AllPages(const TSteelVertCylTank& tank)
{
    std::vector<int> pages;
    const int count = DocumentSetPageCount(tank);
    for (int page = 1; page <= count; ++page)
        pages.push_back(page);
    return pages;
}

bool PrintPages(QPainter& painter, QPagedPaintDevice& device, const PrinterCalibration& calibration,
                const TSteelVertCylTank& tank, const PrintRequest& request, PrintOutcome& outcome)
{
    const PageGeometry geometry = PageGeometry::ForPrinter(device.width(), device.height(), calibration);
    QPainterCanvas canvas(painter);
    DocumentRenderer renderer(tank);
    std::vector<int> pages;
    for (int page : request.pages) {
        if (page >= 1 && page <= renderer.PageCount())
            pages.push_back(page);
    }
    if (request.uncertaintyBudget) {
        // The protocol's pages come first in the set.
        const int protocolPages = PageCountOf(tank, DocKind::Protocol);
        auto after = pages.end();
        for (auto it = pages.begin(); it != pages.end(); ++it)
            if (*it <= protocolPages)
                after = it + 1;
        pages.insert(after, kBudgetSheet);
    }
    const int copies = std::max(request.copies, 1);
    // Sheet i of the job: the page and its copy, in the order asked for.
    const auto pageOfSheet = [&](std::size_t i) {
        return request.collate ? pages[i % pages.size()] : pages[i / static_cast<std::size_t>(copies)];
    };
    const std::size_t sheets = pages.size() * static_cast<std::size_t>(copies);
    for (std::size_t i = 0; i < sheets; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        if (pageOfSheet(i) == kBudgetSheet) {
            DrawUncertaintyBudgetPage(canvas, geometry, tank, *request.uncertaintyBudget);
            ++outcome.sheets;
            continue;
        }
        DrawnPageResult drawn = renderer.Draw(canvas, geometry, pageOfSheet(i));
        for (const PageReport& report : drawn.reports)
            AddReport(outcome.reports, report);
        ++outcome.sheets;
    }
    return true;
}

PrintOutcome PrintPagesToPdf(const std::string& path, const TSteelVertCylTank& tank, const PrintRequest& request,
                             const PrinterCalibration& calibration)
{
    QByteArray bytes;
    PrintOutcome outcome;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter));
        writer.setCreator(QString::fromUtf8(kDocumentsTitle));
        writer.setTitle(QString::fromUtf8(kDocumentsTitle));
        QPainter painter;
        if (!painter.begin(&writer))
            throw PrintError("Не удалось начать печать в файл PDF.");
        const bool whole = PrintPages(painter, writer, calibration, tank, request, outcome);
        if (!painter.end() || !whole)
            throw PrintError("Не удалось напечатать страницы в файл PDF.");
    }
    ReplaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return outcome;
}

} // namespace veloquin
