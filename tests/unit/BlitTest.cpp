// The blit: rejection and clipping at every edge (checked against a plain
// per-pixel model, with guard pixels around the frame buffer), extreme
// positions, the four ways of writing and the blend's arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "core/Numbers.h"
#include "image/Image.h"
#include "support/ImageKit.h"

namespace {

using Blit = ViewTest;

constexpr uint32_t Key = 0x00FF00;

// The blend of one channel as the arithmetic is written.
uint32_t ModelChannel(int32_t Sum, float Divisor)
{
    float Quotient = float(Sum) / Divisor;
    return uint32_t(TruncToInt64(Quotient)) & 0xFF;
}

uint32_t ModelPixel(const Image& Img, uint32_t S, uint32_t P, float Divisor)
{
    if (Img.Transparent != 0 && S == Img.KeyColor)
        return P;
    if (Divisor == 0.0f)
        return S;
    int32_t DestRed = Img.Transparent != 0 ? int32_t((P >> 16) & 0xFF) : int32_t(P) >> 16;
    uint32_t Red = ModelChannel(int32_t(S >> 16) + DestRed, Divisor);
    uint32_t Green = ModelChannel(int32_t((S >> 8) & 0xFF) + int32_t((P >> 8) & 0xFF), Divisor);
    uint32_t Blue = ModelChannel(int32_t(S & 0xFF) + int32_t(P & 0xFF), Divisor);
    return Red << 16 | Green << 8 | Blue;
}

// Every image pixel that lands inside the view, one at a time.
void ModelBlit(std::vector<uint32_t>& Buffer, size_t ViewStart, int32_t VW, int32_t VH, const Image& Img,
               int32_t X, int32_t Y, float Divisor)
{
    for (int64_t iy = 0; iy < Img.Height; ++iy)
        for (int64_t ix = 0; ix < Img.Width; ++ix) {
            int64_t vx = X + ix, vy = Y + iy;
            if (vx < 0 || vy < 0 || vx >= VW || vy >= VH)
                continue;
            const uint8_t* Px = Img.Data + (iy * Img.Width + ix) * 3;
            uint32_t S = uint32_t(Px[0]) << 16 | Px[1] << 8 | Px[2];
            uint32_t& P = Buffer[ViewStart + vy * VW + vx];
            P = ModelPixel(Img, S, P, Divisor);
        }
}

// Some pixels of the test images are the key colour.
uint32_t Patterned(int X, int Y)
{
    return (X + Y) % 5 == 0 ? Key : (uint32_t(X * 37 + Y * 101) * 2654435761u) >> 8;
}

void FillView(std::vector<uint32_t>& Fenced, size_t From, size_t Count)
{
    for (size_t i = From; i < From + Count; ++i)
        Fenced[i] = uint32_t(i * 40503u) & 0xFFFFFF;
}

struct Mode {
    int32_t Transparent;
    float Divisor;
};
// Divisors alternate from call to call: no blend may leak into the next.
const Mode Modes[] = {{0, 0.0f}, {1, 0.0f}, {0, 2.0f}, {1, 3.0f}, {0, 0.7f}, {1, -1.5f}};

}  // namespace

TEST_F(Blit, PositionsAroundEveryEdgeMatchThePixelModel)
{
    Image* Small = PaintedImage(7, 5, Patterned);
    Image* Large = PaintedImage(660, 500, Patterned);
    Small->KeyColor = Large->KeyColor = Key;
    for (ViewMode Letterbox : {FullView, LetterboxView}) {
        SetScreenMode(Letterbox);
        const size_t ViewStart = GuardPixels + (DrawOrigin - MainScreen->Pixels);
        FillView(Fenced, GuardPixels, 640 * 480);
        const std::vector<uint32_t> Start = Fenced;
        std::vector<std::pair<const Image*, std::pair<int32_t, int32_t>>> Cases;
        for (int32_t X : {-8, -7, -6, -1, 0, VW() - 7, VW() - 6, VW() - 1, VW(), VW() + 1})
            for (int32_t Y : {-6, -5, -4, -1, 0, VH() - 5, VH() - 4, VH() - 1, VH(), VH() + 1})
                Cases.push_back({Small, {X, Y}});
        for (auto XY : {std::pair{-5, -3}, std::pair{-20, 0}, std::pair{0, -30}, std::pair{3, 2}})
            Cases.push_back({Large, XY});
        for (const Mode& M : Modes)
            for (const auto& [Img, XY] : Cases) {
                const_cast<Image*>(Img)->Transparent = M.Transparent;
                std::vector<uint32_t> Expected = Start;
                ModelBlit(Expected, ViewStart, VW(), VH(), *Img, XY.first, XY.second, M.Divisor);
                Fenced = Start;
                PutImage(Img, XY.first, XY.second, M.Divisor);
                ASSERT_TRUE(Fenced == Expected) << "view " << VH() << " at " << XY.first << "," << XY.second
                                                << " width " << Img->Width << " transparent " << M.Transparent
                                                << " divisor " << M.Divisor;
            }
    }
    FreeImage(Small);
    FreeImage(Large);
}

