// The computations of the geometric method: circumferences, bottom and dead
// cavity, internal details, girdle capacities and the volume at a level.

#include "TankClasses.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veloquin;
using veloquin::test::RecordingReporter;

namespace {

// Expected figures below were worked out by hand (40-digit decimal arithmetic),
// not with the engine's constants, so that a wrong constant fails a test.
// Relative agreement within 1e-13 allows for the last bits of double results.
void ExpectClose(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, 1e-13 * std::fabs(expected)) << "expected " << expected;
}

} // namespace

// ---------------------------------------------------------------------------
// Girdle geometry

TEST(GirdleGeometry, NewTankInternalCircumferences)
{
    TSteelVertCylTank tank;
    // Girdle 2's middle (1200 mm) lies below the calibration fill height of 2000 mm,
    // so it is corrected by about 0.3946 mm; girdle 3's middle lies exactly at it.
    EXPECT_EQ(tank.IntCircumference(1), 19954.0);
    EXPECT_EQ(tank.IntCircumference(2), 19953.6);
    for (int i = 3; i <= 8; ++i)
        EXPECT_EQ(tank.IntCircumference(i), 19954.0) << "girdle " << i;
    // By hand: L = 19998 - 2 pi 7 = 19954.0177; the correction of girdle 2 is
    // 2 pi (9.8066 x 1000 x L^2 x 800) / (6 x 4 pi^2 x 2.1e14) = 0.39457 mm,
    // which takes 19954.0177 to 19953.6232 and so to 19953.6.
}

TEST(GirdleGeometry, WeldCorrectionFromTheTableTakesTheNearestCapacity)
{
    TSteelVertCylTank tank;
    const std::pair<int, double> cases[] = {{150, 2},  {120, 1},  {100, 1},  {50000, 8},
                                            {2500, 4}, {1400, 2}, {1600, 3}, {12500, 7}};
    for (auto [capacity, correction] : cases) {
        tank.SetDesignCapacity(capacity);
        EXPECT_EQ(tank.ExtCircumference(), 20000 - correction) << "capacity " << capacity;
    }
}

TEST(GirdleGeometry, HandCorrectionsAreSummedAndOtherCountsMeanNone)
{
    TSteelVertCylTank tank;
    tank.SetExtCircumferenceMeasurements(30000, 30010);
    tank.SetWeldCorrectionCount(2);
    tank.SetWeldCorrection(1, 1.5);
    tank.SetWeldCorrection(2, 2.5);
    tank.UpdateExtCircumference();
    EXPECT_EQ(tank.ExtCircumference(), 30005.0 - 4);

    tank.SetWeldCorrectionCount(0);
    EXPECT_EQ(tank.ExtCircumference(), 30005.0);
    tank.SetWeldCorrectionCount(-3);
    EXPECT_EQ(tank.ExtCircumference(), 30005.0);
}

TEST(GirdleGeometry, GirdleOneIsCorrectedOnlyAboveThreeMetres)
{
    TSteelVertCylTank tank;
    tank.SetCalibrationFillHeight(3000);
    EXPECT_EQ(tank.IntCircumference(1), 19954.0);

    // By hand: 19954.0177 - 2 pi (2400.1 x 9.8066 x 1000 x L^2) / (6 x 4 pi^2 x 2.1e14) = 19952.8340.
    tank.SetCalibrationFillHeight(3000.1);
    EXPECT_EQ(tank.IntCircumference(1), 19952.8);
}

TEST(GirdleGeometry, PlumbMeansWeighTheMiddlePointTwice)
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(3);
    tank.SetGeneratrixCount(3);
    ASSERT_EQ(tank.PlumbRowCount(), 6);
    // Row r, generatrix g holds 10 r + g.
    for (int r = 1; r <= 6; ++r)
        for (int g = 1; g <= 3; ++g)
            tank.SetPlumbDistance(r, g, 10 * r + g);
    tank.UpdateAll();

    EXPECT_DOUBLE_EQ(tank.MeanPlumbDistance(1), 12.0);                     // row 1
    EXPECT_DOUBLE_EQ(tank.MeanPlumbDistance(2), (22 + 2 * 32 + 42) / 4.0); // rows 2, 3, 4
    EXPECT_DOUBLE_EQ(tank.MeanPlumbDistance(3), (52 + 62) / 2.0);          // rows 5, 6
    EXPECT_DOUBLE_EQ(tank.MeanRadialDeviation(1), 0.0);
    EXPECT_DOUBLE_EQ(tank.MeanRadialDeviation(2), 32.0 - 12.0);
    EXPECT_DOUBLE_EQ(tank.MeanRadialDeviation(3), 57.0 - 12.0);
    EXPECT_EQ(tank.GirdleOfPlumbRow(1), 1);
    EXPECT_EQ(tank.GirdleOfPlumbRow(4), 2);
    EXPECT_EQ(tank.GirdleOfPlumbRow(5), 3);

    // A girdle leaning out (larger distance from the wall to the plumb line means a
    // larger radius) gets a larger circumference: 2 pi x 45 mm for girdle 3.
    EXPECT_NEAR(tank.IntCircumference(3) - tank.IntCircumference(1), 282.74, 0.1);
}

