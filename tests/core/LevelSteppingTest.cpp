// The level stepping shared by every calibration table, and the volume at a
// level computed without touching the tank.

#include "LevelStepping.h"
#include "RealisticTank.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veloquin {
namespace {

TEST(VolumeAt, GivesWhatSetGivenLevelStoresWithoutReportingOrStoring)
{
    TSteelVertCylTank tank = test::MakeRealisticTank();
    tank.SetGivenLevel(5000);
    const double stored = tank.VolumeAtLevel();
    test::RecordingReporter reporter;
    for (double level : {250.0, 1500.0, 1500.5, 9000.0, tank.DesignFillHeight()}) {
        const TSteelVertCylTank::LevelVolume at = tank.VolumeAt(level);
        TSteelVertCylTank copy = tank;
        copy.SetGivenLevel(level);
        EXPECT_EQ(copy.VolumeAtLevel(), at.volumeM3) << level;
        EXPECT_EQ(copy.HydrostaticCorrectionAtLevel(), at.hydrostaticM3) << level;
        EXPECT_FALSE(at.deadCavityAbove);
    }
    EXPECT_EQ(5000, tank.GivenLevel());
    EXPECT_EQ(stored, tank.VolumeAtLevel());

    // Below the dead cavity: no volume, and no message from the const computation.
    const TSteelVertCylTank::LevelVolume below = tank.VolumeAt(100);
    EXPECT_TRUE(below.deadCavityAbove);
    EXPECT_EQ(0, below.volumeM3);
    EXPECT_TRUE(reporter.Messages().empty());
}

TEST(LevelStepper, StepsTenMillimetresUpToTheFillHeight)
{
    TSteelVertCylTank tank; // dead cavity 200, fill 6000
    LevelStepper step(tank, 5975);
    EXPECT_EQ(5975, step.LevelMm());
    ASSERT_TRUE(step.Next());
    EXPECT_EQ(5985, step.LevelMm());
    ASSERT_TRUE(step.Next());
    EXPECT_EQ(5995, step.LevelMm());
    EXPECT_FALSE(step.Next()); // 6005 would pass the fill height
    EXPECT_EQ(5995, step.LevelMm());

    // The start is clamped as SetGivenLevel clamps it.
    EXPECT_EQ(200, LevelStepper(tank, 50).LevelMm());
    EXPECT_EQ(6000, LevelStepper(tank, 7000).LevelMm());
    LevelStepper top(tank, 6000);
    EXPECT_FALSE(top.Next());

    tank.SetGivenLevel(1234);
    LevelStepper volume(tank, 810);
    EXPECT_EQ(tank.VolumeAt(810).volumeM3, volume.VolumeM3());
    EXPECT_EQ(1234, tank.GivenLevel()); // stepping touches nothing
}

TEST(LevelStepper, ANaNFillHeightEndsTheTable)
{
    TSteelVertCylTank tank;
    tank.SetGirdleHeightOuter(8, std::numeric_limits<double>::quiet_NaN());
    tank.UpdateGirdleHeight(8);
    LevelStepper step(tank, 300);
    int steps = 0;
    while (step.Next() && steps < 1000)
        ++steps;
    EXPECT_LT(steps, 1000);
}

} // namespace
} // namespace veloquin
