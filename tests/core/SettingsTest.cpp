#include "Settings.h"
#include "GFunc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + blocker + "/Veloquin.ini");
    }
}

TEST(SettingsFilePath, PutsOneSeparatorBetweenDirectoryAndName)
{
    EXPECT_EQ(SettingsFilePath("/home/user"), "/home/user/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath("/home/user/"), "/home/user/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath("/"), "/Veloquin.ini");
    EXPECT_EQ(SettingsFilePath(""), "Veloquin.ini");
}
