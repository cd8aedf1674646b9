// Opening a file and saving it again must give the tank that was saved: after one
// open and save, every further open and save gives the same bytes and the same
// calibration table. The clamps the reader passes values through (dead cavity,
// design fill height, given level) are where a tank used to change at every save.

#include "CalibrationText.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace veloquin {
namespace {

namespace fs = std::filesystem;

// Offsets of float64 fields in the file of a new tank (8 girdles, 12 generatrices,
// no weld corrections, no details).
constexpr std::size_t kGirdleHeightOuterOffset = 122 + 21 * 12 * 8;
constexpr std::size_t kDeadCavityOffset = kGirdleHeightOuterOffset + 3 * 8 * 8 + 3 * 8;
constexpr std::size_t kDesignFillOffset = kDeadCavityOffset + 8;
constexpr std::size_t kGivenLevelOffset = kDesignFillOffset + 8;
constexpr std::size_t kBottomReadingsOffset = kGivenLevelOffset + 8 + 4 + 2 * 8;
constexpr std::size_t kWallReadingOffset = kBottomReadingsOffset + 7 * 8 * 8; // circle 8, radius 1
constexpr std::size_t kPointPlumbOffset = kBottomReadingsOffset + 64 * 8 + 8;

void PutDouble(std::string& image, std::size_t offset, double value)
{
    std::memcpy(&image[offset], &value, sizeof value);
}

double GetDouble(const std::string& image, std::size_t offset)
{
    double value = 0;
    std::memcpy(&value, &image[offset], sizeof value);
    return value;
}

std::string Resaved(const std::string& image)
{
    const LoadedTank loaded = ReadTank(image);
    return WriteTank(loaded.tank, loaded.version);
}

// The table as the text window shows it, or the refusal.
std::string TableOf(const std::string& image)
{
    LoadedTank loaded = ReadTank(image);
    try {
        return CalibrationTableText(loaded.tank, "\n");
    } catch (const TableTooLongError& error) {
        return error.what();
    }
}

// Open, save, open, save: the two saved files and the two tables agree.
void ExpectStableUnderResave(const std::string& image, const std::string& what)
{
    const std::string once = Resaved(image);
    const std::string twice = Resaved(once);
    EXPECT_TRUE(once == twice) << what << ": the second save differs from the first";
    EXPECT_EQ(TableOf(image), TableOf(once)) << what;
}

std::string NewTankImage()
{
    return WriteTank(TSteelVertCylTank(), 1);
}

TEST(ResaveStability, OffsetsOfTheNewTankFile)
{
    // Guards the offsets above: a new tank's values sit where the tests put theirs.
    const std::string image = NewTankImage();
    EXPECT_EQ(800, GetDouble(image, kGirdleHeightOuterOffset));
    EXPECT_EQ(200, GetDouble(image, kDeadCavityOffset));
    EXPECT_EQ(6000, GetDouble(image, kDesignFillOffset));
    EXPECT_EQ(500, GetDouble(image, kGivenLevelOffset));
    EXPECT_EQ(0, GetDouble(image, kPointPlumbOffset));
    EXPECT_EQ(0, GetDouble(image, kWallReadingOffset));
}

TEST(ResaveStability, TouchPointAboveGirdleOneKeepsOneDeadCavity)
{
    test::RecordingReporter quiet;
    // The bottom reading at the wall 3000 mm: the touch point lies above girdle 1
    // (800 mm). The dead cavity used to go 3000, 800, 3000... at every save; it
    // reaches up to the touch point, whatever was stored.
    for (const double stored : {200.0, 800.0, 3000.0, 5000.0, -5.0}) {
        std::string image = NewTankImage();
        PutDouble(image, kWallReadingOffset, 3000);
        PutDouble(image, kDeadCavityOffset, stored);
        ExpectStableUnderResave(image, "dead cavity " + std::to_string(stored));
        EXPECT_EQ(3000, ReadTank(image).tank.DeadCavityHeight()) << stored;
        EXPECT_EQ(3000, ReadTank(Resaved(image)).tank.DeadCavityHeight()) << stored;
    }
    // The table runs from the touch point (3000 mm) to the design fill height.
    LoadedTank loaded = ReadTank(NewTankImage());
    loaded.tank.SetBottomReading(8, 1, 3000);
    EXPECT_EQ(301, CalibrationTableLineCount(loaded.tank));
}

TEST(ResaveStability, CrossedBoundsGiveOneValue)
{
    test::RecordingReporter quiet;
    // A height below the bottom under a touch point 30 mm up: the touch point.
    {
        std::string image = NewTankImage();
        PutDouble(image, kWallReadingOffset, 30);
        PutDouble(image, kDeadCavityOffset, -5);
        ExpectStableUnderResave(image, "dead cavity below the bottom");
        EXPECT_EQ(30, ReadTank(image).tank.DeadCavityHeight());
    }
    // A top girdle of negative height puts its top below its bottom: the design
    // fill height sits at its bottom whatever was stored.
    for (const double stored : {0.0, 5000.0, 5600.0, 9000.0}) {
        std::string image = NewTankImage();
        PutDouble(image, kGirdleHeightOuterOffset + 7 * 8, -2000);
        PutDouble(image, kDesignFillOffset, stored);
        ExpectStableUnderResave(image, "design fill " + std::to_string(stored));
        EXPECT_EQ(5600, ReadTank(image).tank.DesignFillHeight()) << stored;
    }
    // A top girdle of no numeric height: no fill height, whatever was stored (it
    // used to be the top girdle's bottom, and no number at the next open).
    for (const double stored : {0.0, 5600.0, 9000.0}) {
        std::string image = NewTankImage();
        PutDouble(image, kGirdleHeightOuterOffset + 7 * 8, std::numeric_limits<double>::quiet_NaN());
        PutDouble(image, kDesignFillOffset, stored);
        ExpectStableUnderResave(image, "design fill under a NaN girdle " + std::to_string(stored));
        EXPECT_TRUE(std::isnan(ReadTank(image).tank.DesignFillHeight())) << stored;
    }
    // A girdle of negative height below the dead cavity brings the design fill
    // height under it: the given level stays at the fill height, which the
    // volume reports, instead of trading places with the dead cavity.
    for (const double stored : {0.0, 200.0, 700.0, 1e9}) {
        std::string image = NewTankImage();
        PutDouble(image, kGirdleHeightOuterOffset + 8, -5000);
        PutDouble(image, kDeadCavityOffset, 700);
        PutDouble(image, kGivenLevelOffset, stored);
        ExpectStableUnderResave(image, "given level " + std::to_string(stored));
        const LoadedTank loaded = ReadTank(image);
        ASSERT_GT(loaded.tank.DeadCavityHeight(), loaded.tank.DesignFillHeight());
        EXPECT_EQ(loaded.tank.DesignFillHeight(), loaded.tank.GivenLevel()) << stored;
    }
    // Reading says nothing of it: whoever opens the tank names the empty table once.
    EXPECT_TRUE(quiet.Messages().empty());
}

TEST(ResaveStability, ClampsKeepTheirOwnResultInMemory)
{
    // What the window holds is what a save and an open give back.
    TSteelVertCylTank tank;
    tank.SetBottomReading(8, 1, 3000);
    for (const double asked : {3000.0, 100.0, 800.0, 5000.0}) {
        tank.SetDeadCavityHeight(asked);
        EXPECT_EQ(3000, tank.DeadCavityHeight()) << asked;
    }
    tank.SetBottomReading(8, 1, 3000); // the same reading re-applies the clamp
    EXPECT_EQ(3000, tank.DeadCavityHeight());

    TSteelVertCylTank low;
    low.SetBottomReading(8, 1, 30);
    low.SetDeadCavityHeight(-5);
    EXPECT_EQ(30, low.DeadCavityHeight());
    EXPECT_EQ(low.DeadCavityHeight(), ReadTank(WriteTank(low, 1)).tank.DeadCavityHeight());
}

TEST(ResaveStability, NonFiniteValuesStayAsStored)
{
    test::RecordingReporter quiet;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const std::size_t offset : {kGirdleHeightOuterOffset, kDeadCavityOffset, kDesignFillOffset,
                                     kGivenLevelOffset, kWallReadingOffset, kPointPlumbOffset})
        for (const double value : {nan, inf, -inf, 1e308, -1e308}) {
            std::string image = NewTankImage();
            PutDouble(image, offset, value);
            ExpectStableUnderResave(image, "offset " + std::to_string(offset) + " = " + std::to_string(value));
        }
}

TEST(ResaveStability, SamplesAndFuzzFindingsAreStable)
{
    test::RecordingReporter quiet;
    std::size_t checked = 0;
    for (const fs::path& dir : {fs::path(VELOQUIN_SAMPLES_DIR), fs::path(VELOQUIN_TEST_DATA_DIR) / "fuzz-regressions"}) {
        ASSERT_TRUE(fs::is_directory(dir)) << dir;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (dir.filename() == "samples" && entry.path().extension() != ".vlq")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            try {
                ReadTank(bytes);
            } catch (const TankFileError&) {
                continue;
            }
            ExpectStableUnderResave(bytes, entry.path().string());
            ++checked;
        }
    }
    EXPECT_GE(checked, 10u);
}

} // namespace
} // namespace veloquin
