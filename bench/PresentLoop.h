#pragma once
// What the present benchmarks share: the screen made and filled with noise,
// so that no converter meets only one colour, then presented in the timed
// loop, five runs of each, in a scratch folder for the display's timing
// log.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "display/Present.h"
#include "log/Log.h"

inline void PresentNoise(benchmark::State& State)
{
    OpenLog("LogDemo.txt");
    CreateScreen("Vorlune", 640, 480, FullView);
    std::mt19937 Random(2024);
    for (size_t i = 0; i < size_t{640} * 480; ++i)
        MainScreen->Pixels[i] = Random() & 0x00FFFFFF;
    PresentScreen();  // the window's activation is pumped here
    for (auto _ : State)
        benchmark::DoNotOptimize(PresentScreen());
    DestroyScreen();
}

// Five timed runs of each, their aggregates shown.
inline void Repeat(benchmark::internal::Benchmark* Bench)
{
    Bench->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);
}

// Runs the registered benchmarks in a scratch folder, where the display
// writes its timing log, removed after; 1 when it can't be made.
inline int RunInScratchFolder()
{
    std::string Folder = (std::filesystem::temp_directory_path() / "vorlune-bench-XXXXXX").string();
    if (!mkdtemp(Folder.data()) || chdir(Folder.c_str()) != 0)
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder);
    return 0;
}
