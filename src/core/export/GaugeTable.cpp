#include "export/GaugeTable.h"

#include "GFunc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace veloquin {
namespace {

constexpr double kLitresPerM3 = 1000;
// The halving stops when the tolerance is known to a millilitre.
constexpr double kBisectionStepM3 = 1e-6;
// Within this many millilitres of the tolerance met, the halving looks just below it first.
constexpr double kProbedBracketM3 = 64 * kBisectionStepM3;
// Slopes are compared with this much slack, so that rounding never turns away
// a segment whose departure computed directly is within the tolerance.
constexpr double kSlopeSlack = 1e-12;
// The part of its tolerance a corridor must narrow by to be worked out again.
constexpr double kWorthNarrowing = 3e-3;
// Runs of levels this short are cheaper to walk than to look up in their hulls.
constexpr std::size_t kWalkedRun = 16;

// A chord from `start` keeps a level within the tolerance when its slope lies
// between these two. Every narrowing of the wedge goes through them, so a run
// of levels looked up in its hulls narrows it exactly as walking it would.
struct ChordStart
{
    double levelMm;
    double volumeM3;
    double toleranceM3;

    double LowSlope(const TablePoint& level) const
    {
        return (level.volumeM3 - toleranceM3 - volumeM3) / (level.levelMm - levelMm);
    }
    double HighSlope(const TablePoint& level) const
    {
        return (level.volumeM3 + toleranceM3 - volumeM3) / (level.levelMm - levelMm);
    }
    double Slope(const TablePoint& level) const { return (level.volumeM3 - volumeM3) / (level.levelMm - levelMm); }
    // The point the slopes are seen from, `raise` above the start.
    TablePoint Apex(double raiseM3) const { return {levelMm, volumeM3 + raiseM3}; }
};

double SlackOf(double slope)
{
    return kSlopeSlack * (std::fabs(slope) + 1);
}

// The slopes of chords from one start that keep every level passed so far
// within the tolerance.
struct Wedge
{
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();

    bool Admits(double slope) const
    {
        const double slack = SlackOf(slope);
        return slope >= low - slack && slope <= high + slack;
    }
    // Closed once no chord past the last level narrowed in can keep them all.
    bool ClosedFor(double slope) const { return low > high + SlackOf(slope); }
    void Narrow(const ChordStart& start, const TablePoint& level)
    {
        low = std::max(low, start.LowSlope(level));
        high = std::min(high, start.HighSlope(level));
    }
};

// The levels not yet reached, found in near-constant time by skipping the reached ones.
class UnreachedLevels
{
public:
    explicit UnreachedLevels(std::size_t n) : m_next(n + 1)
    {
        for (std::size_t k = 0; k <= n; ++k)
            m_next[k] = k;
    }
    // The first unreached level at or after k (n when there is none).
    std::size_t From(std::size_t k)
    {
        while (m_next[k] != k) {
            m_next[k] = m_next[m_next[k]];
            k = m_next[k];
        }
        return k;
    }
    void Reach(std::size_t k) { m_next[k] = k + 1; }

private:
    std::vector<std::size_t> m_next;
};

// The upper and lower convex hulls of the levels of every node of a segment
// tree over the table. Seen from a start left of a run of levels, the steepest
// slope to them is at a vertex of the run's upper hull and the flattest at one
// of its lower hull, and the same holds for the wedge's bounds (the levels
// moved by the tolerance). So a run of any length narrows a wedge, or is known
// to hold no admissible chord end, in a few logarithmic steps instead of one
// step per level. The hulls do not depend on the tolerance: built once, they
// serve every tolerance the halving tries.
class LevelHulls
{
public:
    explicit LevelHulls(const std::vector<TablePoint>& full) : m_full(full)
    {
        while (m_leaves < full.size())
            m_leaves *= 2;
        m_nodes.resize(2 * m_leaves);
        Build(1, 0, m_leaves);
    }

