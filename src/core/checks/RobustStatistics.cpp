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

// Median over all lines of the change from position a to position b.
class CommonChange
{
public:
    explicit CommonChange(const LineTable& table) : m_table(table), m_scratch(static_cast<std::size_t>(table.lines)) {}

    double Between(int a, int b)
    {
        for (int line = 0; line < m_table.lines; ++line)
            m_scratch[static_cast<std::size_t>(line)] = m_table.At(b, line) - m_table.At(a, line);
        return Median(m_scratch);
    }

private:
    const LineTable& m_table;
    std::vector<double> m_scratch;
};

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
    // Change common to all lines from position p to p + 1 and p + 2.
    std::vector<double> next(static_cast<std::size_t>(positions), 0.0);
    std::vector<double> second(static_cast<std::size_t>(positions), 0.0);
    for (int p = 0; p + 1 < positions; ++p)
        next[static_cast<std::size_t>(p)] = common.Between(p, p + 1);
    for (int p = 0; p + 2 < positions; ++p)
        second[static_cast<std::size_t>(p)] = common.Between(p, p + 2);
    auto change = [&](int from, int to) {
        // from -> to, either direction, one or two positions apart
        const int low = std::min(from, to);
        const double forward =
            std::abs(to - from) == 1 ? next[static_cast<std::size_t>(low)] : second[static_cast<std::size_t>(low)];
        return to > from ? forward : -forward;
    };

    std::vector<double> steps;
    steps.reserve(static_cast<std::size_t>((positions - 1) * lines));
    for (int p = 0; p + 1 < positions; ++p)
        for (int line = 0; line < lines; ++line)
            steps.push_back(table.At(p + 1, line) - table.At(p, line) - next[static_cast<std::size_t>(p)]);
    result.stepSpread = RobustSpread(steps);

    for (int p = 0; p < positions; ++p) {
        int neighbours[2] = {-1, -1};
        if (p > 0 && p + 1 < positions) {
            neighbours[0] = p - 1;
            neighbours[1] = p + 1;
        } else if (p == 0) {
            neighbours[0] = 1;
            neighbours[1] = positions > 2 ? 2 : -1;
        } else {
            neighbours[0] = p - 1;
            neighbours[1] = p > 1 ? p - 2 : -1;
        }
        for (int line = 0; line < lines; ++line) {
            CellDeviation& cell = result.cells[static_cast<std::size_t>(p * lines + line)];
            cell.neighbour[0] = neighbours[0];
            cell.neighbour[1] = neighbours[1];
            const double value = table.At(p, line);
            double sides[2] = {0, 0};
            int sideCount = 0;
            for (int n : neighbours)
                if (n >= 0) {
                    const double reading = table.At(n, line);
                    cell.neighbourLow = sideCount == 0 ? reading : std::min(cell.neighbourLow, reading);
                    cell.neighbourHigh = sideCount == 0 ? reading : std::max(cell.neighbourHigh, reading);
                    sides[sideCount++] = value - reading - change(n, p);
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
    }
    return result;
}

} // namespace veloquin::checks
