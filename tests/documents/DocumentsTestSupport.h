#pragma once
// Helpers of the documents tests: tanks of chosen girdles, pages drawn into a
// recording canvas, and device pixels back to page millimetres.

#include "DocumentSet.h"
#include "PageDrawing.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "RecordingCanvas.h"
#include "TankClasses.h"

#include <algorithm>
#include <string>
#include <vector>

namespace veloquin::test {

// A page of 10 device pixels per millimetre on a 254 dpi canvas: positions
// read back in millimetres without rounding worries.
constexpr int kTenPerMmDpi = 254;
inline PageGeometry TenPerMm()
{
    PageGeometry geometry;
    geometry.ScaleX = 1000;
    geometry.ScaleY = 1000;
    return geometry;
}

// The full A4 sheet at 1200 dpi, no calibration: how veloquin-cli prints.
constexpr int kPdfDpi = 1200;
inline PageGeometry PdfA4()
{
    return PageGeometry::ForPrinter(9921, 14031, PrinterCalibration{});
}

inline double XMm(const PageGeometry& geometry, double px)
{
    return px / (geometry.ScaleX * 0.01);
}
inline double YMm(const PageGeometry& geometry, double px)
{
    return px / (geometry.ScaleY * 0.01);
}

// Girdles of the given heights (outer heights, no overlaps) with the dead
// cavity and design fill height asked for (both are clamped by the tank).
inline TSteelVertCylTank TankWithGirdles(const std::vector<double>& heightsMm, double deadCavityMm, double designFillMm)
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(static_cast<int>(heightsMm.size()));
    for (std::size_t i = 0; i < heightsMm.size(); ++i) {
        tank.SetGirdleHeightOuter(static_cast<int>(i + 1), heightsMm[i]);
        tank.UpdateGirdleHeight(static_cast<int>(i + 1));
    }
    tank.SetDesignFillHeight(designFillMm);
    tank.SetDeadCavityHeight(deadCavityMm);
    tank.UpdateAll();
    tank.SetModified(false);
    return tank;
}

// Page (kind, page) drawn as printing draws it: options loaded, then drawn.
struct DrawnPage
{
    explicit DrawnPage(int dotsPerInch) : canvas(dotsPerInch) {}
    RecordingCanvas canvas;
    PageGeometry geometry;
    PageReports reports;

    std::vector<RecordedText> TextsOf(const QString& text) const
    {
        std::vector<RecordedText> found;
        for (const RecordedText& t : canvas.Texts())
            if (t.text == text)
                found.push_back(t);
        return found;
    }
    bool HasText(const QString& text) const { return !TextsOf(text).empty(); }
    double RightMm(const RecordedText& t) const { return XMm(geometry, t.x + t.width); }
    double LeftMm(const RecordedText& t) const { return XMm(geometry, t.x); }
    double TopMm(const RecordedText& t) const { return YMm(geometry, t.y); }
};

inline DrawnPage DrawPage(TSteelVertCylTank& tank, DocKind kind, int page, PageOptions& options,
                          const PageGeometry& geometry = TenPerMm(), int dotsPerInch = kTenPerMmDpi)
{
    DrawnPage drawn(dotsPerInch);
    drawn.geometry = geometry;
    LoadPageOptions(tank, kind, page, options);
    drawn.reports = DrawDocumentPage(drawn.canvas, geometry, tank, options, kind, page);
    return drawn;
}

inline DrawnPage DrawPage(TSteelVertCylTank& tank, DocKind kind, int page)
{
    PageOptions options;
    return DrawPage(tank, kind, page, options);
}

} // namespace veloquin::test