    // Walks the levels from `first` up in order, as a chord from `start` sweeps
    // them, until the wedge closes: `reach` is called for every unreached level
    // the wedge admits as a chord's end, before that level narrows the wedge.
    template <class Reach>
    void Sweep(const ChordStart& start, std::size_t first, UnreachedLevels& unreached, Reach&& reach) const
    {
        Wedge wedge;
        Sweep(1, 0, m_leaves, start, first, wedge, unreached, reach);
    }

private:
    struct Node
    {
        std::uint32_t upperBegin = 0, upperEnd = 0, lowerBegin = 0, lowerEnd = 0;
    };

    static double Cross(const TablePoint& a, const TablePoint& b, const TablePoint& c)
    {
        return (b.levelMm - a.levelMm) * (c.volumeM3 - a.volumeM3) -
               (b.volumeM3 - a.volumeM3) * (c.levelMm - a.levelMm);
    }

    void AppendHull(std::size_t begin, std::size_t end, bool upper, std::vector<std::uint32_t>& hull)
    {
        const std::size_t base = hull.size();
        for (std::size_t k = begin; k < end; ++k) {
            while (hull.size() >= base + 2) {
                const double turn = Cross(m_full[hull[hull.size() - 2]], m_full[hull.back()], m_full[k]);
                if (upper ? turn < 0 : turn > 0)
                    break;
                hull.pop_back();
            }
            hull.push_back(static_cast<std::uint32_t>(k));
        }
    }

    void Build(std::size_t node, std::size_t begin, std::size_t end)
    {
        const std::size_t last = std::min(end, m_full.size());
        if (begin >= last || end - begin <= kWalkedRun)
            return;
        Node& hulls = m_nodes[node];
        hulls.upperBegin = static_cast<std::uint32_t>(m_upper.size());
        AppendHull(begin, last, true, m_upper);
        hulls.upperEnd = static_cast<std::uint32_t>(m_upper.size());
        hulls.lowerBegin = static_cast<std::uint32_t>(m_lower.size());
        AppendHull(begin, last, false, m_lower);
        hulls.lowerEnd = static_cast<std::uint32_t>(m_lower.size());
        const std::size_t middle = begin + (end - begin) / 2;
        Build(2 * node, begin, middle);
        Build(2 * node + 1, middle, end);
    }

    // The largest value of `slope`, the slope seen from `apex` (times `sign`),
    // over a hull: it rises to the tangent vertex and falls after it. The
    // halving compares slopes without dividing (every vertex lies right of the
    // apex); the value is the one `slope` gives, as a walk would find it.
    template <class Slope>
    double Peak(const std::vector<std::uint32_t>& hull, std::uint32_t begin, std::uint32_t end,
                const TablePoint& apex, double sign, Slope slope) const
    {
        std::uint32_t low = begin, high = end - 1;
        while (low < high) {
            const std::uint32_t middle = low + (high - low) / 2;
            const TablePoint& here = m_full[hull[middle]];
            const TablePoint& next = m_full[hull[middle + 1]];
            const double rise = (next.volumeM3 - apex.volumeM3) * (here.levelMm - apex.levelMm) -
                                (here.volumeM3 - apex.volumeM3) * (next.levelMm - apex.levelMm);
            if (sign * rise > 0)
                low = middle + 1;
            else
                high = middle;
        }
        return slope(m_full[hull[low]]);
    }

    double Steepest(const Node& hulls, const ChordStart& start) const
    {
        return Peak(m_upper, hulls.upperBegin, hulls.upperEnd, start.Apex(0), 1,
                    [&](const TablePoint& level) { return start.Slope(level); });
    }
    double Flattest(const Node& hulls, const ChordStart& start) const
    {
        return -Peak(m_lower, hulls.lowerBegin, hulls.lowerEnd, start.Apex(0), -1,
                     [&](const TablePoint& level) { return -start.Slope(level); });
    }

