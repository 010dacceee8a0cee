#pragma once
// What the present benchmarks share: the screen made and filled with noise,
// so that no converter meets only one colour, then presented in the timed
// loop; a scratch folder for the display's timing log.
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

// The folder made and entered; "" when that failed.
inline std::string EnterScratchFolder()
{
    std::string Folder = (std::filesystem::temp_directory_path() / "vorlune-bench-XXXXXX").string();
    return mkdtemp(Folder.data()) && chdir(Folder.c_str()) == 0 ? Folder : "";
}
