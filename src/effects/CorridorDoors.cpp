// Slot 6: the word screen shrinks into the middle of a corridor; after three
// seconds two side doors slide in from the edges and shut, and are held
// until the fourth second.
#include "effects/CorridorDoors.h"

#include <cstdlib>

#include "core/FrameTimer.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

ShrinkDoors CorridorDoorsVars;

namespace {

constexpr uint32_t DoorsFromMs = 3000, EndMs = 4000;  // since the first call

// Both leaves where they are: the right one mirrors the left one.
void DrawDoorsAt(int32_t Offset)
{
    const int32_t VW = MainScreen->ViewWidth;
    PutImage(Resources.PorteVG, Offset, 0, 0.0f);
    PutImage(Resources.PorteVD, VW - Resources.PorteVD->Width + std::abs(Offset), 0, 0.0f);
}

}  // namespace

int32_t CorridorDoors(int32_t* Step)
{
    ShrinkDoors& S = CorridorDoorsVars;
    if (*Step == 0) {
        // One pixel beyond fully hidden.
        StartShrinkDoors(S, -(Resources.PorteVG->Width + 1));
        *Step = 1;
    }
    PutImage(Resources.Corridor, 0, 0, 0.0f);
    DrawShrunkBackdrop(S);
    if (ShrinkFurther(S))
        return 0;
    if (ReadTimer(EffectTimer) < DoorsFromMs)
        return 0;

    DrawDoorsAt(S.DoorOffset);
    if (S.DoorOffset <= 0) {
        SlideDoors(S);
        return 0;
    }
    // Shut: the leaves drawn again at their closed places over the moving ones.
    PutImage(Resources.PorteVG, 0, 0, 0.0f);
    PutImage(Resources.PorteVD, MainScreen->ViewWidth >> 1, 0, 0.0f);
    if (ReadTimer(EffectTimer) < EndMs)
        return 0;
    EndShrinkDoors(S);
    return 1;
}