    // False once the wedge has closed.
    template <class Reach>
    bool Sweep(std::size_t node, std::size_t begin, std::size_t end, const ChordStart& start, std::size_t first,
               Wedge& wedge, UnreachedLevels& unreached, Reach& reach) const
    {
        const std::size_t stop = std::min(end, m_full.size());
        if (end <= first || begin >= stop)
            return true;
        if (end - begin <= kWalkedRun) {
            for (std::size_t k = std::max(begin, first); k < stop; ++k) {
                const double slope = start.Slope(m_full[k]);
                if (wedge.Admits(slope) && unreached.From(k) == k)
                    reach(k);
                wedge.Narrow(start, m_full[k]);
                if (wedge.ClosedFor(slope))
                    return false;
            }
            return true;
        }
        if (first <= begin) {
            const Node& hulls = m_nodes[node];
            // A run passes whole when none of its levels can end a chord: all reached,
            // or all seen from the start outside the wedge (the wedge only narrows).
            bool passes = unreached.From(begin) >= stop;
            if (!passes) {
                const double steepest = Steepest(hulls, start);
                const double flattest = Flattest(hulls, start);
                const double margin = 2 * SlackOf(std::max(std::fabs(steepest), std::fabs(flattest)));
                passes = steepest < wedge.low - margin || flattest > wedge.high + margin;
            }
            if (passes) {
                wedge.low =
                    std::max(wedge.low, Peak(m_upper, hulls.upperBegin, hulls.upperEnd, start.Apex(start.toleranceM3),
                                             1, [&](const TablePoint& level) { return start.LowSlope(level); }));
                wedge.high = std::min(
                    wedge.high, -Peak(m_lower, hulls.lowerBegin, hulls.lowerEnd, start.Apex(-start.toleranceM3), -1,
                                      [&](const TablePoint& level) { return -start.HighSlope(level); }));
                return !wedge.ClosedFor(start.Slope(m_full[stop - 1]));
            }
        }
        const std::size_t middle = begin + (end - begin) / 2;
        return Sweep(2 * node, begin, middle, start, first, wedge, unreached, reach) &&
               Sweep(2 * node + 1, middle, end, start, first, wedge, unreached, reach);
    }

    const std::vector<TablePoint>& m_full;
    std::size_t m_leaves = 1;
    std::vector<Node> m_nodes;
    std::vector<std::uint32_t> m_upper, m_lower;
};

// Chords taken breadth first from level 0: every level reached with c points is
// tried as the start of a chord before any reached with c + 1, and in order, so
// each level is reached once, by the lowest start that reaches it with the
// fewest points (the choice a plain sweep from every level makes). A start's
// sweep skips, through the hulls, the runs where no chord can end, so that it
// costs a few logarithmic steps plus one per level it reaches.
struct BreadthFirst
{
    std::vector<std::size_t> previous; // the start each level was reached from
    std::vector<std::uint32_t> points; // from level 0 to each level; 0 where not reached

    // The points to the last level, or none when it was not reached.
    std::optional<std::vector<std::size_t>> Chosen() const
    {
        const std::size_t last = points.size() - 1;
        if (points[last] == 0)
            return std::nullopt;
        std::vector<std::size_t> chosen;
        for (std::size_t k = last; k != 0; k = previous[k])
            chosen.push_back(k);
        chosen.push_back(0);
        std::reverse(chosen.begin(), chosen.end());
        return chosen;
    }

