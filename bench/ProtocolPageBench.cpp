// The densest protocol page (the details, the dead cavity and a bottom grid
// full of readings) and the outline, drawn as the preview draws them at its
// largest zoom: into a screen-resolution image twice the initial page box.

#include "DocumentSet.h"
#include "FilledTank.h"
#include "GFunc.h"
#include "GuiApplication.h"
#include "PageDrawing.h"
#include "PageOptions.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace veloquin;

namespace {

using bench::EnsureGuiApplication;

// A 1280-pixel-wide preview's page box (800 x 566) zoomed in once.
constexpr int kPageBoxWidthPx = 2 * 566;
constexpr int kPageBoxHeightPx = 2 * 800;
constexpr int kScreenDpi = 96;

void DrawIntoImage(benchmark::State& state, DocKind kind, int page)
{
    EnsureGuiApplication();
    SetDecimalSeparator(',');
    TSteelVertCylTank tank = test::MakeFilledTank();
    PageOptions options;
    LoadPageOptions(tank, kind, page, options);
    const PageGeometry geometry = PageGeometry::ForPreview(kPageBoxWidthPx, kPageBoxHeightPx);
    QImage image(kPageBoxWidthPx, kPageBoxHeightPx, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = qRound(kScreenDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        PageReports reports = DrawDocumentPage(canvas, geometry, tank, options, kind, page);
        benchmark::DoNotOptimize(reports.data());
    }
}

} // namespace

// 36 generatrices: page 7 of 8 holds sections 7 and 8.
static void BM_ProtocolDeadCavityPageAtDoubleZoom(benchmark::State& state)
{
    DrawIntoImage(state, DocKind::Protocol, 7);
}
BENCHMARK(BM_ProtocolDeadCavityPageAtDoubleZoom)->Unit(benchmark::kMillisecond);

static void BM_ProtocolWallDeviationPageAtDoubleZoom(benchmark::State& state)
{
    DrawIntoImage(state, DocKind::Protocol, 3);
}
BENCHMARK(BM_ProtocolWallDeviationPageAtDoubleZoom)->Unit(benchmark::kMillisecond);

static void BM_OutlinePageAtDoubleZoom(benchmark::State& state)
{
    DrawIntoImage(state, DocKind::Outline, 1);
}
BENCHMARK(BM_OutlinePageAtDoubleZoom)->Unit(benchmark::kMillisecond);