TEST(GirdleGeometry, ChangingGirdleOnesMeanLeavesOtherDeviationsUntilTheRefresh)
{
    TSteelVertCylTank tank;
    for (int g = 1; g <= 12; ++g)
        tank.SetPlumbDistance(1, g, 30);
    EXPECT_EQ(tank.MeanPlumbDistance(1), 30.0);
    EXPECT_EQ(tank.MeanRadialDeviation(2), 0.0) << "stale until the full refresh";
    tank.UpdateAll();
    EXPECT_EQ(tank.MeanRadialDeviation(2), -30.0);
}

TEST(GirdleGeometry, ZeroSheetThicknessSetByHandSkipsTheHydrostaticTerms)
{
    RecordingReporter reporter;
    TSteelVertCylTank tank;
    tank.SetStoredDensity(1000);
    tank.SetCalibrationFillHeight(9000);
    tank.SetSheetThickness(1, 0);
    tank.SetSheetThickness(2, 0);
    tank.UpdateAll();
    tank.SetGivenLevel(5000);

    EXPECT_TRUE(std::isfinite(tank.IntCircumference(1)));
    EXPECT_TRUE(std::isfinite(tank.IntCircumference(2)));
    EXPECT_EQ(tank.IntCircumference(1), 19991.7); // 19998 - 2 pi x (0 + 1 paint) = 19991.717
    EXPECT_TRUE(std::isfinite(tank.VolumeAtLevel()));
    EXPECT_TRUE(std::isfinite(tank.HydrostaticCorrectionAtLevel()));
    EXPECT_GT(tank.HydrostaticCorrectionAtLevel(), 0.0) << "the other girdles still count";
    EXPECT_TRUE(reporter.Messages().empty());
}

// ---------------------------------------------------------------------------
// Bottom, dead cavity, details, girdle capacities

TEST(BottomAndDeadCavity, BottomCorrectionWeighsTheCircles)
{
    TSteelVertCylTank tank;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            tank.SetBottomReading(c, r, 1400);
    tank.SetBottomCenter(1400);
    EXPECT_EQ(tank.BottomCorrection(), 0.0);

    for (int r = 1; r <= 8; ++r)
        tank.SetBottomReading(8, r, 1401);
    ASSERT_EQ(tank.IntCircumference(1), 19954.0);
    // By hand: 19954^2 x 7.958e-11 x (0.005208 x 8 + 0.018229 x 8 + 0.015625 x 48).
    ExpectClose(tank.BottomCorrection(), 0.02970525562386023488);
    // Readings of 1401 at the wall put the touch point above girdle 1: the dead
    // cavity reaches up to it, however often the readings re-applied the clamp
    // (19954^2 x 1401 / (4 pi 1e9) less the bottom correction).
    ASSERT_EQ(tank.DeadCavityHeight(), 1401.0);
    ExpectClose(tank.DeadCavityCapacity(), 44.39031297378670485233 - 0.02970525562386023488);
}

TEST(BottomAndDeadCavity, DeadCavityLiesBetweenTheTouchPointAndTheTopOfGirdleOne)
{
    TSteelVertCylTank tank;
    ExpectClose(tank.DeadCavityCapacity(), 6.336946891332862934); // 19954^2 x 200 / (4 pi 1e9)

    tank.SetDeadCavityHeight(-5);
    EXPECT_EQ(tank.DeadCavityHeight(), 0.0);
    tank.SetDeadCavityHeight(900);
    EXPECT_EQ(tank.DeadCavityHeight(), 800.0);

    // A touch point 30 mm above the bottom at the wall.
    tank.SetBottomReading(8, 1, 1430);
    tank.SetPointPlumb(1400);
    EXPECT_EQ(tank.TouchPointHeight(), 30.0);
    tank.SetDeadCavityHeight(10);
    EXPECT_EQ(tank.DeadCavityHeight(), 30.0);

    // Lowering girdle 1 below the dead cavity leaves it until it is set again.
    tank.SetDeadCavityHeight(700);
    tank.SetGirdleHeightOuter(1, 500);
    tank.UpdateGirdleHeight(1);
    EXPECT_EQ(tank.DeadCavityHeight(), 700.0);
    tank.SetPointPlumb(1400); // the same reading still re-applies the clamp
    EXPECT_EQ(tank.DeadCavityHeight(), 500.0);
}

