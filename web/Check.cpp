// The page's check mode: the demo on the headless backend's virtual clock,
// as fast as the browser runs it. Prints, in the format of frames.sha256,
// the hash of each frame that file names, hashed as the golden check hashes
// them (the PPM that vorlune-capture writes); then the mean time of each
// slot's effect calls and the hash of LogDemo.txt.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <utility>

#include "Sha256.h"
#include "platform/Headless.h"
#include "demo/MainLoop.h"
#include "core/Screen.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Width = 640, Height = 480;
constexpr uint8_t FadeSlot = 12;

struct CheckState {
    std::set<std::string> Wanted;
    uint32_t Calls[EffectCount] = {};
    Effect Original[EffectCount] = {};
    double Seconds[EffectCount] = {};
    Clock::time_point LastFlip;
} Check;

std::string FrameHash(const uint32_t* Pixels)
{
    Sha256 Hash;
    Sha256Start(&Hash);
    char Header[32];
    const int Length = std::snprintf(Header, sizeof Header, "P6\n%d %d\n255\n", Width, Height);
    Sha256Add(&Hash, Header, size_t(Length));
    uint8_t Row[Width * 3];
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const uint32_t P = Pixels[y * Width + x];
            Row[3 * x] = uint8_t(P >> 16), Row[3 * x + 1] = uint8_t(P >> 8), Row[3 * x + 2] = uint8_t(P);
        }
        Sha256Add(&Hash, Row, sizeof Row);
    }
    return Sha256Hex(&Hash);
}

bool ReadWanted(const char* Path)
{
    std::ifstream List(Path);
    std::string Hash, Name;
    while (List >> Hash >> Name)
        Check.Wanted.insert(Name);
    return !Check.Wanted.empty();
}

void AfterCall(uint8_t Slot, int32_t)
{
    char Name[32];
    std::snprintf(Name, sizeof Name, "s%02u-c%06u.ppm", unsigned(Slot), ++Check.Calls[Slot]);
    if (Check.Wanted.count(Name))
        std::printf("%s  %s\n", FrameHash(MainScreen->Pixels).c_str(), Name);
}

// Timed around the table entries, as the native benchmark times them; slot
// 12's one-second busy-wait, from the present before it, is left out.
template <int Slot>
int32_t Timed(int32_t* Step)
{
    const uint32_t FlipsBefore = HeadlessFlipCount();
    const Clock::time_point Start = Clock::now();
    const int32_t Result = Check.Original[Slot](Step);
    const Clock::time_point End = Clock::now();
    const bool Waited = Slot == FadeSlot && Result == 1 && HeadlessFlipCount() != FlipsBefore;
    Check.Seconds[Slot] += std::chrono::duration<double>((Waited ? Check.LastFlip : End) - Start).count();
    return Result;
}

template <int... Slots>
void WrapTable(std::integer_sequence<int, Slots...>)
{
    ((Check.Original[Slots] = EffectTable[Slots], EffectTable[Slots] = Timed<Slots>), ...);
}

// The table is filled after loading, before the first present of the loop.
void AfterFlip(const uint8_t*, int32_t, uint64_t)
{
    Check.LastFlip = Clock::now();
    if (EffectTable[0] && !Check.Original[0])
        WrapTable(std::make_integer_sequence<int, EffectCount>{});
}

std::string FileHash(const char* Path)
{
    std::ifstream File(Path, std::ios::binary);
    Sha256 Hash;
    Sha256Start(&Hash);
    char Buffer[65536];
    while (File.read(Buffer, sizeof Buffer) || File.gcount() > 0)
        Sha256Add(&Hash, Buffer, size_t(File.gcount()));
    return Sha256Hex(&Hash);
}

}  // namespace

int main()
{
    if (!ReadWanted("frames.sha256")) {
        std::fprintf(stderr, "vorlune-check: no frame names in frames.sha256\n");
        return 1;
    }
    EffectCallHook = AfterCall;
    HeadlessSetFlipHook(AfterFlip);
    const int Code = DemoMain();
    for (int Slot = 0; Slot < EffectCount; ++Slot)
        std::printf("slot %d calls %u mean %.4f ms\n", Slot, Check.Calls[Slot],
                    Check.Calls[Slot] ? Check.Seconds[Slot] * 1e3 / Check.Calls[Slot] : 0.0);
    std::printf("log %s\n", FileHash("LogDemo.txt").c_str());
    std::printf("virtual %.2f s\n", double(HeadlessNow()) / 1e6);
    return Code;
}
