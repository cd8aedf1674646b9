#pragma once
// Which groups of the tank's values a change touched, so that a window that is
// costly to bring up to date (the checks, the uncertainty) can leave it when
// nothing it reads changed. The groups cover every value the computations read;
// what only the documents show (sheet texts, captions, frames, protocol texts)
// has no group of its own but Documents, which every change of the file image
// carries, since the documents show every value.

namespace veloquin {

class TSteelVertCylTank;

enum class TankField : unsigned
{
    Identity = 1u << 0,   // name, design capacity
    Girdles = 1u << 1,    // count, heights, overlaps, sheets, paint, circumference and its corrections
    Plumb = 1u << 2,      // generatrices, distances to the plumb line
    Bottom = 1u << 3,     // bottom readings, its centre, the touch point
    Details = 1u << 4,    // internal details
    Levels = 1u << 5,     // design fill, dead cavity, base height, calibration fill height, densities
    GivenLevel = 1u << 6, // the level of the volume query
    Documents = 1u << 7,  // anything the file holds: every page may show it
};
using TankFields = unsigned;

constexpr TankFields Bit(TankField field)
{
    return static_cast<TankFields>(field);
}

constexpr TankFields kEveryTankField = 0xFFu;
// Everything but what only the documents show.
constexpr TankFields kComputedFromFields = kEveryTankField & ~Bit(TankField::Documents);

// The groups whose values differ between before and after; imageChanged says
// whether their file images differ (Documents).
TankFields ChangedFields(const TSteelVertCylTank& before, const TSteelVertCylTank& after, bool imageChanged);

} // namespace veloquin
