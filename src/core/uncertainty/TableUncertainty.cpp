#include "TableUncertainty.h"

#include "CalibrationTableCheck.h"
#include "LevelStepping.h"
#include "TankInputs.h"
#include "export/GirdleFigures.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace veloquin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Trials are summed in this many blocks, each by one thread, then the blocks in
// order: the sums do not depend on the number of threads.
constexpr long long kTrialBlocks = 64;
constexpr auto kProgressPeriod = std::chrono::milliseconds(50);

// Where the estimate is taken: the printed levels, then the design fill, 500 mm
// and the ends of the intervals asked for; the intervals as pairs of points,
// the table's 2 m intervals first.
struct EvaluationPlan
{
    std::vector<double> pointsMm;
    std::vector<double> nominalM3;
    std::size_t levelCount = 0;
    std::size_t designFill = 0;
    std::size_t at500mm = 0;
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::size_t twoMetreCount = 0;
};

EvaluationPlan PlanOf(const TSteelVertCylTank& tank, const UncertaintyRequest& request)
{
    const std::string fault = CalibrationTableFault(tank);
    if (!fault.empty())
        throw UncertaintyError(fault);
    if (tank.DetailCount() > kMaxUncertaintyDetails)
        throw UncertaintyError("Внутренних деталей — " + std::to_string(tank.DetailCount()) +
                               ": неопределённость оценивается не более чем при " +
                               std::to_string(kMaxUncertaintyDetails) + " деталях.");

    EvaluationPlan plan;
    const double touchPoint = tank.TouchPointHeight();
    LevelStepper step(tank, tank.DeadCavityHeight());
    do {
        plan.pointsMm.push_back(step.LevelMm() - touchPoint);
        plan.nominalM3.push_back(step.VolumeM3());
    } while (step.Next());
    plan.levelCount = plan.pointsMm.size();

    // Volumes besides the table's come from the same working copy every
    // estimate reads, which no dead cavity hides.
    const TSteelVertCylTank evaluation = EvaluationTank(tank, false);
    const auto addPoint = [&](double printedMm) {
        plan.pointsMm.push_back(printedMm);
        plan.nominalM3.push_back(evaluation.VolumeAt(evaluation.ClampedLevel(printedMm + touchPoint)).volumeM3);
        return plan.pointsMm.size() - 1;
    };
    plan.designFill = addPoint(tank.ClampedLevel(tank.DesignFillHeight()) - touchPoint);
    plan.at500mm = addPoint(kLowLevelMm);

    for (std::size_t a = 0; a + kTwoMetreLines < plan.levelCount; ++a)
        plan.pairs.emplace_back(a, a + kTwoMetreLines);
    plan.twoMetreCount = plan.pairs.size();
    for (const UncertaintyInterval& interval : request.intervals) {
        const std::size_t from = addPoint(interval.fromMm);
        const std::size_t to = addPoint(interval.toMm);
        plan.pairs.emplace_back(from, to);
    }
    return plan;
}

// V at each point of the plan on a working copy; marks the points a clamp moved.
void VolumesAt(const TSteelVertCylTank& tank, const std::vector<double>& pointsMm, std::vector<double>& volumes,
               std::vector<char>& moved)
{
    const double touchPoint = tank.TouchPointHeight();
    volumes.resize(pointsMm.size());
    for (std::size_t k = 0; k < pointsMm.size(); ++k) {
        const double level = pointsMm[k] + touchPoint;
        const double clamped = tank.ClampedLevel(level);
        if (clamped != level)
            moved[k] = 1;
        volumes[k] = tank.VolumeAt(clamped).volumeM3;
    }
}

// (V(x + u) - V(x - u)) / 2 at every point for one source, on a working copy
// whose rounding is lifted.
void CentralDifference(TSteelVertCylTank& work, const TankInputs& nominal, const ErrorSourceList& list,
                       const ErrorSource& source, const std::vector<double>& pointsMm, std::vector<double>& effect,
                       std::vector<char>& moved)
{
    TankInputs inputs;
    std::vector<double> plus, minus;
    inputs = nominal;
    ApplyError(inputs, list, source, source.u);
    ApplyInputs(work, inputs);
    VolumesAt(work, pointsMm, plus, moved);
    inputs = nominal;
    ApplyError(inputs, list, source, -source.u);
    ApplyInputs(work, inputs);
    VolumesAt(work, pointsMm, minus, moved);
    effect.resize(pointsMm.size());
    for (std::size_t k = 0; k < pointsMm.size(); ++k)
        effect[k] = (plus[k] - minus[k]) / 2;
}

// Ends a loop of work when asked: reports progress and polls for a cancel on the
// calling thread while workers run.
class WorkWatch
{
public:
    WorkWatch(const UncertaintyControl& control, long long total) : m_control(control), m_total(total) {}

