// Start-up and exit with a long settings file: every read reads and walks the
// whole file (nothing is cached), so each must cost what walking 600 KB costs.

#include "Settings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace veloquin;

std::string LongSettingsFile()
{
    const std::string path = "/tmp/veloquin-settings-bench-" + std::to_string(::getpid()) + ".ini";
    std::string text = "[WindowState]\nMaximized=0\n";
    while (text.size() < 600 * 1024)
        text += "; a line of notes someone kept here\n";
    text += "[PrinterCalibr]\ndXCalibr=1,5\n";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// What the program reads when it starts (main window, printer, inspector).
void BM_SettingsStartUpReads600KB(benchmark::State& state)
{
    const std::string path = LongSettingsFile();
    const ProfileFile ini(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadMainWindowSettings(ini));
        benchmark::DoNotOptimize(ReadPrinterCalibration(ini));
        benchmark::DoNotOptimize(ReadInspectorSettings(ini));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SettingsStartUpReads600KB)->Unit(benchmark::kMillisecond);

// What it writes when it ends: fourteen rewrites of the file.
void BM_SettingsExitWrites600KB(benchmark::State& state)
{
    const std::string path = LongSettingsFile();
    ProfileFile ini(path);
    for (auto _ : state) {
        WriteMainWindowSettings(ini, {false, 640, 122, 10, 20});
        WritePrinterCalibration(ini, {1.5, -2, 0.25, 3});
        WriteInspectorSettings(ini, {});
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SettingsExitWrites600KB)->Unit(benchmark::kMillisecond);

} // namespace
