#pragma once
// The uncertainty of a tank's calibration table: for every printed level the
// volume V, its standard uncertainty u, U = 2u and U/V; the same at the design
// fill height and at 500 mm; for every 2 m interval of the table (from each
// level to the level 200 lines above) the uncertainty of the volume between
// them, and the worst of them by U/ΔV; and for the linear estimate the budget,
// source group by source group.
//
// Levels are those printed: mm read from the tape's touch point. V(h) is the
// engine's volume at h above the touch point with the touch point itself
// recomputed from the inputs, so an error of the touch point moves every level.
//
// Linear: each source moved by ±u on the engine with its 0.1 mm rounding
// lifted, the central difference taken at every level; sources are independent,
// shared errors being single sources, so the variance of a level or interval is
// the sum of squares of the differences (of the two levels' differences for an
// interval). Monte Carlo: each trial draws every error, recomputes the tank as
// the program does and reads every level; an interval's uncertainty comes from
// the differences within each trial. Trials draw from their own generator seeded
// from the seed and the trial's number and are summed in fixed blocks, so the
// result does not depend on how many threads ran them.

#include "ErrorSources.h"
#include "TankClasses.h"
#include "UncertaintySettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace veloquin {

// The table is refused (empty, too long, not all numbers); what() says why.
class UncertaintyError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

constexpr double kCoverageFactor = 2;
constexpr long long kDefaultMonteCarloTrials = 2000;
constexpr std::uint64_t kDefaultMonteCarloSeed = 20260101;
// The table's lines between the two ends of a 2 m interval.
constexpr int kTwoMetreLines = 200;
// Each detail is two sources, each differenced over every level, each level
// visiting every detail: beyond this many the estimate would take minutes, and
// it is refused (no tank holds as many).
constexpr int kMaxUncertaintyDetails = 50;
// The level below the design fill that certificates ask for, mm from the touch point.
constexpr double kLowLevelMm = 500;

struct UncertaintyInterval
{
    double fromMm = 0;
    double toMm = 0;
};

struct UncertaintyRequest
{
    UncertaintySettings settings;
    std::vector<UncertaintyInterval> intervals; // asked for besides the table's own
};

struct MonteCarloOptions
{
    long long trials = kDefaultMonteCarloTrials;
    std::uint64_t seed = kDefaultMonteCarloSeed;
    int threads = 0; // 0: as many as the machine runs at once
};

// Both are called on the calling thread only; cancelled() returning true ends
// the estimate, which then gives nothing.
struct UncertaintyControl
{
    std::function<void(long long done, long long total)> progress;
    std::function<bool()> cancelled;
};

enum class UncertaintyMethod
{
    Linear,
    MonteCarlo
};

struct LevelUncertainty
{
    double levelMm = 0;
    double volumeM3 = 0;
    double uM3 = 0;
    double U() const { return kCoverageFactor * uM3; }
    double Urel() const { return U() / volumeM3; }
};

struct IntervalUncertainty
{
    double fromMm = 0;
    double toMm = 0;
    double dVM3 = 0;
    double uM3 = 0;
    double U() const { return kCoverageFactor * uM3; }
    double Urel() const { return U() / dVM3; }
};

struct BudgetLine
{
    UncertaintyGroup group;
    double uM3 = 0;
    double share = 0; // of u²
};
using GroupVariances = std::array<double, kUncertaintyGroupCount>;

struct TableUncertainty
{
    UncertaintyMethod method = UncertaintyMethod::Linear;
    long long trials = 0;
    std::uint64_t seed = 0;
    UncertaintySettings settings;
    // The error the protocol states, as a fraction of the volume.
    double statedFraction = 0;

    std::vector<LevelUncertainty> levels; // every printed level
    LevelUncertainty designFill;
    LevelUncertainty at500mm;
    // U of the 2 m interval from each level; NaN where it would pass the table's top.
    std::vector<double> twoMetreU;
    std::optional<IntervalUncertainty> worstTwoMetre;
    std::vector<IntervalUncertainty> intervals; // as asked in the request
    // Levels that a clamp moved in any evaluation (none where the model holds).
    int levelsMovedByClamping = 0;

    // Linear only: each group's variance at every level and of every 2 m interval.
    std::vector<GroupVariances> levelGroups;
    std::vector<GroupVariances> twoMetreGroups;
    GroupVariances designFillGroups = {};
    GroupVariances at500mmGroups = {};
};

// Throws UncertaintyError; nothing when cancelled.
std::optional<TableUncertainty> EstimateLinear(const TSteelVertCylTank& tank, const UncertaintyRequest& request,
                                               const UncertaintyControl& control = {});
std::optional<TableUncertainty> EstimateMonteCarlo(const TSteelVertCylTank& tank, const UncertaintyRequest& request,
                                                   const MonteCarloOptions& options,
                                                   const UncertaintyControl& control = {});

// The groups that contribute, the largest share first.
std::vector<BudgetLine> Budget(const GroupVariances& variances);
// At the index of a printed level or of a 2 m interval; empty for a Monte Carlo result.
std::vector<BudgetLine> LevelBudget(const TableUncertainty& result, std::size_t level);
std::vector<BudgetLine> WorstTwoMetreBudget(const TableUncertainty& result);

// The highest printed level at which U/V exceeds the stated error; none when no level does.
std::optional<double> HighestLevelBeyondStatedError(const TableUncertainty& result);

// One change of every volume by a source, for the tests: the central difference
// (V(x + u) - V(x - u)) / 2 at each printed level (and then design fill, 500 mm),
// on the engine with its rounding lifted.
struct SourceEffect
{
    ErrorSource source;
    std::vector<double> effectM3;
};
std::vector<SourceEffect> LinearSourceEffects(const TSteelVertCylTank& tank, const UncertaintySettings& settings);

} // namespace veloquin
