// The computations of the geometric method: circumferences, bottom and dead
// cavity, internal details, girdle capacities and the volume at a level.

#include "TankClasses.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veloquin;
using veloquin::test::RecordingReporter;

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;
constexpr long double kC4Pi = 12566370614.359172954L;
constexpr long double kK = 8290467696915061.24L;
constexpr long double kK9 = 8.29046769691506124e24L;

double CylinderM3(double circumferenceMm, double heightMm)
{
    return static_cast<double>(static_cast<long double>(circumferenceMm) * circumferenceMm * heightMm / kC4Pi);
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

    const long double l = 19998.0L - kTwoPi * 7;
    const long double correction = kTwoPi * (9.8066L * 1000 * l * l * 800) / (6 * kK);
    EXPECT_NEAR(static_cast<double>(correction), 0.3946, 5e-5);
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

    tank.SetCalibrationFillHeight(3000.1);
    const long double l = static_cast<double>(19998.0L - kTwoPi * 7);
    const long double corrected =
        l - kTwoPi * ((static_cast<long double>(3000.1) - 0.75L * 800) * (9.8066L * 1000 * l * l)) / (6 * kK);
    EXPECT_EQ(tank.IntCircumference(1), RoundDecimals(1, static_cast<double>(corrected)));
    EXPECT_LT(tank.IntCircumference(1), 19954.0);
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
    EXPECT_NEAR(tank.IntCircumference(3) - tank.IntCircumference(1), static_cast<double>(kTwoPi * 45), 0.1);
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
    EXPECT_EQ(tank.IntCircumference(1), RoundDecimals(1, static_cast<double>(19998.0L - kTwoPi * 1)));
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
    const long double l1 = tank.IntCircumference(1);
    const double expected =
        static_cast<double>(l1 * l1 * 7.958e-11L * (0.005208L * 8 + 0.018229L * 8 + 0.015625L * 48));
    EXPECT_DOUBLE_EQ(tank.BottomCorrection(), expected);
    EXPECT_DOUBLE_EQ(tank.DeadCavityCapacity(), CylinderM3(l1, tank.DeadCavityHeight()) - expected);
}

TEST(BottomAndDeadCavity, DeadCavityLiesBetweenTheTouchPointAndTheTopOfGirdleOne)
{
    TSteelVertCylTank tank;
    EXPECT_NEAR(tank.DeadCavityCapacity(), 6.3369, 1e-4);
    EXPECT_DOUBLE_EQ(tank.DeadCavityCapacity(), CylinderM3(19954.0, 200));

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
    EXPECT_DOUBLE_EQ(tank.DeadCavityCapacity(), CylinderM3(19954, 200) - 1.0 * 200 / 800 - 0.00785398163397448 / 10);
    EXPECT_EQ(tank.GirdleCapacity(1), before);
    tank.UpdateAll();
    EXPECT_LT(tank.GirdleCapacity(1), before - 0.7);
}

TEST(BottomAndDeadCavity, GirdleCapacitiesStartAboveTheDeadCavity)
{
    TSteelVertCylTank tank;
    EXPECT_DOUBLE_EQ(tank.GirdleCapacity(1), CylinderM3(19954.0, 600));
    EXPECT_DOUBLE_EQ(tank.GirdleCapacity(2), CylinderM3(19953.6, 800));
    EXPECT_DOUBLE_EQ(tank.GirdleCapacity(8), CylinderM3(19954.0, 800));

    // A dead cavity reaching into girdle 2 (only possible through a high touch point).
    tank.SetBottomReading(8, 1, 1000);
    EXPECT_EQ(tank.DeadCavityHeight(), 1000.0);
    EXPECT_EQ(tank.GirdleCapacity(1), 0.0);
    EXPECT_DOUBLE_EQ(tank.GirdleCapacity(2), CylinderM3(19953.6, 600));

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

    const long double l = 19954.0L;
    const long double t = 500.0L / 6 * 250;
    const double hydrostatic = static_cast<double>(l * l * l * (9.8066L * 960) * t / kK9);
    EXPECT_NEAR(tank.HydrostaticCorrectionAtLevel(), 0.000188, 5e-7);
    EXPECT_DOUBLE_EQ(tank.HydrostaticCorrectionAtLevel(), hydrostatic);
    EXPECT_NEAR(tank.VolumeAtLevel(), 15.8426, 1e-4);
    EXPECT_DOUBLE_EQ(tank.VolumeAtLevel(), tank.DeadCavityCapacity() + CylinderM3(19954, 300) + hydrostatic);
}

TEST(VolumeAtLevel, LevelIsClampedIntoDeadCavityAndDesignFillHeight)
{
    TSteelVertCylTank tank;
    tank.UpdateAll();
    tank.SetGivenLevel(100);
    EXPECT_EQ(tank.GivenLevel(), 200.0);
    const long double l = 19954.0L;
    const double hydrostatic = static_cast<double>(l * l * l * (9.8066L * 960) * (200.0L / 6 * 100) / kK9);
    EXPECT_DOUBLE_EQ(tank.VolumeAtLevel(), tank.DeadCavityCapacity() + hydrostatic);

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
