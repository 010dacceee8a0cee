// Slot 10: grey television snow from a 31-bit shift register in a window
// inside the Flower frame, single words half-blended into it at fixed
// times, and at the end the snow dimming away under "dead".
#include "effects/SnowWords.h"

#include <algorithm>
#include <cstring>

#include "core/FrameTimer.h"
#include "core/Layout.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

SnowWordsState SnowWordsVars;

namespace {

// The snow window in view pixels.
constexpr int32_t SnowLeft = SnowWindow.Left, SnowTop = SnowWindow.Top;
constexpr int32_t SnowColumns = SnowWindow.Width, SnowRows = SnowWindow.Height;

constexpr uint32_t NoWordMs = 4000;
constexpr uint32_t FirstWordEndMs = 5000;
constexpr uint32_t EndMs = 33000;

// A word and its window, bounds exclusive.
struct Cue {
    uint32_t After, Before;
    const char* Word;
};
constexpr Cue Cues[] = {
    {7000, 8000, "the"},  {10000, 11000, "oldschool"}, {13000, 14000, "qv demo"},
    {16000, 17000, "is"}, {19000, 20000, "not"},       {24000, 25000, "dead"},
};
constexpr Cue Dimming = {25000, 32000, "dead"};

bool Inside(uint32_t T, const Cue& C)
{
    return T > C.After && T < C.Before;
}

void ClearWord()
{
    std::memset(SnowWordsVars.Word, 0, sizeof SnowWordsVars.Word);
}

void SetWord(const char* Word)
{
    std::strcpy(SnowWordsVars.Word, Word);
}

// Up to 28 steps of the register at once. Its next 28 input bits are
// x[n + 31 + i] = x[n + i] ^ x[n + 3 + i], all known from the current 31, so
// a 59-bit window holds every state of the block and each grey level is
// read from it without waiting for the step before: the same levels and the
// same final state as one NextNoise per pixel, for a register in 0 to 2^31 - 1.
constexpr int32_t BlockSteps = 28;

void NoiseRow(int32_t& State, int16_t Mask, uint32_t* Row, int32_t Count)
{
    uint64_t S = uint32_t(State);
    for (int32_t k = 0; k < Count; k += BlockSteps) {
        const int32_t Steps = std::min(BlockSteps, Count - k);
        const uint64_t Window = S | ((S ^ (S >> 3)) & 0x0FFFFFFF) << 31;
        for (int32_t j = 0; j < Steps; ++j) {
            const int32_t Sj = int32_t((Window >> j) & 0x7FFFFFFF);
            const int32_t U = Sj ^ (Sj >> 3);
            Row[k + j] = uint32_t((U >> 1) & int32_t{Mask}) * 0x010101u;
        }
        S = (Window >> Steps) & 0x7FFFFFFF;
    }
    State = int32_t(S);
}

// The register runs on for clipped pixels too, so the snow is the same
// whatever the view's size.
void DrawSnow()
{
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    const int32_t Columns = std::clamp(VW - SnowLeft, 0, SnowColumns);
    // A local copy: the register stays out of memory while pixels are written.
    int32_t State = SnowWordsVars.NoiseState;
    const int16_t Mask = SnowWordsVars.NoiseMask;
    for (int32_t Y = SnowTop; Y < SnowTop + SnowRows; ++Y) {
        int32_t k = 0;
        if (Y < VH) {
            uint32_t* Row = DrawOrigin + size_t(Y) * VW + SnowLeft;
            if (State >= 0) {
                NoiseRow(State, Mask, Row, Columns);
                k = Columns;
            }
            for (; k < Columns; ++k)
                Row[k] = NextNoise(State, Mask) * 0x010101u;
        }
        for (; k < SnowColumns; ++k)
            NextNoise(State, Mask);
    }
    SnowWordsVars.NoiseState = State;
}

// Centred on the view by the width of the letter a.
void DrawWord()
{
    const Image* A = Resources.Fonte2[0];
    const uint32_t Length = uint32_t(std::strlen(SnowWordsVars.Word));
    const uint32_t X = (uint32_t{MainScreen->ViewWidth} - Length * uint32_t(A->Width)) >> 1;
    const int32_t Y = (int32_t{MainScreen->ViewHeight} - A->Height) / 2;
    PutString(Resources.Fonte2, int32_t(X), Y, SnowWordsVars.Word, float(SnowWordsVars.WordDivisor));
}

// The mask falls by 2 from 255 through the odd numbers, so the snow thins
// out unevenly; after 1 the snow stops and the word is copied at full strength.
void Dim()
{
    if (SnowWordsVars.NoiseMask > 1) {
        SnowWordsVars.NoiseMask -= 2;
    } else {
        SnowWordsVars.NoiseMask = 0;
        SnowWordsVars.WordDivisor = 0;
    }
}

// Each test reads the timer anew.
int32_t RunTimeline()
{
    if (ReadTimer(EffectTimer) < NoWordMs)
        return 0;
    if (ReadTimer(EffectTimer) < FirstWordEndMs) {
        SetWord("no");
        return 0;
    }
    for (const Cue& C : Cues)
        if (Inside(ReadTimer(EffectTimer), C)) {
            SetWord(C.Word);
            return 0;
        }
    ClearWord();
    if (Inside(ReadTimer(EffectTimer), Dimming)) {
        SetWord(Dimming.Word);
        Dim();
        return 0;
    }
    if (ReadTimer(EffectTimer) < EndMs)
        return 0;
    FillViewWhite();
    return 1;
}

}  // namespace

int32_t SnowWords(int32_t* Step)
{
    if (*Step == 0) {
        SnowWordsVars.NoiseMask = 255;
        SnowWordsVars.NoiseState = 0x12345;
        RestartTimer(EffectTimer);
        ClearWord();
        *Step = 1;
        // Keyed black: the frame's holes keep what the previous effect left.
        PutImage(Resources.Flower, 0, 0, 0.0f);
        SnowWordsVars.WordDivisor = 2;
    }
    if (SnowWordsVars.NoiseMask > 0)
        DrawSnow();
    if (SnowWordsVars.Word[0] != 0)
        DrawWord();
    return RunTimeline();
}
