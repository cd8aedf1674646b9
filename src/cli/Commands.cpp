#include "Commands.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "TankFile.h"
#include "TankJson.h"

#include <algorithm>

namespace veloquin::cli {
namespace {

// Loading means what the program's Open means: a new default tank filled through
// its setters, then the full refresh.
LoadedTank Load(const std::string& path)
{
    try {
        return LoadTankFile(path);
    } catch (const TankFileError& error) {
        throw CommandError(path, error.what());
    }
}

void Store(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version)
{
    try {
        StoreTankFile(path, tank, version);
    } catch (const TankFileError& error) {
        throw CommandError(path, error.what());
    }
}

template <class Produce> std::string TableOf(const std::string& path, Produce produce)
{
    LoadedTank loaded = Load(path);
    try {
        return produce(loaded.tank);
    } catch (const TableTooLongError& error) {
        throw CommandError(path, error.what());
    }
}

} // namespace

std::string CalibrationTableCsv(TSteelVertCylTank& tank)
{
    const std::vector<CalibrationLevel> levels = CalibrationTableLevels(tank);
    const double touchPointMm = tank.TouchPointHeight();
    std::string text = "girdle;level_mm;volume_m3\n";
    for (const CalibrationLevel& row : levels) {
        std::string volume = FormatDecimals(3, row.volumeM3);
        volume.erase(std::remove(volume.begin(), volume.end(), ' '), volume.end());
        text += std::to_string(row.girdle);
        text.push_back(';');
        text += FloatToStr(row.levelMm - touchPointMm);
        text.push_back(';');
        text += volume;
        text.push_back('\n');
    }
    return text;
}

std::string RunCommand(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    const std::vector<std::string>& files = invocation.files;
    if (command == "table")
        return TableOf(files[0], [](TSteelVertCylTank& tank) { return CalibrationTableText(tank, "\n"); });
    if (command == "csv")
        return TableOf(files[0], CalibrationTableCsv);
    if (command == "show")
        return TankToJson(Load(files[0]));
    if (command == "new") {
        TSteelVertCylTank tank;
        Store(files[0], tank, 1);
        return std::string();
    }
    // resave
    const LoadedTank loaded = Load(files[0]);
    Store(files[1], loaded.tank, loaded.version);
    return std::string();
}

} // namespace veloquin::cli
