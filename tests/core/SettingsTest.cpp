#include "Settings.h"
#include "GFunc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

using namespace veloquin;

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_separator = GetDecimalSeparator();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir =
            fs::temp_directory_path() / ("veloquin-settings-" + name + "-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        SetDecimalSeparator(m_separator);
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    std::string IniPath() const { return SettingsFilePath(m_dir.string()); }

    fs::path m_dir;

private:
    char m_separator = '.';
};

} // namespace

TEST_F(SettingsTest, FirstRunGivesTheDefaults)
{
    const ProfileFile ini(IniPath());
    const MainWindowSettings main = ReadMainWindowSettings(ini);
    EXPECT_FALSE(main.maximized);
    EXPECT_EQ(main.widthPx, 500);
    EXPECT_EQ(main.heightPx, 120);
    EXPECT_EQ(main.topPx, 0);
    EXPECT_EQ(main.leftPx, 0);

    const PrinterCalibration printer = ReadPrinterCalibration(ini);
    EXPECT_EQ(printer.dXCalibr, 0.0);
    EXPECT_EQ(printer.dYCalibr, 0.0);
    EXPECT_EQ(printer.dXScal, 0.0);
    EXPECT_EQ(printer.dYScal, 0.0);

    const InspectorSettings inspector = ReadInspectorSettings(ini);
    EXPECT_EQ(inspector.topPx, 120);
    EXPECT_EQ(inspector.leftPx, 0);
    EXPECT_EQ(inspector.widthPx, 500);
    EXPECT_EQ(inspector.heightPx, 440);
    EXPECT_EQ(inspector.col1WidthPx, 120);
    EXPECT_FALSE(fs::exists(IniPath()));
}

TEST_F(SettingsTest, MaximizedRunKeepsTheEarlierNormalSize)
{
    ProfileFile ini(IniPath());
    WriteMainWindowSettings(ini, {false, 640, 110, 20, 30});
    WriteMainWindowSettings(ini, {true, 1920, 1080, -4, -4});

    EXPECT_EQ(ini.ReadString("WindowState", "Maximized", ""), "1");
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowWidth", 0), 640);
    EXPECT_EQ(ini.ReadInteger("WindowState", "WindowHeight", 0), 110);

    const MainWindowSettings read = ReadMainWindowSettings(ini);
    EXPECT_TRUE(read.maximized);
    EXPECT_EQ(read.topPx, -4);
    EXPECT_EQ(read.leftPx, -4);

    WriteMainWindowSettings(ini, {false, 700, 100, 1, 2});
    const MainWindowSettings normal = ReadMainWindowSettings(ini);
    EXPECT_FALSE(normal.maximized);
    EXPECT_EQ(normal.widthPx, 700);
    EXPECT_EQ(normal.heightPx, 100);
    EXPECT_EQ(normal.topPx, 1);
    EXPECT_EQ(normal.leftPx, 2);
}

TEST_F(SettingsTest, PrinterCalibrationAndInspectorRoundTrip)
{
    SetDecimalSeparator(',');
    ProfileFile ini(IniPath());
    WritePrinterCalibration(ini, {1.5, -0.25, 0.1, 2});
    WriteInspectorSettings(ini, {10, 20, 600, 400, 150});

    const PrinterCalibration printer = ReadPrinterCalibration(ini);
    EXPECT_EQ(printer.dXCalibr, 1.5);
    EXPECT_EQ(printer.dYCalibr, -0.25);
    EXPECT_EQ(printer.dXScal, 0.1);
    EXPECT_EQ(printer.dYScal, 2.0);
    EXPECT_EQ(ini.ReadString("PrinterCalibr", "dXCalibr", ""), "1,5");

    const InspectorSettings inspector = ReadInspectorSettings(ini);
    EXPECT_EQ(inspector.topPx, 10);
    EXPECT_EQ(inspector.leftPx, 20);
    EXPECT_EQ(inspector.widthPx, 600);
    EXPECT_EQ(inspector.heightPx, 400);
    EXPECT_EQ(inspector.col1WidthPx, 150);
}

TEST_F(SettingsTest, HandEditedNonNumericCalibrationReadsAsZero)
{
    SetDecimalSeparator(',');
    std::ofstream(IniPath(), std::ios::binary) << "[PrinterCalibr]\r\ndXCalibr=abc\r\ndYCalibr=2,5\r\n";
    const PrinterCalibration printer = ReadPrinterCalibration(ProfileFile(IniPath()));
    EXPECT_EQ(printer.dXCalibr, 0.0);
    EXPECT_EQ(printer.dYCalibr, 2.5);
}

