#include "Settings.h"

#include "GFunc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <filesystem>
#include <system_error>

namespace veloquin {
namespace {

using K = SettingKey;
using T = SettingType;

constexpr const char* kWindowState = "WindowState";
constexpr const char* kPrinterCalibr = "PrinterCalibr";
constexpr const char* kInspectorState = "InspectorState";
constexpr const char* kPrint = "Print";

// Window positions are screen coordinates a window manager may put anywhere
// (a second screen left of the first is negative): the app fits them to the
// screens, so the file takes any integer.
constexpr double kAnyInt = std::numeric_limits<int>::max();
constexpr double kMm = kMaxPrinterCalibrationMm;

struct KeyedDescriptor
{
    SettingKey id;
    SettingDescriptor setting;
};

// One line per key, in the order of SettingKey.
constexpr std::array<KeyedDescriptor, kSettingKeyCount> kSettings = {{
    {K::Maximized, {kWindowState, "Maximized", T::Flag, 0, 0, 1}},
    {K::WindowWidth, {kWindowState, "WindowWidth", T::Integer, 500, -kAnyInt - 1, kAnyInt}},
    {K::WindowHeight, {kWindowState, "WindowHeight", T::Integer, 120, -kAnyInt - 1, kAnyInt}},
    {K::WindowTop, {kWindowState, "WindowTop", T::Integer, 0, -kAnyInt - 1, kAnyInt}},
    {K::WindowLeft, {kWindowState, "WindowLeft", T::Integer, 0, -kAnyInt - 1, kAnyInt}},
    {K::PrinterDX, {kPrinterCalibr, "dXCalibr", T::Float, 0, -kMm, kMm}},
    {K::PrinterDY, {kPrinterCalibr, "dYCalibr", T::Float, 0, -kMm, kMm}},
    {K::PrinterXScale, {kPrinterCalibr, "dXScal", T::Float, 0, -kMm, kMm}},
    {K::PrinterYScale, {kPrinterCalibr, "dYScal", T::Float, 0, -kMm, kMm}},
    {K::InspectorTop, {kInspectorState, "WindowTop", T::Integer, 120, -kAnyInt - 1, kAnyInt}},
    {K::InspectorLeft, {kInspectorState, "WindowLeft", T::Integer, 0, -kAnyInt - 1, kAnyInt}},
    {K::InspectorWidth, {kInspectorState, "WindowWidth", T::Integer, 500, -kAnyInt - 1, kAnyInt}},
    // A first start shows all 21 rows of the inspector, with its tool and status
    // bars and a window frame; a height kept in the settings file is the user's.
    {K::InspectorHeight, {kInspectorState, "WindowHeight", T::Integer, 440, -kAnyInt - 1, kAnyInt}},
    {K::InspectorCol1Width, {kInspectorState, "Col1Width", T::Integer, 120, -kAnyInt - 1, kAnyInt}},
    {K::PrintCollate, {kPrint, "Collate", T::Flag, 0, 0, 1}},
}};

constexpr bool SettingsInOrder()
{
    for (int k = 0; k < kSettingKeyCount; ++k)
        if (static_cast<int>(kSettings[static_cast<std::size_t>(k)].id) != k)
            return false;
    return true;
}
static_assert(SettingsInOrder(), "the settings table follows SettingKey");

// A structure's fields and their keys: its reader and its writer walk the same list.
template <class Struct, class Value>
struct Field
{
    SettingKey key;
    Value Struct::*member;
};

template <class Struct, class Value, std::size_t N>
void ReadFields(const ProfileFile& file, Struct& out, const Field<Struct, Value> (&fields)[N])
{
    for (const Field<Struct, Value>& field : fields)
        out.*field.member = static_cast<Value>(ReadSetting(file, field.key));
}

template <class Struct, class Value, std::size_t N>
void WriteFields(ProfileFile& file, const Struct& in, const Field<Struct, Value> (&fields)[N])
{
    for (const Field<Struct, Value>& field : fields)
        WriteSetting(file, field.key, static_cast<double>(in.*field.member));
}

// A maximized window's size is neither read nor written: the fields after
// Maximized, in the order the file has always had them.
constexpr Field<MainWindowSettings, int> kNormalWindowSize[] = {
    {K::WindowWidth, &MainWindowSettings::widthPx},
    {K::WindowHeight, &MainWindowSettings::heightPx},
};
constexpr Field<MainWindowSettings, int> kWindowPlace[] = {
    {K::WindowTop, &MainWindowSettings::topPx},
    {K::WindowLeft, &MainWindowSettings::leftPx},
};
constexpr Field<PrinterCalibration, double> kPrinterFields[] = {
    {K::PrinterDX, &PrinterCalibration::dXCalibr},
    {K::PrinterDY, &PrinterCalibration::dYCalibr},
    {K::PrinterXScale, &PrinterCalibration::dXScal},
    {K::PrinterYScale, &PrinterCalibration::dYScal},
};
constexpr Field<InspectorSettings, int> kInspectorFields[] = {
    {K::InspectorTop, &InspectorSettings::topPx},
    {K::InspectorLeft, &InspectorSettings::leftPx},
    {K::InspectorWidth, &InspectorSettings::widthPx},
    {K::InspectorHeight, &InspectorSettings::heightPx},
    {K::InspectorCol1Width, &InspectorSettings::col1WidthPx},
};

} // namespace

bool IsSettingValue(const SettingDescriptor& setting, double value)
{
    return std::isfinite(value) && value >= setting.minValue && value <= setting.maxValue;
}

double ReadSetting(const ProfileFile& file, const SettingDescriptor& setting)
{
    double stored = setting.defaultValue;
    switch (setting.type) {
    case SettingType::Flag: stored = file.ReadBool(setting.section, setting.key, setting.defaultValue != 0); break;
    case SettingType::Integer:
        stored = file.ReadInteger(setting.section, setting.key, static_cast<int>(setting.defaultValue));
        break;
    case SettingType::Float: stored = file.ReadFloat(setting.section, setting.key, setting.defaultValue); break;
    }
    return IsSettingValue(setting, stored) ? stored : setting.defaultValue;
}

void WriteSetting(ProfileFile& file, const SettingDescriptor& setting, double value)
{
    switch (setting.type) {
    case SettingType::Flag: file.WriteBool(setting.section, setting.key, value != 0); break;
    case SettingType::Integer:
        // Within the bounds (which are within int): a value from elsewhere never
        // overflows the conversion.
        file.WriteInteger(setting.section, setting.key,
                          static_cast<int>(std::isnan(value) ? setting.defaultValue
                                                             : std::clamp(value, setting.minValue, setting.maxValue)));
        break;
    case SettingType::Float: file.WriteFloat(setting.section, setting.key, value); break;
    }
}

const SettingDescriptor& DescriptorOf(SettingKey key)
{
    return kSettings[static_cast<std::size_t>(key)].setting;
}

double ReadSetting(const ProfileFile& file, SettingKey key)
{
    return ReadSetting(file, DescriptorOf(key));
}

void WriteSetting(ProfileFile& file, SettingKey key, double value)
{
    WriteSetting(file, DescriptorOf(key), value);
}

MainWindowSettings ReadMainWindowSettings(const ProfileFile& file)
{
    MainWindowSettings s;
    s.maximized = ReadSetting(file, K::Maximized) != 0;
    if (!s.maximized)
        ReadFields(file, s, kNormalWindowSize);
    ReadFields(file, s, kWindowPlace);
    return s;
}

void WriteMainWindowSettings(ProfileFile& file, const MainWindowSettings& settings)
{
    WriteSetting(file, K::Maximized, settings.maximized ? 1 : 0);
    if (!settings.maximized)
        WriteFields(file, settings, kNormalWindowSize);
    WriteFields(file, settings, kWindowPlace);
}

bool IsPrinterCalibrationValue(double mm)
{
    return IsSettingValue(DescriptorOf(K::PrinterDX), mm);
}

double CheckedPrinterCalibrationValue(double mm)
{
    if (!IsPrinterCalibrationValue(mm))
        throw ConvertError("Поправка принтера " + FloatToStr(mm) + " мм вне допустимых пределов: от " +
                           FloatToStr(-kMaxPrinterCalibrationMm) + " до " + FloatToStr(kMaxPrinterCalibrationMm) +
                           " мм.");
    return mm;
}

PrinterCalibration ReadPrinterCalibration(const ProfileFile& file)
{
    PrinterCalibration c;
    ReadFields(file, c, kPrinterFields);
    return c;
}

void WritePrinterCalibration(ProfileFile& file, const PrinterCalibration& calibration)
{
    WriteFields(file, calibration, kPrinterFields);
}

InspectorSettings ReadInspectorSettings(const ProfileFile& file)
{
    InspectorSettings s;
    ReadFields(file, s, kInspectorFields);
    return s;
}

void WriteInspectorSettings(ProfileFile& file, const InspectorSettings& settings)
{
    WriteFields(file, settings, kInspectorFields);
}

std::string SettingsFilePath(const std::string& directory)
{
    // An empty directory would otherwise turn into the file system's root.
    if (directory.empty())
        return "Veloquin.ini";
    return directory + (directory.back() == '/' ? "" : "/") + "Veloquin.ini";
}

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(path, error));
}

