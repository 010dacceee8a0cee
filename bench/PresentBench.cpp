// vorlune-bench-present: one present of the 640 x 480 frame buffer as the
// main loop makes it (the event pump, the 480 rows through the chosen
// converter, the flip) on the headless back buffer in each of the eight
// pixel formats the display may have.
#include <string>

#include "PresentLoop.h"
#include "platform/Headless.h"

namespace {

struct Format {
    const char* Name;
    PixelFormat Layout;
};

const Format Formats[] = {
    {"RGB32", {32, 0xFF0000, 0xFF00, 0xFF}},  {"BGR32", {32, 0xFF, 0xFF00, 0xFF0000}},
    {"RGB24", {24, 0xFF0000, 0xFF00, 0xFF}},  {"BGR24", {24, 0xFF, 0xFF00, 0xFF0000}},
    {"RGB565", {16, 0xF800, 0x7E0, 0x1F}},    {"BGR565", {16, 0x1F, 0x7E0, 0xF800}},
    {"RGB555", {16, 0x7C00, 0x3E0, 0x1F}},    {"BGR555", {16, 0x1F, 0x3E0, 0x7C00}},
};

// The display opens in the format given before it.
void Present(benchmark::State& State, const Format& F)
{
    HeadlessSetPixelFormat(F.Layout);
    PresentNoise(State);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (const Format& F : Formats)
        Repeat(benchmark::RegisterBenchmark((std::string("Present/") + F.Name).c_str(), Present, F));
    return RunInScratchFolder();
}
