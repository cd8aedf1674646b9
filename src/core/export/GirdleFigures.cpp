#include "export/GirdleFigures.h"

#include "GFunc.h"
#include "LevelStepping.h"

#include <cmath>

namespace veloquin {

GirdleLevelRange LevelRangeOfGirdle(const TSteelVertCylTank& tank, int girdle)
{
    if (girdle == 1)
        return {tank.DeadCavityHeight(), tank.GirdleHeight(1)};
    double bottom = 0;
    for (int k = 1; k < girdle; ++k)
        bottom += tank.GirdleHeight(k);
    // The first multiple of 10 mm strictly above the girdle's bottom.
    const double tens = bottom / 10;
    const double start = tens == std::trunc(tens) ? bottom + 10 : (std::trunc(tens) + 1) * 10;
    return {start, bottom + tank.GirdleHeight(girdle)};
}

std::optional<double> MeanCapacityPerMm(const TSteelVertCylTank& tank, int girdle)
{
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    double sumM3 = 0;
    int steps = 0;
    while (step.LevelMm() <= range.topMm) {
        const double volumeM3 = step.VolumeM3();
        if (!step.Next())
            break;
        sumM3 += step.VolumeM3() - volumeM3;
        ++steps;
    }
    if (steps == 0)
        return std::nullopt;
    return sumM3 / steps / LevelStepper::kStepMm;
}

double CapacityUncertaintyM3(std::int32_t designCapacityM3, double volumeAtDesignFillM3)
{
    if (designCapacityM3 <= 3000)
        return 0.002 * volumeAtDesignFillM3;
    if (designCapacityM3 < 5000)
        return 0.0015 * volumeAtDesignFillM3;
    return 0.001 * volumeAtDesignFillM3;
}

double StatedCapacityErrorM3(const TSteelVertCylTank& tank)
{
    const double fillMm = tank.ClampedLevel(tank.DesignFillHeight());
    return RoundDecimals(3, CapacityUncertaintyM3(tank.DesignCapacity(), tank.VolumeAt(fillMm).volumeM3));
}

} // namespace veloquin
