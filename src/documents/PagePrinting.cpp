#include "PagePrinting.h"

#include "Canvas.h"
#include "FileIo.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace veloquin {

const int kPdfDotsPerInch = 1200;

std::vector<int> AllPages(const TSteelVertCylTank& tank)
{
    std::vector<int> pages;
    const int count = DocumentSetPageCount(tank);
    for (int page = 1; page <= count; ++page)
        pages.push_back(page);
    return pages;
}

bool PrintPages(QPainter& painter, QPagedPaintDevice& device, const PrinterCalibration& calibration,
                TSteelVertCylTank& tank, DocumentSelection& selection, PageOptions& options,
                const std::vector<int>& pages, int copies, PageReports& reports)
{
    const PageGeometry geometry = PageGeometry::ForPrinter(device.width(), device.height(), calibration);
    QPainterCanvas canvas(painter);
    bool first = true;
    for (int page : pages) {
        if (!SelectGlobalPage(tank, selection, page))
            continue;
        LoadPageOptions(tank, selection.docKind, selection.curPage, options);
        for (int copy = 0; copy < copies; ++copy) {
            if (!first && !device.newPage())
                return false;
            first = false;
            for (const PageReport& report :
                 DrawDocumentPage(canvas, geometry, tank, options, selection.docKind, selection.curPage))
                AddReport(reports, report);
        }
    }
    return true;
}

PageReports PrintPagesToPdf(const std::string& path, TSteelVertCylTank& tank, PageOptions& options,
                            const std::vector<int>& pages, const PrinterCalibration& calibration, int copies)
{
    QByteArray bytes;
    PageReports reports;
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
        DocumentSelection selection;
        const bool whole = PrintPages(painter, writer, calibration, tank, selection, options, pages, copies, reports);
        if (!painter.end() || !whole)
            throw PrintError("Не удалось напечатать страницы в файл PDF.");
    }
    ReplaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return reports;
}

} // namespace veloquin
