#pragma once
// The choice of a gauge table's points as a plain sweep from every level makes
// it, one step per level: slow, plainly right, the reference the program's
// search is held to (by the tests, and by the fuzzer on small tables).

#include "export/GaugeTable.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace veloquin::test {

// The fewest points within toleranceM3, or none beyond pointLimit.
inline std::optional<std::vector<std::size_t>> SweptFewestPoints(const std::vector<TablePoint>& full,
                                                                 double toleranceM3, std::size_t pointLimit)
{
    const std::size_t n = full.size();
    const std::size_t unreached = n + pointLimit + 1;
    std::vector<std::size_t> count(n, unreached), previous(n, 0);
    count[0] = 1;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (count[i] >= pointLimit)
            continue;
        double low = -HUGE_VAL, high = HUGE_VAL;
        for (std::size_t j = i + 1; j < n; ++j) {
            const double run = full[j].levelMm - full[i].levelMm;
            const double slope = (full[j].volumeM3 - full[i].volumeM3) / run;
            const double slack = 1e-12 * (std::fabs(slope) + 1);
            if (slope >= low - slack && slope <= high + slack && count[i] + 1 < count[j]) {
                count[j] = count[i] + 1;
                previous[j] = i;
            }
            low = std::max(low, (full[j].volumeM3 - toleranceM3 - full[i].volumeM3) / run);
            high = std::min(high, (full[j].volumeM3 + toleranceM3 - full[i].volumeM3) / run);
            if (low > high + slack)
                break;
        }
    }
    if (count[n - 1] > pointLimit)
        return std::nullopt;
    std::vector<std::size_t> chosen{n - 1};
    while (chosen.back() != 0)
        chosen.push_back(previous[chosen.back()]);
    return std::vector<std::size_t>(chosen.rbegin(), chosen.rend());
}

// At most maxPoints points with the least departure, halving the tolerance to a millilitre.
inline std::vector<TablePoint> SweptGaugeTable(const std::vector<TablePoint>& full, std::size_t maxPoints)
{
    double met = InterpolationDeparture(full, {full.front(), full.back()}).litres / 1000, unmet = 0;
    std::vector<std::size_t> best = {0, full.size() - 1};
    while (met - unmet > 1e-6) {
        const double middle = (met + unmet) / 2;
        if (auto chosen = SweptFewestPoints(full, middle, maxPoints)) {
            met = middle;
            best = *chosen;
        } else {
            unmet = middle;
        }
    }
    std::vector<TablePoint> points;
    for (std::size_t k : best)
        points.push_back(full[k]);
    return points;
}

} // namespace veloquin::test
