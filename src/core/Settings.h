#pragma once
// The settings file "Veloquin.ini": the main window's geometry, the printer
// calibration and the inspector's geometry, each read with its defaults and
// written key by key. A refused write throws SettingsWriteError and the keys after
// it in that step are not written.

#include "ProfileFile.h"

#include <string>

namespace veloquin {

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
