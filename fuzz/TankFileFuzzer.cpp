// libFuzzer target: any byte sequence handed to the tank file reader must load or
// fail with TankFileError, never crash, hang or allocate beyond a small multiple
// of its size; what loads must store again into a file that loads as the same
// tank (open, save, open, save: two identical files and the same table), and
// must give its calibration table (as text and as CSV) and its values as
// standard JSON.

#include "CalibrationCsv.h"
#include "CalibrationText.h"
#include "ErrorReport.h"
#include "JsonCheck.h"
#include "TankFile.h"
#include "TankJson.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// A table this short is worth listing on every input; longer ones only get counted.
constexpr long long kListedLinesAtMost = 200;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckTable(veloquin::TSteelVertCylTank& tank)
{
    using namespace veloquin;
    const long long lines = CalibrationTableLineCount(tank);
    if (lines > kListedLinesAtMost)
        return;
    try {
        const std::vector<std::string> listed = CalibrationTableLines(tank);
        Require(static_cast<long long>(listed.size()) == lines);
        std::string joined;
        for (const std::string& line : listed)
            joined += line + "\r\n";
        Require(CalibrationTableText(tank, "\r\n") == joined);
        const std::string csv = cli::CalibrationTableCsv(tank);
        Require(std::count(csv.begin(), csv.end(), '\n') == lines + 1);
    } catch (const TableTooLongError&) {
        // Held to fewer levels by its details: refused before a line, as promised.
        Require(lines > CalibrationTableLineLimit(tank.DetailCount()));
    }
}

// The table as a text, or its line count when it is too long to list here.
std::string TableSummary(veloquin::TSteelVertCylTank& tank)
{
    using namespace veloquin;
    const long long lines = CalibrationTableLineCount(tank);
    if (lines > kListedLinesAtMost)
        return std::to_string(lines) + " lines";
    return CalibrationTableText(tank, "\n");
}

void CheckLoaded(veloquin::LoadedTank& loaded)
{
    using namespace veloquin;
    const std::string image = WriteTank(loaded.tank, loaded.version);
    LoadedTank reopened;
    try {
        reopened = ReadTank(image);
    } catch (const TankFileError&) {
        std::abort(); // the program could not open a file it wrote itself
    }
    // Opening a file the program saved gives the tank that was saved.
    Require(WriteTank(reopened.tank, reopened.version) == image);
    Require(fuzz::JsonCheck(cli::TankToJson(loaded)).Valid());
    CheckTable(loaded.tank);
    Require(TableSummary(reopened.tank) == TableSummary(loaded.tank));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace veloquin;
    // Odd values make the tank report (a dead cavity above the level, say): not a fault.
    static ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    try {
        LoadedTank loaded = ReadTank(std::string_view(reinterpret_cast<const char*>(data), size));
        CheckLoaded(loaded);
    } catch (const TankFileError&) {
    }
    return 0;
}
