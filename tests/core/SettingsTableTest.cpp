// The settings file through its table of keys: the bytes every writer leaves
// (those of the paired readers and writers the table replaced), and each key's
// reading at its bounds, just beyond them and of text that is no value at all.

#include "GFunc.h"
#include "Settings.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "uncertainty/UncertaintySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace veloquin {
namespace {

using SettingsTable = test::TempFolder;

std::vector<SettingDescriptor> EveryKey()
{
    std::vector<SettingDescriptor> keys;
    for (int k = 0; k < kSettingKeyCount; ++k)
        keys.push_back(DescriptorOf(static_cast<SettingKey>(k)));
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        keys.push_back(UncertaintySetting(d.id));
    return keys;
}

// As the program wrote them before the table: the comma locale, a run that
// ended maximized after a normal one, a collated print, one uncertainty value
// changed.
const char* const kWrittenBefore = "[WindowState]\r\n"
                                   "Maximized=1\r\n"
                                   "WindowWidth=640\r\n"
                                   "WindowHeight=110\r\n"
                                   "WindowTop=-4\r\n"
                                   "WindowLeft=-4\r\n"
                                   "\r\n"
                                   "[PrinterCalibr]\r\n"
                                   "dXCalibr=1,5\r\n"
                                   "dYCalibr=-0,25\r\n"
                                   "dXScal=0,1\r\n"
                                   "dYScal=50\r\n"
                                   "\r\n"
                                   "[InspectorState]\r\n"
                                   "WindowTop=10\r\n"
                                   "WindowLeft=20\r\n"
                                   "WindowWidth=600\r\n"
                                   "WindowHeight=400\r\n"
                                   "Col1Width=150\r\n"
                                   "\r\n"
                                   "[Print]\r\n"
                                   "Collate=1\r\n"
                                   "\r\n"
                                   "[Uncertainty]\r\n"
                                   "tape_a0=0,3\r\n"
                                   "tape_a_per_m=0,15\r\n"
                                   "tension_rel_half=0,0000238095238095238\r\n"
                                   "temperature_rel_half=0,000023\r\n"
                                   "circ_reading=1\r\n"
                                   "weld_entry=0,5\r\n"
                                   "weld_table_frac_half=0,5\r\n"
                                   "thick_bias_half=0,1\r\n"
                                   "thick_girdle=0,1\r\n"
                                   "paint=0,05\r\n"
                                   "plumb=0,5\r\n"
                                   "height_outer=1\r\n"
                                   "overlap=1\r\n"
                                   "staff=1\r\n"
                                   "collimation_arcsec_half=20\r\n"
                                   "calib_fill=5\r\n"
                                   "calib_density=1\r\n"
                                   "stored_density_rel_half=0,02\r\n"
                                   "elastic_rel=0,1\r\n"
                                   "detail_volume_rel=0,1\r\n"
                                   "detail_position=5\r\n"
                                   "rounding_half=0,05\r\n"
                                   "plumb_scatter=0\r\n";

TEST_F(SettingsTable, EveryWriterLeavesTheBytesItAlwaysLeftAndReadsThemBack)
{
    test::ScopedDecimalSeparator comma(',');
    const std::string path = PathOf("Veloquin.ini");
    ProfileFile ini(path);
    WriteMainWindowSettings(ini, {false, 640, 110, -20, 30});
    WritePrinterCalibration(ini, {1.5, -0.25, 0.1, 50});
    WriteInspectorSettings(ini, {10, 20, 600, 400, 150});
    WriteMainWindowSettings(ini, {true, 1920, 1080, -4, -4});
    WriteSetting(ini, SettingKey::PrintCollate, 1);
    UncertaintySettings uncertainty;
    uncertainty[UncertaintyKey::Plumb] = 0.5;
    WriteUncertaintySettings(ini, uncertainty);
    EXPECT_EQ(ReadBytes(path), kWrittenBefore);

    // Under the point locale the same file reads the same.
    test::ScopedDecimalSeparator point('.');
    const PrinterCalibration printer = ReadPrinterCalibration(ini);
    EXPECT_EQ(printer.dYCalibr, -0.25);
    EXPECT_EQ(printer.dYScal, 50);
    const InspectorSettings inspector = ReadInspectorSettings(ini);
    EXPECT_EQ(inspector.heightPx, 400);
    EXPECT_EQ(inspector.col1WidthPx, 150);
    const MainWindowSettings window = ReadMainWindowSettings(ini);
    EXPECT_TRUE(window.maximized);
    EXPECT_EQ(window.leftPx, -4);
    EXPECT_EQ(window.widthPx, 500) << "a maximized window's size is not read";
    EXPECT_EQ(ReadSetting(ini, SettingKey::PrintCollate), 1);
    EXPECT_EQ(ReadUncertaintySettings(ini)[UncertaintyKey::Plumb], 0.5);
}

// A value just beyond a bound, as text: an integer one past it, a float a
// billionth of its size (or of 1) past it.
std::string Beyond(const SettingDescriptor& key, double bound, double direction)
{
    if (key.type == SettingType::Integer)
        return std::to_string(static_cast<long long>(bound) + static_cast<long long>(direction));
    return FloatToStr(bound + direction * std::max(std::fabs(bound), 1.0) * 1e-9);
}

TEST_F(SettingsTable, EachKeyReadsWithinItsBoundsAndItsDefaultBeyondThem)
{
    test::ScopedDecimalSeparator point('.');
    const std::string path = PathOf("Veloquin.ini");
    const ProfileFile ini(path);
    for (const SettingDescriptor& key : EveryKey()) {
        SCOPED_TRACE(std::string(key.section) + "/" + key.key);
        const auto readAs = [&](const std::string& value) {
            WriteBytes(path, "[" + std::string(key.section) + "]\n" + key.key + "=" + value + "\n");
            return ReadSetting(ini, key);
        };
        EXPECT_TRUE(IsSettingValue(key, key.defaultValue));
        EXPECT_EQ(readAs(""), key.defaultValue);
        for (const char* garbage : {"abc", "1x", "0x10", "nan", "inf", "-inf", "1e999"})
            EXPECT_EQ(readAs(garbage), key.defaultValue) << garbage;
        if (key.type == SettingType::Flag) {
            EXPECT_EQ(readAs("0"), 0);
            EXPECT_EQ(readAs("1"), 1);
            // Any other integer is a set flag, as it has always been.
            EXPECT_EQ(readAs("-7"), 1);
            EXPECT_EQ(readAs("0.5"), key.defaultValue);
            continue;
        }
        const std::string low = key.type == SettingType::Integer ? std::to_string(static_cast<long long>(key.minValue))
                                                                 : FloatToStr(key.minValue);
        const std::string high = key.type == SettingType::Integer
                                     ? std::to_string(static_cast<long long>(key.maxValue))
                                     : FloatToStr(key.maxValue);
        EXPECT_EQ(readAs(low), key.minValue);
        EXPECT_EQ(readAs(high), key.maxValue);
        EXPECT_EQ(readAs(Beyond(key, key.minValue, -1)), key.defaultValue) << Beyond(key, key.minValue, -1);
        EXPECT_EQ(readAs(Beyond(key, key.maxValue, +1)), key.defaultValue) << Beyond(key, key.maxValue, +1);
        const double inside = key.minValue + (key.maxValue - key.minValue) / 3;
        if (key.type == SettingType::Integer) {
            EXPECT_EQ(readAs("1.5"), key.defaultValue) << "an integer is strict decimals";
        } else {
            // Either decimal separator, whatever the locale.
            std::string comma = FloatToStr(inside);
            std::replace(comma.begin(), comma.end(), '.', ',');
            EXPECT_NEAR(readAs(comma), inside, std::fabs(inside) * 1e-14) << comma;
        }
    }
}

TEST_F(SettingsTable, EachKeyWrittenAtItsBoundsReadsBackExactly)
{
    test::ScopedDecimalSeparator comma(',');
    ProfileFile ini(PathOf("Veloquin.ini"));
    for (const SettingDescriptor& key : EveryKey()) {
        SCOPED_TRACE(std::string(key.section) + "/" + key.key);
        for (const double value : {key.minValue, key.maxValue}) {
            WriteSetting(ini, key, value);
            EXPECT_EQ(ReadSetting(ini, key), value);
        }
    }
    // An integer handed over from elsewhere beyond its bounds is stored at the
    // nearest, never overflowing its conversion.
    const SettingDescriptor& width = DescriptorOf(SettingKey::WindowWidth);
    WriteSetting(ini, width, 1e300);
    EXPECT_EQ(ReadSetting(ini, width), width.maxValue);
    WriteSetting(ini, width, std::nan(""));
    EXPECT_EQ(ReadSetting(ini, width), width.defaultValue);
}

} // namespace
} // namespace veloquin
