#include "PageGeometry.h"

#include <climits>
#include <cmath>

namespace veloquin {

int RoundToEven(double value)
{
    const double rounded = std::nearbyint(value);
    // Positions of a sane page are far inside int; a wild calibration value must not overflow.
    if (!(rounded > INT_MIN))
        return INT_MIN;
    if (!(rounded < INT_MAX))
        return INT_MAX;
    return static_cast<int>(rounded);
}

namespace {

int DevicePx(double value)
{
    const int px = RoundToEven(value);
    return px < -kMaxDevicePx ? -kMaxDevicePx : px > kMaxDevicePx ? kMaxDevicePx : px;
}

} // namespace

PageGeometry PageGeometry::ForPreview(int widthPx, int heightPx)
{
    PageGeometry geometry;
    geometry.ScaleX = RoundToEven(widthPx / 2.1);
    geometry.ScaleY = RoundToEven(heightPx / 2.97);
    return geometry;
}

PageGeometry PageGeometry::ForPrinter(int pageWidthPx, int pageHeightPx, const PrinterCalibration& calibration)
{
    PageGeometry geometry;
    geometry.ScaleX = RoundToEven(pageWidthPx / (2.1 - 0.01 * calibration.dXScal));
    geometry.ScaleY = RoundToEven(pageHeightPx / (2.97 - 0.01 * calibration.dYScal));
    geometry.ToPrinter = true;
    geometry.calibration = calibration;
    return geometry;
}

int PageGeometry::MmToX(double xMm) const
{
    const double shift = ToPrinter ? calibration.dXCalibr : 0;
    return DevicePx(ScaleX * 0.01 * (xMm + shift));
}

int PageGeometry::MmToY(double yMm) const
{
    const double shift = ToPrinter ? calibration.dYCalibr : 0;
    return DevicePx(ScaleY * 0.01 * (yMm + shift));
}

int PageGeometry::MmToLen(double lengthMm) const
{
    return DevicePx((static_cast<double>(ScaleX) + ScaleY) / 2 * 0.01 * lengthMm);
}

} // namespace veloquin
