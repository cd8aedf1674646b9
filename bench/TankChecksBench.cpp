// The field-data checks run after every change the user commits: they must cost
// far less than a frame. On the largest sample (12 girdles, 25 generatrices) and
// on the largest tank a file may describe (12 girdles, 36 generatrices, 20
// details), with the table walked level by level.

#include "FilledTank.h"
#include "RealisticTank.h"
#include "TankChecks.h"
#include "TankFile.h"

#include <benchmark/benchmark.h>

using namespace veloquin;

static void BM_CheckLargestSample(benchmark::State& state)
{
    const TSteelVertCylTank tank = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs10000.vlq").tank;
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTank(tank));
}
BENCHMARK(BM_CheckLargestSample)->Unit(benchmark::kMicrosecond);

static void BM_CheckLargestTank(benchmark::State& state)
{
    const TSteelVertCylTank tank = test::MakeFilledTank();
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTank(tank));
}
BENCHMARK(BM_CheckLargestTank)->Unit(benchmark::kMicrosecond);

// A tank with slips everywhere: every finding builds its message and guesses its slip.
static void BM_CheckTankFullOfSlips(benchmark::State& state)
{
    TSteelVertCylTank tank = test::MakeRealisticTank();
    for (int row = 1; row <= tank.PlumbRowCount(); row += 3)
        for (int g = 1; g <= tank.GeneratrixCount(); g += 4)
            tank.SetPlumbDistance(row, g, tank.PlumbDistance(row, g) * 10);
    tank.UpdateAll();
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Finding> all = CheckTank(tank);
        findings = all.size();
        benchmark::DoNotOptimize(all.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckTankFullOfSlips)->Unit(benchmark::kMicrosecond);