    // For every level, its points (pointLimit + 1 where it was not reached).
    std::vector<std::uint32_t> PointsOrBeyond(std::size_t pointLimit) const
    {
        std::vector<std::uint32_t> counts(points);
        for (std::uint32_t& count : counts)
            if (count == 0)
                count = static_cast<std::uint32_t>(pointLimit + 1);
        return counts;
    }
};

// `beyond`, when given, holds for every level no more than the points from it
// to the last level need at this tolerance. A level whose points from the
// first and to the last, itself counted once, come to more than pointLimit lies
// on no choice within it: it is reached (so that no later start claims it) but
// not swept from. That leaves every level on a choice reached as before, from
// the same start, and lets a search that must fail stop early.
BreadthFirst ChordsBreadthFirst(const std::vector<TablePoint>& full, const LevelHulls& hulls, double toleranceM3,
                                std::size_t pointLimit, bool stopAtLast, const std::vector<std::uint32_t>* beyond,
                                const std::function<void()>& checkpoint)
{
    const std::size_t n = full.size();
    const auto onNoChoice = [&](std::size_t level, std::uint32_t points) {
        return beyond && static_cast<std::size_t>(points) + (*beyond)[level] - 1 > pointLimit;
    };
    BreadthFirst search{std::vector<std::size_t>(n, 0), std::vector<std::uint32_t>(n, 0)};
    UnreachedLevels unreached(n);
    unreached.Reach(0);
    search.points[0] = 1;
    std::vector<std::size_t> starts, reached;
    if (!onNoChoice(0, 1))
        starts.push_back(0);
    for (std::uint32_t points = 1; points < pointLimit && !starts.empty(); ++points) {
        if (stopAtLast && unreached.From(n - 1) != n - 1)
            break;
        if (checkpoint)
            checkpoint();
        reached.clear();
        for (const std::size_t i : starts) {
            hulls.Sweep({full[i].levelMm, full[i].volumeM3, toleranceM3}, i + 1, unreached, [&](std::size_t j) {
                search.previous[j] = i;
                search.points[j] = points + 1;
                unreached.Reach(j);
                if (!onNoChoice(j, points + 1))
                    reached.push_back(j);
            });
        }
        // Levels reached below others already reached by a lower start.
        std::sort(reached.begin(), reached.end());
        starts.swap(reached);
    }
    return search;
}

// The fewest points of `full` within toleranceM3, or none when more than
// pointLimit would be needed.
std::optional<std::vector<std::size_t>> FewestPoints(const std::vector<TablePoint>& full, const LevelHulls& hulls,
                                                     double toleranceM3, std::size_t pointLimit,
                                                     const std::function<void()>& checkpoint = {})
{
    return ChordsBreadthFirst(full, hulls, toleranceM3, pointLimit, true, nullptr, checkpoint).Chosen();
}

std::vector<std::uint32_t> Reversed(std::vector<std::uint32_t> values)
{
    std::reverse(values.begin(), values.end());
    return values;
}

// Which levels can lie on a choice of at most pointLimit points, for every
// tolerance up to a bound: for each level, no more than the points from it to
// the last level need (the `beyond` of ChordsBreadthFirst).
//
// They are the points from the first level of the table read from its last
// level down (a chord keeps the levels between within a tolerance either way
// round). Worked out in full, that costs a search of its own; a search within a
// corridor already known finds the points from level 0 of every level on a
// choice, and the points to the last level need then be worked out only for
// those, since a level on no choice at one tolerance is on none at a smaller.
// The halving's searches come ever nearer the least tolerance, where few
// levels lie on a choice, so they cost little more than those levels.
class ChoiceCorridor
{
public:
    ChoiceCorridor(const std::vector<TablePoint>& full, std::size_t pointLimit)
        : m_mirrored(Mirrored(full)), m_mirroredHulls(m_mirrored), m_limit(pointLimit)
    {
        double steepest = 0, largest = 0;
        for (std::size_t k = 0; k < full.size(); ++k) {
            largest = std::max(largest, std::fabs(full[k].volumeM3));
            if (k > 0)
                steepest = std::max(steepest, std::fabs((full[k].volumeM3 - full[k - 1].volumeM3) /
                                                        (full[k].levelMm - full[k - 1].levelMm)));
        }
        // Read the other way round, the slack on slopes and the rounding of every
        // step fall differently: a search bounding another is given more
        // tolerance than that can amount to, so that it never needs more points.
        // A bound a little low costs a little time, never a point.
        m_margin =
            1e-12 * (largest + 1) + 4 * kSlopeSlack * (steepest + 1) * (full.back().levelMm - full.front().levelMm);
    }

    // The bound for a search at toleranceM3; when none known serves, worked out
    // in full at boundM3 (not below toleranceM3), to serve the searches below it.
    const std::vector<std::uint32_t>& ToLast(double toleranceM3, double boundM3,
                                             const std::function<void()>& checkpoint)
    {
        if (m_toLast.empty() || m_boundM3 < toleranceM3) {
            m_toLast = PointsToLast(boundM3 + m_margin, nullptr, checkpoint);
            m_boundM3 = boundM3;
        }
        return m_toLast;
    }

