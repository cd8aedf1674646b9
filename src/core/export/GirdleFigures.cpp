#include "export/GirdleFigures.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "LevelStepping.h"

#include <cmath>
#include <string>

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

GirdleRows WalkGirdleRows(const TSteelVertCylTank& tank, int girdle)
{
    GirdleRows rows;
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    while (step.LevelMm() <= range.topMm) {
        const double volumeM3 = step.VolumeM3();
        rows.levelMm.push_back(step.LevelMm());
        rows.volumeM3.push_back(volumeM3);
        if (!step.Next())
            break;
        // The step into the first level above the top counts too.
        rows.stepSumM3 += step.VolumeM3() - volumeM3;
        ++rows.steps;
    }
    return rows;
}

namespace {

// Rows of a girdle, counted up to `cap`: a level so large that the 10 mm step
// is lost in its rounding would never end.
long long CountRows(const TSteelVertCylTank& tank, int girdle, long long cap)
{
    const GirdleLevelRange range = LevelRangeOfGirdle(tank, girdle);
    LevelStepper step(tank, range.startMm);
    long long rows = 0;
    while (rows < cap && step.LevelMm() <= range.topMm) {
        ++rows;
        if (!step.Next())
            break;
    }
    return rows;
}

} // namespace

std::vector<int> PrintedRowsOfGirdles(const TSteelVertCylTank& tank)
{
    CheckCalibrationTableLength(tank);
    const long long limit = CalibrationTableLineLimit(tank.DetailCount());
    std::vector<int> rows;
    long long total = 0;
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle) {
        const long long count = CountRows(tank, girdle, limit + 1 - total);
        total += count;
        if (total > limit) {
            const std::string limitText = FormatDecimals(0, static_cast<double>(limit));
            throw TableTooLongError("Число уровней градуировочной таблицы — более " + limitText +
                                    ", допускается не более " + limitText + ".");
        }
        rows.push_back(static_cast<int>(count));
    }
    return rows;
}

void CheckCalibrationSheetsLength(const TSteelVertCylTank& tank)
{
    PrintedRowsOfGirdles(tank);
}

std::optional<double> MeanCapacityPerMm(const TSteelVertCylTank& tank, int girdle)
{
    const GirdleRows rows = WalkGirdleRows(tank, girdle);
    if (rows.steps == 0)
        return std::nullopt;
    return rows.stepSumM3 / rows.steps / LevelStepper::kStepMm;
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
