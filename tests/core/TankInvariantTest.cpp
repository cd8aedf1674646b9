// Properties that hold for any sensible tank, whatever its numbers.

#include "RealisticTank.h"
#include "TankClasses.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veloquin;
using namespace veloquin::test;

namespace {

// Steps the level like the calibration table does and calls f(level, volume).
template <class F> void ForEveryTableLevel(TSteelVertCylTank& tank, F f)
{
    for (double level = tank.DeadCavityHeight(); level <= tank.DesignFillHeight(); level += 10) {
        tank.SetGivenLevel(level);
        f(level, tank.VolumeAtLevel());
    }
}

} // namespace

TEST(TankInvariants, VolumeNeverDecreasesAsTheLevelRises)
{
    for (std::uint32_t seed : {1u, 2u, 3u, 77u}) {
        RealisticTankShape shape;
        shape.seed = seed;
        shape.girdles = 6 + static_cast<int>(seed % 7);
        TSteelVertCylTank tank = MakeRealisticTank(shape);
        double previous = -1;
        int lines = 0;
        ForEveryTableLevel(tank, [&](double level, double volume) {
            EXPECT_GE(volume, previous) << "seed " << seed << " level " << level;
            previous = volume;
            ++lines;
        });
        EXPECT_GT(lines, 500);
    }
}

TEST(TankInvariants, PlainCylinderMatchesTheCylinderFormulaAtEveryLevel)
{
    RecordingReporter reporter;
    TSteelVertCylTank tank;
    tank.SetGirdleCount(10);
    tank.SetGeneratrixCount(24);
    tank.SetExtCircumferenceMeasurements(47123.4, 47123.4);
    tank.SetWeldCorrectionCount(0);
    tank.SetCalibrationDensity(0);
    tank.SetStoredDensity(0);
    for (int i = 1; i <= 10; ++i) {
        tank.SetSheetThickness(i, 8);
        tank.SetGirdleHeightOuter(i, 1490 + i);
        tank.UpdateGirdleHeight(i);
    }
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= 24; ++g)
            tank.SetPlumbDistance(row, g, 87.5);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            tank.SetBottomReading(c, r, 0);
    tank.SetDeadCavityHeight(123.4);
    tank.SetDesignFillHeight(15000);
    tank.UpdateAll();

    const double l = tank.IntCircumference(1);
    for (int i = 2; i <= 10; ++i)
        ASSERT_EQ(tank.IntCircumference(i), l);
    const double pi = 3.14159265358979323846;
    ForEveryTableLevel(tank, [&](double level, double volume) {
        const double cylinder = l * l * level / (4 * pi * 1e9);
        EXPECT_NEAR(volume, cylinder, 1e-12 * cylinder + 1e-12) << "level " << level;
    });
    EXPECT_TRUE(reporter.Messages().empty());
}

TEST(TankInvariants, ArbitraryFiniteInputsNeverGiveNanOrInfinity)
{
    // Typing mistakes, not measurements: zero and negative heights and
    // thicknesses, details upside down, huge and tiny numbers.
    RecordingReporter reporter; // bad levels may be reported; they must not crash
    Lcg random(2024);
    for (int round = 0; round < 300; ++round) {
        TSteelVertCylTank tank;
        auto any = [&](double magnitude) {
            const double pick = random.Next(0, 1);
            if (pick < 0.1)
                return 0.0;
            if (pick < 0.2)
                return -random.Next(0, magnitude);
            return random.Next(0, magnitude);
        };
        tank.SetGirdleCount(static_cast<int>(random.Next(0, 16)));
        tank.SetGeneratrixCount(static_cast<int>(random.Next(0, 40)));
        tank.SetExtCircumferenceMeasurements(any(1e6), any(1e6));
        tank.SetWeldCorrectionCount(static_cast<int>(random.Next(-3, 4)));
        tank.SetPaintThickness(any(10));
        tank.SetCalibrationDensity(any(2000));
        tank.SetCalibrationFillHeight(any(30000));
        tank.SetStoredDensity(any(2000));
        for (int i = 1; i <= tank.GirdleCount(); ++i) {
            tank.SetSheetThickness(i, any(30));
            tank.SetGirdleHeightOuter(i, any(5000));
            tank.SetOverlapBottom(i, any(100));
            tank.UpdateGirdleHeight(i);
        }
        for (int row = 1; row <= tank.PlumbRowCount(); ++row)
            tank.SetPlumbDistance(row, 1, any(500));
        tank.SetBottomReading(8, 1, any(3000));
        tank.SetBottomReading(3, 4, any(3000));
        tank.SetPointPlumb(any(3000));
        tank.SetDeadCavityHeight(any(3000));
        tank.AddArbitraryDetail(any(10), any(20000), any(20000));
        tank.AddCylindricalDetail(any(20000), any(20000), any(2000), any(20000));
        tank.SetDesignFillHeight(any(60000));
        tank.UpdateAll();

        int steps = 0;
        for (double level = tank.DeadCavityHeight(); level <= tank.DesignFillHeight() && steps < 20;
             level += 997, ++steps) {
            tank.SetGivenLevel(level);
            ASSERT_TRUE(std::isfinite(tank.VolumeAtLevel())) << "round " << round;
            ASSERT_TRUE(std::isfinite(tank.HydrostaticCorrectionAtLevel())) << "round " << round;
        }
        for (int i = 1; i <= tank.GirdleCount(); ++i) {
            ASSERT_TRUE(std::isfinite(tank.IntCircumference(i))) << "round " << round;
            ASSERT_TRUE(std::isfinite(tank.GirdleCapacity(i))) << "round " << round;
        }
        ASSERT_TRUE(std::isfinite(tank.DeadCavityCapacity()));
        ASSERT_TRUE(std::isfinite(tank.BottomCorrection()));
        ASSERT_TRUE(std::isfinite(tank.BaseHeight()));
    }
}
