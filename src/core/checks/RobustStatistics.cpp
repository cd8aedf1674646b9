#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {

double Median(std::vector<double> values)
{
    // A value that is no number (a damaged file) has no place in an order.
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
                 values.end());
    if (values.empty())
        return 0;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 != 0)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

double RobustSpread(const std::vector<double>& values)
{
    const double centre = Median(values);
    std::vector<double> distances;
    distances.reserve(values.size());
    for (double v : values)
        distances.push_back(std::fabs(v - centre));
    return 1.4826 * Median(std::move(distances));
}

namespace {

// Median over all lines of the change from one position to another, each pair
// worked out once.
class CommonChange
{
public:
    explicit CommonChange(const LineTable& table)
        : m_table(table), m_scratch(static_cast<std::size_t>(table.lines)),
          m_known(static_cast<std::size_t>(table.positions * table.positions), std::nan(""))
    {
    }

    double Between(int from, int to)
    {
        if (from == to)
            return 0;
        const int low = std::min(from, to);
        const int high = std::max(from, to);
        double& known = m_known[static_cast<std::size_t>(low * m_table.positions + high)];
        if (std::isnan(known)) {
            for (int line = 0; line < m_table.lines; ++line)
                m_scratch[static_cast<std::size_t>(line)] = m_table.At(high, line) - m_table.At(low, line);
            known = Median(m_scratch);
        }
        return to > from ? known : -known;
    }

private:
    const LineTable& m_table;
    std::vector<double> m_scratch;
    std::vector<double> m_known; // [low][high], NaN until worked out
};

// The nearest position along the line from `from` in direction step that holds a reading; -1 for none.
int NearestReading(const LineTable& table, int line, int from, int step)
{
    for (int p = from + step; p >= 0 && p < table.positions; p += step)
        if (std::isfinite(table.At(p, line)))
            return p;
    return -1;
}

} // namespace

LineDeviations DeviationsAlongLines(const LineTable& table)
{
    LineDeviations result;
    const int positions = table.positions;
    const int lines = table.lines;
    result.cells.resize(table.values.size());
    if (positions < 2 || lines < 1)
        return result;

    CommonChange common(table);
    std::vector<double> steps;
    steps.reserve(static_cast<std::size_t>((positions - 1) * lines));
    for (int p = 0; p + 1 < positions; ++p)
        for (int line = 0; line < lines; ++line)
            steps.push_back(table.At(p + 1, line) - table.At(p, line) - common.Between(p, p + 1));
    result.stepSpread = RobustSpread(steps); // the missing steps are no numbers: left out

    for (int p = 0; p < positions; ++p)
        for (int line = 0; line < lines; ++line) {
            CellDeviation& cell = result.cells[static_cast<std::size_t>(p * lines + line)];
            const int below = NearestReading(table, line, p, -1);
            const int above = NearestReading(table, line, p, +1);
            int neighbours[2] = {below, above};
            if (below < 0)
                neighbours[1] = above < 0 ? -1 : NearestReading(table, line, above, +1);
            if (above < 0)
                neighbours[1] = below < 0 ? -1 : NearestReading(table, line, below, -1);
            if (below < 0)
                neighbours[0] = above;
            cell.neighbour[0] = neighbours[0];
            cell.neighbour[1] = neighbours[1];
            const double value = table.At(p, line);
            double sides[2] = {0, 0};
            double predictions[2] = {0, 0};
            int sideCount = 0;
            for (int n : neighbours)
                if (n >= 0) {
                    const double reading = table.At(n, line);
                    cell.neighbourLow = sideCount == 0 ? reading : std::min(cell.neighbourLow, reading);
                    cell.neighbourHigh = sideCount == 0 ? reading : std::max(cell.neighbourHigh, reading);
                    predictions[sideCount] = reading + common.Between(n, p);
                    sides[sideCount] = value - predictions[sideCount];
                    ++sideCount;
                }
            if (!std::isfinite(value)) {
                cell.missing = true;
                cell.expected = sideCount > 0 ? predictions[0] : 0;
                continue;
            }
            double deviation = sides[0];
            if (sideCount == 2) {
                const bool sameDirection = (sides[0] > 0 && sides[1] > 0) || (sides[0] < 0 && sides[1] < 0);
                const double closer = std::fabs(sides[0]) <= std::fabs(sides[1]) ? sides[0] : sides[1];
                cell.expected = value - closer;
                deviation = sameDirection ? closer : 0;
            } else {
                cell.expected = value - deviation;
            }
            cell.deviation = deviation;
        }
    return result;
}

} // namespace veloquin::checks