TEST_F(SettingsTest, RefusedWriteReachesTheCaller)
{
    const std::string blocker = (m_dir / "blocker").string();
    std::ofstream(blocker) << "x";
    ProfileFile ini(SettingsFilePath(blocker));
    try {
        WriteInspectorSettings(ini, {});
        FAIL() << "the write was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + QuotedPath(blocker + "/Veloquin.ini"));
    }
}

TEST(SettingsFilePath, PutsOneSeparatorBetweenDirectoryAndName)
{
    EXPECT_EQ(SettingsFilePath("/home/user"), "/home/user/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath("/home/user/"), "/home/user/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath("/"), "/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath(""), "Veloquin.ini");
}

namespace {

// A start folder, a home folder and a configuration folder of their own.
class SettingsLocationTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        for (const char* folder : {"start", "home"})
            fs::create_directories(m_dir / folder);
    }
    std::string Folder(const char* name) const { return (m_dir / name).string(); }
    std::string Config() const { return Folder("home/.config/Veloquin"); }
    SettingsLocation Locate(const std::string& start) const
    {
        return LocateSettingsFile(start, Config(), Folder("home"));
    }
    static void Write(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace

TEST_F(SettingsLocationTest, AFileInTheStartFolderIsKeptWhereItIs)
{
    Write(SettingsFilePath(Folder("start")), "[WindowState]\r\nWindowLeft=7\r\n");
    Write(SettingsFilePath(Folder("home")), "[WindowState]\r\nWindowLeft=9\r\n");
    const SettingsLocation location = Locate(Folder("start"));
    EXPECT_EQ(location.path, SettingsFilePath(Folder("start")));
    EXPECT_TRUE(location.movedFrom.empty());
    // The old file in the home folder waits for a start from elsewhere.
    EXPECT_TRUE(fs::exists(SettingsFilePath(Folder("home"))));
    EXPECT_FALSE(fs::exists(Config()));
}

TEST_F(SettingsLocationTest, WithoutOneTheConfigurationFolderHoldsItMadeAtTheFirstWrite)
{
    const SettingsLocation location = Locate(Folder("start"));
    EXPECT_EQ(location.path, Config() + "/Veloquin.ini");
    EXPECT_TRUE(location.movedFrom.empty());
    // Nothing is made before anything is written.
    EXPECT_FALSE(fs::exists(Config()));
    ProfileFile ini(location.path);
    WriteInspectorSettings(ini, {});
    EXPECT_EQ(ReadInspectorSettings(ProfileFile(location.path)).topPx, 120);
    EXPECT_FALSE(fs::exists(SettingsFilePath(Folder("start"))));
    // Without a configuration folder (no home known) the start folder holds it, as it always did.
    EXPECT_EQ(LocateSettingsFile(Folder("start"), "", "").path, SettingsFilePath(Folder("start")));
}

TEST_F(SettingsLocationTest, TheOldFileInTheHomeFolderIsMovedOnce)
{
    const std::string old = SettingsFilePath(Folder("home"));
    const std::string text = "[WindowState]\nWindowLeft=33\n; kept as it was\n";
    Write(old, text);
    for (const std::string& start : {Folder("home"), Folder("start")}) {
        SCOPED_TRACE(start);
        Write(old, text);
        fs::remove_all(Config());
        const SettingsLocation moved = Locate(start);
        EXPECT_EQ(moved.path, Config() + "/Veloquin.ini");
        EXPECT_EQ(moved.movedFrom, old);
        EXPECT_FALSE(fs::exists(old));
        EXPECT_EQ(Read(moved.path), text);

        // The next start finds it there; a file left in the home folder since is not moved over it.
        Write(old, "[WindowState]\nWindowLeft=1\n");
        const SettingsLocation again = Locate(start);
        EXPECT_EQ(again.path, moved.path);
        EXPECT_TRUE(again.movedFrom.empty());
        EXPECT_EQ(Read(moved.path), text);
        EXPECT_TRUE(fs::exists(old));
    }
}

TEST_F(SettingsLocationTest, AFileThatCannotBeMovedIsUsedWhereItIs)
{
    const std::string old = SettingsFilePath(Folder("home"));
    Write(old, "[WindowState]\nWindowLeft=33\n");
    // A regular file where the configuration folder's parent should be.
    Write(Folder("home/.config"), "x");
    const SettingsLocation location = Locate(Folder("start"));
    EXPECT_EQ(location.path, old);
    EXPECT_TRUE(location.movedFrom.empty());
    EXPECT_EQ(ReadMainWindowSettings(ProfileFile(old)).leftPx, 33);
}
