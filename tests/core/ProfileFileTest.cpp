#include "ProfileFile.h"
#include "export/GaugeTableSettings.h"
#include "GFunc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace veloquin;

namespace fs = std::filesystem;

namespace {

// A fresh directory per test (other builds may run the same tests at once) and
// the decimal separator put back afterwards.
class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_separator = GetDecimalSeparator();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir = fs::temp_directory_path() / ("veloquin-" + name + "-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        SetDecimalSeparator(m_separator);
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_dir;

private:
    char m_separator = '.';
};

} // namespace

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading)
{
    const ProfileFile ini(PathOf("Veloquin.ini"));
    EXPECT_EQ(ini.ReadString("WindowState", "Caption", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowWidth", 500), 500);
    EXPECT_TRUE(ini.ReadBool("WindowState", "Maximized", true));
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dXCalibr", 1.25), 1.25);
    EXPECT_FALSE(fs::exists(ini.Path()));
    EXPECT_EQ(ProfileFile(m_dir.string()).ReadInteger("WindowState", "WindowTop", 7), 7); // a directory
}

TEST_F(ProfileFileTest, HandWrittenFileWithCrLfAndCommaValues)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, "; printer offsets\r\n"
                     "[printercalibr]\r\n"
                     "  DXCALIBR =  1,5  \r\n"
                     "dYCalibr=abc\r\n"
                     "dXScal=\r\n"
                     "dXCalibr=7\r\n" // a later duplicate is never seen
                     "\r\n"
                     "[WindowState]\r\n"
                     "Maximized=1\r\n"
                     "WindowWidth=12a\r\n"
                     "WindowHeight= -40\r\n"
                     "[PrinterCalibr]\r\n"
                     "dYScal=3\r\n");
    const ProfileFile ini(path);

    SetDecimalSeparator(',');
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dXCalibr", 0), 1.5);
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dYCalibr", 0), 0.0);
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dXScal", -1), -1.0); // empty is not a number
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dYScal", -1), -1.0); // only the first section counts
    EXPECT_EQ(ini.ReadString("PRINTERCALIBR", "dxcalibr", ""), "1,5");
    EXPECT_TRUE(ini.ReadBool("windowstate", "maximized", false));
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowWidth", 500), 500);
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowHeight", 120), -40);
    EXPECT_EQ(ini.ReadInteger("WindowState", "dXCalibr", 9), 9); // keys belong to their section

    // Written under a comma locale, read under a point one: the same number.
    SetDecimalSeparator('.');
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dXCalibr", 0), 1.5);
}

TEST_F(ProfileFileTest, LfLineEndsAndCommentsAreNotKeys)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, "[InspectorState]\n;Col1Width=300\nCol1Width = 150\nWindowTop=5");
    const ProfileFile ini(path);
    EXPECT_EQ(ini.ReadInteger("InspectorState", "Col1Width", 120), 150);
    EXPECT_EQ(ini.ReadInteger("InspectorState", "WindowTop", 120), 5);
}

TEST_F(ProfileFileTest, FirstWriteCreatesTheFileWithCrLf)
{
    SetDecimalSeparator(',');
    ProfileFile ini(PathOf("Veloquin.ini"));
    ini.WriteBool("WindowState", "Maximized", true);
    ini.WriteInteger("WindowState", "WindowTop", -8);
    ini.WriteFloat("PrinterCalibr", "dXCalibr", 1.5);
    EXPECT_EQ(ReadBytes(ini.Path()), "[WindowState]\r\nMaximized=1\r\nWindowTop=-8\r\n\r\n"
                                     "[PrinterCalibr]\r\ndXCalibr=1,5\r\n");
    EXPECT_EQ(ini.ReadFloat("PrinterCalibr", "dXCalibr", 0), 1.5);
    EXPECT_FALSE(fs::exists(ini.Path() + ".tmp"));
}

