// vorlune-bench-window: the present in a real SDL window of twice the
// picture's size (bench/run-all starts Xvfb at 1280 x 960 for it), without
// and with the CRT look. The renderer's own
// time counts here: under Xvfb it is Mesa's, on the processor. Without an
// X display it says so and measures nothing.
#include <cstdio>
#include <cstdlib>

#include "PresentLoop.h"
#include "core/Clock.h"
#include "platform/Window.h"

namespace {

// The original timing flips at once: the pacer would wait for each frame's
// moment. Vsync off, so that the display's rate sets no floor.
void Present(benchmark::State& State, bool Crt)
{
    WindowSetCrt(Crt);
    WindowChooseMode(true, 2);
    PresentNoise(State);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "vorlune-bench-window: no X display; bench/run-all runs it under Xvfb\n");
        return 0;
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_RENDER_VSYNC", "0", 1);
    ChooseTiming(Timing::Original);
    for (bool Crt : {false, true})
        Repeat(benchmark::RegisterBenchmark(Crt ? "Window/Crt" : "Window/Plain", Present, Crt));
    return RunInScratchFolder();
}
