// One step of the editing on the largest sample tank: the change itself as the
// windows make it (snapshots and file images before and after), and undoing
// and redoing it, which puts a whole tank back each time. A frame is 16 ms.

#include "GuiApplication.h"
#include "TankFile.h"
#include "editing/TankEditing.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace veloquin;

namespace {

LoadedTank LargestSample()
{
    return LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs10000.vlq");
}

} // namespace

static void BM_EditStep(benchmark::State& state)
{
    bench::EnsureGuiApplication();
    LoadedTank loaded = LargestSample();
    TankEditing editing(loaded.tank, loaded.version);
    double density = 850;
    for (auto _ : state) {
        density = density == 850 ? 860 : 850;
        editing.Change(QStringLiteral("Плотность"), [&] { loaded.tank.SetStoredDensity(density); });
    }
    state.counters["steps"] = editing.Stack().count();
}
BENCHMARK(BM_EditStep)->Unit(benchmark::kMicrosecond);

static void BM_UndoStep(benchmark::State& state)
{
    bench::EnsureGuiApplication();
    LoadedTank loaded = LargestSample();
    TankEditing editing(loaded.tank, loaded.version);
    editing.Change(QStringLiteral("Число поясов"), [&] { loaded.tank.SetGirdleCount(5); });
    for (auto _ : state) {
        editing.Undo();
        state.PauseTiming();
        editing.Redo();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(loaded.tank.GirdleCount());
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMicrosecond);

static void BM_RedoStep(benchmark::State& state)
{
    bench::EnsureGuiApplication();
    LoadedTank loaded = LargestSample();
    TankEditing editing(loaded.tank, loaded.version);
    editing.Change(QStringLiteral("Число поясов"), [&] { loaded.tank.SetGirdleCount(5); });
    for (auto _ : state) {
        state.PauseTiming();
        editing.Undo();
        state.ResumeTiming();
        editing.Redo();
    }
    benchmark::DoNotOptimize(loaded.tank.GirdleCount());
}
BENCHMARK(BM_RedoStep)->Unit(benchmark::kMicrosecond);