    // Narrowed to boundM3 from a search within the corridor at toleranceM3.
    void Narrow(const BreadthFirst& search, double toleranceM3, double boundM3,
                const std::function<void()>& checkpoint)
    {
        // A corridor narrowed by a hair leaves out hardly a level more than before.
        if (boundM3 > m_boundM3 * (1 - kWorthNarrowing) || toleranceM3 < boundM3 + 2 * m_margin)
            return;
        const std::vector<std::uint32_t> fromLast = Reversed(search.PointsOrBeyond(m_limit));
        m_toLast = PointsToLast(boundM3 + m_margin, &fromLast, checkpoint);
        m_boundM3 = boundM3;
    }

private:
    static std::vector<TablePoint> Mirrored(const std::vector<TablePoint>& full)
    {
        std::vector<TablePoint> mirrored(full.rbegin(), full.rend());
        for (TablePoint& level : mirrored)
            level.levelMm = -level.levelMm;
        return mirrored;
    }

    std::vector<std::uint32_t> PointsToLast(double toleranceM3, const std::vector<std::uint32_t>* fromFirst,
                                            const std::function<void()>& checkpoint) const
    {
        return Reversed(
            ChordsBreadthFirst(m_mirrored, m_mirroredHulls, toleranceM3, m_limit, false, fromFirst, checkpoint)
                .PointsOrBeyond(m_limit));
    }

    std::vector<TablePoint> m_mirrored;
    LevelHulls m_mirroredHulls;
    std::size_t m_limit;
    double m_margin = 0;
    std::vector<std::uint32_t> m_toLast;
    double m_boundM3 = 0;
};

// Chords as long as each start allows, one after another: a choice that may
// take more points than needed, but whose points always meet the tolerance and
// which costs one sweep per point. When it fits the count, the full search at
// that tolerance would succeed too and is spared.
std::optional<std::vector<std::size_t>> LongestChords(const std::vector<TablePoint>& full, const LevelHulls& hulls,
                                                      double toleranceM3, std::size_t pointLimit)
{
    const std::size_t n = full.size();
    UnreachedLevels unreached(n);
    std::vector<std::size_t> chosen{0};
    while (chosen.back() != n - 1 && chosen.size() < pointLimit) {
        const std::size_t i = chosen.back();
        std::size_t farthest = i + 1; // the next level is always within reach
        hulls.Sweep({full[i].levelMm, full[i].volumeM3, toleranceM3}, i + 1, unreached,
                    [&](std::size_t j) { farthest = std::max(farthest, j); });
        chosen.push_back(farthest);
    }
    if (chosen.back() != n - 1)
        return std::nullopt;
    return chosen;
}

// Where the caller hears of the progress and may stop the choice.
struct Checkpoint
{
    const GaugeProgress& progress;
    const double& fraction;

