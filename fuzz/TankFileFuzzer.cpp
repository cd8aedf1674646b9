// libFuzzer target: any byte sequence handed to the tank file reader must load or
// fail with TankFileError, never crash, hang or allocate beyond a small multiple
// of its size; what loads must store again into a file that loads.

#include "CalibrationText.h"
#include "ErrorReport.h"
#include "TankFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// A table this short is worth listing on every input; longer ones only get counted.
constexpr long long kListedLinesAtMost = 200;

void CheckLoaded(veloquin::LoadedTank& loaded)
{
    using namespace veloquin;
    const std::string image = WriteTank(loaded.tank, loaded.version);
    try {
        ReadTank(image);
    } catch (const TankFileError&) {
        std::abort(); // the program could not open a file it wrote itself
    }
    const long long lines = CalibrationTableLineCount(loaded.tank);
    if (lines <= kListedLinesAtMost)
        CalibrationTableLines(loaded.tank);
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