TEST_F(ProfileFileTest, WritesKeepUnrelatedLinesAndComments)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, "; kept\n[WindowState]\nmaximized = 1\nOther=x y\n\n[PrinterCalibr]\ndXCalibr=2\n");
    ProfileFile ini(path);
    ini.WriteBool("WindowState", "Maximized", false);
    ini.WriteInteger("WindowState", "WindowLeft", 30);
    ini.WriteString("Extra", "Note", "a\r\n[WindowState]");
    // The file's own LF line ends stay, and the lines written take them too.
    EXPECT_EQ(ReadBytes(path), "; kept\n[WindowState]\nMaximized=0\nOther=x y\nWindowLeft=30\n\n"
                               "[PrinterCalibr]\ndXCalibr=2\n\n[Extra]\nNote=a  [WindowState]\n");
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowLeft", 0), 30);
    EXPECT_FALSE(ini.ReadBool("WindowState", "Maximized", true));
}

TEST_F(ProfileFileTest, RefusedWritesNameTheFileAndLeaveItAlone)
{
    // A parent that is a regular file: refused even for root.
    const std::string blocker = PathOf("blocker");
    WriteBytes(blocker, "x");
    ProfileFile under(blocker + "/Veloquin.ini");
    try {
        under.WriteInteger("WindowState", "WindowTop", 1);
        FAIL() << "the write was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + QuotedPath(blocker + "/Veloquin.ini"));
    }

    // A file without write permission is read-only here as it is for the user.
    const std::string readOnly = PathOf("ReadOnly.ini");
    WriteBytes(readOnly, "[WindowState]\r\nWindowTop=4\r\n");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ProfileFile locked(readOnly);
    EXPECT_THROW(locked.WriteInteger("WindowState", "WindowTop", 5), SettingsWriteError);
    EXPECT_EQ(locked.ReadInteger("WindowState", "WindowTop", 0), 4);

    ProfileFile directory(m_dir.string());
    EXPECT_THROW(directory.WriteBool("WindowState", "Maximized", true), SettingsWriteError);
}

TEST_F(ProfileFileTest, RewriteKeepsTheFilesPermissions)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, "[WindowState]\r\n");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, perms);
    ProfileFile ini(path);
    ini.WriteInteger("WindowState", "WindowTop", 1);
    EXPECT_EQ(fs::status(path).permissions(), perms);
}

TEST_F(ProfileFileTest, StaleTemporaryLinkIsNotFollowed)
{
    const std::string path = PathOf("Veloquin.ini");
    const std::string victim = PathOf("victim.txt");
    WriteBytes(victim, "untouched");
    fs::create_symlink(victim, path + ".tmp");
    ProfileFile ini(path);
    ini.WriteInteger("WindowState", "WindowTop", 3);
    EXPECT_EQ(ReadBytes(victim), "untouched");
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowTop", 0), 3);
}

TEST_F(ProfileFileTest, LinkedFileIsReadButNeverWritten)
{
    // A settings file in a shared folder may be a link someone planted to any
    // file the user owns: rewriting it would wreck that file at every exit.
    const std::string real = PathOf("real.txt");
    const std::string original = "[WindowState]\nWindowTop=4\n";
    WriteBytes(real, original);
    const std::string link = PathOf("Veloquin.ini");
    fs::create_symlink(real, link);
    ProfileFile ini(link);
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowTop", 0), 4);
    try {
        ini.WriteInteger("WindowState", "WindowTop", 3);
        FAIL() << "the write was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + QuotedPath(link));
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), original);

    // A second name of the same file is a link too.
    fs::remove(link);
    fs::create_hard_link(real, link);
    EXPECT_THROW(ProfileFile(link).WriteInteger("WindowState", "WindowTop", 3), SettingsWriteError);
    EXPECT_EQ(ReadBytes(real), original);
}