    void operator()() const
    {
        if (progress && !progress(fraction))
            throw GaugeTableCancelled();
    }
};

double DepartureM3(const std::vector<TablePoint>& full, const std::vector<std::size_t>& chosen)
{
    std::vector<TablePoint> points;
    for (std::size_t k : chosen)
        points.push_back(full[k]);
    return InterpolationDeparture(full, points).litres / kLitresPerM3;
}

// A tolerance near the least at which the longest chords fit the count (to a
// thousandth): an upper bound of the least tolerance any choice needs, and a
// close one.
double LeastLongestChordsTolerance(const std::vector<TablePoint>& full, const LevelHulls& hulls, double metM3,
                                   std::size_t pointLimit)
{
    double unmet = 0;
    while (metM3 - unmet > std::max(1e-3 * metM3, kBisectionStepM3)) {
        const double middle = (metM3 + unmet) / 2;
        if (const auto chosen = LongestChords(full, hulls, middle, pointLimit))
            metM3 = std::min(middle, DepartureM3(full, *chosen));
        else
            unmet = middle;
    }
    return metM3;
}

// The tolerance the halving between these two tries last when every try fails.
double LastHalving(double metM3, double unmetM3)
{
    double middle = unmetM3;
    while (metM3 - unmetM3 > kBisectionStepM3) {
        middle = (metM3 + unmetM3) / 2;
        unmetM3 = middle;
    }
    return middle;
}

GaugeTable TableOf(const std::vector<TablePoint>& full, const std::vector<std::size_t>& chosen)
{
    GaugeTable table;
    table.fullLevels = static_cast<int>(full.size());
    for (std::size_t k : chosen)
        table.points.push_back(full[k]);
    table.largest = InterpolationDeparture(full, table.points);
    return table;
}

// An empty table, or one with a value that is no number (a damaged file), has
// no departure worth stating: refused rather than reported as exact.
void CheckTable(const std::vector<TablePoint>& full)
{
    if (full.empty())
        throw GaugeTableError("Градуировочная таблица пуста: в ней нет ни одного уровня.");
    for (const TablePoint& point : full)
        if (!std::isfinite(point.levelMm) || !std::isfinite(point.volumeM3))
            throw GaugeTableError("В градуировочной таблице есть уровень или объем, который не является числом.");
    // Chords are taken between levels in order: a level repeated or out of order has no chord.
    for (std::size_t k = 1; k < full.size(); ++k)
        if (!(full[k].levelMm > full[k - 1].levelMm))
            throw GaugeTableError("Уровни градуировочной таблицы не возрастают: " + FloatToStr(full[k].levelMm) +
                                  " мм после " + FloatToStr(full[k - 1].levelMm) + " мм.");
}

std::vector<std::size_t> AllLevels(std::size_t n)
{
    std::vector<std::size_t> all(n);
    for (std::size_t k = 0; k < n; ++k)
        all[k] = k;
    return all;
}

} // namespace

GaugeDeparture InterpolationDeparture(const std::vector<TablePoint>& full, const std::vector<TablePoint>& points)
{
    GaugeDeparture largest;
    for (const TablePoint& level : full) {
        const double litres = std::fabs(InterpolatedVolume(points, level.levelMm) - level.volumeM3) * kLitresPerM3;
        if (litres > largest.litres) {
            largest.litres = litres;
            largest.levelMm = level.levelMm;
            largest.volumeM3 = level.volumeM3;
        }
    }
    if (largest.volumeM3 != 0)
        largest.percent = largest.litres / kLitresPerM3 / largest.volumeM3 * 100;
    return largest;
}

