#include "Commands.h"

#include "CalibrationCsv.h"
#include "CalibrationText.h"
#include "PdfCommand.h"
#include "TankFile.h"
#include "TankJson.h"

namespace veloquin::cli {
namespace {

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
    LoadedTank loaded = LoadTank(path);
    try {
        return produce(loaded.tank);
    } catch (const TableTooLongError& error) {
        throw CommandError(path, error.what());
    }
}

} // namespace

// Loading means what the program's Open means: a new default tank filled through
// its setters, then the full refresh.
LoadedTank LoadTank(const std::string& path)
{
    try {
        return LoadTankFile(path);
    } catch (const TankFileError& error) {
        throw CommandError(path, error.what());
    }
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
        return TankToJson(LoadTank(files[0]));
    if (command == "new") {
        TSteelVertCylTank tank;
        Store(files[0], tank, 1);
        return std::string();
    }
    if (command == "pdf") {
        PrintPdf(invocation);
        return std::string();
    }
    // resave
    const LoadedTank loaded = LoadTank(files[0]);
    Store(files[1], loaded.tank, loaded.version);
    return std::string();
}

} // namespace veloquin::cli