    bool Stopped() const { return m_stop.load(std::memory_order_relaxed); }
    void Done(long long units) { m_done.fetch_add(units, std::memory_order_relaxed); }

    // On the calling thread, between units of work done there.
    void Poll()
    {
        if (m_control.cancelled && m_control.cancelled())
            m_stop = true;
        if (m_control.progress)
            m_control.progress(m_done.load(std::memory_order_relaxed), m_total);
    }

    // Runs `work` on `threads` threads and polls until all have returned.
    template <class Work> void RunThreads(int threads, Work work)
    {
        std::mutex mutex;
        std::condition_variable finished;
        int running = threads;
        std::vector<std::thread> pool;
        pool.reserve(static_cast<std::size_t>(threads));
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([&] {
                work();
                std::lock_guard<std::mutex> lock(mutex);
                --running;
                finished.notify_one();
            });
        {
            std::unique_lock<std::mutex> lock(mutex);
            while (running > 0) {
                finished.wait_for(lock, kProgressPeriod);
                lock.unlock();
                Poll();
                lock.lock();
            }
        }
        for (std::thread& thread : pool)
            thread.join();
        Poll();
    }

private:
    const UncertaintyControl& m_control;
    long long m_total;
    std::atomic<long long> m_done{0};
    std::atomic<bool> m_stop{false};
};

TableUncertainty ResultOf(const TSteelVertCylTank& tank, const UncertaintyRequest& request, const EvaluationPlan& plan,
                          const std::vector<double>& pointVariance, const std::vector<double>& pairVariance,
                          const std::vector<char>& moved)
{
    TableUncertainty result;
    result.settings = request.settings;
    result.statedFraction = CapacityUncertaintyM3(tank.DesignCapacity(), 1.0);
    const auto level = [&](std::size_t k) {
        return LevelUncertainty{plan.pointsMm[k], plan.nominalM3[k], std::sqrt(pointVariance[k])};
    };
    const auto interval = [&](std::size_t k) {
        const auto [a, b] = plan.pairs[k];
        return IntervalUncertainty{plan.pointsMm[a], plan.pointsMm[b], plan.nominalM3[b] - plan.nominalM3[a],
                                   std::sqrt(pairVariance[k])};
    };
    for (std::size_t k = 0; k < plan.levelCount; ++k)
        result.levels.push_back(level(k));
    result.designFill = level(plan.designFill);
    result.at500mm = level(plan.at500mm);

    result.twoMetreU.assign(plan.levelCount, kNaN);
    double worstRatio = -1;
    for (std::size_t k = 0; k < plan.twoMetreCount; ++k) {
        const IntervalUncertainty i = interval(k);
        result.twoMetreU[plan.pairs[k].first] = i.U();
        if (i.dVM3 > 0 && i.Urel() > worstRatio) {
            worstRatio = i.Urel();
            result.worstTwoMetre = i;
        }
    }
    for (std::size_t k = plan.twoMetreCount; k < plan.pairs.size(); ++k)
        result.intervals.push_back(interval(k));
    result.levelsMovedByClamping = static_cast<int>(std::count(moved.begin(), moved.end(), 1));
    return result;
}

std::size_t WorstTwoMetreIndex(const TableUncertainty& result)
{
    for (std::size_t k = 0; k < result.levels.size(); ++k)
        if (result.worstTwoMetre && result.levels[k].levelMm == result.worstTwoMetre->fromMm)
            return k;
    return result.levels.size();
}

// --- The random numbers of the Monte Carlo -----------------------------------

std::uint64_t SplitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// xoshiro256** with a state of its own per trial: a trial draws the same errors
// whichever thread runs it and whatever ran before it.
class TrialRandom
{
public:
    TrialRandom(std::uint64_t seed, long long trial)
    {
        std::uint64_t mix = seed;
        std::uint64_t state = SplitMix(mix) ^ (static_cast<std::uint64_t>(trial) * 0xD1B54A32D192ED03ULL);
        for (std::uint64_t& word : m_state)
            word = SplitMix(state);
    }

    std::uint64_t Next()
    {
        const std::uint64_t result = Rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = Rotl(m_state[3], 45);
        return result;
    }

    // Within (0, 1), never either end.
    double Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53; }

    double Normal()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        const double radius = std::sqrt(-2 * std::log(Uniform()));
        const double angle = 2 * 3.14159265358979323846 * Uniform();
        m_spare = radius * std::sin(angle);
        m_hasSpare = true;
        return radius * std::cos(angle);
    }

    double Draw(const ErrorSource& source)
    {
        if (source.distribution == ErrorDistribution::Normal)
            return source.u * Normal();
        return source.u * std::sqrt(3.0) * (2 * Uniform() - 1);
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_state[4] = {};
    double m_spare = 0;
    bool m_hasSpare = false;
};