TEST_F(Blit, ExtremePositionsDrawNothing)
{
    Image* Img = PaintedImage(700, 500, Patterned);
    FillView(Fenced, GuardPixels, 640 * 480);
    const std::vector<uint32_t> Start = Fenced;
    const int32_t Extremes[] = {INT_MIN, -(1 << 30), 1 << 30, INT_MAX - 5};
    for (int32_t X : Extremes)
        for (int32_t Y : {Extremes[0], Extremes[1], Extremes[2], Extremes[3], 0}) {
            PutImage(Img, X, Y, 0.0f);
            PutImage(Img, Y, X, 2.0f);
        }
    EXPECT_TRUE(Fenced == Start);
    // Past the right edge, not wrapped round to the left.
    EXPECT_EQ(LoggedBy([&] { PutImage(Img, INT_MAX - 5, 0, 0.0f); }),
              "PosX = <2147483642> : PosY = <0>\nHide Right\n");
    EXPECT_EQ(LoggedBy([&] { PutImage(Img, 0, INT_MAX - 5, 0.0f); }),
              "PosX = <0> : PosY = <2147483642>\nHide Bottom\n");
    FreeImage(Img);
}

TEST_F(Blit, RejectionAndClippingLines)
{
    Image* Img = PaintedImage(10, 10, Patterned);
    auto Lines = [&](int32_t X, int32_t Y) { return LoggedBy([&] { PutImage(Img, X, Y, 0.0f); }); };
    EXPECT_EQ(Lines(-10, 0), "PosX = <-10> : PosY = <0>\nHide Left\n");
    EXPECT_EQ(Lines(0, -10), "PosX = <0> : PosY = <-10>\nHide Top\n");
    EXPECT_EQ(Lines(641, 0), "PosX = <641> : PosY = <0>\nHide Right\n");
    EXPECT_EQ(Lines(0, 480), "PosX = <0> : PosY = <480>\nHide Bottom\n");
    // Left before top: both hold here.
    EXPECT_EQ(Lines(-10, -10), "PosX = <-10> : PosY = <-10>\nHide Left\n");

    FillView(Fenced, GuardPixels, 640 * 480);
    const std::vector<uint32_t> Start = Fenced;
    EXPECT_EQ(Lines(640, 0), "PosX = <640> : PosY = <0>\n"
                             "NewPosX <0> : NewPosY <0> : NewWidth <0> : NewHeight <10>\nDestX <640>> : DestY <0>\n");
    EXPECT_TRUE(Fenced == Start);

    EXPECT_EQ(Lines(-9, -3), "PosX = <-9> : PosY = <-3>\n"
                             "NewPosX <9> : NewPosY <3> : NewWidth <1> : NewHeight <7>\nDestX <0>> : DestY <0>\n");
    EXPECT_EQ(ViewPixel(0, 0), Patterned(9, 3));
    EXPECT_EQ(ViewPixel(1, 0), Start[GuardPixels + 1]);
    FreeImage(Img);

    Image* Wide = PaintedImage(700, 10, Patterned);
    EXPECT_EQ(LoggedBy([&] { PutImage(Wide, -10, 5, 0.0f); }),
              "PosX = <-10> : PosY = <5>\n"
              "NewPosX <10> : NewPosY <0> : NewWidth <640> : NewHeight <10>\nDestX <0>> : DestY <5>\n");
    EXPECT_EQ(ViewPixel(0, 5), Patterned(10, 0));
    EXPECT_EQ(ViewPixel(639, 14), Patterned(649, 9));
    FreeImage(Wide);
    EXPECT_TRUE(GuardsIntact());

    EXPECT_EQ(LoggedBy([] { PutImage(nullptr, 0, 0, 0.0f); }), "");
}

