// The independently computed sample tanks: opening each must give their table
// text exactly and, stored again, their file byte for byte (the last bits of a
// computed cylinder volume excepted). Every value of each tank is compared by the
// tool's tests (tests/cli), which read the samples' JSON.

#include "CalibrationText.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace veloquin {
namespace {

const std::string kSamples = VELOQUIN_SAMPLES_DIR;

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The byte offsets the manifest allows to differ in a sample's resaved file.
std::set<std::size_t> InexactOffsets(const std::string& name)
{
    const std::string manifest = Slurp(kSamples + "/manifest.json");
    const std::size_t entry = manifest.find("\"name\": \"" + name + "\"");
    const std::size_t next = manifest.find("\"name\"", entry + 1);
    std::size_t list = manifest.find("\"resaved_inexact_float64_offsets\": [", entry);
    std::set<std::size_t> bytes;
    if (entry == std::string::npos || list == std::string::npos || list > next)
        return bytes;
    list = manifest.find('[', list) + 1;
    const std::size_t end = manifest.find(']', list);
    std::size_t value = 0;
    bool inNumber = false;
    for (std::size_t i = list; i <= end; ++i) {
        const char c = manifest[i];
        if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<std::size_t>(c - '0');
            inNumber = true;
        } else if (inNumber) {
            for (std::size_t k = 0; k < 8; ++k)
                bytes.insert(value + k);
            value = 0;
            inNumber = false;
        }
    }
    return bytes;
}

class SampleTank : public ::testing::TestWithParam<const char*>
{
protected:
    std::string PathOf(const char* suffix) const { return kSamples + "/" + GetParam() + suffix; }
};

TEST_P(SampleTank, TableTextMatches)
{
    test::ScopedDecimalSeparator comma(',');
    LoadedTank loaded = LoadTankFile(PathOf(".vlq"));
    std::string text;
    for (const std::string& line : CalibrationTableLines(loaded.tank))
        text += line + "\n";
    EXPECT_EQ(Slurp(PathOf(".table.comma.txt")), text);
    EXPECT_FALSE(loaded.tank.Modified());
}

TEST_P(SampleTank, ResaveGivesTheExpectedBytes)
{
    const LoadedTank loaded = LoadTankFile(PathOf(".vlq"));
    const std::string actual = WriteTank(loaded.tank, loaded.version);
    const std::string expected = Slurp(PathOf(".resaved.vlq"));
    ASSERT_EQ(expected.size(), actual.size());
    const std::set<std::size_t> inexact = InexactOffsets(GetParam());
    EXPECT_EQ(std::string(GetParam()) == "default", inexact.empty()); // the manifest was understood
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (actual[i] != expected[i] && inexact.count(i) == 0)
            ADD_FAILURE() << "byte " << i << " differs";
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleTank,
                         ::testing::Values("default", "sample_rvs400", "sample_rvs1000", "sample_rvs10000",
                                           "sample_rvs2000_staff"));

TEST(SampleTanks, StaffReadingsKeepTheStoredDeadCavity)
{
    const LoadedTank loaded = LoadTankFile(kSamples + "/sample_rvs2000_staff.vlq");
    EXPECT_GT(loaded.tank.BottomReading(8, 1), 1300);
    EXPECT_EQ(390.6, loaded.tank.DeadCavityHeight());
}

TEST(SampleTanks, CutSampleReadsBeyondTheEnd)
{
    try {
        LoadTankFile(kSamples + "/short_sample_rvs1000.vlq");
        FAIL() << "the cut sample loaded";
    } catch (const TankFileError& error) {
        EXPECT_STREQ("Read beyond end of file", error.what());
    }
}

} // namespace
} // namespace veloquin
