// The whole calibration table of a large tank: every 10 mm from the dead cavity
// to the design fill height, the volume at each level and its text line.

#include "CalibrationText.h"
#include "GFunc.h"
#include "RealisticTank.h"

#include <benchmark/benchmark.h>

using namespace veloquin;

static void BM_CalibrationTableOf12GirdleTank(benchmark::State& state)
{
    SetDecimalSeparator(',');
    test::RealisticTankShape shape;
    shape.girdles = 12;
    shape.girdleHeightMm = 1500;
    shape.generatrices = 36;
    shape.details = 10;
    TSteelVertCylTank tank = test::MakeRealisticTank(shape);
    for (auto _ : state) {
        std::string table = CalibrationTableText(tank, "\n");
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["lines"] = static_cast<double>(CalibrationTableLineCount(tank));
}
BENCHMARK(BM_CalibrationTableOf12GirdleTank)->Unit(benchmark::kMicrosecond);

// The same table as a list of lines (one string each).
static void BM_CalibrationTableLinesOf12GirdleTank(benchmark::State& state)
{
    SetDecimalSeparator(',');
    TSteelVertCylTank tank = test::MakeRealisticTank();
    for (auto _ : state) {
        std::vector<std::string> table = CalibrationTableLines(tank);
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_CalibrationTableLinesOf12GirdleTank)->Unit(benchmark::kMicrosecond);

static void BM_VolumeAtEveryLevel(benchmark::State& state)
{
    TSteelVertCylTank tank = test::MakeRealisticTank();
    for (auto _ : state) {
        double sum = 0;
        for (double level = tank.DeadCavityHeight(); level <= tank.DesignFillHeight(); level += 10) {
            tank.SetGivenLevel(level);
            sum += tank.VolumeAtLevel();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_VolumeAtEveryLevel)->Unit(benchmark::kMicrosecond);
