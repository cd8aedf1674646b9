#pragma once
// Field-data checks: the slips a hand makes on a field sheet or a keyboard (a
// misplaced decimal point, swapped or dropped digits, centimetres for
// millimetres, a wrong sign...) judged against what the same tank says about
// each reading. Nothing is changed or blocked: the findings only point at values
// a metrologist should look at again before the table is signed.
//
// The tank must be refreshed (UpdateAll) before it is checked; the table is
// read through VolumeAt, so checking never moves GivenLevel or reports anything.

#include "TankClasses.h"

#include <functional>
#include <string>
#include <vector>

namespace veloquin {

enum class Severity
{
    Error,  // physically impossible, or a plain slip
    Warning // unusual but possible
};
const char* SeverityName(Severity severity); // "error" / "warning"

// The tank field a finding concerns; the names are those of `veloquin-cli show`.
enum class CheckedField
{
    DesignCapacity,
    ExtCircumferenceMeasured1,
    ExtCircumferenceMeasured2,
    WeldCorrection,
    SheetThickness,
    PaintThickness,
    PlumbDistance,
    GirdleHeightOuter,
    OverlapBottom,
    OverlapTop,
    GirdleCapacity,
    CalibrationDensity,
    CalibrationFillHeight,
    VolumeAtLevel,
    StoredDensity,
    DetailBottom,
    DetailTop,
    DetailVolume,
    DetailDiameter,
    DetailLength,
    BaseHeightMeas1,
    BaseHeightMeas2,
    BottomReadings,
    BottomCenter,
    PointPlumb
};
const char* CheckedFieldName(CheckedField field);

// Where in its field a finding lies, 1-based: nothing for a single value, a girdle,
// weld correction or detail number, or a pair ([row, generatrix] of the plumb
// readings, [circle, radius] of the bottom readings).
struct FindingIndex
{
    int size = 0; // 0, 1 or 2 numbers
    int first = 0;
    int second = 0;

    static FindingIndex None() { return {}; }
    static FindingIndex One(int i) { return {1, i, 0}; }
    static FindingIndex Pair(int i, int j) { return {2, i, j}; }
    bool operator==(const FindingIndex& other) const
    {
        return size == other.size && first == other.first && second == other.second;
    }
};

struct Finding
{
    Severity severity = Severity::Warning;
    CheckedField field = CheckedField::DesignCapacity;
    FindingIndex index;
    double value = 0;
    std::string message; // Russian, UTF-8, says where, what and the likely slip
};

// Every finding on the tank, in the order of the tank's fields, then of indexes.
std::vector<Finding> CheckTank(const TSteelVertCylTank& tank);

// The tallest tank's table has a few thousand levels; a file may ask for endless
// ones, which the checks (run after every change) and the pictures leave alone.
constexpr long long kMaxWalkedTableLevels = 30000;

// Visits the table's levels from the dead cavity up, as the calibration table
// steps them, with the volume at each; false, having visited nothing, when the
// table is empty or longer than kMaxWalkedTableLevels.
bool WalkTable(const TSteelVertCylTank& tank, const std::function<void(double levelMm, double volumeM3)>& visit);

struct FindingCounts
{
    int errors = 0;
    int warnings = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);

} // namespace veloquin
