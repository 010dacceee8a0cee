// Slot 15: a picture tube switched off. White for 50 ms, then a white line
// across the middle of a black view that shrinks at both ends until gone.
#include "core/FrameTimer.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/SwitchOff.h"
#include "image/Image.h"

SwitchOffState SwitchOffVars;

namespace {

SwitchOffState& S = SwitchOffVars;

constexpr uint32_t ShrinkPerFrame = 14;

}  // namespace

int32_t SwitchOff(int32_t* Step)
{
    const uint32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    if (*Step == 0) {
        S.LineInset = 0;
        *Step = 1;
        RestartTimer(EffectTimer);
        S.MiddleRow = (VH >> 1) * VW;
    }
    // The timer is never restarted: after 50 ms every call clears this again.
    FillViewWhite();
    if (ReadTimer(EffectTimer) < 50)
        return 0;
    ClearView();
    if (S.LineInset >= VW >> 1)
        return 1;
    for (uint32_t i = S.LineInset; i + S.LineInset < VW; ++i)
        DrawOrigin[S.MiddleRow + i] = 0xFFFFFF;
    S.LineInset += ShrinkPerFrame;
    return 0;
}
