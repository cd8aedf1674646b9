#pragma once
// A table as a tank gives it, without the tank: girdles of slightly different
// radii, a sloping bottom, a detail every so often, volumes rounded to a litre
// and, if asked, some scatter on top. As tall as the number of levels makes it
// (100 000 levels are a kilometre), for gauge choices on any size.

#include "RealisticTank.h"
#include "export/TablePoints.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace veloquin::test {

inline std::vector<TablePoint> MakeGirdledTable(std::size_t levels, std::uint32_t seed, double scatterM3 = 0)
{
    Lcg random(seed);
    std::vector<TablePoint> table;
    double volume = 0, radius = 11400, girdleTop = 0;
    for (std::size_t k = 0; k < levels; ++k) {
        const double level = 10.0 * static_cast<double>(k);
        if (level >= girdleTop) {
            girdleTop += 1500 + random.Next(-5, 5);
            radius = 11400 + random.Next(-8, 8);
        }
        const double bottom = level < 300 ? level / 300 : 1;
        const double detail = k % 977 < 30 ? 0.97 : 1;
        volume += M_PI * radius * radius * 1e-8 * bottom * detail + scatterM3 * random.Next(-1, 1);
        table.push_back({level, std::round(volume * 1000) / 1000});
    }
    return table;
}

} // namespace veloquin::test
