#pragma once
// Tables for level gauges and terminal software, which hold only a few points
// (20 to 5000) and interpolate linearly between them: the points are chosen
// from the full table so that the interpolation departs least from it.
//
// The choice is optimal, not a heuristic. For a tolerance e, the segments
// between two levels of the full table whose chord stays within e of every
// level between them are found for each start level by narrowing the wedge of
// slopes that keep the levels passed so far within e; a forward pass over these
// segments gives the fewest points within e. For at most N points, e is halved
// down to a millilitre between a tolerance that is met and one that is not; a
// level that cannot lie on any choice of N points at the tolerance last met
// (the points from the first level and, read backwards, to the last come to
// more) cannot at a smaller one either, so the halving's searches start from
// the few levels that can, and a table of 100 000 levels costs about a second.
// Within a few millilitres of the end, the last tolerance the halving would try
// is tried first: when it fails, every try left would, and they are spared.

#include "export/TablePoints.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veloquin {

constexpr int kMinGaugePoints = 2;
constexpr int kMaxGaugePoints = 5000;
// The smallest tolerance a gauge table is asked for (litres).
constexpr double kMinGaugeErrorLitres = 0.001;

class GaugeTableError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The choice stopped at the caller's asking.
class GaugeTableCancelled : public std::runtime_error
{
public:
    GaugeTableCancelled() : std::runtime_error("cancelled") {}
};

// Told how far the choice has come (0 to 1), often enough for a progress bar;
// false asks it to stop, and the choice throws GaugeTableCancelled.
using GaugeProgress = std::function<bool(double fraction)>;

// Where interpolation between the chosen points departs most from the full table.
struct GaugeDeparture
{
    double litres = 0;                 // absolute
    double levelMm = 0;                // of the full table, above the touch point
    double volumeM3 = 0;               // the full table's volume there
    std::optional<double> percent;     // of that volume; none when it is 0
};

struct GaugeTable
{
    std::vector<TablePoint> points; // first and last level of the full table included
    int fullLevels = 0;
    GaugeDeparture largest;
};

// The departure of linear interpolation between `points` from every level of `full`.
GaugeDeparture InterpolationDeparture(const std::vector<TablePoint>& full, const std::vector<TablePoint>& points);

// At most maxPoints points (kMinGaugePoints..kMaxGaugePoints) with the least
// largest departure; throws GaugeTableError for a count out of range or an empty table.
GaugeTable GaugeTableOfPoints(const std::vector<TablePoint>& full, int maxPoints,
                              const GaugeProgress& progress = GaugeProgress());

// The fewest points whose largest departure stays within maxErrorLitres (at
// least kMinGaugeErrorLitres); throws GaugeTableError.
GaugeTable GaugeTableWithin(const std::vector<TablePoint>& full, double maxErrorLitres,
                            const GaugeProgress& progress = GaugeProgress());

enum class GaugeLevelUnit
{
    Millimetre,
    Centimetre
};

enum class GaugeVolumeUnit
{
    CubicMetre,
    Litre
};

struct GaugeLevelUnitInfo
{
    GaugeLevelUnit unit;
    const char* name;  // in the column header, on the command line and in the settings
    const char* shown; // in the header's comments and the window
    double mmPerUnit;
};

struct GaugeVolumeUnitInfo
{
    GaugeVolumeUnit unit;
    const char* name;
    const char* shown;
    double unitsPerM3;
    int decimals; // the table's volumes are to a litre
};

const std::vector<GaugeLevelUnitInfo>& GaugeLevelUnits();
const std::vector<GaugeVolumeUnitInfo>& GaugeVolumeUnits();
const GaugeLevelUnitInfo& InfoOf(GaugeLevelUnit unit);
const GaugeVolumeUnitInfo& InfoOf(GaugeVolumeUnit unit);
// The unit of that name or shown text ("cm" or "см"); none for another text.
std::optional<GaugeLevelUnit> GaugeLevelUnitNamed(std::string_view text);
std::optional<GaugeVolumeUnit> GaugeVolumeUnitNamed(std::string_view text);

// How a gauge wants its table written. The defaults give the file as it always was.
struct GaugeTableLayout
{
    GaugeLevelUnit levelUnit = GaugeLevelUnit::Millimetre;
    GaugeVolumeUnit volumeUnit = GaugeVolumeUnit::CubicMetre;
    std::optional<char> decimalSeparator; // '.' or ','; none: the program's
    // A first row at the tape's touch point (level 0) holding the volume below
    // the first level, for gauges that count from there. None is written when
    // the table starts at the touch point or below it.
    bool touchPointRow = false;
};

// The file for the gauge: a header naming the tank, the reference of the
// levels, the volume below the first level and the largest departure, then
// "level_mm;volume_m3" lines (the column header names the layout's units, so
// that a reader of tables reads every layout back to the same levels and volumes).
std::string GaugeTableText(const GaugeTable& table, const TSteelVertCylTank& tank,
                           const GaugeTableLayout& layout = GaugeTableLayout());

} // namespace veloquin
