#pragma once
// What the checks of one tank share: the findings collected so far, the wall's
// height, and the texts every message is built from.

#include "SlipGuess.h"
#include "TankChecks.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veloquin::checks {

class CheckContext
{
public:
    explicit CheckContext(const TSteelVertCylTank& tank);

    const TSteelVertCylTank& tank;
    const double wallHeightMm; // sum of the girdles' inner heights

    // "place: value unit — reason; hint". With the value the reading should have
    // had, the finding also says what the slip does to the table (StateEffects).
    void Add(Severity severity, CheckedField field, FindingIndex index, double value, const std::string& place,
             const std::string& unit, const std::string& reason, const std::string& hint = std::string(),
             std::optional<double> corrected = std::nullopt);
    // A value apart from what the tank predicts for it within a narrow tolerance:
    // an error when a single slip explains it or when it is impossible, otherwise
    // a warning.
    void AddJudged(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                   const std::string& unit, const std::string& reason, const std::string& hint);
    void AddJudged(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                   const std::string& unit, const std::string& reason, const Slip& slip);
    // Readings not taken where they are expected: "place: нет показаний". An
    // error: the table computed without them is wrong.
    void AddMissing(CheckedField field, FindingIndex index, const std::string& place, const std::string& what);

    // A value outside a wide band of what is usual: an error only when impossible;
    // the hint, if any, only says what the slip may have been.
    void AddOutOfRange(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                       const std::string& unit, const std::string& reason, const std::string& hint)
    {
        Add(impossible ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason, hint);
    }
    void AddOutOfRange(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                       const std::string& unit, const std::string& reason, const Slip& slip)
    {
        Add(impossible ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason, slip.hint,
            Corrected(slip));
    }

    // Each finding that knows the reading's likely value says how much the slip
    // changes the table, and is an error when that is beyond the error the
    // protocol states for the table.
    void StateEffects();

    bool Found(CheckedField field) const
    {
        for (const Finding& f : m_findings)
            if (f.field == field)
                return true;
        return false;
    }

    std::vector<Finding> Take() { return std::move(m_findings); }

private:
    static std::optional<double> Corrected(const Slip& slip)
    {
        return slip.Found() ? std::optional<double>(slip.corrected) : std::nullopt;
    }

    std::vector<Finding> m_findings;
    std::vector<std::optional<double>> m_corrected; // one per finding
};

// Number texts of messages: the general form for typed values, fixed decimals
// for computed ones (both with the program's decimal separator).
std::string Typed(double value);
std::string Fixed(int decimals, double value);
// Typed for a value with a few decimals, Fixed(1) for a computed one.
std::string Short(double value);
// "91–96" or "93" when both ends agree.
std::string Range(double low, double high);

const char* const kMm = "мм";

// m3 in a cylinder of the given circumference and height (mm).
double CylinderVolume(double circumferenceMm, double heightMm);

// Whether any reading of the field work is in the tank (plumb, bottom, a base
// height above the fill height): until then a blank tank has nothing missing.
bool FieldWorkBegun(const TSteelVertCylTank& tank);

// Readings a table lacks (not numbers in it): none at all, or whole positions
// or lines, each reported once rather than cell by cell.
struct MissingReadings
{
    bool all = false;
    std::vector<bool> positions;
    std::vector<bool> lines;
    bool InGroup(int position, int line) const
    {
        return all || positions[static_cast<std::size_t>(position)] || lines[static_cast<std::size_t>(line)];
    }
};
struct LineTable;
MissingReadings FindMissing(const LineTable& table);
// A row of the girdle's plumb readings left at zero: its radius is unknown.
bool GirdleLacksPlumbRow(const TSteelVertCylTank& tank, int girdle);

const char* const kNoReadings = "нет показаний";
const char* const kNotMeasured = "не измерено";

// What the rest of the tank says of a value, and why.
enum class Plausibility
{
    Usual,
    Possible,
    Impossible
};
struct Judgement
{
    Plausibility plausibility = Plausibility::Usual;
    std::string why; // "на 54 000 мм выше стенки (17 708 мм)"; empty when usual
};

// Two measurements of one quantity that should agree.
struct MeasurementPair
{
    CheckedField fields[2];
    double values[2];
    const char* places[2];
    double tolerance;            // within it they agree
    double impossibleDifference; // beyond it they cannot both be of this tank
    std::string toleranceText;   // ", допуск 9 мм" or nothing
    // What the tank says of the quantity being this value.
    std::function<Judgement(double value)> judge;
    // A slip of the measuring itself rather than of the hand (a tape length
    // forgotten), for a difference no typing slip explains.
    std::function<std::string(double difference)> measuringSlip;
};
// A slip that explains either measurement by the other (swapped digits read
// both ways round) is decided by what the tank says of each; where nothing
// decides, both measurements are named.
void CheckMeasurementPair(CheckContext& context, const MeasurementPair& pair);

// Nominal capacities follow a series (100, 200, 300, 400, 700, 1000, 2000,
// 3000, 5000, 10 000...), so a tank may hold up to about 1.6 times its nominal
// size or somewhat less than it; ten times more or less is a digit.
constexpr double kCapacityRatioUsualMin = 0.6;
constexpr double kCapacityRatioUsualMax = 1.6;
constexpr double kCapacityRatioPossibleMin = 0.3;
constexpr double kCapacityRatioPossibleMax = 3;

void CheckWall(CheckContext& context);
void CheckBottom(CheckContext& context);
void CheckDetails(CheckContext& context);
void CheckTable(CheckContext& context);

} // namespace veloquin::checks
