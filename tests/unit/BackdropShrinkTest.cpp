// The backdrop shrink of slots 6 and 7: the frozen view drawn 15 pixels
// narrower a frame down to half width, centred, over the corridor or black.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effects/CorridorDoors.h"
#include "effects/Effects.h"
#include "effects/VoidDoors.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Green = 0x00FF00;  // the corridor
constexpr uint32_t Marked = 0x800000;  // set in every pixel of the frozen view

// Every pixel of the frozen view tells where it was.
uint32_t Coordinates(int32_t X, int32_t Y) { return Marked | uint32_t(Y) << 10 | uint32_t(X); }
int32_t SourceX(uint32_t Pixel) { return int32_t(Pixel & 0x3FF); }
int32_t SourceY(uint32_t Pixel) { return int32_t(Pixel >> 10 & 0x1FF); }

struct Shrunk {
    int32_t Left, Top, Width, Height;
};

struct ShrinkCase {
    const char* Name;
    Effect Fx;
    ShrinkDoors* State;
    uint32_t Around;  // what surrounds the shrunk backdrop
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ShrinkCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

struct BackdropShrinkTest : EffectTest, testing::WithParamInterface<ShrinkCase> {
    void SetUp() override
    {
        EffectTest::SetUp();
        Resources.Loading = Picture(640, 480, [](int, int) { return 0u; });
        Resources.Corridor = Picture(640, 480, [](int, int) { return Green; });
        Resources.PorteVG = Picture(320, 480, [](int, int) { return 0xFF0000u; });
        Resources.PorteVD = Picture(320, 480, [](int, int) { return 0x0000FFu; });
        Resources.HUDoor = Picture(640, 240, [](int, int) { return 0xFF0000u; });
        Resources.HBDoor = Picture(640, 240, [](int, int) { return 0x0000FFu; });
        for (int32_t y = 0; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x)
                ViewPixel(x, y) = Coordinates(x, y);
    }
    void TearDown() override
    {
        FreeImage(GetParam().State->Backdrop);
        GetParam().State->Backdrop = nullptr;
        EffectTest::TearDown();
    }
    // Where the backdrop was drawn; every other pixel must be the surround,
    // and the drawn pixels must sample the whole view in order.
    Shrunk Measure() const
    {
        const Shrunk S = Bounds();
        for (int32_t y = 0; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x) {
                const bool Inside = x >= S.Left && x < S.Left + S.Width && y >= S.Top && y < S.Top + S.Height;
                if (!Inside) {
                    EXPECT_EQ(ViewPixel(x, y), GetParam().Around) << x << "," << y;
                }
            }
        ExpectSamplesInOrder(S);
        return S;
    }
    // The rectangle holding every pixel of the frozen view.
    Shrunk Bounds() const
    {
        int32_t L = 640, T = 480, R = -1, B = -1;
        for (int32_t y = 0; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x)
                if (ViewPixel(x, y) & Marked) {
                    L = std::min(L, x), T = std::min(T, y);
                    R = std::max(R, x), B = std::max(B, y);
                }
        return {L, T, R - L + 1, B - T + 1};
    }
    void ExpectSamplesInOrder(const Shrunk& S) const
    {
        EXPECT_EQ(ViewPixel(S.Left, S.Top), Coordinates(0, 0));
        const uint32_t Last = ViewPixel(S.Left + S.Width - 1, S.Top + S.Height - 1);
        // Nearest neighbour never skips more than one step of the source.
        EXPECT_GE(SourceX(Last), 639 - 640 / S.Width - 1);
        EXPECT_GE(SourceY(Last), 479 - 480 / S.Height - 1);
        for (int32_t x = 1; x < S.Width; ++x)
            ASSERT_GT(SourceX(ViewPixel(S.Left + x, S.Top)), SourceX(ViewPixel(S.Left + x - 1, S.Top)));
        for (int32_t y = 1; y < S.Height; ++y)
            ASSERT_GT(SourceY(ViewPixel(S.Left, S.Top + y)), SourceY(ViewPixel(S.Left, S.Top + y - 1)));
    }
};

}  // namespace

TEST_P(BackdropShrinkTest, FirstFrameIsTheFrozenViewUnchanged)
{
    std::vector<uint32_t> Before(DrawOrigin, DrawOrigin + 640 * 480);
    EXPECT_EQ(CallAfter(GetParam().Fx, 16), 0);
    EXPECT_TRUE(std::equal(Before.begin(), Before.end(), DrawOrigin));
}

TEST_P(BackdropShrinkTest, ShrinksFifteenPixelsAFrameToHalfWidthAndStaysCentred)
{
    std::vector<int32_t> Widths;
    for (int Frame = 1; Frame <= 40; ++Frame) {
        ASSERT_EQ(CallAfter(GetParam().Fx, 16), 0);
        const Shrunk S = Measure();
        Widths.push_back(S.Width);
        EXPECT_EQ(S.Left, (640 - S.Width) / 2) << Frame;
        EXPECT_EQ(S.Top, (480 - S.Height) / 2) << Frame;
        if (Frame == 2) {  // 625 / 1.3333334 = 468.75
            EXPECT_EQ(S.Height, 468);
        }
        if (Frame >= 23) {
            EXPECT_EQ(S.Height, 232);
            EXPECT_EQ(S.Left, 165);
            EXPECT_EQ(S.Top, 124);
        }
    }
    std::vector<int32_t> Expected;
    for (int32_t w = 640; w >= 325; w -= 15)
        Expected.push_back(w);
    EXPECT_EQ(Expected.size(), 22u);
    Expected.resize(40, 310);
    EXPECT_EQ(Widths, Expected);
    EXPECT_TRUE(GuardsIntact());
}

TEST_P(BackdropShrinkTest, LoadingOfAnotherSizeIsClampedToTheBackdrop)
{
    // Steps worked out for a picture larger than the view would read past
    // the backdrop; the last row and column are repeated instead.
    Resources.Loading = Picture(800, 600, [](int, int) { return 0u; });
    for (int Frame = 1; Frame <= 40; ++Frame)
        ASSERT_EQ(CallAfter(GetParam().Fx, 16), 0);
    const Shrunk S = Bounds();
    EXPECT_EQ(S.Width, 395);
    EXPECT_EQ(ViewPixel(S.Left, S.Top), Coordinates(0, 0));
    EXPECT_EQ(ViewPixel(S.Left + S.Width - 1, S.Top + S.Height - 1), Coordinates(639, 479));
    EXPECT_TRUE(GuardsIntact());
}

INSTANTIATE_TEST_SUITE_P(BothDoorEffects, BackdropShrinkTest,
                         testing::Values(ShrinkCase{"Corridor", CorridorDoors, &CorridorDoorsVars, Green},
                                         ShrinkCase{"Void", VoidDoors, &VoidDoorsVars, 0u}),
                         [](const testing::TestParamInfo<ShrinkCase>& Case) { return Case.param.Name; });
