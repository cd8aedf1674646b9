#pragma once
// Page millimetres to device pixels. Every page is A4 portrait, positions in mm
// from the sheet's top-left corner; a drawing routine converts each position
// itself (a painter transform would scale the fonts too).
//
// The preview builds its geometry from the page box (ForPreview), the printer
// and the PDF from the printable area in device pixels and the printer
// calibration (ForPrinter); veloquin-cli prints with a zero calibration.

#include "Settings.h"

namespace veloquin {

constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;

// The farthest from the origin a page position or length may lie, in device
// pixels: far beyond any page (a sheet at 10 000 dpi is 117 000 px tall), and far
// enough inside int that sums and differences of a few positions never
// overflow, whatever scale or calibration comes in.
constexpr int kMaxDevicePx = 1 << 24;

struct PageGeometry
{
    int ScaleX = 0; // device pixels per 100 mm across
    int ScaleY = 0; // device pixels per 100 mm down
    bool ToPrinter = false;
    PrinterCalibration calibration; // shifts apply only when ToPrinter

    // The page box of the preview, W x H screen pixels.
    static PageGeometry ForPreview(int widthPx, int heightPx);
    // The printable area of a printer (or PDF page) in device pixels.
    static PageGeometry ForPrinter(int pageWidthPx, int pageHeightPx, const PrinterCalibration& calibration);

    int MmToX(double xMm) const;
    int MmToY(double yMm) const;
    // Pen widths and font heights: the mean of both scales, never shifted.
    int MmToLen(double lengthMm) const;
};

// Rounding of every page position: to the nearest integer, halves to even.
int RoundToEven(double value);

} // namespace veloquin
