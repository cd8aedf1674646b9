#include "Settings.h"

#include "GFunc.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace veloquin {
namespace {

constexpr const char* kWindowState = "WindowState";
constexpr const char* kPrinterCalibr = "PrinterCalibr";
constexpr const char* kInspectorState = "InspectorState";
// A first start shows all 21 rows of the inspector, with its tool and status
// bars and a window frame; a height kept in the settings file is the user's.
constexpr int kFirstStartInspectorHeightPx = 440;

} // namespace

MainWindowSettings ReadMainWindowSettings(const ProfileFile& file)
{
    MainWindowSettings s;
    s.maximized = file.ReadBool(kWindowState, "Maximized", s.maximized);
    if (!s.maximized) {
        s.widthPx = file.ReadInteger(kWindowState, "WindowWidth", s.widthPx);
        s.heightPx = file.ReadInteger(kWindowState, "WindowHeight", s.heightPx);
    }
    s.topPx = file.ReadInteger(kWindowState, "WindowTop", s.topPx);
    s.leftPx = file.ReadInteger(kWindowState, "WindowLeft", s.leftPx);
    return s;
}

void WriteMainWindowSettings(ProfileFile& file, const MainWindowSettings& settings)
{
    file.WriteBool(kWindowState, "Maximized", settings.maximized);
    if (!settings.maximized) {
        file.WriteInteger(kWindowState, "WindowWidth", settings.widthPx);
        file.WriteInteger(kWindowState, "WindowHeight", settings.heightPx);
    }
    file.WriteInteger(kWindowState, "WindowTop", settings.topPx);
    file.WriteInteger(kWindowState, "WindowLeft", settings.leftPx);
}

bool IsPrinterCalibrationValue(double mm)
{
    return std::isfinite(mm) && std::fabs(mm) <= kMaxPrinterCalibrationMm;
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
    const auto read = [&file](const char* key, double& value) {
        const double stored = file.ReadFloat(kPrinterCalibr, key, value);
        if (IsPrinterCalibrationValue(stored))
            value = stored;
    };
    read("dXCalibr", c.dXCalibr);
    read("dYCalibr", c.dYCalibr);
    read("dXScal", c.dXScal);
    read("dYScal", c.dYScal);
    return c;
}

void WritePrinterCalibration(ProfileFile& file, const PrinterCalibration& calibration)
{
    file.WriteFloat(kPrinterCalibr, "dXCalibr", calibration.dXCalibr);
    file.WriteFloat(kPrinterCalibr, "dYCalibr", calibration.dYCalibr);
    file.WriteFloat(kPrinterCalibr, "dXScal", calibration.dXScal);
    file.WriteFloat(kPrinterCalibr, "dYScal", calibration.dYScal);
}

InspectorSettings ReadInspectorSettings(const ProfileFile& file)
{
    InspectorSettings s;
    s.topPx = file.ReadInteger(kInspectorState, "WindowTop", s.topPx);
    s.leftPx = file.ReadInteger(kInspectorState, "WindowLeft", s.leftPx);
    s.widthPx = file.ReadInteger(kInspectorState, "WindowWidth", s.widthPx);
    s.heightPx = file.ReadInteger(kInspectorState, "WindowHeight", kFirstStartInspectorHeightPx);
    s.col1WidthPx = file.ReadInteger(kInspectorState, "Col1Width", s.col1WidthPx);
    return s;
}

void WriteInspectorSettings(ProfileFile& file, const InspectorSettings& settings)
{
    file.WriteInteger(kInspectorState, "WindowTop", settings.topPx);
    file.WriteInteger(kInspectorState, "WindowLeft", settings.leftPx);
    file.WriteInteger(kInspectorState, "WindowWidth", settings.widthPx);
    file.WriteInteger(kInspectorState, "WindowHeight", settings.heightPx);
    file.WriteInteger(kInspectorState, "Col1Width", settings.col1WidthPx);
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
    return !file.ReadString(kInspectorState, "Col1Width", "").empty();
}

} // namespace veloquin
