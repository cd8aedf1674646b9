#pragma once
// The settings file "Veloquin.ini": one table of keys (section, key, type,
// default, bounds) that every reader and writer of a single value takes its key
// from, and the structures the windows keep read and written through it. A
// refused write throws SettingsWriteError and the keys after it in that step
// are not written. The recent files ([RecentFiles]) and the uncertainty
// settings ([Uncertainty]) have tables of their own, read by the same rule.

#include "ProfileFile.h"

#include <string>

namespace veloquin {

// How a value is stored: a flag as "0" or "1", an integer as strict decimals,
// a float in the shortest form with the user's decimal separator (read with
// either).
enum class SettingType
{
    Flag,
    Integer,
    Float
};

// One key of the settings file. A value that is missing, does not convert to
// its type, or lies beyond [minValue, maxValue] (a float that is not finite
// among them) reads as defaultValue. A write stores the value as it is; an
// integer from elsewhere beyond its bounds is stored at the nearest bound.
struct SettingDescriptor
{
    const char* section;
    const char* key;
    SettingType type;
    double defaultValue;
    double minValue;
    double maxValue;
};

double ReadSetting(const ProfileFile& file, const SettingDescriptor& setting);
bool IsSettingValue(const SettingDescriptor& setting, double value);
void WriteSetting(ProfileFile& file, const SettingDescriptor& setting, double value);

// Every single-valued key the program keeps, in the order of the table.
enum class SettingKey
{
    Maximized,
    WindowWidth,
    WindowHeight,
    WindowTop,
    WindowLeft,
    PrinterDX,
    PrinterDY,
    PrinterXScale,
    PrinterYScale,
    InspectorTop,
    InspectorLeft,
    InspectorWidth,
    InspectorHeight,
    InspectorCol1Width,
    PrintCollate,
    Count
};
constexpr int kSettingKeyCount = static_cast<int>(SettingKey::Count);

const SettingDescriptor& DescriptorOf(SettingKey key);
double ReadSetting(const ProfileFile& file, SettingKey key);
void WriteSetting(ProfileFile& file, SettingKey key, double value);

struct MainWindowSettings
{
    bool maximized = false;
    int widthPx = 500;
    int heightPx = 120;
    int topPx = 0;
    int leftPx = 0;
};

// The four offsets and scale corrections the page geometry applies on paper.
struct PrinterCalibration
{
    double dXCalibr = 0;
    double dYCalibr = 0;
    double dXScal = 0;
    double dYScal = 0;
};

// What a printer can need, in mm: a shift of the whole page, and a correction
// of the printable width (210 - dXScal) or height (297 - dYScal), each within
// 5 cm. A value beyond (a hand-edited "1e300", a scale that leaves no printable
// area) is no calibration: the settings reader takes the default for it and the
// calibration command refuses it.
constexpr double kMaxPrinterCalibrationMm = 50;
bool IsPrinterCalibrationValue(double mm);
// mm itself, or ConvertError with the message the user sees.
double CheckedPrinterCalibrationValue(double mm);

struct InspectorSettings
{
    int topPx = 120;
    int leftPx = 0;
    int widthPx = 500;
    int heightPx = 300;
    int col1WidthPx = 120;
};

// A maximized window's size is neither read nor written: the stored size stays the
// one of the last run that ended in a normal window (and reads give the defaults).
MainWindowSettings ReadMainWindowSettings(const ProfileFile& file);
void WriteMainWindowSettings(ProfileFile& file, const MainWindowSettings& settings);

PrinterCalibration ReadPrinterCalibration(const ProfileFile& file);
void WritePrinterCalibration(ProfileFile& file, const PrinterCalibration& calibration);

InspectorSettings ReadInspectorSettings(const ProfileFile& file);
void WriteInspectorSettings(ProfileFile& file, const InspectorSettings& settings);

// "Veloquin.ini" in the given directory.
std::string SettingsFilePath(const std::string& directory);

// Where the program keeps its settings. A "Veloquin.ini" in the directory
// current at start-up is used where it is: a user who keeps one beside the tanks
// relies on it. Otherwise the file is the one in the user's configuration folder
// (made at the first write). The file a start from the desktop menu used to leave
// in the home folder is moved there once, when the configuration folder holds
// none yet; that is so even when the home folder is the start directory, since
// that is where the menu starts the program.
struct SettingsLocation
{
    std::string path;
    // The file moved to path at this start; empty when none was.
    std::string movedFrom;
};
SettingsLocation LocateSettingsFile(const std::string& startDirectory, const std::string& configDirectory,
                                    const std::string& homeDirectory);

} // namespace veloquin

namespace veloquin {

// Whether the inspector's caption-column width was ever written (a first start
// lets the column fit its captions instead of taking the default).
bool InspectorColumnWidthStored(const ProfileFile& file);

} // namespace veloquin
