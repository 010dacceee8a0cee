// Slot 13: five raster bars cascade and bounce, painting trails, under a
// scroll text on a sine wave and its blended echo; then the bars fade out.
#include <cmath>
#include <cstdlib>

#include "core/FrameTimer.h"
#include "core/Numbers.h"
#include "core/Random.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/RasterBars.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

RasterBarsState RasterBarsVars;

namespace {

RasterBarsState& S = RasterBarsVars;

// Bars are moved and tested in this order, not the drawing order.
constexpr RasterBarIndex MoveOrder[BarCount] = {BarR, BarG, BarB, BarY, BarV};

Image* BarPicture(int Bar)
{
    Image* const Pictures[BarCount] = {Resources.RasterR, Resources.RasterG, Resources.RasterB,
                                       Resources.RasterV, Resources.RasterY};
    return Pictures[Bar];
}

void Start()
{
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    RestartTimer(EffectTimer);
    S.BarSpeed = float(3.03);
    ClearView();
    for (RasterBar& Bar : S.Bars)
        Bar = {0.0f, 0.0f};
    S.Bars[BarR].Vel = S.BarSpeed;
    RestartTimer(&S.MoveTimer);
    RestartTimer(&S.FadeTimer);
    S.ScrollSpeed = 1.0f;
    S.ScrollY1 = float((VH - Resources.ScrollText->Height) / 2);
    S.ScrollY2 = float(double(S.ScrollY1) + 100.0);
    S.ScrollX1 = float(VW);
    S.ScrollX2 = float(VW);
    S.BarDivisor = 0.0f;
}

void Draw()
{
    for (int Bar = 0; Bar < BarCount; ++Bar)
        PutImage(BarPicture(Bar), 0, TruncToInt32(S.Bars[Bar].Top), S.BarDivisor);
    PutImage(Resources.ScrollText, TruncToInt32(S.ScrollX1), TruncToInt32(S.ScrollY1), 0.0f);
    PutImage(Resources.ScrollText, TruncToInt32(S.ScrollX2), TruncToInt32(S.ScrollY2), 3.0f);
}

// A waiting bar (Vel 0.0, or -0.0 after a bounce at speed 0) starts once
// the bar before it has passed Depth.
void StartWhenPassed(RasterBarIndex Leader, int32_t Depth, RasterBarIndex Waiting)
{
    if (S.Bars[Leader].Top > float(Depth) && S.Bars[Waiting].Vel == 0.0f)
        S.Bars[Waiting].Vel = S.BarSpeed;
}

void MoveBars(int32_t H, int32_t VH)
{
    for (RasterBarIndex Bar : MoveOrder)
        S.Bars[Bar].Top += S.Bars[Bar].Vel;

    for (int i = 0; i + 1 < BarCount; ++i)
        StartWhenPassed(MoveOrder[i], (i + 2) * H, MoveOrder[i + 1]);

    const float Bottom = float(VH - H);
    for (RasterBarIndex Bar : MoveOrder)
        if (S.Bars[Bar].Top > Bottom) {
            if (Bar == BarR)
                S.BarSpeed = float(NextRandom() % 6);
            S.Bars[Bar].Vel = -S.BarSpeed;
        }
    for (RasterBarIndex Bar : MoveOrder)
        if (S.Bars[Bar].Top < 0.0f) {
            if (Bar == BarR)
                S.BarSpeed = float(NextRandom() % 6);
            S.Bars[Bar].Vel = S.BarSpeed;
        }
}

}  // namespace

int32_t RasterBars(int32_t* Step)
{
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    if (*Step == 0) {
        *Step = 1;
        Start();
    }
    Draw();

    S.ScrollX1 -= S.ScrollSpeed;
    S.ScrollY1 = float(double(S.ScrollY1) + 4.0 * std::sin(double(S.ScrollX1) / 10.0));
    if (ReadTimer(&S.MoveTimer) < 15)
        return 0;
    if (float(VW - 100) > S.ScrollX1) {
        S.ScrollX2 -= S.ScrollSpeed;
        S.ScrollY2 = float(double(S.ScrollY2) + 2.0 * std::sin(double(S.ScrollX2) / 10.0));
    }
    RestartTimer(&S.MoveTimer);
    MoveBars(Resources.RasterR->Height, VH);

    // 64-bit so that the x86 "integer indefinite" has a defined magnitude.
    if (std::llabs(int64_t{TruncToInt32(S.ScrollX2)}) < Resources.ScrollText->Width)
        return 0;
    if (S.BarDivisor == 0.0f)
        S.BarDivisor = 1.5f;
    if (ReadTimer(&S.FadeTimer) < 50)
        return 0;
    RestartTimer(&S.FadeTimer);
    S.BarDivisor = float(double(S.BarDivisor) + 0.05);
    if (S.BarDivisor > 9.05) {
        ClearView();
        return 1;
    }
    return 0;
}
