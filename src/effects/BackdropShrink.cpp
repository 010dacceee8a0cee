#include "effects/BackdropShrink.h"

#include <cmath>

#include "core/FrameTimer.h"
#include "core/Numbers.h"
#include "core/Screen.h"
#include "effects/ResourceSet.h"
#include "effects/ScaledDraw.h"
#include "image/Image.h"

namespace {

constexpr uint16_t ShrinkPerFrame = 15;  // pixels of width

}  // namespace

void StartShrinkDoors(ShrinkDoors& S, int32_t FirstDoorOffset)
{
    const Image& Loading = *Resources.Loading;
    S.Aspect = float(Loading.Width) / float(Loading.Height);
    S.ShrinkWidth = uint16_t(Loading.Width);
    S.DoorOffset = FirstDoorOffset;
    S.DoorStep = 0;
    S.Backdrop = CreateImage(0, 0, 0, MainScreen->ViewWidth, MainScreen->ViewHeight);
    GrabView(S.Backdrop);
    RestartTimer(EffectTimer);
}

void DrawShrunkBackdrop(const ShrinkDoors& S)
{
    // The steps assume the backdrop is the Loading picture's size; the draw
    // clamps what another size would read past.
    const Image& Loading = *Resources.Loading;
    const int64_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    const uint32_t W = S.ShrinkWidth;
    const uint32_t H = TruncToUInt32(float(W) / S.Aspect);
    const float StepX = float(Loading.Width) / float(W);
    const float StepY = float(Loading.Height) / float(H);
    DrawScaled({S.Backdrop, W, H, StepX, StepY, (VW - W) >> 1, (VH - H) >> 1});
}

bool ShrinkFurther(ShrinkDoors& S)
{
    if (int32_t{S.ShrinkWidth} <= Resources.Loading->Width / 2)
        return false;
    S.ShrinkWidth = uint16_t(S.ShrinkWidth - ShrinkPerFrame);
    return true;
}

void SlideDoors(ShrinkDoors& S)
{
    const float Speed = float(std::sin(S.DoorStep * 0.123 + 90) / 100 + 100);
    S.DoorOffset = TruncToInt32(float(S.DoorOffset) + Speed);
    ++S.DoorStep;
}

void EndShrinkDoors(ShrinkDoors& S)
{
    FreeImage(S.Backdrop);
    S.Backdrop = nullptr;
}