GaugeTable GaugeTableOfPoints(const std::vector<TablePoint>& full, int maxPoints, const GaugeProgress& progress)
{
    if (maxPoints < kMinGaugePoints || maxPoints > kMaxGaugePoints)
        throw GaugeTableError("Число точек должно быть от " + std::to_string(kMinGaugePoints) + " до " +
                              std::to_string(kMaxGaugePoints) + ".");
    CheckTable(full);
    const std::size_t limit = static_cast<std::size_t>(maxPoints);
    if (full.size() <= limit)
        return TableOf(full, AllLevels(full.size()));
    const LevelHulls hulls(full);

    // Two points (the ends) are always possible: their departure bounds the search.
    double met = InterpolationDeparture(full, {full.front(), full.back()}).litres / kLitresPerM3;
    double unmet = 0;
    // Progress is told by the halvings: each one brings the tolerance a step nearer a millilitre.
    const double halvings = std::max(1.0, std::log2(met / kBisectionStepM3));
    double fraction = 0;
    const Checkpoint checkpoint{progress, fraction};
    std::vector<std::size_t> best = {0, full.size() - 1};
    bool bestIsFewest = true;
    // Every tolerance tried from here on is below the one met: the levels that
    // can lie on a choice at that one are all a search needs to start from. The
    // tolerance the longest chords need, found in a few cheap halvings, bounds
    // the first searches more closely than the ends' departure.
    ChoiceCorridor corridor(full, limit);
    std::optional<double> longestChordsMet;
    const auto search = [&](double toleranceM3) {
        if (!longestChordsMet)
            longestChordsMet = LeastLongestChordsTolerance(full, hulls, met, limit);
        const double bound = *longestChordsMet >= toleranceM3 ? std::min(met, *longestChordsMet) : met;
        return ChordsBreadthFirst(full, hulls, toleranceM3, limit, false,
                                  &corridor.ToLast(toleranceM3, bound, checkpoint), checkpoint);
    };
    const auto fewestPoints = [&](double toleranceM3) {
        const BreadthFirst found = search(toleranceM3);
        auto chosen = found.Chosen();
        if (chosen)
            corridor.Narrow(found, toleranceM3, std::min(toleranceM3, DepartureM3(full, *chosen)), checkpoint);
        return chosen;
    };
    // No choice within this tolerance, nor within any below it.
    double knownUnmet = 0;
    while (met - unmet > kBisectionStepM3) {
        fraction =
            std::clamp(1 - std::log2(std::max(met - unmet, kBisectionStepM3) / kBisectionStepM3) / halvings, 0.0, 0.99);
        checkpoint();
        const double middle = (met + unmet) / 2;
        if (middle <= knownUnmet) {
            unmet = middle;
            continue;
        }
        auto chosen = LongestChords(full, hulls, middle, limit);
        const bool fewest = !chosen;
        if (fewest)
            chosen = fewestPoints(middle);
        if (chosen) {
            // The points found may do better than asked: what they depart is met too.
            met = std::min(middle, DepartureM3(full, *chosen));
            best = std::move(*chosen);
            bestIsFewest = fewest;
            // Near the end the tolerance met is often the least. Then every
            // halving left fails, and the last of them, a millilitre below it,
            // failing tells as much: tried first, it spares the others. What it
            // finds is not kept, so that the halving goes on as it would have,
            // to the same choice.
            if (met - unmet <= kProbedBracketM3 && met - unmet > kBisectionStepM3) {
                const double probe = LastHalving(met, unmet);
                if (!LongestChords(full, hulls, probe, limit) && !search(probe).Chosen())
                    knownUnmet = probe;
            }
        } else {
            unmet = middle;
        }
    }
    // The longest chords met the final tolerance: the fewest points meet it as well.
    if (!bestIsFewest)
        if (auto fewest = fewestPoints(met))
            best = std::move(*fewest);
    return TableOf(full, best);
}

GaugeTable GaugeTableWithin(const std::vector<TablePoint>& full, double maxErrorLitres, const GaugeProgress& progress)
{
    if (!(maxErrorLitres >= kMinGaugeErrorLitres) || !std::isfinite(maxErrorLitres))
        throw GaugeTableError("Допустимое отклонение должно быть не меньше " + FloatToStr(kMinGaugeErrorLitres) +
                              " л.");
    CheckTable(full);
    double fraction = 0;
    const auto chosen = FewestPoints(full, LevelHulls(full), maxErrorLitres / kLitresPerM3, full.size(),
                                     Checkpoint{progress, fraction});
    // Every level of the full table always meets any tolerance.
    return TableOf(full, chosen ? *chosen : AllLevels(full.size()));
}

const std::vector<GaugeLevelUnitInfo>& GaugeLevelUnits()
{
    static const std::vector<GaugeLevelUnitInfo> units = {
        {GaugeLevelUnit::Millimetre, "mm", "мм", 1},
        {GaugeLevelUnit::Centimetre, "cm", "см", 10},
    };
    return units;
}

const std::vector<GaugeVolumeUnitInfo>& GaugeVolumeUnits()
{
    static const std::vector<GaugeVolumeUnitInfo> units = {
        {GaugeVolumeUnit::CubicMetre, "m3", "м3", 1, 3},
        {GaugeVolumeUnit::Litre, "l", "л", kLitresPerM3, 0},
    };
    return units;
}

