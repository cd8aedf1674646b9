#include "uncertainty/UncertaintySettings.h"
#include "GFunc.h"
#include "ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace veloquin;
namespace fs = std::filesystem;

namespace {

class UncertaintySettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("veloquin-unc-settings-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string Path() const { return (m_dir / "Veloquin.ini").string(); }

    fs::path m_dir;
};

} // namespace

TEST_F(UncertaintySettingsTest, EveryKeyRoundTripsAndOtherSectionsStay)
{
    {
        std::ofstream out(Path());
        out << "[WindowState]\r\nMaximized=1\r\n";
    }
    ProfileFile file(Path());
    EXPECT_EQ(ReadUncertaintySettings(file), UncertaintySettings());

    UncertaintySettings changed;
    int k = 0;
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        changed[d.id] = d.minValue + (d.maxValue - d.minValue) / (3 + k++);
    changed[UncertaintyKey::Staff] = 0; // switched off
    WriteUncertaintySettings(file, changed);
    const UncertaintySettings read = ReadUncertaintySettings(file);
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        EXPECT_NEAR(read[d.id], changed[d.id], std::fabs(changed[d.id]) * 1e-14) << d.key;
    EXPECT_EQ(read[UncertaintyKey::Staff], 0);
    EXPECT_TRUE(file.ReadBool("WindowState", "Maximized", false));
    EXPECT_EQ(file.ReadString(kUncertaintySection, "tape_a0", ""),
              file.ReadString(kUncertaintySection, "TAPE_A0", "x"));

    // Written and read again, the defaults stay the defaults (to 15 digits).
    WriteUncertaintySettings(file, UncertaintySettings());
    const UncertaintySettings defaults = ReadUncertaintySettings(file);
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        EXPECT_NEAR(defaults[d.id], d.defaultValue, d.defaultValue * 1e-14) << d.key;
}

TEST_F(UncertaintySettingsTest, AValueOutsideItsBoundsOrNotANumberGivesTheDefault)
{
    {
        std::ofstream out(Path());
        out << "[Uncertainty]\nstaff=-1\nplumb=abc\npaint=1e300\ncalib_fill=7,5\nelastic_rel=nan\n";
    }
    const UncertaintySettings read = ReadUncertaintySettings(ProfileFile(Path()));
    const UncertaintySettings defaults;
    EXPECT_EQ(read[UncertaintyKey::Staff], defaults[UncertaintyKey::Staff]);
    EXPECT_EQ(read[UncertaintyKey::Plumb], defaults[UncertaintyKey::Plumb]);
    EXPECT_EQ(read[UncertaintyKey::Paint], defaults[UncertaintyKey::Paint]);
    EXPECT_EQ(read[UncertaintyKey::CalibFill], 7.5);
    EXPECT_EQ(read[UncertaintyKey::ElasticRel], defaults[UncertaintyKey::ElasticRel]);
    EXPECT_THROW(CheckedUncertaintyValue(UncertaintyKey::Staff, -1), ConvertError);
    EXPECT_EQ(CheckedUncertaintyValue(UncertaintyKey::Staff, 0), 0);
}

TEST(UncertaintyKeys, EveryKeyIsDescribedOnceAndFoundByName)
{
    for (int k = 0; k < kUncertaintyKeyCount; ++k) {
        const auto key = static_cast<UncertaintyKey>(k);
        const UncertaintyKeyDescriptor& d = DescriptorOf(key);
        EXPECT_EQ(d.id, key);
        EXPECT_EQ(UncertaintyKeyNamed(d.key), key) << d.key;
        EXPECT_TRUE(IsUncertaintyValue(key, d.defaultValue)) << d.key;
        EXPECT_STRNE(d.meaning, "");
        EXPECT_STRNE(d.source, "");
    }
    EXPECT_FALSE(UncertaintyKeyNamed("tape"));
    EXPECT_EQ(UncertaintyKeyNamed("Plumb_Scatter"), UncertaintyKey::PlumbScatter);
}
