#pragma once
// Every source of error of the table's uncertainty: which input it moves, how
// (one error shared by every reading it touches, or one per reading), with what
// distribution and standard uncertainty, and which group of the budget it
// belongs to. Both estimates walk the same list: the linear one differences
// the volumes at ±u of each source, the Monte Carlo draws each source once per
// trial.

#include "TankInputs.h"
#include "UncertaintySettings.h"

#include <array>
#include <vector>

namespace veloquin {

// The groups of the budget, in the order they are listed when they weigh alike.
enum class UncertaintyGroup
{
    Tape,
    CircumferenceRepeatability,
    WeldCorrections,
    SheetThickness,
    Paint,
    Plumb,
    GirdleHeights,
    Staff,
    Collimation,
    CalibrationFill,
    CalibrationDensity,
    StoredDensity,
    ElasticModel,
    Details,
    Rounding,
    Count
};
constexpr int kUncertaintyGroupCount = static_cast<int>(UncertaintyGroup::Count);

struct UncertaintyGroupDescriptor
{
    UncertaintyGroup group;
    const char* key;  // for the tool's JSON
    const char* name; // what the user reads
};
const UncertaintyGroupDescriptor& DescriptorOf(UncertaintyGroup group);

// Which input an error moves.
enum class ErrorTarget
{
    BothCircumferences, // mm added to both circumference readings
    Circumference1,     // mm
    Circumference2,     // mm
    WeldEntry,          // mm added to entered correction `index`
    SheetThicknessAll,  // mm added to every girdle
    SheetThickness,     // mm added to girdle `index`
    Paint,              // mm
    PlumbReading,       // mm added to reading (`index`, `column`)
    PlumbGirdle,        // mm added to every reading of girdle `index`
    HeightOuter,        // mm, girdle `index`
    OverlapBottom,      // mm
    OverlapTop,         // mm
    BottomReading,      // mm, circle `index`, radius `column`
    BottomCenter,       // mm
    PointPlumb,         // mm
    Collimation,        // rad: each staff reading moves by the angle times its distance from the level
    CalibrationFill,    // mm
    CalibrationDensity, // kg/m3
    StoredDensityRel,   // relative change of the stored density
    DensitiesRel,       // relative change of both densities
    DetailSizeRel,      // relative change of detail `index` (its length for a cylinder)
    DetailPosition,     // mm added to both bounds of detail `index`
    Rounding            // mm added to the circumference of girdle `index`
};

enum class ErrorDistribution
{
    Normal,
    Rectangular
};

struct ErrorSource
{
    UncertaintyGroup group;
    ErrorTarget target;
    ErrorDistribution distribution;
    double u = 0;   // standard uncertainty, in the target's unit
    int index = 0;  // 0-based
    int column = 0; // 0-based
    // How many independent inputs, each moving the volumes exactly as this one
    // does, it stands for (the linear estimate multiplies its variance by it).
    double count = 1;
};

// Linear: inputs that enter the engine alike are represented by one (a plumb
// row, the entered weld corrections). Monte Carlo: every reading on its own.
enum class SourceExpansion
{
    Representative,
    EveryReading
};

struct ErrorSourceList
{
    std::vector<ErrorSource> sources;
    // Collimation: the distance from the level of each bottom circle and of the
    // touch point (mm).
    std::array<double, TSteelVertCylTank::kBottomCircles> circleRadiusMm = {};
    double touchPointRadiusMm = 0;
    // 0-based girdle of each plumb row.
    std::vector<int> girdleOfPlumbRow;
};

// Sources of zero uncertainty (switched off, or nothing to move) are left out.
ErrorSourceList ErrorSources(const TSteelVertCylTank& tank, const UncertaintySettings& settings,
                             SourceExpansion expansion);

// Adds an error of `value` (the source's unit) to the inputs.
void ApplyError(TankInputs& inputs, const ErrorSourceList& list, const ErrorSource& source, double value);

// The standard uncertainty of the mean circumference from the tape alone
// (graduation, tension, temperature), mm.
double TapeUncertaintyMm(double circumferenceMm, const UncertaintySettings& settings);

} // namespace veloquin
