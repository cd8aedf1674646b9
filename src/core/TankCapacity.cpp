// Capacities below and within the girdles: the bottom-unevenness correction, the
// dead cavity (clamped between the tape's touch point and the top of girdle 1),
// internal details spread over their height bands, and each girdle's capacity
// above the dead cavity.

#include "PhysicalConstants.h"
#include "TankClasses.h"

namespace veloquin {
namespace {

using physics::kCylinderDivisor;
using physics::kMm3ToM3;
using physics::kPi;

// The method's weights of the bottom readings.
constexpr long double kBottomFactor = 7.958e-11L; // about 1e-9 / (4 pi)
constexpr long double kCentreWeight = 0.005208L;
constexpr long double kInnerCircleWeight = 0.018229L;
constexpr long double kMiddleCirclesWeight = 0.015625L;

} // namespace

void TSteelVertCylTank::UpdateBottomCorrection()
{
    if (m_intCircumference.empty())
        return;
    // Readings on a staff: larger numbers lie lower. Circle 8 is at the wall.
    double s0 = 0, s1 = 0, s2 = 0;
    for (int r = 0; r < kBottomRadii; ++r) {
        const double wall = m_bottomReadings[kBottomCircles - 1][r];
        s0 += wall - m_bottomCenter;
        s1 += wall - m_bottomReadings[0][r];
        for (int c = 1; c <= 6; ++c)
            s2 += wall - m_bottomReadings[c][r];
    }
    const long double l1 = m_intCircumference[0];
    m_bottomCorrection = static_cast<double>(
        l1 * l1 * kBottomFactor * (kCentreWeight * s0 + kInnerCircleWeight * s1 + kMiddleCirclesWeight * s2));
    UpdateDeadCavityCapacity();
}

void TSteelVertCylTank::SetDeadCavityHeight(double mm)
{
    NoteRequest(m_deadCavityHeight, mm);
    // The bounds apply one after the other, so that the height stored is one this
    // clamp keeps as it is: a file holds the clamped height, and reading it must
    // give that height again. (Taken as alternatives, a touch point above girdle 1
    // sent a stored 800 mm to the touch point and the touch point back to 800 mm at
    // every open, and a height below the bottom stayed 0 under a higher touch
    // point until the next open.) Girdle 1 bounds the cavity from above unless the
    // touch point itself lies higher: then the cavity reaches up to the touch point.
    double height = mm;
    if (height < 0)
        height = 0;
    if (height < m_touchPointHeight)
        height = m_touchPointHeight;
    if (!m_girdleHeight.empty()) {
        double upper = m_girdleHeight[0];
        if (m_touchPointHeight > upper)
            upper = m_touchPointHeight;
        if (height > upper)
            height = upper;
    }
    m_deadCavityHeight = height;
    UpdateDeadCavityCapacity();
    UpdateAllGirdleCapacities();
}

void TSteelVertCylTank::UpdateDeadCavityCapacity()
{
    if (m_intCircumference.empty())
        return;
    const long double l1 = m_intCircumference[0];
    const double hd = m_deadCavityHeight;
    m_deadCavityCapacity =
        static_cast<double>(l1 * l1 * hd / kCylinderDivisor - DetailsVolumeInBand(0, hd) - m_bottomCorrection);
}

void TSteelVertCylTank::UpdateGirdleCapacity(int girdle)
{
    if (!CheckGirdle(girdle))
        return;
    const double hd = m_deadCavityHeight;
    auto height = [this](int k) { return m_girdleHeight[static_cast<std::size_t>(k - 1)]; };

    // The girdle k that holds the top of the dead cavity, and the height s of its top.
    double s = 0;
    int k = 0;
    while (hd > s && k < m_girdleCount) {
        ++k;
        s += height(k);
    }
    const bool allInDeadCavity = hd > s;

    double t; // the girdle's height above the dead cavity
    if (allInDeadCavity || girdle < k)
        t = 0;
    else if (girdle == k)
        t = s - hd;
    else
        t = height(girdle);

    const long double l = m_intCircumference[static_cast<std::size_t>(girdle - 1)];
    double& capacity = m_girdleCapacity[static_cast<std::size_t>(girdle - 1)];
    capacity = static_cast<double>(l * l * t / kCylinderDivisor);

    double top = 0;
    for (int j = 1; j <= girdle; ++j)
        top += height(j);
    const double bottom = top - height(girdle);
    if (hd >= top)
        return; // wholly inside the dead cavity, whose details are counted there
    const double lower = hd > bottom ? hd : bottom;
    capacity = capacity - DetailsVolumeInBand(lower, top);
}

void TSteelVertCylTank::UpdateAllGirdleCapacities()
{
    for (int i = 1; i <= m_girdleCount; ++i)
        UpdateGirdleCapacity(i);
}

double TSteelVertCylTank::DetailsVolumeInBand(double lowerMm, double upperMm) const
{
    double sum = 0;
    for (const InternalDetail& d : m_details) {
        const double a = d.Bottom;
        const double b = d.Top;
        const double v = d.Volume;
        if (b <= lowerMm || a >= upperMm)
            continue; // outside, or touching the band only at an edge
        if (b < upperMm && a <= lowerMm)
            sum += static_cast<double>(static_cast<long double>(v) * (b - lowerMm) / (b - a));
        else if (a >= lowerMm && b <= upperMm)
            sum += v;
        else if (b >= upperMm && a > lowerMm)
            sum += static_cast<double>(static_cast<long double>(v) * (upperMm - a) / (b - a));
        else
            sum += static_cast<double>(static_cast<long double>(v) * (upperMm - lowerMm) / (b - a));
    }
    return sum;
}

namespace {

InternalDetail ArbitraryDetail(double volumeM3, double bottomMm, double topMm)
{
    InternalDetail d;
    d.IsArbitrary = true;
    d.Volume = volumeM3;
    d.Bottom = bottomMm;
    d.Top = topMm;
    return d;
}

InternalDetail CylindricalDetail(double bottomMm, double topMm, double diameterMm, double lengthMm)
{
    InternalDetail d;
    d.IsArbitrary = false;
    d.Bottom = bottomMm;
    d.Top = topMm;
    d.Diameter = diameterMm;
    d.Length = lengthMm;
    const long double radius = static_cast<long double>(diameterMm) / 2;
    d.Volume = static_cast<double>(radius * radius * (kPi * lengthMm) * kMm3ToM3);
    return d;
}

} // namespace

void TSteelVertCylTank::AddArbitraryDetail(double volumeM3, double bottomMm, double topMm)
{
    RaiseModified();
    m_details.push_back(ArbitraryDetail(volumeM3, bottomMm, topMm));
    UpdateInternalDetailsVolume();
}

void TSteelVertCylTank::AddCylindricalDetail(double bottomMm, double topMm, double diameterMm, double lengthMm)
{
    RaiseModified();
    m_details.push_back(CylindricalDetail(bottomMm, topMm, diameterMm, lengthMm));
    UpdateInternalDetailsVolume();
}

void TSteelVertCylTank::AddDetails(const std::vector<InternalDetail>& details)
{
    if (details.empty())
        return;
    RaiseModified();
    m_details.reserve(m_details.size() + details.size());
    for (const InternalDetail& d : details)
        m_details.push_back(d.IsArbitrary ? ArbitraryDetail(d.Volume, d.Bottom, d.Top)
                                          : CylindricalDetail(d.Bottom, d.Top, d.Diameter, d.Length));
    // Only the last of the sums that adding them one by one computes survives;
    // computing just that one keeps a large file from taking quadratic time.
    UpdateInternalDetailsVolume();
}

void TSteelVertCylTank::ReplaceDetails(const std::vector<InternalDetail>& details)
{
    if (!m_details.empty())
        RaiseModified();
    m_details.clear();
    AddDetails(details);
    UpdateInternalDetailsVolume();
}

void TSteelVertCylTank::UpdateInternalDetailsVolume()
{
    double sum = 0;
    for (const InternalDetail& d : m_details)
        sum += d.Volume;
    m_internalDetailsVolume = sum;
    UpdateDeadCavityCapacity();
}

} // namespace veloquin
