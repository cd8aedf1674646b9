// The table's uncertainty on the largest sample tank: the linear estimate (a
// central difference per source through the engine) and the Monte Carlo of
// 1e5 trials on two threads.

#include "CalibrationText.h"
#include "TankFile.h"
#include "uncertainty/TableUncertainty.h"

#include <benchmark/benchmark.h>

using namespace veloquin;

namespace {

// The sample with the most table lines.
TSteelVertCylTank LargestSample()
{
    TSteelVertCylTank largest;
    long long lines = -1;
    for (const char* name :
         {"sample_rvs400", "sample_rvs1000", "sample_rvs2000_staff", "sample_rvs5000_tall", "sample_rvs10000"}) {
        TSteelVertCylTank tank = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/" + name + ".vlq").tank;
        if (CalibrationTableLineCount(tank) > lines) {
            lines = CalibrationTableLineCount(tank);
            largest = tank;
        }
    }
    return largest;
}

} // namespace

static void BM_UncertaintyLinearOfLargestSample(benchmark::State& state)
{
    const TSteelVertCylTank tank = LargestSample();
    for (auto _ : state) {
        const std::optional<TableUncertainty> result = EstimateLinear(tank, {});
        benchmark::DoNotOptimize(result->designFill.uM3);
    }
    state.counters["levels"] = static_cast<double>(CalibrationTableLineCount(tank));
}
BENCHMARK(BM_UncertaintyLinearOfLargestSample)->Unit(benchmark::kMillisecond);

static void BM_UncertaintyMonteCarlo1e5OnTwoThreads(benchmark::State& state)
{
    const TSteelVertCylTank tank = LargestSample();
    MonteCarloOptions options;
    options.trials = 100000;
    options.threads = 2;
    for (auto _ : state) {
        const std::optional<TableUncertainty> result = EstimateMonteCarlo(tank, {}, options);
        benchmark::DoNotOptimize(result->designFill.uM3);
    }
    state.counters["levels"] = static_cast<double>(CalibrationTableLineCount(tank));
}
BENCHMARK(BM_UncertaintyMonteCarlo1e5OnTwoThreads)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
