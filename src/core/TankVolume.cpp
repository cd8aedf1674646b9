// The volume at a level: the dead cavity, the full girdles below the level, the
// filled part of the girdle that holds it less the details in that band, and the
// hydrostatic expansion of the wall under the stored liquid. Also the clamps of
// the design fill height (always inside the top girdle) and of the level itself.

#include "PhysicalConstants.h"
#include "TankClasses.h"

#include <cmath>
#include <limits>

namespace veloquin {
namespace {

using physics::kCylinderDivisor;
using physics::kElasticityM3;
using physics::kGravity;

} // namespace

double TSteelVertCylTank::ClampedLevel(double levelMm) const
{
    // One bound after the other, so that a clamped level clamps to itself: with the
    // dead cavity above the fill height every level is the fill height (which the
    // volume then reports), instead of the two bounds taking turns at each save.
    double level = levelMm;
    if (level < m_deadCavityHeight)
        level = m_deadCavityHeight;
    if (level > m_designFillHeight)
        level = m_designFillHeight;
    return level;
}

void TSteelVertCylTank::SetGivenLevel(double levelMm)
{
    // A query parameter, although it is saved with the tank: never raises Modified.
    m_givenLevel = ClampedLevel(levelMm);
    UpdateVolumeAtLevel();
}

int TSteelVertCylTank::GirdleAtLevel(double levelMm) const
{
    double s = 0;
    for (int i = 1; i <= m_girdleCount; ++i) {
        s += m_girdleHeight[static_cast<std::size_t>(i - 1)];
        if (s >= levelMm)
            return i;
    }
    return m_girdleCount + 1;
}

void TSteelVertCylTank::UpdateVolumeAtLevel()
{
    if (m_girdleCount < 1)
        return;
    const LevelVolume at = VolumeAt(m_givenLevel);
    if (at.deadCavityAbove) {
        m_volumeAtLevel = 0;
        Report(TankMessages::DeadCavityAboveLevel);
        return;
    }
    m_hydrostaticCorrectionAtLevel = at.hydrostaticM3;
    m_volumeAtLevel = at.volumeM3;
}

TSteelVertCylTank::LevelVolume TSteelVertCylTank::VolumeAt(double levelMm) const
{
    LevelVolume result;
    if (m_girdleCount < 1)
        return result;
    const double level = levelMm;
    const double hd = m_deadCavityHeight;
    auto height = [this](int k) { return m_girdleHeight[static_cast<std::size_t>(k - 1)]; };

    // A level above the top of the tank (only when the dead cavity itself lies
    // above it) is taken as lying in the top girdle rather than past the lists.
    int g = GirdleAtLevel(level);
    if (g > m_girdleCount)
        g = m_girdleCount;

    double v = m_deadCavityCapacity;
    double s = 0; // height of the bottom of girdle g
    for (int k = 1; k <= g - 1; ++k) {
        v += m_girdleCapacity[static_cast<std::size_t>(k - 1)];
        s += height(k);
    }

    double band;
    if (hd > s) {
        if (hd > level) {
            result.deadCavityAbove = true;
            return result;
        }
        band = level - hd;
    } else {
        band = level - s;
    }
    const long double lg = m_intCircumference[static_cast<std::size_t>(g - 1)];
    v = static_cast<double>(v + lg * lg * band / kCylinderDivisor - DetailsVolumeInBand(level - band, level));

    // Each filled part weighs by its height over the sheet thickness times the
    // height of its middle above the bottom.
    long double t = 0;
    double below = 0; // h(1) + ... + h(k-1)
    for (int k = 1; k <= g; ++k) {
        const double filled = k < g ? height(k) : level - s;
        const double middle = filled / 2 + below;
        const double delta = m_sheetThickness[static_cast<std::size_t>(k - 1)];
        // A zero thickness set by hand would divide by zero; such a girdle adds no term.
        if (delta != 0)
            t += static_cast<long double>(filled) / delta * middle;
        below += height(k);
    }
    const long double l1 = m_intCircumference[0];
    result.hydrostaticM3 = static_cast<double>(l1 * l1 * l1 * (kGravity * m_storedDensity) * t / kElasticityM3);
    result.volumeM3 = v + result.hydrostaticM3;
    return result;
}

void TSteelVertCylTank::SetDesignFillHeight(double mm)
{
    NoteRequest(m_designFillHeight, mm);
    const int n = m_girdleCount;
    double lower = 0;
    for (int k = 1; k <= n - 1; ++k)
        lower += m_girdleHeight[static_cast<std::size_t>(k - 1)];
    const double upper = n >= 1 ? lower + m_girdleHeight[static_cast<std::size_t>(n - 1)] : lower;
    // Each bound is tested on its own, so that the height stored is one this clamp
    // keeps as it is. A girdle of no numeric height leaves nothing to check a fill
    // height against: none is taken (and the table says so), where the bounds
    // used to give the bottom of the top girdle and at the next open no number.
    if (std::isnan(lower) || std::isnan(upper))
        m_designFillHeight = std::numeric_limits<double>::quiet_NaN();
    else if (mm < lower)
        m_designFillHeight = lower;
    else if (mm > upper)
        m_designFillHeight = upper;
    else if (std::isnan(mm))
        m_designFillHeight = upper;
    else
        m_designFillHeight = mm;
    // A top girdle of negative height puts its top below its bottom: the bottom wins.
    if (m_designFillHeight < lower)
        m_designFillHeight = lower;
    UpdateBaseHeight();
}

} // namespace veloquin