TEST(BottomAndDeadCavity, DetailsCountByTheShareOfTheirBandInsideALevelBand)
{
    TSteelVertCylTank tank;
    tank.AddArbitraryDetail(1, 100, 300);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(0, 200), 0.5);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(200, 1000), 0.5);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(150, 250), 0.5);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(300, 500), 0.0);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(0, 100), 0.0);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(100, 300), 1.0);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(100, 200), 0.5);

    // A flat detail (bottom = top) counts whole inside a band, nothing on its edge.
    tank.AddArbitraryDetail(0.25, 500, 500);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(400, 600), 0.25);
    EXPECT_DOUBLE_EQ(tank.DetailsVolumeInBand(500, 600), 0.0);
    EXPECT_DOUBLE_EQ(tank.InternalDetailsVolume(), 1.25);
}

TEST(BottomAndDeadCavity, AddingAndDeletingDetails)
{
    TSteelVertCylTank tank;
    EXPECT_EQ(tank.InternalDetailsVolume(), 0.0);
    tank.SetModified(false);
    tank.AddCylindricalDetail(0, 2000, 100, 1000);
    EXPECT_TRUE(tank.Modified());
    EXPECT_NEAR(tank.DetailVolume(1), 0.00785398163397448, 1e-16);
    EXPECT_FALSE(tank.DetailIsArbitrary(1));
    tank.AddArbitraryDetail(0.5, 150, 250);
    EXPECT_EQ(tank.DetailDiameter(2), 0.0);
    tank.AddCylindricalDetail(3000, 3500, 200, 400);

    const InternalDetail third = tank.Detail(3);
    tank.DeleteDetail(2);
    ASSERT_EQ(tank.DetailCount(), 2);
    EXPECT_FALSE(tank.DetailIsArbitrary(2));
    EXPECT_EQ(tank.DetailBottom(2), third.Bottom);
    EXPECT_EQ(tank.DetailTop(2), third.Top);
    EXPECT_EQ(tank.DetailDiameter(2), third.Diameter);
    EXPECT_EQ(tank.DetailLength(2), third.Length);
    EXPECT_EQ(tank.DetailVolume(2), third.Volume);
    EXPECT_DOUBLE_EQ(tank.InternalDetailsVolume(), tank.DetailVolume(1) + third.Volume);

    // Only the dead cavity follows a detail change at once.
    const double before = tank.GirdleCapacity(1);
    tank.AddArbitraryDetail(1, 0, 800);
    // The 200 mm cylinder, less a quarter of the 1 m3 detail and a tenth of the cylinder detail.
    ExpectClose(tank.DeadCavityCapacity(), 6.336946891332862934 - 0.25 - 0.000785398163397448);
    EXPECT_EQ(tank.GirdleCapacity(1), before);
    tank.UpdateAll();
    EXPECT_LT(tank.GirdleCapacity(1), before - 0.7);
}

TEST(BottomAndDeadCavity, GirdleCapacitiesStartAboveTheDeadCavity)
{
    TSteelVertCylTank tank;
    ExpectClose(tank.GirdleCapacity(1), 19.01084067399858880); // 19954^2 x 600 / (4 pi 1e9)
    ExpectClose(tank.GirdleCapacity(2), 25.34677132664234228); // 19953.6^2 x 800 / (4 pi 1e9)
    ExpectClose(tank.GirdleCapacity(8), 25.34778756533145174);

    // A dead cavity reaching into girdle 2 (only possible through a high touch point).
    tank.SetBottomReading(8, 1, 1000);
    EXPECT_EQ(tank.DeadCavityHeight(), 1000.0);
    EXPECT_EQ(tank.GirdleCapacity(1), 0.0);
    ExpectClose(tank.GirdleCapacity(2), 19.01007849498175670740); // 19953.6^2 x 600 / (4 pi 1e9)

    // Above the whole tank: every girdle lies inside the dead cavity.
    RecordingReporter reporter;
    tank.SetBottomReading(8, 1, 7000);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(tank.GirdleCapacity(i), 0.0);
    tank.UpdateAll();
    EXPECT_TRUE(std::isfinite(tank.VolumeAtLevel()));
}

// ---------------------------------------------------------------------------
// Volume at a level, design fill height

