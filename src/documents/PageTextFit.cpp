#include "PageTextFit.h"

#include "DocumentSet.h"
#include "MeasuringCanvas.h"
#include "PageDrawing.h"
#include "PagePrinting.h"

#include <algorithm>

namespace veloquin {

std::vector<PageOverflow> OptionTextOverflows(const TSteelVertCylTank& tank, const std::vector<int>& pages)
{
    // The PDF's sheet in whole device pixels, as its writer counts them.
    const auto pdfPx = [](double mm) { return static_cast<int>(mm / 25.4 * kPdfDotsPerInch); };
    const PageGeometry geometry =
        PageGeometry::ForPrinter(pdfPx(kPageWidthMm), pdfPx(kPageHeightMm), PrinterCalibration{});
    MeasuringCanvas canvas(kPdfDotsPerInch);
    DocumentRenderer renderer(tank);
    std::vector<PageOverflow> overflows;
    for (const int page : pages) {
        if (page < 1 || page > renderer.PageCount())
            continue;
        canvas.ClearOverflows();
        renderer.Draw(canvas, geometry, page);
        for (const TextOverflow& overflow : canvas.Overflows())
            overflows.push_back({page, overflow});
    }
    return overflows;
}

std::vector<int> SharedTextPages(const TSteelVertCylTank& tank)
{
    const int protocolPages = tank.ProtocolSheetCount();
    const int setPages = DocumentSetPageCount(tank);
    std::vector<int> pages = {1, 2, protocolPages, setPages - 1, setPages};
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    pages.erase(std::remove_if(pages.begin(), pages.end(), [setPages](int page) { return page < 1 || page > setPages; }),
                pages.end());
    return pages;
}

} // namespace veloquin
