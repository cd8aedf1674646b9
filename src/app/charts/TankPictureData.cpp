#include "TankPictureData.h"

namespace veloquin {

namespace {

// The girdle's reading at one generatrix, weighted as its mean.
double GirdleReading(const TSteelVertCylTank& tank, int girdle, int g)
{
    const int n = tank.GirdleCount();
    if (girdle == 1)
        return tank.PlumbDistance(1, g);
    const int first = 3 * girdle - 4;
    if (girdle == n)
        return (tank.PlumbDistance(first, g) + tank.PlumbDistance(first + 1, g)) / 2;
    return (tank.PlumbDistance(first, g) + 2 * tank.PlumbDistance(first + 1, g) + tank.PlumbDistance(first + 2, g)) / 4;
}

} // namespace

std::vector<std::vector<double>> RadialDeviations(const TSteelVertCylTank& tank)
{
    const int n = tank.GirdleCount();
    const int generatrices = tank.GeneratrixCount();
    std::vector<std::vector<double>> deviations(static_cast<std::size_t>(n),
                                                std::vector<double>(static_cast<std::size_t>(generatrices)));
    for (int g = 1; g <= generatrices; ++g) {
        const double base = GirdleReading(tank, 1, g);
        for (int i = 1; i <= n; ++i)
            deviations[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(g - 1)] =
                GirdleReading(tank, i, g) - base;
    }
    return deviations;
}

std::vector<double> GirdleTops(const TSteelVertCylTank& tank)
{
    std::vector<double> tops;
    double top = 0;
    for (int i = 1; i <= tank.GirdleCount(); ++i) {
        top += tank.GirdleHeight(i);
        tops.push_back(top);
    }
    return tops;
}

std::vector<double> PlumbRowHeights(const TSteelVertCylTank& tank)
{
    static constexpr double kPointShare[] = {0.1, 0.5, 0.9}; // bottom, middle, top
    const std::vector<double> tops = GirdleTops(tank);
    std::vector<double> heights;
    for (int row = 1; row <= tank.PlumbRowCount(); ++row) {
        const int girdle = tank.GirdleOfPlumbRow(row);
        const double height = tank.GirdleHeight(girdle);
        const double bottom = tops[static_cast<std::size_t>(girdle - 1)] - height;
        if (girdle == 1) {
            heights.push_back(0.75 * height);
            continue;
        }
        heights.push_back(bottom + kPointShare[row - (3 * girdle - 4)] * height);
    }
    return heights;
}

std::vector<CapacityStep> CapacityPerCentimetre(const TSteelVertCylTank& tank)
{
    std::vector<CapacityStep> steps;
    bool first = true;
    double previousLevel = 0, previousVolume = 0;
    WalkTable(tank, [&](double levelMm, double volumeM3) {
        if (!first)
            steps.push_back(CapacityStep{previousLevel, volumeM3 - previousVolume});
        first = false;
        previousLevel = levelMm;
        previousVolume = volumeM3;
    });
    return steps;
}

} // namespace veloquin
