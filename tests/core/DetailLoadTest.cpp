// Tanks with many internal details: adding a whole list at once must give the
// very doubles that adding the details one by one gives, a file must open to the
// values it was stored with, and a file of more details than a tank can have is
// refused by its count.

#include "FilledTank.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace veloquin {
namespace {

// Details whose volumes differ by many orders of magnitude, so that any change
// in the order or the grouping of the sums shows in the last bits.
std::vector<InternalDetail> MixedDetails(int count)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> level(-200, 9000);
    std::uniform_real_distribution<double> exponent(-12, 1);
    std::vector<InternalDetail> details(static_cast<std::size_t>(count));
    for (InternalDetail& d : details) {
        d.IsArbitrary = random() % 3 != 0;
        d.Volume = std::pow(10.0, exponent(random)) * (random() % 5 == 0 ? -1 : 1);
        d.Bottom = level(random);
        d.Top = random() % 7 == 0 ? d.Bottom : level(random);
        d.Diameter = level(random) / 10;
        d.Length = level(random);
    }
    return details;
}

void ExpectSameBits(double expected, double actual, const char* what)
{
    EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof expected)) << what << ": " << expected << " vs " << actual;
}

void ExpectSameDerivedValues(const TSteelVertCylTank& expected, const TSteelVertCylTank& actual)
{
    ASSERT_EQ(expected.DetailCount(), actual.DetailCount());
    for (int i = 1; i <= expected.DetailCount(); ++i) {
        ExpectSameBits(expected.DetailVolume(i), actual.DetailVolume(i), "DetailVolume");
        EXPECT_EQ(expected.DetailIsArbitrary(i), actual.DetailIsArbitrary(i));
        ExpectSameBits(expected.DetailDiameter(i), actual.DetailDiameter(i), "DetailDiameter");
        ExpectSameBits(expected.DetailLength(i), actual.DetailLength(i), "DetailLength");
    }
    ExpectSameBits(expected.InternalDetailsVolume(), actual.InternalDetailsVolume(), "InternalDetailsVolume");
    ExpectSameBits(expected.DeadCavityCapacity(), actual.DeadCavityCapacity(), "DeadCavityCapacity");
    for (int g = 1; g <= expected.GirdleCount(); ++g)
        ExpectSameBits(expected.GirdleCapacity(g), actual.GirdleCapacity(g), "GirdleCapacity");
    ExpectSameBits(expected.VolumeAtLevel(), actual.VolumeAtLevel(), "VolumeAtLevel");
}

TEST(DetailList, AddingAtOnceGivesTheDoublesOfAddingOneByOne)
{
    test::RecordingReporter quiet;
    const std::vector<InternalDetail> details = MixedDetails(500);
    TSteelVertCylTank oneByOne = test::MakeRealisticTank();
    TSteelVertCylTank atOnce = oneByOne;
    oneByOne.SetModified(false);
    atOnce.SetModified(false);

    atOnce.AddDetails({});
    EXPECT_FALSE(atOnce.Modified()); // nothing added, nothing changed

    for (const InternalDetail& d : details)
        if (d.IsArbitrary)
            oneByOne.AddArbitraryDetail(d.Volume, d.Bottom, d.Top);
        else
            oneByOne.AddCylindricalDetail(d.Bottom, d.Top, d.Diameter, d.Length);
    atOnce.AddDetails(details);
    EXPECT_TRUE(atOnce.Modified());
    ExpectSameDerivedValues(oneByOne, atOnce); // before the full refresh, too
    EXPECT_EQ(0.0, atOnce.DetailDiameter(2));  // an arbitrary detail keeps no diameter
    oneByOne.UpdateAll();
    atOnce.UpdateAll();
    ExpectSameDerivedValues(oneByOne, atOnce);
}

TEST(DetailList, FileOpensToTheValuesItWasStoredWith)
{
    test::RecordingReporter quiet;
    TSteelVertCylTank tank = test::MakeRealisticTank();
    for (const InternalDetail& d : MixedDetails(300))
        if (d.IsArbitrary)
            tank.AddArbitraryDetail(d.Volume, d.Bottom, d.Top);
        else
            tank.AddCylindricalDetail(d.Bottom, d.Top, d.Diameter, d.Length);
    tank.UpdateAll();
    const LoadedTank loaded = ReadTank(WriteTank(tank, 1));
    ExpectSameDerivedValues(tank, loaded.tank);
    EXPECT_FALSE(loaded.tank.Modified());
}

TEST(DetailList, FileOfMoreDetailsThanATankHoldsIsRefusedByItsCount)
{
    test::RecordingReporter quiet;
    TSteelVertCylTank tank;
    std::vector<InternalDetail> details(kMaxInternalDetails);
    for (std::size_t i = 0; i < details.size(); ++i) {
        details[i].IsArbitrary = true;
        details[i].Volume = 1e-4;
        details[i].Bottom = static_cast<double>(i % 5000);
        details[i].Top = details[i].Bottom + 100;
    }
    tank.AddDetails(details);
    const LoadedTank largest = ReadTank(WriteTank(tank, 1));
    EXPECT_EQ(kMaxInternalDetails, largest.tank.DetailCount());

    tank.AddArbitraryDetail(1, 0, 10);
    try {
        ReadTank(WriteTank(tank, 1));
        FAIL() << "a file of " << tank.DetailCount() << " details was opened";
    } catch (const TankFileError& error) {
        EXPECT_STREQ("Число внутренних деталей в файле — 100 001, допускается не более 100 000.", error.what());
    }
}

} // namespace
} // namespace veloquin
