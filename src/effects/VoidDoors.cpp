// Slot 7: the corridor with its shut doors shrinks into the middle of a
// black view; after three seconds two leaves slide in from the top and the
// bottom and shut, and are held until the fifth second.
#include "effects/VoidDoors.h"

#include <cstdlib>

#include "core/FrameTimer.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

ShrinkDoors VoidDoorsVars;

namespace {

constexpr uint32_t DoorsFromMs = 3000, EndMs = 5000;  // since the first call

}  // namespace

int32_t VoidDoors(int32_t* Step)
{
    ShrinkDoors& S = VoidDoorsVars;
    if (*Step == 0) {
        // Set by the side door's width, as slot 6 starts its own leaf.
        StartShrinkDoors(S, -(Resources.PorteVG->Width + 2));
        *Step = 1;
    }
    ClearView();
    DrawShrunkBackdrop(S);
    if (ShrinkFurther(S))
        return 0;
    if (ReadTimer(EffectTimer) < DoorsFromMs)
        return 0;

    const int32_t Bottom = MainScreen->ViewHeight - Resources.HBDoor->Height;
    if (S.DoorOffset >= 0) {
        PutImage(Resources.HUDoor, 0, 0, 0.0f);
        PutImage(Resources.HBDoor, 0, Bottom, 0.0f);
        if (ReadTimer(EffectTimer) < EndMs)
            return 0;
        EndShrinkDoors(S);
        return 1;
    }
    PutImage(Resources.HUDoor, 0, S.DoorOffset, 0.0f);
    PutImage(Resources.HBDoor, 0, Bottom + std::abs(S.DoorOffset), 0.0f);
    SlideDoors(S);
    return 0;
}
