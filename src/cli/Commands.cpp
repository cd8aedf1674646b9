#include "Commands.h"

#include "CalibrationCsv.h"
#include "CalibrationText.h"
#include "PdfCommand.h"
#include "TankFile.h"
#include "TankJson.h"
#include "TableWorkbook.h"
#include "export/GaugeTable.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <algorithm>
#include <cctype>

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

template <class Produce> auto TableOf(const std::string& path, Produce produce)
{
    LoadedTank loaded = LoadTank(path);
    try {
        return produce(loaded.tank);
    } catch (const TableTooLongError& error) {
        throw CommandError(path, error.what());
    }
}

bool IsTankFileName(const std::string& path)
{
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".vlq";
}

// A tank file by its extension, anything else a table in CSV.
ComparedTable ComparedSide(const std::string& path)
{
    if (IsTankFileName(path))
        return TableOf(path, [&](TSteelVertCylTank& tank) { return ComparedTableOfTank(tank, path); });
    try {
        return ComparedTableOfCsv(ReadTableCsv(ReadFileBytes(path)), path);
    } catch (const TankFileError& error) {
        throw CommandError(path, error.what());
    } catch (const TableCsvError& error) {
        throw CommandError(path, error.what());
    }
}

std::string Compare(const Invocation& invocation)
{
    const ComparedTable previous = ComparedSide(invocation.files[0]);
    const ComparedTable current = ComparedSide(invocation.files[1]);
    TableComparison comparison;
    try {
        comparison = CompareTables(previous, current);
    } catch (const TableComparisonError& error) {
        throw CommandError(invocation.files[1], error.what());
    }
    std::string output = invocation.csv ? ComparisonCsv(comparison) : ComparisonText(comparison);
    if (comparison.levelsBeyondError > 0)
        throw FaultFound(std::move(output));
    return output;
}

std::string Gauge(const Invocation& invocation)
{
    const std::string& path = invocation.files[0];
    return TableOf(path, [&](TSteelVertCylTank& tank) {
        try {
            const std::vector<TablePoint> full = PrintedTable(tank);
            const GaugeTable table = invocation.gaugePoints ? GaugeTableOfPoints(full, *invocation.gaugePoints)
                                                            : GaugeTableWithin(full, *invocation.gaugeMaxErrorLitres);
            return GaugeTableText(table, tank);
        } catch (const GaugeTableError& error) {
            throw CommandError(path, error.what());
        }
    });
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
    if (command == "xlsx") {
        TableOf(files[0], [&](TSteelVertCylTank& tank) {
            try {
                WriteTableWorkbook(files[1], tank);
            } catch (const WorkbookError& error) {
                throw CommandError(files[1], error.what());
            }
            return 0;
        });
        return std::string();
    }
    if (command == "gauge")
        return Gauge(invocation);
    if (command == "compare")
        return Compare(invocation);
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
