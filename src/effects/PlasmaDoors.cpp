// Slot 9: a four-cosine plasma over the whole view; the closed doors slide
// apart over it with an eased swing, and once they are gone a fixed
// timeline brings white flashes, a framed miniature and a fade to black.
#include "effects/PlasmaDoors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Clock.h"
#include "core/CosTable.h"
#include "core/FrameTimer.h"
#include "core/Numbers.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

PlasmaDoorsState PlasmaDoorsVars;

namespace {

constexpr int32_t CosSumRange = 4 * 255;  // |v| never exceeds it
constexpr uint32_t EndMs = 24000;
constexpr uint32_t FadeAfterMs = 20640;

// Flash windows, bounds exclusive, in the order they are tested.
struct Window {
    uint32_t After, Before;
};
constexpr Window FirstFlash = {7000, 7080};
constexpr Window InsetFlash = {12000, 12080};
constexpr Window LateFlashes[] = {{20000, 20080}, {20280, 20360}, {20560, 20640}};

bool Inside(uint32_t T, Window W)
{
    return T > W.After && T < W.Before;
}

// Red from q/16 and green from q/2, kept unmasked: a negative q fills the
// top bits and q >= 512 carries into the red byte.
uint32_t PlasmaPixel(int32_t Q)
{
    return uint32_t(Q >> 4) << 16 | uint32_t(Q >> 1) << 8;
}

// The pixel of every cosine sum for this frame's divisor, so the division
// is done 2041 times instead of once per pixel.
struct PixelTable {
    uint32_t Of[2 * CosSumRange + 1];
    uint32_t At(int32_t V) const { return Of[V + CosSumRange]; }
};

void FillPixelTable(PixelTable& Table, float Divisor)
{
    for (int32_t V = -CosSumRange; V <= CosSumRange; ++V)
        Table.Of[V + CosSumRange] = PlasmaPixel(TruncToInt32(float(V) / Divisor));
}

PixelTable SumPixels;

// The cosine indices are bytes, so the picture repeats every 256 columns
// (c += 1, d += 3) and every 256 rows (a += 2, b += 1): those are copied.
constexpr int32_t Period = 256;

// c and d restart at every row, so the column half of the sum is the same
// for all rows; one entry per column of the first period.
int32_t ColumnSum[Period];

void CopyRepeats(uint32_t* Row, int32_t VW)
{
    for (int32_t x = Period; x < VW; x += Period)
        std::copy_n(Row + x - Period, std::min(Period, VW - x), Row + x);
}

// Draws the plasma and returns the row index a as the last row left it.
uint8_t DrawPlasma()
{
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    FillPixelTable(SumPixels, PlasmaDoorsVars.PlasmaDivisor);
    uint8_t C = PlasmaDoorsVars.ColPhaseA, D = PlasmaDoorsVars.ColPhaseB;
    const int32_t Columns = std::min(VW, Period);
    for (int32_t x = 0; x < Columns; ++x, C += 1, D += 3)
        ColumnSum[x] = CosTable[C] + CosTable[D];
    uint8_t A = PlasmaDoorsVars.RowPhaseA, B = PlasmaDoorsVars.RowPhaseB;
    for (int32_t y = 0; y < VH; ++y, A += 2, B += 1) {
        uint32_t* Row = DrawOrigin + size_t(y) * VW;
        if (y >= Period) {
            std::copy_n(Row - size_t(Period) * VW, VW, Row);
            continue;
        }
        const int32_t RowSum = CosTable[A] + CosTable[B];
        for (int32_t x = 0; x < Columns; ++x)
            Row[x] = SumPixels.At(RowSum + ColumnSum[x]);
        CopyRepeats(Row, VW);
    }
    return A;
}

void AdvancePhases(uint8_t LastA)
{
    PlasmaDoorsVars.RowPhaseA += 5;
    const double S = std::sin(LastA * 3.141592654 * 0.0078125);
    PlasmaDoorsVars.RowPhaseB = uint8_t(TruncToInt32(PlasmaDoorsVars.RowPhaseB - 10.0 * S));
    PlasmaDoorsVars.ColPhaseA += 3;
    PlasmaDoorsVars.ColPhaseB -= 8;
}

// Draws the door halves where they stand and moves them on. False once the
// upper half has left the view.
bool DrawAndMoveDoors()
{
    const Image* Upper = Resources.HUDoor;
    const Image* Lower = Resources.HBDoor;
    const int32_t VH = MainScreen->ViewHeight, Middle = VH >> 1;
    if (Upper->Height + PlasmaDoorsVars.DoorOffset <= 0)
        return false;
    if (Upper->Height + PlasmaDoorsVars.DoorOffset > Middle) {
        PutImage(Upper, 0, Middle - Upper->Height, 0.0f);
        PutImage(Lower, 0, Middle, 0.0f);
    } else {
        PutImage(Upper, 0, PlasmaDoorsVars.DoorOffset, 0.0f);
        PutImage(Lower, 0, VH + std::abs(PlasmaDoorsVars.DoorOffset) - Lower->Height, 0.0f);
    }
    // Eased: slows, stops, swings back a little, then leaves.
    const float Speed = float(15.0 * std::sin(PlasmaDoorsVars.DoorStep * 0.123 + 90.0) + 10.0);
    PlasmaDoorsVars.DoorOffset = TruncToInt32(float(PlasmaDoorsVars.DoorOffset) - Speed);
    PlasmaDoorsVars.DoorStep += 1;
    return true;
}

// Each test reads the timer anew, as the timeline always has.
int32_t RunTimeline()
{
    if (ReadTimer(EffectTimer) < FirstFlash.After)
        return 0;
    if (Inside(ReadTimer(EffectTimer), FirstFlash)) {
        FillViewWhite();
        return 0;
    }
    const uint32_t T = ReadTimer(EffectTimer);
    if (Inside(T, InsetFlash)) {
        FillViewWhite();
        return 0;
    }
    if (T > InsetFlash.After)
        ViewInset(&PlasmaDoorsVars.InsetReady);
    for (Window Flash : LateFlashes)
        if (Inside(ReadTimer(EffectTimer), Flash)) {
            FillViewWhite();
            return 0;
        }
    if (ReadTimer(EffectTimer) >= EndMs)
        return 1;
    // Not stored in the timer.
    if (GetTickCount() - EffectTimer->StartTick > FadeAfterMs)
        PlasmaDoorsVars.PlasmaDivisor = PlasmaDoorsVars.PlasmaDivisor > 15.0 ? float(PlasmaDoorsVars.PlasmaDivisor + 30.0)
                                                           : float(PlasmaDoorsVars.PlasmaDivisor + 0.4);
    return 0;
}

}  // namespace

int32_t PlasmaDoors(int32_t* Step)
{
    if (*Step == 0) {
        RestartTimer(EffectTimer);
        PlasmaDoorsVars.InsetReady = 0;
        PlasmaDoorsVars.PlasmaDivisor = 1.0f;
        *Step = 1;
    }
    AdvancePhases(DrawPlasma());
    if (DrawAndMoveDoors())
        return 0;
    return RunTimeline();
}
