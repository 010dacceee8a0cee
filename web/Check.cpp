// The page's check mode: the demo on the headless backend's virtual clock,
// as fast as the browser runs it. First holds the SIMD paths to the plain
// ones where the demo never takes them; then writes the frames that
// frames.sha256 names into frames/ exactly as vorlune-capture writes them,
// for the page to hash as the golden check hashes them; prints each slot's
// mean call time.
#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "KernelCheck.h"
#include "Snapshots.h"
#include "core/Screen.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"

namespace {

// The browser's clock straight, in ms: through steady_clock it costs a
// JavaScript wrapper more on every call, which the emptiest slots feel.
double Now()
{
    return emscripten_get_now();
}

constexpr uint8_t FadeSlot = 12;

struct CheckState {
    std::set<std::string> Wanted;
    uint32_t Calls[EffectCount] = {};
    double Ms[EffectCount] = {};
    double Start = 0, LastFlip = 0;  // ms
    uint32_t FlipsBefore = 0;
} Check;

bool ReadWanted(const char* Path)
{
    std::ifstream List(Path);
    std::string Hash, Name;
    while (List >> Hash >> Name)
        Check.Wanted.insert(Name);
    return !Check.Wanted.empty();
}

void BeforeCall(uint8_t)
{
    Check.FlipsBefore = HeadlessFlipCount();
    Check.Start = Now();
}

// Timed as the native benchmark times the calls: slot 12's one-second
// busy-wait, from the present before it, is left out.
void AfterCall(uint8_t Slot, int32_t Result)
{
    const bool Waited = Slot == FadeSlot && Result == 1 && HeadlessFlipCount() != Check.FlipsBefore;
    Check.Ms[Slot] += (Waited ? Check.LastFlip : Now()) - Check.Start;
    char Name[32];
    std::snprintf(Name, sizeof Name, "s%02u-c%06u.ppm", unsigned(Slot), ++Check.Calls[Slot]);
    if (Check.Wanted.count(Name) &&
        !WriteFramePPM(std::string("frames/") + Name, MainScreen->Pixels))
        std::fprintf(stderr, "vorlune-check: can't write frames/%s\n", Name);
}

void AfterFlip(const uint8_t*, int32_t, uint64_t)
{
    Check.LastFlip = Now();
}

}  // namespace

int main()
{
    if (!ReadWanted("frames.sha256") || mkdir("frames", 0777) != 0) {
        std::fprintf(stderr, "vorlune-check: no frame names in frames.sha256\n");
        return 1;
    }
    const KernelCount Kernels = CheckKernels();
    std::printf("kernels %d cases, %d differ\n", Kernels.Cases, Kernels.Differ);
    EffectStartHook = BeforeCall;
    EffectCallHook = AfterCall;
    HeadlessSetFlipHook(AfterFlip);
    const int Code = DemoMain(Settings{});
    for (int Slot = 0; Slot < EffectCount; ++Slot)
        std::printf("slot %d %s calls %u mean %.4f ms\n", Slot, SlotTable[Slot].Name,
                    Check.Calls[Slot],
                    Check.Calls[Slot] ? Check.Ms[Slot] / Check.Calls[Slot] : 0.0);
    std::printf("virtual %.2f s\n", double(HeadlessNow()) / 1e6);
    return Code;
}
