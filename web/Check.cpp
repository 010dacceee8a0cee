// The page's check mode: the demo on the headless backend's virtual clock,
// as fast as the browser runs it. First holds the SIMD paths to the plain
// ones where the demo never takes them; then writes the frames that
// frames.sha256 names into frames/ exactly as vorlune-capture writes them,
// for the page to hash as the golden check hashes them; prints each slot's
// mean call time.
#include <sys/stat.h>

#include <chrono>
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

using Clock = std::chrono::steady_clock;
constexpr uint8_t FadeSlot = 12;

struct CheckState {
    std::set<std::string> Wanted;
    uint32_t Calls[EffectCount] = {};
    double Seconds[EffectCount] = {};
    Clock::time_point Start, LastFlip;
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
    Check.Start = Clock::now();
}

// Timed as the native benchmark times the calls: slot 12's one-second
// busy-wait, from the present before it, is left out.
void AfterCall(uint8_t Slot, int32_t Result)
{
    const bool Waited = Slot == FadeSlot && Result == 1 && HeadlessFlipCount() != Check.FlipsBefore;
    const Clock::time_point End = Waited ? Check.LastFlip : Clock::now();
    Check.Seconds[Slot] += std::chrono::duration<double>(End - Check.Start).count();
    char Name[32];
    std::snprintf(Name, sizeof Name, "s%02u-c%06u.ppm", unsigned(Slot), ++Check.Calls[Slot]);
    if (Check.Wanted.count(Name) &&
        !WriteFramePPM(std::string("frames/") + Name, MainScreen->Pixels))
        std::fprintf(stderr, "vorlune-check: can't write frames/%s\n", Name);
}

void AfterFlip(const uint8_t*, int32_t, uint64_t)
{
    Check.LastFlip = Clock::now();
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
                    Check.Calls[Slot] ? Check.Seconds[Slot] * 1e3 / Check.Calls[Slot] : 0.0);
    std::printf("virtual %.2f s\n", double(HeadlessNow()) / 1e6);
    return Code;
}