bool SameDirectory(const std::string& a, const std::string& b)
{
    std::error_code error;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, error);
}

// Moves the file, by copying when the two folders lie on different file
// systems; false (and the old file where it was) when it could not be moved.
bool MoveSettingsFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::create_directories(fs::path(to).parent_path(), error);
    if (error)
        return false;
    fs::rename(from, to, error);
    if (!error)
        return true;
    if (!fs::copy_file(from, to, error)) {
        fs::remove(to, error);
        return false;
    }
    fs::remove(from, error);
    return true;
}

} // namespace

SettingsLocation LocateSettingsFile(const std::string& startDirectory, const std::string& configDirectory,
                                    const std::string& homeDirectory)
{
    const std::string inStart = SettingsFilePath(startDirectory);
    const bool startIsHome = SameDirectory(startDirectory, homeDirectory);
    if (configDirectory.empty() || (Exists(inStart) && !startIsHome))
        return {inStart, {}};

    const std::string inConfig = SettingsFilePath(configDirectory);
    if (Exists(inConfig) || homeDirectory.empty())
        return {inConfig, {}};
    const std::string old = SettingsFilePath(homeDirectory);
    if (!Exists(old))
        return {inConfig, {}};
    // Only a plain file is moved: a link was put there on purpose, and is used
    // where it is by a start from the home folder, as before.
    if (!IsRegularFile(old))
        return {startIsHome ? old : inConfig, {}};
    if (!MoveSettingsFile(old, inConfig))
        return {old, {}};
    return {inConfig, old};
}

} // namespace veloquin

namespace veloquin {

bool InspectorColumnWidthStored(const ProfileFile& file)
{
    const SettingDescriptor& width = DescriptorOf(SettingKey::InspectorCol1Width);
    return !file.ReadString(width.section, width.key, "").empty();
}

} // namespace veloquin
