// Opening and storing the largest tank (12 girdles, 36 generatrices, 20 details,
// every text filled), opening a tank of as many internal details as a file may
// hold and listing its table, and the calibration table as the batch tool
// produces it: a whole veloquin-cli process.

#include "BuildTree.h"
#include "CalibrationText.h"
#include "ErrorReport.h"
#include "FilledTank.h"
#include "TankFile.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace veloquin;

namespace {

std::string TempPath(const char* name)
{
    return "/tmp/veloquin-bench-" + std::to_string(::getpid()) + "-" + name;
}

} // namespace

static void BM_ReadLargestTank(benchmark::State& state)
{
    const std::string image = WriteTank(test::MakeFilledTank(), 1);
    for (auto _ : state) {
        LoadedTank loaded = ReadTank(image);
        benchmark::DoNotOptimize(loaded.tank.VolumeAtLevel());
    }
    state.counters["bytes"] = static_cast<double>(image.size());
}
BENCHMARK(BM_ReadLargestTank)->Unit(benchmark::kMicrosecond);

static void BM_OpenLargestTankFile(benchmark::State& state)
{
    const std::string path = TempPath("open.vlq");
    StoreTankFile(path, test::MakeFilledTank(), 1);
    for (auto _ : state) {
        LoadedTank loaded = LoadTankFile(path);
        benchmark::DoNotOptimize(loaded.tank.VolumeAtLevel());
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_OpenLargestTankFile)->Unit(benchmark::kMicrosecond);

// The most details a file may hold, of both kinds, spread over the tank's height
// and overlapping the level bands as real ones do.
TSteelVertCylTank TankOfMostDetails()
{
    TSteelVertCylTank tank = test::MakeRealisticTank();
    std::vector<InternalDetail> details(static_cast<std::size_t>(kMaxInternalDetails - tank.DetailCount()));
    for (std::size_t i = 0; i < details.size(); ++i) {
        InternalDetail& d = details[i];
        d.IsArbitrary = i % 2 == 0;
        d.Volume = 1e-4 * static_cast<double>(i % 17);
        d.Bottom = static_cast<double>(i % 9000);
        d.Top = d.Bottom + static_cast<double>(100 + i % 1500);
        d.Diameter = 50;
        d.Length = 500;
    }
    tank.AddDetails(details);
    return tank;
}

static void BM_OpenTankOf100000Details(benchmark::State& state)
{
    ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    const std::string path = TempPath("details.vlq");
    StoreTankFile(path, TankOfMostDetails(), 1);
    for (auto _ : state) {
        LoadedTank loaded = LoadTankFile(path);
        benchmark::DoNotOptimize(loaded.tank.VolumeAtLevel());
    }
    state.counters["details"] = kMaxInternalDetails;
    ::unlink(path.c_str());
}
BENCHMARK(BM_OpenTankOf100000Details)->Unit(benchmark::kMillisecond);

// What the user waits for after choosing such a file: opening it and its table.
static void BM_OpenAndListTankOf100000Details(benchmark::State& state)
{
    ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    const std::string image = WriteTank(TankOfMostDetails(), 1);
    for (auto _ : state) {
        LoadedTank loaded = ReadTank(image);
        std::string text = CalibrationTableText(loaded.tank, "\n");
        benchmark::DoNotOptimize(text.data());
        state.counters["lines"] = static_cast<double>(CalibrationTableLineCount(loaded.tank));
    }
}
BENCHMARK(BM_OpenAndListTankOf100000Details)->Unit(benchmark::kMillisecond);

static void BM_WriteLargestTank(benchmark::State& state)
{
    const TSteelVertCylTank tank = test::MakeFilledTank();
    for (auto _ : state) {
        std::string image = WriteTank(tank, 1);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_WriteLargestTank)->Unit(benchmark::kMicrosecond);

// The whole store, replacing an existing file: temporary file, write, fsync,
// rename. The fsync dominates and depends on the device.
static void BM_StoreLargestTankFile(benchmark::State& state)
{
    const TSteelVertCylTank tank = test::MakeFilledTank();
    const std::string path = TempPath("store.vlq");
    for (auto _ : state)
        StoreTankFile(path, tank, 1);
    ::unlink(path.c_str());
}
BENCHMARK(BM_StoreLargestTankFile)->Unit(benchmark::kMicrosecond);

static void BM_CliTableProcess(benchmark::State& state)
{
    std::string cli = bench::CliPath();
    if (::access(cli.c_str(), X_OK) != 0) {
        state.SkipWithError("veloquin-cli not built");
        return;
    }
    std::string path = TempPath("cli.vlq");
    StoreTankFile(path, test::MakeFilledTank(), 1);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string command = "table";
    char* argv[] = {cli.data(), command.data(), path.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ) != 0) {
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
    posix_spawn_file_actions_destroy(&actions);
    ::unlink(path.c_str());
}
BENCHMARK(BM_CliTableProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