TEST_F(Blit, KeyedCopySkipsOnlyTheKeyColour)
{
    const uint32_t Row[] = {0xFF00FF, 0x123456, 0xFF00FE};
    Image* Img = PaintedImage(3, 1, [&](int X, int) { return Row[X]; });
    Img->Transparent = 1;
    Img->KeyColor = 0xFF00FF;
    for (int X = 0; X < 3; ++X)
        ViewPixel(X, 0) = 0x0A0B0C;
    PutImage(Img, 0, 0, 0.0f);
    EXPECT_EQ(ViewPixel(0, 0), 0x0A0B0Cu);
    EXPECT_EQ(ViewPixel(1, 0), 0x123456u);
    EXPECT_EQ(ViewPixel(2, 0), 0xFF00FEu);

    // The key is tested on the source colour, before any blend.
    ViewPixel(0, 0) = 0xFF00FF;
    PutImage(Img, 0, 0, 2.0f);
    EXPECT_EQ(ViewPixel(0, 0), 0xFF00FFu);
    EXPECT_EQ(ViewPixel(1, 0), 0x123456u);
    FreeImage(Img);
}

TEST_F(Blit, BlendTruncatesAndWrapsWithoutSaturation)
{
    struct {
        uint32_t Source, Dest;
        float Divisor;
        uint32_t Written;
    } const Cases[] = {
        {0xFF0000, 0x00FF00, 2.0f, 0x7F7F00},  // truncated average
        {0xC80000, 0x640000, 1.0f, 0x2C0000},  // 300 wraps to 44
        {0x010203, 0x040506, -1.0f, 0xFBF9F7}, // negative quotients keep their low byte
        {0xFFFFFF, 0xFFFFFF, 1e-30f, 0},       // beyond 64 bits: the lowest value, low byte 0
        {0x808080, 0x808080, INFINITY, 0},
        {0x808080, 0x808080, NAN, 0},          // not a number blends too
        {0x123456, 0xABCDEF, -0.0f, 0x123456}, // copies like 0.0
    };
    for (int32_t Transparent : {0, 1})
        for (const auto& C : Cases) {
            Image* Img = PaintedImage(1, 1, [&](int, int) { return C.Source; });
            Img->Transparent = Transparent;
            Img->KeyColor = 0x1000000;  // never a 24-bit colour
            ViewPixel(5, 5) = C.Dest;
            PutImage(Img, 5, 5, C.Divisor);
            EXPECT_EQ(ViewPixel(5, 5), C.Written) << std::hex << C.Source << " over " << C.Dest << " / " << C.Divisor;
            FreeImage(Img);
        }
}

TEST_F(Blit, RedOfTheDestinationIsUnmaskedOnlyInPlainBlend)
{
    Image* Img = PaintedImage(1, 1, [](int, int) { return 0x100000; });
    for (uint32_t Dest : {0x01000000u, 0xFF000000u}) {
        Img->Transparent = 0;
        ViewPixel(0, 0) = Dest;
        PutImage(Img, 0, 0, 2.0f);
        // 0x100 + 0x10 and -0x100 + 0x10, halved: 136 and -120, both 0x88.
        EXPECT_EQ(ViewPixel(0, 0), 0x880000u);
        Img->Transparent = 1;
        ViewPixel(0, 0) = Dest;
        PutImage(Img, 0, 0, 2.0f);
        EXPECT_EQ(ViewPixel(0, 0), 0x080000u);
    }
    FreeImage(Img);
}

TEST_F(Blit, RowsOfEveryShortWidthMatchTheModel)
{
    // Rows are drawn several pixels at a time where the processor allows:
    // every width and clipped width up to 20, each row the image's last.
    for (uint16_t Width = 1; Width <= 20; ++Width)
        for (const Mode& M : Modes)
            for (int32_t X : {-3, -1, 0, 2, VW() - Width + 1}) {
                Image* Img = PaintedImage(Width, 1, Patterned);
                Img->Transparent = M.Transparent;
                Img->KeyColor = Key;
                FillView(Fenced, GuardPixels, 640 * 480);
                std::vector<uint32_t> Expected = Fenced;
                ModelBlit(Expected, GuardPixels, 640, 480, *Img, X, 9, M.Divisor);
                PutImage(Img, X, 9, M.Divisor);
                ASSERT_TRUE(Fenced == Expected) << "width " << Width << " at " << X;
                FreeImage(Img);
            }
}