// Sums of the departures from the nominal volumes over a block of trials.
struct TrialSums
{
    std::vector<double> point, pointSquares, pair, pairSquares;

    void Resize(std::size_t points, std::size_t pairs)
    {
        point.assign(points, 0);
        pointSquares.assign(points, 0);
        pair.assign(pairs, 0);
        pairSquares.assign(pairs, 0);
    }
    void Add(const TrialSums& other)
    {
        for (std::size_t k = 0; k < point.size(); ++k) {
            point[k] += other.point[k];
            pointSquares[k] += other.pointSquares[k];
        }
        for (std::size_t k = 0; k < pair.size(); ++k) {
            pair[k] += other.pair[k];
            pairSquares[k] += other.pairSquares[k];
        }
    }
};

double SampleVariance(double sum, double squares, long long n)
{
    if (n < 2)
        return kNaN;
    const double m = static_cast<double>(n);
    return std::max(0.0, (squares - sum * sum / m) / (m - 1));
}

} // namespace

std::vector<SourceEffect> LinearSourceEffects(const TSteelVertCylTank& tank, const UncertaintySettings& settings)
{
    UncertaintyRequest request;
    request.settings = settings;
    const EvaluationPlan plan = PlanOf(tank, request);
    const ErrorSourceList list = ErrorSources(tank, settings, SourceExpansion::Representative);
    const TankInputs nominal = InputsOf(tank);
    TSteelVertCylTank work = EvaluationTank(tank, true);
    std::vector<char> moved(plan.pointsMm.size(), 0);
    std::vector<SourceEffect> effects;
    for (const ErrorSource& source : list.sources) {
        SourceEffect effect{source, {}};
        CentralDifference(work, nominal, list, source, plan.pointsMm, effect.effectM3, moved);
        effects.push_back(std::move(effect));
    }
    return effects;
}

std::optional<TableUncertainty> EstimateLinear(const TSteelVertCylTank& tank, const UncertaintyRequest& request,
                                               const UncertaintyControl& control)
{
    const EvaluationPlan plan = PlanOf(tank, request);
    const ErrorSourceList list = ErrorSources(tank, request.settings, SourceExpansion::Representative);
    const TankInputs nominal = InputsOf(tank);
    TSteelVertCylTank work = EvaluationTank(tank, true);

    const std::size_t points = plan.pointsMm.size();
    std::vector<GroupVariances> pointGroups(points, GroupVariances{});
    std::vector<GroupVariances> pairGroups(plan.pairs.size(), GroupVariances{});
    std::vector<char> moved(points, 0);
    std::vector<double> effect;
    WorkWatch watch(control, static_cast<long long>(list.sources.size()));
    for (const ErrorSource& source : list.sources) {
        watch.Poll();
        if (watch.Stopped())
            return std::nullopt;
        CentralDifference(work, nominal, list, source, plan.pointsMm, effect, moved);

        const auto g = static_cast<std::size_t>(source.group);
        for (std::size_t k = 0; k < points; ++k)
            pointGroups[k][g] += source.count * effect[k] * effect[k];
        for (std::size_t k = 0; k < plan.pairs.size(); ++k) {
            const double d = effect[plan.pairs[k].second] - effect[plan.pairs[k].first];
            pairGroups[k][g] += source.count * d * d;
        }
        watch.Done(1);
    }
    watch.Poll();

    const auto total = [](const GroupVariances& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return sum;
    };
    std::vector<double> pointVariance(points), pairVariance(plan.pairs.size());
    for (std::size_t k = 0; k < points; ++k)
        pointVariance[k] = total(pointGroups[k]);
    for (std::size_t k = 0; k < plan.pairs.size(); ++k)
        pairVariance[k] = total(pairGroups[k]);

    TableUncertainty result = ResultOf(tank, request, plan, pointVariance, pairVariance, moved);
    result.method = UncertaintyMethod::Linear;
    result.levelGroups.assign(pointGroups.begin(), pointGroups.begin() + static_cast<std::ptrdiff_t>(plan.levelCount));
    result.twoMetreGroups.assign(pairGroups.begin(),
                                 pairGroups.begin() + static_cast<std::ptrdiff_t>(plan.twoMetreCount));
    result.designFillGroups = pointGroups[plan.designFill];
    result.at500mmGroups = pointGroups[plan.at500mm];
    return result;
}

