// libFuzzer target of the printed documents: every tank the file reader accepts
// is drawn, every page of the set, onto a recording canvas of a printer whose
// calibration also comes from the input. Drawing must neither crash, overflow
// (the sanitizers watch), nor put a position outside what a device can take;
// a slow page is caught by the fuzzer's timeout.

#include "CalibrationText.h"
#include "DocumentSet.h"
#include "ErrorReport.h"
#include "PageDrawing.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "RecordingCanvas.h"
#include "Settings.h"
#include "TankFile.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

using namespace veloquin;

// A printer at 300 dpi, an A4 sheet's printable area.
constexpr int kDotsPerInch = 300;
constexpr int kPageWidthPx = 2480;
constexpr int kPageHeightPx = 3508;
// Positions the page geometry may hand out, and a page's own lengths beside them.
constexpr long long kDeviceLimitPx = (1LL << 24) + (1LL << 22);
// Beyond this many levels the calibration sheets are left to the table's own
// target: every sheet of a long girdle walks its levels, and the run would
// spend its time there instead of on new inputs.
constexpr long long kDrawnLevelsAtMost = 3000;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool OnDevice(long long value)
{
    return value >= -kDeviceLimitPx && value <= kDeviceLimitPx;
}

// The four calibration values from the input's last bytes: first as raw doubles
// (through the page geometry only, which must keep any of them on the device),
// then spread over the range the program accepts, for drawing.
PrinterCalibration CalibrationFrom(std::string_view data)
{
    double raw[4] = {};
    if (data.size() >= sizeof raw)
        std::memcpy(raw, data.data() + data.size() - sizeof raw, sizeof raw);
    PrinterCalibration wild{raw[0], raw[1], raw[2], raw[3]};
    const PageGeometry geometry = PageGeometry::ForPrinter(kPageWidthPx, kPageHeightPx, wild);
    for (const double mm : {0.0, 210.0, 297.0, -1e300, 1e300})
        Require(OnDevice(geometry.MmToX(mm)) && OnDevice(geometry.MmToY(mm)) && OnDevice(geometry.MmToLen(mm)));

    PrinterCalibration c;
    double* values[] = {&c.dXCalibr, &c.dYCalibr, &c.dXScal, &c.dYScal};
    for (std::size_t k = 0; k < 4; ++k) {
        std::uint16_t bits = 0;
        if (data.size() >= 2 * (k + 1))
            std::memcpy(&bits, data.data() + data.size() - 2 * (k + 1), sizeof bits);
        *values[k] = (bits / 65535.0 * 2 - 1) * kMaxPrinterCalibrationMm;
        Require(IsPrinterCalibrationValue(*values[k]));
    }
    return c;
}

void CheckRecorded(const RecordingCanvas& canvas)
{
    for (const RecordedText& text : canvas.Texts())
        Require(OnDevice(text.x) && OnDevice(text.y));
    for (const RecordedLine& line : canvas.Lines())
        Require(OnDevice(line.x1) && OnDevice(line.y1) && OnDevice(line.x2) && OnDevice(line.y2));
    for (const RecordedFill& fill : canvas.Fills())
        Require(OnDevice(fill.left) && OnDevice(fill.top) && OnDevice(fill.right) && OnDevice(fill.bottom));
}

void DrawEveryPage(TSteelVertCylTank& tank, const PrinterCalibration& calibration)
{
    const PageGeometry geometry = PageGeometry::ForPrinter(kPageWidthPx, kPageHeightPx, calibration);
    const bool drawSheets = CalibrationTableLineCount(tank) <= kDrawnLevelsAtMost;
    RecordingCanvas canvas(kDotsPerInch);
    PageOptions options;
    for (const DocKind kind : {DocKind::Protocol, DocKind::Calibration, DocKind::Outline}) {
        if (kind == DocKind::Calibration && !drawSheets)
            continue;
        const int pages = PageCountOf(tank, kind);
        Require(pages >= 1);
        for (int page = 1; page <= pages; ++page) {
            LoadPageOptions(tank, kind, page, options);
            canvas.Clear();
            DrawDocumentPage(canvas, geometry, tank, options, kind, page);
            CheckRecorded(canvas);
        }
    }
}

} // namespace

// Qt's font matching leaves a few fontconfig patterns unreferenced at exit, which
// the leak check would report on every run; nothing of ours goes through there.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Fonts need a GUI application; no window is ever shown. It lives to the
    // very end, with the font caches it holds: torn down before the leak check,
    // it leaves fontconfig's caches behind as leaks that are not the program's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* const application = new QGuiApplication(*argc, *argv);
    (void)application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Odd values make the tank report while drawing: collected, not a fault.
    static ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        LoadedTank loaded = ReadTank(input);
        DrawEveryPage(loaded.tank, CalibrationFrom(input));
    } catch (const TankFileError&) {
    }
    return 0;
}
