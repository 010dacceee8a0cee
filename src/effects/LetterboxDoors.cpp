// Slot 8: the seam between the full-screen half of the demo and the
// letterboxed half. One white flash over the whole screen, then the
// letterbox comes on with the closed door halves meeting mid-view; the
// picture holds until two seconds after the first call began.
#include "core/Clock.h"
#include "core/FrameTimer.h"
#include "display/Present.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

namespace {

constexpr uint32_t FlashMs = 100;
constexpr uint32_t HoldMs = 2000;  // counted from the start of the flash

void FlashAndCloseDoors()
{
    // The letterbox is still off: the flash covers all 480 rows.
    FillViewWhite();
    PresentScreen();
    Sleep(FlashMs);
    SetScreenMode(LetterboxView);
    const int32_t Middle = MainScreen->ViewHeight >> 1;
    PutImage(Resources.HUDoor, 0, Middle - Resources.HUDoor->Height, 0.0f);
    PutImage(Resources.HBDoor, 0, Middle, 0.0f);
}

}  // namespace

int32_t LetterboxDoors(int32_t* Step)
{
    if (*Step == 0) {
        RestartTimer(EffectTimer);
        FlashAndCloseDoors();
        *Step = 1;
    }
    return ReadTimer(EffectTimer) >= HoldMs ? 1 : 0;
}
