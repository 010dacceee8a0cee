// Slot 12: fades the picture the blobs left, in place. Every frame divides
// each channel of every view pixel by a slowly growing divisor, so the
// losses compound; past 1.05 the view goes black and is held for a second.
#include "effects/FadeToBlack.h"

#include <cstddef>
#include <cstdint>

#include "core/Clock.h"
#include "core/FrameTimer.h"
#include "display/Present.h"
#include "effects/Effects.h"
#include "effects/FadePixels.h"

FadeToBlackState FadeToBlackVars;

namespace {

constexpr uint32_t GrowEveryMs = 50;
constexpr uint32_t BlackHoldMs = 1000;

// The loop, written once for both paths below.
[[gnu::always_inline]] inline void FadePixels(float Divisor)
{
    uint32_t* Pixel = DrawOrigin;
    const size_t Count = size_t{MainScreen->ViewWidth} * MainScreen->ViewHeight;
    for (size_t i = FadeFoursSimd128(Pixel, Count, Divisor); i < Count; ++i) {
        const uint32_t P = Pixel[i];
        // The upper half read as signed is the red of every pixel this
        // effect receives.
        const uint32_t Red = Faded(int32_t(P) >> 16, Divisor);
        const uint32_t Green = Faded(int32_t((P >> 8) & 0xFF), Divisor);
        const uint32_t Blue = Faded(int32_t(P & 0xFF), Divisor);
        Pixel[i] = Red * 65536 + Green * 256 + Blue;
    }
}

void FadePlain(float Divisor)
{
    FadePixels(Divisor);
}

// Bound by the divisions: wider vectors where the processor has them,
// chosen when the program starts (by hand: Windows has no ifunc for
// target_clones, and wasm no AVX2: the browser's SIMD build has
// FadeSimd128.cpp).
#if defined(__x86_64__)
[[gnu::target("avx2")]] void FadeAvx2(float Divisor)
{
    FadePixels(Divisor);
}

using FadeFunction = void (*)(float);
const FadeFunction FadeView =
    (__builtin_cpu_init(), __builtin_cpu_supports("avx2")) ? FadeAvx2 : FadePlain;
#else
const auto FadeView = FadePlain;
#endif

// Blocks the thread: no messages are handled for the second.
void HoldBlack()
{
    RestartTimer(EffectTimer);
    ClearView();
    PresentScreen();
    while (GetTickCount() - EffectTimer->StartTick < BlackHoldMs) {
    }
}

}  // namespace

int32_t FadeToBlack(int32_t* Step)
{
    if (*Step == 0) {
        *Step = 1;
        FadeToBlackVars.Divisor = 1.0f;
        RestartTimer(EffectTimer);
    }
    FadeView(FadeToBlackVars.Divisor);
    if (ReadTimer(EffectTimer) < GrowEveryMs)
        return 0;
    FadeToBlackVars.Divisor = float(FadeToBlackVars.Divisor + 0.001);
    if (FadeToBlackVars.Divisor > 1.05) {
        HoldBlack();
        return 1;
    }
    RestartTimer(EffectTimer);
    return 0;
}
