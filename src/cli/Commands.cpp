#include "Commands.h"

#include "CalibrationCsv.h"
#include "CalibrationTableCheck.h"
#include "CalibrationText.h"
#include "FileIdentity.h"
#include "PdfCommand.h"
#include "TableWorkbook.h"
#include "TankFile.h"
#include "TankJson.h"
#include "UncertaintyCommand.h"
#include "export/GaugeTable.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <algorithm>
#include <cctype>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace veloquin::cli {
namespace {

std::optional<FileIdentity> StandardOutputIdentity()
{
    struct stat entry;
    // A terminal or a pipe is no file anyone reads a tank from.
    if (::fstat(STDOUT_FILENO, &entry) != 0 || !S_ISREG(entry.st_mode))
        return std::nullopt;
    return FileIdentity{entry.st_dev, entry.st_ino};
}

void Store(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version)
{
    try {
        StoreTankFile(path, tank, version);
    } catch (const TankFileError& error) {
        throw CommandError(path, error.what(), ExitStatus::Unwritten);
    }
}

template <class Produce> auto TableOf(const std::string& path, Produce produce)
{
    LoadedTank loaded = LoadTank(path);
    RefuseFaultyTable(path, loaded.tank);
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
        throw CommandError(path, error.what(), ExitStatus::Unreadable);
    } catch (const TableCsvError& error) {
        throw CommandError(path, error.what(), ExitStatus::Unreadable);
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
    if (BeyondError(comparison))
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
            return GaugeTableText(table, tank, invocation.gaugeLayout);
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
        throw CommandError(path, error.what(), ExitStatus::Unreadable);
    }
}

void RefuseFaultyTable(const std::string& path, const TSteelVertCylTank& tank)
{
    const std::string fault = CalibrationTableFault(tank);
    if (!fault.empty())
        throw CommandError(path, fault);
}

// Before anything is written: an output that is the input would destroy the tank
// (a PDF in its place) or leave nothing to compare a resave with.
void RefuseOutputThatIsInput(const Invocation& invocation)
{
    const std::vector<std::string>& files = invocation.files;
    // The commands that write a file name it last; "new" reads nothing.
    const std::string& command = invocation.command;
    const bool writesFile = command == "resave" || command == "pdf" || command == "xlsx";
    const std::size_t inputs = command == "new" ? 0 : writesFile ? files.size() - 1 : files.size();
    const std::optional<FileIdentity> output = StandardOutputIdentity();
    for (std::size_t k = 0; k < inputs && k < files.size(); ++k) {
        const std::optional<FileIdentity> input = IdentityOf(files[k]);
        if (!input)
            continue; // the reader names a missing input
        if (writesFile && OutputIsInput(files.back(), files[k]))
            throw CommandError(files.back(), "the output is the input file " + files[k] + "; nothing was written",
                               ExitStatus::Unwritten);
        if (output == input)
            throw CommandError(files[k], "standard output is this input file; nothing was written",
                               ExitStatus::Unwritten);
    }
}

std::string RunCommand(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    const std::vector<std::string>& files = invocation.files;
    RefuseOutputThatIsInput(invocation);
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
            // Asked for, a column that cannot be worked out is said, not left out.
            const std::optional<TableUncertainty> uncertainty =
                invocation.workbookUncertainty ? std::optional(WorkbookUncertainty(invocation, tank)) : std::nullopt;
            try {
                WriteTableWorkbook(files[1], tank, uncertainty ? &*uncertainty : nullptr);
            } catch (const WorkbookError& error) {
                throw CommandError(files[1], error.what(), ExitStatus::Unwritten);
            }
            return 0;
        });
        return std::string();
    }
    if (command == "gauge")
        return Gauge(invocation);
    if (command == "compare")
        return Compare(invocation);
    if (command == "uncertainty")
        return RunUncertainty(invocation);
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
