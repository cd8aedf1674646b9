// One step of the editing on the largest sample tank: the change itself as the
// windows make it (snapshots and file images before and after), and undoing
// and redoing it, which puts a whole tank back each time. A frame is 16 ms.
// Then the memory a step holds, on that tank and on one of 100 000 details.

#include "GuiApplication.h"
#include "TankFile.h"
#include "editing/TankEditing.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>
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

// Memory one step of the history holds: as counted against its bound, and as
// the allocator sees it (a step keeps one state, shared with its neighbours).
static void MeasureStepMemory(benchmark::State& state, TSteelVertCylTank tank, int steps)
{
    bench::EnsureGuiApplication();
    const std::int32_t version = 1;
    for (auto _ : state) {
        state.PauseTiming();
        TSteelVertCylTank edited = tank;
        TankEditing editing(edited, version);
        editing.SetHistoryLimit(std::size_t{1} << 40);
        const struct mallinfo2 before = mallinfo2();
        state.ResumeTiming();
        for (int k = 1; k <= steps; ++k)
            editing.Change(QStringLiteral("Плотность"), [&] { edited.SetStoredDensity(800 + k); });
        state.PauseTiming();
        const struct mallinfo2 after = mallinfo2();
        state.counters["counted_bytes_per_step"] = static_cast<double>(editing.HistoryBytes()) / (steps + 1);
        state.counters["allocated_bytes_per_step"] =
            static_cast<double>((after.uordblks + after.hblkhd) - (before.uordblks + before.hblkhd)) / steps;
        state.counters["steps_in_64_MB"] = static_cast<double>(kUndoHistoryBytes) / editing.HistoryBytes() * steps;
        state.ResumeTiming();
    }
}

static void BM_UndoStepMemoryOfLargestSample(benchmark::State& state)
{
    MeasureStepMemory(state, LargestSample().tank, 200);
}
BENCHMARK(BM_UndoStepMemoryOfLargestSample)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_UndoStepMemoryOf100000Details(benchmark::State& state)
{
    TSteelVertCylTank tank;
    for (int d = 0; d < 100000; ++d)
        tank.AddArbitraryDetail(0.001, 100, 200);
    tank.UpdateAll();
    MeasureStepMemory(state, std::move(tank), 5);
}
BENCHMARK(BM_UndoStepMemoryOf100000Details)->Unit(benchmark::kMillisecond)->Iterations(1);
