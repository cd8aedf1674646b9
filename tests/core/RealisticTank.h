#pragma once
// Builds tanks such as metrologists measure them: decreasing sheet thicknesses,
// plumb-line distances scattered by a few millimetres around a slight lean,
// bottom readings on a levelling staff, a few internal details. Deterministic,
// so that failures reproduce.

#include "TankClasses.h"

#include <cstdint>

namespace veloquin::test {

struct RealisticTankShape
{
    int girdles = 12;
    double girdleHeightMm = 1500;
    int generatrices = 36;
    int details = 10;
    double extCircumferenceMm = 71600; // about 5000 m3 at 12 x 1.5 m
    std::uint32_t seed = 12345;
};

// Small linear congruential generator: the same numbers on every platform.
class Lcg
{
public:
    explicit Lcg(std::uint32_t seed) : m_state(seed) {}
    // Uniform in [lo, hi).
    double Next(double lo, double hi)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return lo + (hi - lo) * (m_state >> 8) / 16777216.0;
    }

private:
    std::uint32_t m_state;
};

inline TSteelVertCylTank MakeRealisticTank(const RealisticTankShape& shape = {})
{
    Lcg random(shape.seed);
    TSteelVertCylTank tank;
    tank.SetName("РВС-5000 №2");
    tank.SetDesignCapacity(5000);
    tank.SetGirdleCount(shape.girdles);
    tank.SetGeneratrixCount(shape.generatrices);
    tank.SetExtCircumferenceMeasurements(shape.extCircumferenceMm + random.Next(-3, 3),
                                         shape.extCircumferenceMm + random.Next(-3, 3));
    tank.SetPaintThickness(0.3);
    tank.SetCalibrationDensity(1000);
    tank.SetCalibrationFillHeight(shape.girdles * shape.girdleHeightMm * 0.6);
    tank.SetStoredDensity(850);
    for (int i = 1; i <= shape.girdles; ++i) {
        tank.SetSheetThickness(i, i <= shape.girdles / 2 ? 12 - i : 6);
        tank.SetGirdleHeightOuter(i, shape.girdleHeightMm + random.Next(-5, 5));
        tank.SetOverlapBottom(i, i == 1 ? 0 : -random.Next(0, 30));
        tank.SetOverlapTop(i, 0);
        tank.UpdateGirdleHeight(i);
    }
    for (int row = 1; row <= tank.PlumbRowCount(); ++row) {
        const double lean = 0.8 * row; // the wall leans out slightly with height
        for (int g = 1; g <= shape.generatrices; ++g)
            tank.SetPlumbDistance(row, g, 100 + lean + random.Next(-6, 6));
    }
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            tank.SetBottomReading(c, r, 1400 - 2.5 * c + random.Next(-3, 3));
    tank.SetBottomCenter(1430);
    tank.SetPointPlumb(tank.BottomReading(8, 1) - 15);
    tank.SetDeadCavityHeight(250);
    double totalHeight = 0;
    for (int i = 1; i <= shape.girdles; ++i)
        totalHeight += tank.GirdleHeight(i);
    for (int d = 0; d < shape.details; ++d) {
        const double bottom = random.Next(0, totalHeight * 0.8);
        if (d % 2 == 0)
            tank.AddCylindricalDetail(bottom, bottom + random.Next(50, 600), random.Next(50, 400),
                                      random.Next(500, 6000));
        else
            tank.AddArbitraryDetail(random.Next(0.01, 0.4), bottom, bottom + random.Next(0, 900));
    }
    tank.SetDesignFillHeight(totalHeight - 300);
    tank.UpdateAll();
    return tank;
}

// The largest table a file may hold: three girdles, the top one 998 m high,
// 2 500 internal details spread over the whole height, about 100 000 levels
// (the limit for that many details) and some 500 printed sheets. About 104 KB
// as a file.
inline TSteelVertCylTank MakeTankOfTheLongestTable()
{
    RealisticTankShape shape;
    shape.girdles = 3;
    shape.girdleHeightMm = 1500;
    shape.details = 0;
    TSteelVertCylTank tank = MakeRealisticTank(shape);
    tank.SetGirdleHeightOuter(3, 998000);
    tank.UpdateGirdleHeight(3);
    double totalHeight = 0;
    for (int i = 1; i <= tank.GirdleCount(); ++i)
        totalHeight += tank.GirdleHeight(i);
    Lcg random(shape.seed);
    const int details = 2500;
    for (int d = 0; d < details; ++d) {
        const double bottom = totalHeight * d / details;
        if (d % 2 == 0)
            tank.AddCylindricalDetail(bottom, bottom + random.Next(50, 600), random.Next(50, 400),
                                      random.Next(500, 6000));
        else
            tank.AddArbitraryDetail(random.Next(0.01, 0.4), bottom, bottom + random.Next(0, 900));
    }
    tank.SetDesignFillHeight(totalHeight - 3000);
    tank.UpdateAll();
    return tank;
}

} // namespace veloquin::test
