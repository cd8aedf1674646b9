// The table leaving the program, on the sample with the longest table: the
// workbook, gauge tables of 5000 and of 20 points (the optimal choice is the
// costly part), a gauge table within 1 litre, and the comparison of two tables.

#include "GirdledTable.h"
#include "TableWorkbook.h"
#include "TankFile.h"
#include "export/GaugeTable.h"
#include "export/TableComparison.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace veloquin;

namespace {

// The sample with the most levels (1704).
LoadedTank LargestSample()
{
    return LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs10000.vlq");
}

} // namespace

static void BM_WorkbookOfLargestSample(benchmark::State& state)
{
    LoadedTank loaded = LargestSample();
    const std::string path = "/tmp/veloquin-bench-table.xlsx";
    for (auto _ : state)
        WriteTableWorkbook(path, loaded.tank);
    std::remove(path.c_str());
}
BENCHMARK(BM_WorkbookOfLargestSample)->Unit(benchmark::kMillisecond);

static void BM_GaugeTableOfLargestSample(benchmark::State& state)
{
    LoadedTank loaded = LargestSample();
    const std::vector<TablePoint> full = PrintedTable(loaded.tank);
    for (auto _ : state) {
        const GaugeTable table = GaugeTableOfPoints(full, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(table.largest.litres);
    }
    state.counters["levels"] = static_cast<double>(full.size());
}
BENCHMARK(BM_GaugeTableOfLargestSample)->Arg(5000)->Arg(100)->Arg(20)->Arg(2)->Unit(benchmark::kMillisecond);

static void BM_GaugeTableWithinOneLitre(benchmark::State& state)
{
    LoadedTank loaded = LargestSample();
    const std::vector<TablePoint> full = PrintedTable(loaded.tank);
    for (auto _ : state) {
        const GaugeTable table = GaugeTableWithin(full, 1);
        benchmark::DoNotOptimize(table.largest.litres);
    }
}
BENCHMARK(BM_GaugeTableWithinOneLitre)->Unit(benchmark::kMillisecond);

// The choice of 40 points among as many levels as the argument (a tank hundreds
// of metres tall, as a damaged or crafted file gives) must stay near-linear.
static void BM_GaugeTableOf40PointsOfTallTable(benchmark::State& state)
{
    const std::vector<TablePoint> full = test::MakeGirdledTable(static_cast<std::size_t>(state.range(0)), 7);
    for (auto _ : state) {
        const GaugeTable table = GaugeTableOfPoints(full, 40);
        benchmark::DoNotOptimize(table.largest.litres);
    }
}
BENCHMARK(BM_GaugeTableOf40PointsOfTallTable)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ComparisonOfLargestSampleWithItself(benchmark::State& state)
{
    LoadedTank loaded = LargestSample();
    const ComparedTable side = ComparedTableOfTank(loaded.tank, "sample");
    for (auto _ : state) {
        const TableComparison comparison = CompareTables(side, side);
        benchmark::DoNotOptimize(comparison.levels.data());
    }
}
BENCHMARK(BM_ComparisonOfLargestSampleWithItself)->Unit(benchmark::kMillisecond);