TEST(VolumeAtLevel, NewTankAtFiveHundredMillimetres)
{
    TSteelVertCylTank tank;
    EXPECT_EQ(tank.HydrostaticCorrectionAtLevel(), 0.0)
        << "the stored density is set after the level during construction";
    tank.UpdateAll();

    // By hand: 19954^3 x 9.8066 x 960 x (500 / 6 x 250) / (4 pi^2 x 2.1e23).
    ExpectClose(tank.HydrostaticCorrectionAtLevel(), 0.0001879573568579071339);
    // Dead cavity 19954^2 x 200 / (4 pi 1e9) = 6.336946891, the 300 mm above it
    // 9.505420337, and the hydrostatic term.
    ExpectClose(tank.DeadCavityCapacity(), 6.336946891332862934);
    ExpectClose(tank.VolumeAtLevel(), 15.84255518568901524);
}

TEST(VolumeAtLevel, LevelIsClampedIntoDeadCavityAndDesignFillHeight)
{
    TSteelVertCylTank tank;
    tank.UpdateAll();
    tank.SetGivenLevel(100);
    EXPECT_EQ(tank.GivenLevel(), 200.0);
    // The dead cavity alone and the hydrostatic term at 200 mm (t = 200 / 6 x 100).
    ExpectClose(tank.VolumeAtLevel(), 6.336976964509960199);

    tank.SetGivenLevel(7000);
    EXPECT_EQ(tank.GivenLevel(), 6000.0);
}

TEST(VolumeAtLevel, GirdleAtLevelCountsTheTopAsItsOwn)
{
    TSteelVertCylTank tank;
    EXPECT_EQ(tank.GirdleAtLevel(800), 1);
    EXPECT_EQ(tank.GirdleAtLevel(800.1), 2);
    EXPECT_EQ(tank.GirdleAtLevel(6400), 8);
    EXPECT_EQ(tank.GirdleAtLevel(0), 1);
    EXPECT_EQ(tank.GirdleAtLevel(-5), 1);
    EXPECT_EQ(tank.GirdleAtLevel(6400.5), 9);
}

TEST(VolumeAtLevel, DesignFillHeightStaysInTheTopGirdle)
{
    TSteelVertCylTank tank;
    tank.SetDesignFillHeight(3000);
    EXPECT_EQ(tank.DesignFillHeight(), 5600.0);
    tank.SetDesignFillHeight(7000);
    EXPECT_EQ(tank.DesignFillHeight(), 6400.0);
    tank.SetDesignFillHeight(6200);
    EXPECT_GE(tank.BaseHeightMeas1(), 6200.0);
    EXPECT_GE(tank.BaseHeightMeas2(), 6200.0);
    EXPECT_EQ(tank.BaseHeight(), (tank.BaseHeightMeas1() + tank.BaseHeightMeas2()) / 2);

    // Raising girdle 8 re-applies the clamp; the level follows at the next refresh.
    tank.SetGivenLevel(6200);
    tank.SetGirdleHeightOuter(8, 300);
    tank.UpdateGirdleHeight(8);
    EXPECT_EQ(tank.DesignFillHeight(), 5900.0);
    EXPECT_EQ(tank.GivenLevel(), 6200.0);
    tank.UpdateAll();
    EXPECT_EQ(tank.GivenLevel(), 5900.0);
}

TEST(VolumeAtLevel, VolumeIsStaleUntilTheLevelIsSetAgain)
{
    TSteelVertCylTank tank;
    tank.UpdateAll();
    const double before = tank.VolumeAtLevel();
    tank.SetStoredDensity(2000);
    EXPECT_EQ(tank.VolumeAtLevel(), before);
    tank.SetGivenLevel(tank.GivenLevel());
    EXPECT_GT(tank.VolumeAtLevel(), before);
}

TEST(VolumeAtLevel, DeadCavityAboveTheLevelReportsAndGivesZero)
{
    TSteelVertCylTank tank;
    tank.UpdateAll();
    const double hydrostatic = tank.HydrostaticCorrectionAtLevel();
    tank.SetDeadCavityHeight(700); // the level stays at 500 until it is set again
    RecordingReporter reporter;
    tank.UpdateVolumeAtLevel();
    EXPECT_EQ(tank.VolumeAtLevel(), 0.0);
    EXPECT_EQ(tank.HydrostaticCorrectionAtLevel(), hydrostatic);
    ASSERT_EQ(reporter.Messages().size(), 1u);
    EXPECT_EQ(reporter.Messages()[0].first, "Резервуар1");
    EXPECT_EQ(reporter.Messages()[0].second, "Уровень мертвой полости выше высоты заполнения резервуара!");
}
