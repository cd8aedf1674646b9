// The settings file as a hand, another locale or another program may leave it:
// a long file stays readable and writable (never growing past what its own
// reader takes), a file beyond that is named as too large, numbers read with
// either separator, and the printer calibration stays within what a printer
// can need.

#include "GFunc.h"
#include "Settings.h"
#include "TempFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace veloquin {
namespace {

using SettingsLimits = test::TempFolder;

// What the program writes when it ends, with a calibration to find again.
void WriteAtExit(ProfileFile& ini)
{
    WriteMainWindowSettings(ini, {false, 640, 122, 10, 20});
    WritePrinterCalibration(ini, {1.5, -2, 0.25, 3});
    WriteInspectorSettings(ini, {});
}

TEST_F(SettingsLimits, LongFileWithLfLineEndsStaysReadableRunAfterRun)
{
    test::ScopedDecimalSeparator point('.');
    // 600 KB of LF lines: normalised to CR LF it used to pass the reader's limit,
    // after which every write was refused and every start used the defaults.
    std::string text = "; notes\n";
    while (text.size() < 600 * 1024)
        text += "; a line of notes someone kept here\n\n";
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, text);
    ProfileFile ini(path);
    for (int run = 0; run < 3; ++run) {
        ASSERT_NO_THROW(WriteAtExit(ini)) << "run " << run;
        const PrinterCalibration read = ReadPrinterCalibration(ini);
        EXPECT_EQ(1.5, read.dXCalibr);
        EXPECT_EQ(3, read.dYScal);
        EXPECT_EQ(640, ReadMainWindowSettings(ini).widthPx);
    }
    const std::string after = ReadBytes(path);
    EXPECT_LT(after.size(), text.size() + 400);
    EXPECT_EQ(after.compare(0, text.size(), text), 0) << "the notes stay as they were";
    EXPECT_EQ(after.find('\r'), std::string::npos);
}

TEST_F(SettingsLimits, TooLargeIsNamedAndNeverWrittenPastTheLimit)
{
    const std::string path = PathOf("Veloquin.ini");
    const auto messageOf = [](ProfileFile& ini) {
        try {
            ini.WriteInteger("WindowState", "WindowTop", 5);
        } catch (const SettingsWriteError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    const std::string tooLarge = "Файл настроек " + QuotedPath(path) + " больше 1 МБ";

    // A write that would take the file past the limit leaves it as it was, readable.
    std::string text = "[WindowState]\r\nWindowLeft=7\r\n";
    text += std::string(kMaxProfileFileBytes - text.size() - 10, ';');
    WriteBytes(path, text);
    ProfileFile ini(path);
    EXPECT_EQ(messageOf(ini).rfind(tooLarge, 0), 0u) << messageOf(ini);
    EXPECT_EQ(ReadBytes(path), text);
    EXPECT_EQ(7, ini.ReadInteger("WindowState", "WindowLeft", 0));
    // Changing a value that is there still works at the very limit.
    EXPECT_NO_THROW(ini.WriteInteger("WindowState", "WindowLeft", 8));
    EXPECT_EQ(8, ini.ReadInteger("WindowState", "WindowLeft", 0));

    // A file beyond the limit is not read, and a write says why.
    WriteBytes(path, text + std::string(100, ';'));
    EXPECT_EQ(0, ini.ReadInteger("WindowState", "WindowLeft", 0));
    EXPECT_EQ(messageOf(ini).rfind(tooLarge, 0), 0u) << messageOf(ini);

    // Anything else refused keeps the usual message.
    const std::string folder = PathOf("folder.ini");
    std::filesystem::create_directory(folder);
    ProfileFile notAFile(folder);
    EXPECT_EQ(messageOf(notAFile), "Unable to write to " + QuotedPath(folder));
}

TEST_F(SettingsLimits, NumbersReadWithEitherSeparator)
{
    const std::string path = PathOf("Veloquin.ini");
    WriteBytes(path, "[PrinterCalibr]\r\ndXCalibr=5,5\r\ndYCalibr=-0.25\r\ndXScal=1.000,5\r\ndYScal=2,5,\r\n");
    const ProfileFile ini(path);
    for (const char separator : {'.', ','}) {
        test::ScopedDecimalSeparator scoped(separator);
        EXPECT_EQ(5.5, ini.ReadFloat("PrinterCalibr", "dXCalibr", 0)) << separator;
        EXPECT_EQ(-0.25, ini.ReadFloat("PrinterCalibr", "dYCalibr", 0)) << separator;
        // Both separators, or one too many, is no number in either locale.
        EXPECT_EQ(-1, ini.ReadFloat("PrinterCalibr", "dXScal", -1)) << separator;
        EXPECT_EQ(-1, ini.ReadFloat("PrinterCalibr", "dYScal", -1)) << separator;
    }
    // What a comma locale wrote survives a run under a point locale.
    ProfileFile writable(path);
    test::ScopedDecimalSeparator point('.');
    WritePrinterCalibration(writable, ReadPrinterCalibration(writable));
    EXPECT_EQ(5.5, ReadPrinterCalibration(writable).dXCalibr);
}

TEST_F(SettingsLimits, PrinterCalibrationStaysWithinWhatAPrinterNeeds)
{
    test::ScopedDecimalSeparator point('.');
    const std::string path = PathOf("Veloquin.ini");
    const auto readWith = [&](const std::string& value) {
        WriteBytes(path, "[PrinterCalibr]\ndXCalibr=" + value + "\ndYCalibr=" + value + "\ndXScal=" + value +
                             "\ndYScal=" + value + "\n");
        return ReadPrinterCalibration(ProfileFile(path));
    };
    for (const char* value : {"50", "-50", "0.5", "-12.25"}) {
        const PrinterCalibration c = readWith(value);
        const double expected = StrToFloat(value);
        EXPECT_EQ(expected, c.dXCalibr) << value;
        EXPECT_EQ(expected, c.dYScal) << value;
    }
    // Beyond the range: the default, as for any value that is no calibration.
    for (const char* value : {"1e300", "-1e300", "210.00001", "209.99999", "297", "50.001", "-50.001"}) {
        const PrinterCalibration c = readWith(value);
        EXPECT_EQ(0, c.dXCalibr) << value;
        EXPECT_EQ(0, c.dYCalibr) << value;
        EXPECT_EQ(0, c.dXScal) << value;
        EXPECT_EQ(0, c.dYScal) << value;
    }

    // The calibration command takes the same range, and names it when refusing.
    EXPECT_EQ(-50, CheckedPrinterCalibrationValue(-50));
    EXPECT_EQ(12.5, CheckedPrinterCalibrationValue(12.5));
    try {
        CheckedPrinterCalibrationValue(209.99999);
        ADD_FAILURE() << "accepted";
    } catch (const ConvertError& error) {
        EXPECT_STREQ("Поправка принтера 209.99999 мм вне допустимых пределов: от -50 до 50 мм.", error.what());
    }
}

} // namespace
} // namespace veloquin