TEST_F(ProfileFileTest, PipeOrOversizedFileGivesDefaultsAndIsNeverWritten)
{
    const std::string path = PathOf("Veloquin.ini");
    ASSERT_EQ(0, ::mkfifo(path.c_str(), 0666));
    ::alarm(20); // a blocking open of a pipe without a writer would never return
    ProfileFile pipe(path);
    EXPECT_EQ(pipe.ReadInteger("WindowState", "WindowTop", 7), 7);
    EXPECT_THROW(pipe.WriteInteger("WindowState", "WindowTop", 3), SettingsWriteError);
    ::alarm(0);
    EXPECT_TRUE(fs::is_fifo(path));

    // Too long to be a settings file: not read, so not rewritten from what was not seen.
    fs::remove(path);
    const std::string text = "[WindowState]\r\nWindowTop=4\r\n" + std::string(kMaxProfileFileBytes, ';');
    WriteBytes(path, text);
    ProfileFile huge(path);
    EXPECT_EQ(huge.ReadInteger("WindowState", "WindowTop", 7), 7);
    EXPECT_THROW(huge.WriteInteger("WindowState", "WindowTop", 3), SettingsWriteError);
    EXPECT_EQ(ReadBytes(path), text);
}

TEST_F(ProfileFileTest, UsersOwnTemporaryFileIsNeverTouched)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path + ".tmp", "mine");
    ProfileFile ini(path);
    for (int i = 0; i < 5; ++i)
        ini.WriteInteger("WindowState", "WindowTop", i);
    EXPECT_EQ(ReadBytes(path + ".tmp"), "mine");
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowTop", 0), 4);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Veloquin.ini", "Veloquin.ini.tmp"}));
}

TEST(ProfileText, WrittenKeyReadsBackAndNoOtherKeyChangesInAnyKeptFinding)
{
    // Every settings text the fuzzer ever found troublesome, and a few odd ones.
    const fs::path dir = fs::path(VELOQUIN_TEST_DATA_DIR) / "settings-fuzz-regressions";
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    const std::pair<const char*, const char*> keys[] = {
        {"WindowState", "Maximized"},  {"WindowState", "WindowTop"},    {"windowstate", "windowtop"},
        {"PrinterCalibr", "dXCalibr"}, {"InspectorState", "Col1Width"}, {"InspectorState", "WindowLeft"},
    };
    int texts = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ++texts;
        for (const auto& [section, key] : keys) {
            const std::string after = WithProfileValue(text, section, key, "\t7 \r\n[x]=8 ");
            EXPECT_EQ(ProfileValue(after, section, key), "7   [x]=8") << entry.path() << " " << section << "/" << key;
            for (const auto& [otherSection, otherKey] : keys) {
                const bool same = strcasecmp(section, otherSection) == 0 && strcasecmp(key, otherKey) == 0;
                if (!same) {
                    EXPECT_EQ(ProfileValue(after, otherSection, otherKey), ProfileValue(text, otherSection, otherKey))
                        << entry.path() << " " << otherSection << "/" << otherKey << " after " << key;
                }
            }
        }
    }
    EXPECT_GT(texts, 0);
}

// The gauge table's layout comes back as written; a hand-edited value the
// program does not know reads as the default, never as another unit.
TEST_F(ProfileFileTest, GaugeTableLayoutRoundTripsAndUnknownValuesReadAsDefaults)
{
    const std::string path = PathOf("Veloquin.ini");
    {
        ProfileFile ini(path);
        WriteGaugeTableLayout(ini, {GaugeLevelUnit::Centimetre, GaugeVolumeUnit::Litre, ',', true});
    }
    const GaugeTableLayout back = ReadGaugeTableLayout(ProfileFile(path));
    EXPECT_EQ(GaugeLevelUnit::Centimetre, back.levelUnit);
    EXPECT_EQ(GaugeVolumeUnit::Litre, back.volumeUnit);
    EXPECT_EQ(std::optional<char>(','), back.decimalSeparator);
    EXPECT_TRUE(back.touchPointRow);

    WriteBytes(path, "[GaugeTable]\nLevelUnit=km\nVolumeUnit=\nDecimalSeparator=;\nTouchPointRow=yes\n");
    const GaugeTableLayout edited = ReadGaugeTableLayout(ProfileFile(path));
    EXPECT_EQ(GaugeLevelUnit::Millimetre, edited.levelUnit);
    EXPECT_EQ(GaugeVolumeUnit::CubicMetre, edited.volumeUnit);
    EXPECT_FALSE(edited.decimalSeparator);
    EXPECT_FALSE(edited.touchPointRow);
}
