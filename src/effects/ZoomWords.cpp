// Slots 1 to 5: one effect, five instances. Each freezes the view, zooms its
// word in from a 10-pixel sliver at the centre, then blurs the word picture
// itself a little more every frame until it fades into the black it is keyed
// on, and ends at a fixed time.
#include "effects/ZoomWords.h"

#include <cmath>

#include "core/FrameTimer.h"
#include "core/Numbers.h"
#include "core/Screen.h"
#include "effects/BlurPass.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "effects/ScaledDraw.h"
#include "image/Image.h"
#include "log/Log.h"

ZoomWordsState ZoomWordsVars[5];

namespace {

enum class Geometry { Integer, Float };
enum class BlurPlace { Centred, AtZoom };

// What sets the five instances apart.
struct ZoomWord {
    Image* ResourceSet::*Word;
    uint16_t Step;       // added to ZoomFactor on every zoom frame
    int32_t BlurPasses;  // per blur frame
    uint32_t EndMs;      // since the first call, zoom included
    Geometry Sizes;      // the zoomed height truncated, or left fractional
    BlurPlace Place;     // centred by the word's own size, or where the zoom left it
};

const ZoomWord Words[5] = {
    {&ResourceSet::TxtThis, 3, 12, 5000, Geometry::Float, BlurPlace::AtZoom},
    {&ResourceSet::TxtProgressBar, 8, 12, 6000, Geometry::Integer, BlurPlace::Centred},
    {&ResourceSet::TxtIs, 3, 6, 4000, Geometry::Integer, BlurPlace::Centred},
    {&ResourceSet::TxtAPure, 4, 6, 6000, Geometry::Integer, BlurPlace::Centred},
    {&ResourceSet::TxtFake, 5, 10, 6000, Geometry::Integer, BlurPlace::Centred},
};

constexpr uint16_t FirstZoom = 10;  // the sliver the zoom starts from, pixels

// This frame's zoomed word.
struct ZoomFrame {
    int32_t NewWidth, NewHeight;  // as logged: fractional sizes truncated
    int32_t CenterX, CenterY;     // as logged; the blur phase may place the word here
    float PasX, PasY;             // source pixels per screen pixel
    ScaledDraw Draw;
};

// The rows i with float(i) < Height: its ceiling, for the sizes a word can have.
uint32_t RowsBelow(float Height)
{
    if (!(Height > 0.0f))
        return 0;
    const double Rows = std::ceil(double(Height));
    return Rows < 4294967296.0 ? uint32_t(Rows) : UINT32_MAX;
}

ZoomFrame IntegerGeometry(const ZoomWordsState& S, const Image& Word)
{
    const int64_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    const uint32_t NewWidth = S.ZoomFactor;
    const uint32_t NewHeight = TruncToUInt32(float(NewWidth) / S.Ratio);
    ZoomFrame F;
    F.NewWidth = int32_t(NewWidth);
    F.NewHeight = int32_t(NewHeight);
    F.CenterX = int32_t((uint32_t(VW) - NewWidth) >> 1);
    F.CenterY = int32_t((uint32_t(VH) - NewHeight) >> 1);
    F.PasX = float(Word.Width) / float(NewWidth);
    F.PasY = float(Word.Height) / float(NewHeight);
    // A word larger than the view is centred at a negative place and clipped,
    // rather than thrown far off by the unsigned wrap.
    F.Draw = {&Word, NewWidth, NewHeight, F.PasX, F.PasY, (VW - NewWidth) >> 1, (VH - NewHeight) >> 1};
    return F;
}

ZoomFrame FloatGeometry(const ZoomWordsState& S, const Image& Word)
{
    const float NewWidth = float(S.ZoomFactor);
    const float NewHeight = NewWidth / S.Ratio;
    ZoomFrame F;
    F.NewWidth = S.ZoomFactor;
    F.NewHeight = TruncToInt32(NewHeight);
    F.CenterX = TruncToInt32((float(MainScreen->ViewWidth) - NewWidth) * 0.5);
    F.CenterY = TruncToInt32((float(MainScreen->ViewHeight) - NewHeight) * 0.5);
    F.PasX = float(Word.Width) / NewWidth;
    F.PasY = float(Word.Height) / NewHeight;
    F.Draw = {&Word, S.ZoomFactor, RowsBelow(NewHeight), F.PasX, F.PasY, F.CenterX, F.CenterY};
    return F;
}

void Start(ZoomWordsState& S, const Image& Word, int32_t* Step)
{
    S.FlagBlur = 0;
    S.Ratio = float(Word.Width / Word.Height);
    S.ZoomFactor = FirstZoom;
    S.Backdrop = CreateImage(0, 0, 0, MainScreen->ViewWidth, MainScreen->ViewHeight);
    GrabView(S.Backdrop);
    RestartTimer(EffectTimer);
    *Step = 1;
}

int32_t DrawZoomFrame(const ZoomWord& Z, ZoomWordsState& S, const Image& Word, const ZoomFrame& F)
{
    LogPrint(" ZoomFactor = <%d> : Ratio = <%d> : Width = <%d> : Height = <%d> : CenterX = <%d> : "
             "CenterY = <%d> : NewWidth = <%d> : NewHeight = <%d>\n",
             int32_t{S.ZoomFactor}, TruncToInt32(S.Ratio), Word.Width, Word.Height, F.CenterX, F.CenterY,
             F.NewWidth, F.NewHeight);
    // An infinite step (no rows) logs as 0.
    LogPrint("PasX = <%d> : PasY = <%d>\n", int32_t(uint16_t(TruncToInt32(F.PasX))),
             int32_t(uint16_t(TruncToInt32(F.PasY))));
    // The key is tested whatever the picture's Transparent flag says.
    DrawScaledKeyed(F.Draw, Word.KeyColor);
    // The last zoom frame is the first at or past the word's width.
    if (int32_t{S.ZoomFactor} < Word.Width)
        S.ZoomFactor = uint16_t(S.ZoomFactor + Z.Step);
    else
        S.FlagBlur = 1;
    return 0;
}

int32_t DrawBlurFrame(const ZoomWord& Z, ZoomWordsState& S, Image& Word, const ZoomFrame& F)
{
    LogPrint("FlagBlur = TRUE\n");
    for (int32_t i = 0; i < Z.BlurPasses; ++i)
        BlurPass(&Word);
    if (Z.Place == BlurPlace::Centred)
        PutImage(&Word, (MainScreen->ViewWidth - Word.Width) / 2, (MainScreen->ViewHeight - Word.Height) / 2, 0.0f);
    else
        PutImage(&Word, F.CenterX, F.CenterY, 0.0f);
    if (ReadTimer(EffectTimer) < Z.EndMs)
        return 0;
    FreeImage(S.Backdrop);
    S.Backdrop = nullptr;
    return 1;
}

int32_t PlayZoomWord(int32_t Slot, int32_t* Step)
{
    const ZoomWord& Z = Words[Slot];
    ZoomWordsState& S = ZoomWordsVars[Slot];
    Image& Word = *(Resources.*Z.Word);
    if (*Step == 0)
        Start(S, Word, Step);
    const ZoomFrame F = Z.Sizes == Geometry::Float ? FloatGeometry(S, Word) : IntegerGeometry(S, Word);
    PutImage(S.Backdrop, 0, 0, 0.0f);
    if (S.FlagBlur == 1)
        return DrawBlurFrame(Z, S, Word, F);
    return DrawZoomFrame(Z, S, Word, F);
}

}  // namespace

int32_t ZoomWordThis(int32_t* Step) { return PlayZoomWord(0, Step); }
int32_t ZoomWordProgressBar(int32_t* Step) { return PlayZoomWord(1, Step); }
int32_t ZoomWordIs(int32_t* Step) { return PlayZoomWord(2, Step); }
int32_t ZoomWordAPure(int32_t* Step) { return PlayZoomWord(3, Step); }
int32_t ZoomWordFake(int32_t* Step) { return PlayZoomWord(4, Step); }