namespace {

template <class Info, class Unit>
const Info& InfoIn(const std::vector<Info>& infos, Unit unit)
{
    return *std::find_if(infos.begin(), infos.end(), [&](const Info& info) { return info.unit == unit; });
}

template <class Info>
auto UnitNamed(const std::vector<Info>& infos, std::string_view text) -> std::optional<decltype(Info::unit)>
{
    for (const Info& info : infos)
        if (text == info.name || text == info.shown)
            return info.unit;
    return std::nullopt;
}

// A number as FloatToStr or UngroupedDecimals wrote it, with the layout's separator.
std::string WithSeparator(std::string number, const GaugeTableLayout& layout)
{
    if (layout.decimalSeparator)
        std::replace(number.begin(), number.end(), GetDecimalSeparator(), *layout.decimalSeparator);
    return number;
}

} // namespace

const GaugeLevelUnitInfo& InfoOf(GaugeLevelUnit unit)
{
    return InfoIn(GaugeLevelUnits(), unit);
}

const GaugeVolumeUnitInfo& InfoOf(GaugeVolumeUnit unit)
{
    return InfoIn(GaugeVolumeUnits(), unit);
}

std::optional<GaugeLevelUnit> GaugeLevelUnitNamed(std::string_view text)
{
    return UnitNamed(GaugeLevelUnits(), text);
}

std::optional<GaugeVolumeUnit> GaugeVolumeUnitNamed(std::string_view text)
{
    return UnitNamed(GaugeVolumeUnits(), text);
}

std::string GaugeTableText(const GaugeTable& table, const TSteelVertCylTank& tank, const GaugeTableLayout& layout)
{
    const GaugeLevelUnitInfo& levelUnit = InfoOf(layout.levelUnit);
    const GaugeVolumeUnitInfo& volumeUnit = InfoOf(layout.volumeUnit);
    const auto level = [&](double mm) { return WithSeparator(FloatToStr(mm / levelUnit.mmPerUnit), layout); };
    const auto volume = [&](int decimals, double m3) {
        return WithSeparator(FormatDecimals(static_cast<std::int8_t>(decimals), m3 * volumeUnit.unitsPerM3), layout);
    };
    const std::string levelShown = levelUnit.shown, volumeShown = volumeUnit.shown;
    const GaugeDeparture& largest = table.largest;
    std::string text = "# Резервуар: " + OneLineText(tank.Name()) + "\n";
    text += "# Уровни, " + levelShown + ": от точки касания рулетки (" +
            WithSeparator(FloatToStr(tank.TouchPointHeight()), layout) + " мм над днищем у стенки)\n";
    if (!table.points.empty())
        text += "# Объем ниже первого уровня: " + volume(volumeUnit.decimals, table.points.front().volumeM3) + " " +
                volumeShown + "\n";
    const bool touchPointRow = layout.touchPointRow && !table.points.empty() && table.points.front().levelMm > 0;
    if (touchPointRow)
        text += "# Первая строка: точка касания рулетки (уровень 0) и объем ниже первого уровня\n";
    text += "# Точек: " + std::to_string(table.points.size()) + " из " + std::to_string(table.fullLevels) + "\n";
    text += "# Наибольшее отклонение от полной таблицы: " + WithSeparator(FormatDecimals(1, largest.litres), layout) +
            " л";
    if (largest.litres > 0) {
        text += " на уровне " + level(largest.levelMm) + " " + levelShown;
        if (largest.percent)
            text += " (" + WithSeparator(FormatDecimals(4, *largest.percent), layout) + " % объема " +
                    volume(volumeUnit.decimals, largest.volumeM3) + " " + volumeShown + ")";
    }
    text += "\nlevel_" + std::string(levelUnit.name) + ";volume_" + volumeUnit.name + "\n";
    const auto row = [&](double levelMm, double volumeM3) {
        text += level(levelMm);
        text += ';';
        text += WithSeparator(UngroupedDecimals(volumeUnit.decimals, volumeM3 * volumeUnit.unitsPerM3), layout);
        text += '\n';
    };
    if (touchPointRow)
        row(0, table.points.front().volumeM3);
    for (const TablePoint& point : table.points)
        row(point.levelMm, point.volumeM3);
    return text;
}

} // namespace veloquin
