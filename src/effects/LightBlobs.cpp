// Slot 11: ten light discs drift and bounce in a black window inside the
// Flower frame. Each adds its disc to the red already there, so overlaps
// brighten up to 255; green and then blue fade from the blobs over time.
#include "effects/LightBlobs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/FrameTimer.h"
#include "core/Layout.h"
#include "core/Numbers.h"
#include "core/Random.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

LightBlobsState LightBlobsVars;

namespace {

// The window in view pixels, bounds exclusive at the right and bottom.
constexpr int32_t WindowLeft = BlobWindow.Left, WindowRight = BlobWindow.Left + BlobWindow.Width;
constexpr int32_t WindowTop = BlobWindow.Top, WindowBottom = BlobWindow.Top + BlobWindow.Height;
constexpr int32_t BounceTop = 20;  // above the window: blobs slide out of it

constexpr uint32_t GreenFadeMs = 5000;
constexpr uint32_t BlueFadeMs = 10000;
constexpr uint32_t EndMs = 25000;

struct Area {
    int32_t Left, Top, Right, Bottom;
};

Area WindowInView()
{
    return {WindowLeft, WindowTop, std::min<int32_t>(WindowRight, MainScreen->ViewWidth),
            std::min<int32_t>(WindowBottom, MainScreen->ViewHeight)};
}

void ClearWindow(const Area& W)
{
    for (int32_t Y = W.Top; Y < W.Bottom; ++Y)
        std::fill(DrawOrigin + size_t(Y) * MainScreen->ViewWidth + W.Left,
                  DrawOrigin + size_t(Y) * MainScreen->ViewWidth + W.Right, 0u);
}

// The pixel written for each red level this frame: green and blue are the
// red divided by their divisors.
uint32_t Shade[256];

void FillShades()
{
    for (int32_t V = 0; V < 256; ++V) {
        const int32_t G = TruncToInt32(float(V) / LightBlobsVars.GreenDivisor);
        const int32_t B = TruncToInt32(float(V) / LightBlobsVars.BlueDivisor);
        Shade[V] = uint32_t(V * 65536 + G * 256 + B);
    }
}

void Bounce(int16_t& Position, int16_t& Speed, int32_t Low, int32_t High)
{
    Position = int16_t(Position + Speed);
    if (Position < Low) {
        Position = int16_t(Low);
        Speed = int16_t(-Speed);
    } else if (Position > High) {
        Position = int16_t(High);
        Speed = int16_t(-Speed);
    }
}

void Move(Blob& B)
{
    Bounce(B.X, B.DX, 0, MainScreen->ViewWidth - 1);
    Bounce(B.Y, B.DY, BounceTop, MainScreen->ViewHeight - 1);
}

// Adds the disc's red to the window over the blob's 2R x 2R square. The
// accumulators start where stepping over the clipped rows and columns would
// have brought them.
void Draw(const Blob& B, const Area& W)
{
    const int32_t R = B.Radius, Step = BlobStep(B.Radius);
    const int32_t Top = B.Y - R, Left = B.X - R;
    const int32_t FromY = std::max(Top, W.Top), ToY = std::min(B.Y + R, W.Bottom);
    const int32_t FromX = std::max(Left, W.Left), ToX = std::min(B.X + R, W.Right);
    if (FromY >= ToY || FromX >= ToX)
        return;
    int32_t RowAcc = (FromY - Top) * Step;
    for (int32_t Y = FromY; Y < ToY; ++Y, RowAcc += Step) {
        const uint32_t* Disc = LightBlobsVars.LightTable + (RowAcc >> 16) * LightSize;
        uint32_t* Row = DrawOrigin + size_t(Y) * MainScreen->ViewWidth;
        int32_t ColAcc = (FromX - Left) * Step;
        for (int32_t X = FromX; X < ToX; ++X, ColAcc += Step) {
            // Window pixels have a zero top byte: the upper half is the red.
            const int32_t Red = (int32_t(Row[X]) >> 16) + int32_t((Disc[ColAcc >> 16] >> 16) & 0xFF);
            Row[X] = Shade[std::min(Red, 255)];
        }
    }
}

// Both divisors grow by about 1 % per frame at first and settle on 100 pi.
float Grown(float Divisor)
{
    return float(Divisor + std::sin(Divisor / 100.0));
}

int32_t RunTimeline()
{
    if (ReadTimer(EffectTimer) < GreenFadeMs)
        return 0;
    LightBlobsVars.GreenDivisor = Grown(LightBlobsVars.GreenDivisor);
    if (ReadTimer(EffectTimer) < BlueFadeMs)
        return 0;
    LightBlobsVars.BlueDivisor = Grown(LightBlobsVars.BlueDivisor);
    if (ReadTimer(EffectTimer) < EndMs)
        return 0;
    return 1;
}

// One cell of the disc, at squared distance D2 from its centre.
uint32_t DiscEntry(int32_t D2)
{
    const float R = float(std::sqrt(double(D2)));
    if (!(R <= 128.0))
        return 0;
    float V = float(160.0 * std::cos(double(R) * double(3.1415927f) * double(0.0078125f)) + 160.0);
    if (V > 255.0)
        V = 255.0f;
    return uint32_t(TruncToInt32(V)) * 0x010101u;
}

}  // namespace

// A cell depends only on DX * DX + DY * DY, which takes far fewer values
// than there are cells: each is worked out once.
void BuildLightTable()
{
    constexpr uint32_t Unknown = 0xFFFFFFFF;  // no entry has a top byte
    std::vector<uint32_t> ByD2(2 * 128 * 128 + 1, Unknown);
    for (int32_t Row = 0; Row < LightSize; ++Row)
        for (int32_t Col = 0; Col < LightSize; ++Col) {
            const int32_t DX = Col - 128, DY = Row - 128;
            uint32_t& Entry = ByD2[size_t(DX * DX + DY * DY)];
            if (Entry == Unknown)
                Entry = DiscEntry(DX * DX + DY * DY);
            LightBlobsVars.LightTable[Row * LightSize + Col] = Entry;
        }
}

void SeedBlobs()
{
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    // Drawn in this order: X, Y, DX, DY, Radius.
    for (Blob& B : LightBlobsVars.Blobs) {
        B.X = int16_t(NextRandom() % VW);
        B.Y = int16_t(NextRandom() % VH);
        B.DX = int16_t(NextRandom() % 10 * 3 - 15);
        B.DY = int16_t(NextRandom() % 10 * 3 - 15);
        B.Radius = int16_t(NextRandom() % 60 + 30);
    }
}

int32_t BlobStep(int16_t Radius)
{
    return TruncToInt32(16711680.0f / float(2 * Radius));
}

int32_t LightBlobs(int32_t* Step)
{
    if (*Step == 0) {
        *Step = 1;
        LightBlobsVars.GreenDivisor = 1.0f;
        LightBlobsVars.BlueDivisor = 1.0f;
        RestartTimer(EffectTimer);
        BuildLightTable();
        SeedBlobs();
        ClearView();
        PutImage(Resources.Flower, 0, 0, 0.0f);
    }
    const Area Window = WindowInView();
    ClearWindow(Window);
    FillShades();
    for (Blob& B : LightBlobsVars.Blobs) {
        Move(B);
        Draw(B, Window);
    }
    return RunTimeline();
}