std::optional<TableUncertainty> EstimateMonteCarlo(const TSteelVertCylTank& tank, const UncertaintyRequest& request,
                                                   const MonteCarloOptions& options, const UncertaintyControl& control)
{
    const EvaluationPlan plan = PlanOf(tank, request);
    const ErrorSourceList list = ErrorSources(tank, request.settings, SourceExpansion::EveryReading);
    const TankInputs nominal = InputsOf(tank);
    const TSteelVertCylTank base = EvaluationTank(tank, false);
    const std::size_t points = plan.pointsMm.size();
    const std::size_t pairs = plan.pairs.size();
    std::vector<char> baseMoved(points, 0);
    std::vector<double> centre;
    VolumesAt(base, plan.pointsMm, centre, baseMoved);

    const long long trials = std::max(0LL, options.trials);
    const long long blocks = std::min(trials, kTrialBlocks);
    std::vector<TrialSums> blockSums(static_cast<std::size_t>(blocks));
    std::atomic<long long> nextBlock{0};
    int threads = options.threads > 0 ? options.threads : static_cast<int>(std::thread::hardware_concurrency());
    threads = static_cast<int>(std::clamp<long long>(threads, 1, std::max(1LL, blocks)));
    std::vector<std::vector<char>> threadMoved(static_cast<std::size_t>(threads), std::vector<char>(points, 0));
    std::atomic<int> threadNumber{0};

    WorkWatch watch(control, trials);
    watch.RunThreads(threads, [&] {
        std::vector<char>& moved = threadMoved[static_cast<std::size_t>(threadNumber++)];
        TSteelVertCylTank work = base;
        TankInputs inputs;
        std::vector<double> volumes;
        for (long long block = nextBlock++; block < blocks && !watch.Stopped(); block = nextBlock++) {
            TrialSums& sums = blockSums[static_cast<std::size_t>(block)];
            sums.Resize(points, pairs);
            const long long first = block * trials / blocks;
            const long long last = (block + 1) * trials / blocks;
            for (long long trial = first; trial < last && !watch.Stopped(); ++trial) {
                TrialRandom random(options.seed, trial);
                inputs = nominal;
                for (const ErrorSource& source : list.sources)
                    ApplyError(inputs, list, source, random.Draw(source));
                ApplyInputs(work, inputs);
                VolumesAt(work, plan.pointsMm, volumes, moved);
                for (std::size_t k = 0; k < points; ++k) {
                    const double d = volumes[k] - centre[k];
                    sums.point[k] += d;
                    sums.pointSquares[k] += d * d;
                }
                for (std::size_t k = 0; k < pairs; ++k) {
                    const auto [a, b] = plan.pairs[k];
                    const double d = (volumes[b] - volumes[a]) - (centre[b] - centre[a]);
                    sums.pair[k] += d;
                    sums.pairSquares[k] += d * d;
                }
                watch.Done(1);
            }
        }
    });
    if (watch.Stopped())
        return std::nullopt;

    TrialSums total;
    total.Resize(points, pairs);
    for (const TrialSums& sums : blockSums)
        total.Add(sums);
    std::vector<double> pointVariance(points), pairVariance(pairs);
    for (std::size_t k = 0; k < points; ++k)
        pointVariance[k] = SampleVariance(total.point[k], total.pointSquares[k], trials);
    for (std::size_t k = 0; k < pairs; ++k)
        pairVariance[k] = SampleVariance(total.pair[k], total.pairSquares[k], trials);
    std::vector<char> moved = baseMoved;
    for (const std::vector<char>& m : threadMoved)
        for (std::size_t k = 0; k < points; ++k)
            moved[k] = static_cast<char>(moved[k] | m[k]);

    TableUncertainty result = ResultOf(tank, request, plan, pointVariance, pairVariance, moved);
    result.method = UncertaintyMethod::MonteCarlo;
    result.trials = trials;
    result.seed = options.seed;
    return result;
}

std::vector<BudgetLine> Budget(const GroupVariances& variances)
{
    double total = 0;
    for (double v : variances)
        total += v;
    std::vector<BudgetLine> lines;
    for (int g = 0; g < kUncertaintyGroupCount; ++g) {
        const double v = variances[static_cast<std::size_t>(g)];
        if (v > 0)
            lines.push_back({static_cast<UncertaintyGroup>(g), std::sqrt(v), v / total});
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const BudgetLine& a, const BudgetLine& b) { return a.share > b.share; });
    return lines;
}

std::vector<BudgetLine> LevelBudget(const TableUncertainty& result, std::size_t level)
{
    if (level >= result.levelGroups.size())
        return {};
    return Budget(result.levelGroups[level]);
}

std::vector<BudgetLine> WorstTwoMetreBudget(const TableUncertainty& result)
{
    const std::size_t k = WorstTwoMetreIndex(result);
    if (k >= result.twoMetreGroups.size())
        return {};
    return Budget(result.twoMetreGroups[k]);
}

std::optional<double> HighestLevelBeyondStatedError(const TableUncertainty& result)
{
    std::optional<double> highest;
    for (const LevelUncertainty& level : result.levels)
        if (level.Urel() > result.statedFraction)
            highest = level.levelMm;
    return highest;
}

} // namespace veloquin
