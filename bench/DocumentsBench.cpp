// The printed documents: one full calibration sheet (204 rows) drawn into an
// image of the preview's double-zoom size, as every repaint of the preview
// draws it, veloquin-cli pdf of the largest sample as a whole process, and the
// sheet options dialog's measuring of texts against their places.

#include "BuildTree.h"
#include "CalibrationSheets.h"
#include "Canvas.h"
#include "GuiApplication.h"
#include "CalibrationText.h"
#include "PageDrawing.h"
#include "PagePrinting.h"
#include "PageTextFit.h"
#include "RealisticTank.h"
#include "TankFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

using namespace veloquin;

using bench::EnsureGuiApplication;

static void BM_DrawFullCalibrationSheetDoubleZoom(benchmark::State& state)
{
    EnsureGuiApplication();
    test::RealisticTankShape shape;
    shape.girdles = 8;
    shape.girdleHeightMm = 2500;
    TSteelVertCylTank tank = test::MakeRealisticTank(shape);
    if (CalibrationSheetAt(tank, 1).rowCount != kRowsPerSheet) {
        state.SkipWithError("the first sheet is not full");
        return;
    }
    // A maximized preview on a 1920-pixel screen: a page box of 848 x 1200, doubled.
    QImage image(1696, 2400, QImage::Format_ARGB32_Premultiplied);
    const PageGeometry geometry = PageGeometry::ForPreview(image.width(), image.height());
    PageOptions options;
    options.frame = FrameButton::FramedVD;
    LoadPageOptions(tank, DocKind::Calibration, 1, options);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        benchmark::DoNotOptimize(DrawDocumentPage(canvas, geometry, tank, options, DocKind::Calibration, 1));
    }
}
BENCHMARK(BM_DrawFullCalibrationSheetDoubleZoom)->Unit(benchmark::kMillisecond);

// Every sheet of the longest table a file may hold (about 100 000 levels with
// 2 500 details, some 500 pages) into a PDF, as veloquin-cli pdf and the print
// dialog's "Файл PDF…" draw it: each girdle's levels are walked once for the
// whole set. The counters give the pages and the time per hundred pages.
static void BM_PdfOfTheLongestTable(benchmark::State& state)
{
    EnsureGuiApplication();
    const TSteelVertCylTank tank = test::MakeTankOfTheLongestTable();
    const std::string pdf = "/tmp/veloquin-bench-long-" + std::to_string(::getpid()) + ".pdf";
    PrintRequest request;
    request.pages = AllPages(tank);
    if (CalibrationTableLineCount(tank) < 99000 || request.pages.size() < 400) {
        state.SkipWithError("the generated tank is not the longest table");
        return;
    }
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(PrintPagesToPdf(pdf, tank, request));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double pages = static_cast<double>(request.pages.size());
    state.counters["pages"] = pages;
    state.counters["s_per_100_pages"] = seconds / static_cast<double>(state.iterations()) / pages * 100;
    ::unlink(pdf.c_str());
}
BENCHMARK(BM_PdfOfTheLongestTable)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The preview's first paint of the longest girdle's last sheet (its rows and
// mean walked once), then a repaint of a neighbouring sheet from what is kept.
static void BM_PreviewOfTheLongestGirdle(benchmark::State& state)
{
    EnsureGuiApplication();
    const TSteelVertCylTank tank = test::MakeTankOfTheLongestTable();
    QImage image(848, 1200, QImage::Format_ARGB32_Premultiplied);
    const PageGeometry geometry = PageGeometry::ForPreview(image.width(), image.height());
    const int last = DocumentSetPageCount(tank) - 1;
    for (auto _ : state) {
        DocumentRenderer renderer(tank);
        for (int page : {last, last - 1}) {
            image.fill(Qt::white);
            QPainter painter(&image);
            QPainterCanvas canvas(painter);
            benchmark::DoNotOptimize(renderer.Draw(canvas, geometry, page));
        }
    }
}
BENCHMARK(BM_PreviewOfTheLongestGirdle)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

static void BM_CliPdfOfTheLargestSampleProcess(benchmark::State& state)
{
    std::string cli = bench::CliPath();
    std::string tank = VELOQUIN_SAMPLES_DIR "/sample_rvs10000.vlq";
    std::string pdf = "/tmp/veloquin-bench-" + std::to_string(::getpid()) + ".pdf";
    if (::access(cli.c_str(), X_OK) != 0 || ::access(tank.c_str(), R_OK) != 0) {
        state.SkipWithError("veloquin-cli or the sample is missing");
        return;
    }
    std::string command = "pdf";
    char* argv[] = {cli.data(), command.data(), tank.data(), pdf.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, cli.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start veloquin-cli");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("veloquin-cli failed");
            break;
        }
    }
    ::unlink(pdf.c_str());
}
BENCHMARK(BM_CliPdfOfTheLargestSampleProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the sheet options dialog measures once typing pauses: the pages that
// carry shared texts and the current one, of the largest sample and of the
// longest table a file may hold (whose last sheet is the last of ~500).
static void BM_SheetOptionTextFit(benchmark::State& state)
{
    EnsureGuiApplication();
    const TSteelVertCylTank tank = state.range(0) == 0
                                       ? LoadTankFile(VELOQUIN_SAMPLES_DIR "/sample_rvs10000.vlq").tank
                                       : test::MakeTankOfTheLongestTable();
    std::vector<int> pages = SharedTextPages(tank);
    pages.push_back(tank.ProtocolSheetCount() + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(OptionTextOverflows(tank, pages));
}
BENCHMARK(BM_SheetOptionTextFit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
