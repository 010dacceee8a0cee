// The raster bars: the cascade, the bounces and their random speeds, the
// scroll text and its blended echo, and the fade that ends the effect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Random.h"
#include "effects/Effects.h"
#include "effects/RasterBars.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t BarColour[BarCount] = {0xC00000, 0x00C000, 0x0000C0, 0x800080, 0xC0C000};
constexpr uint32_t TextColour = 0x906030;

RasterBarsState& S = RasterBarsVars;

struct RasterBarsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        // The blobs have made the first 50 draws of the run.
        RandomState = 1;
        for (int i = 0; i < 50; ++i)
            NextRandom();
    }
    // Bars of height H; RasterG may be given another height.
    void MakeBars(uint16_t H, uint16_t GreenH = 0)
    {
        Image** Slots[BarCount] = {&Resources.RasterR, &Resources.RasterG, &Resources.RasterB,
                                   &Resources.RasterV, &Resources.RasterY};
        for (int Bar = 0; Bar < BarCount; ++Bar) {
            uint32_t C = BarColour[Bar];
            *Slots[Bar] = Picture(640, Bar == BarG && GreenH ? GreenH : H, [C](int, int) { return C; });
        }
    }
    // Keyed black, with every third pixel transparent.
    void MakeScrollText(uint16_t Width, uint16_t Height)
    {
        Resources.ScrollText = Picture(Width, Height, [](int x, int y) { return (x + y) % 3 ? TextColour : 0u; });
        Resources.ScrollText->Transparent = 1;
        Resources.ScrollText->KeyColor = 0;
    }
    // The call after the first is the first that moves anything.
    int32_t Move() { return CallAfter(RasterBars, 16); }
};

// The draw the next NextRandom call will make, without making it.
int32_t PeekRandom()
{
    uint32_t Saved = RandomState;
    int32_t Value = NextRandom();
    RandomState = Saved;
    return Value;
}

TEST_F(RasterBarsTest, EachBarStartsWhenTheOneBeforeHasPassedItsDepth)
{
    MakeBars(20);
    MakeScrollText(2000, 10);
    CallAfter(RasterBars, 0);
    EXPECT_EQ(S.Bars[BarR].Top, 0.0f);  // the MoveTimer was made in the same call

    // RasterG starts on the 14th move of RasterR, the first above 40.
    int Moves = 0;
    while (S.Bars[BarG].Vel == 0.0f && Moves < 100) {
        Move();
        ++Moves;
    }
    EXPECT_EQ(Moves, 14);
    EXPECT_NEAR(S.Bars[BarR].Top, 42.42, 1e-3);
    EXPECT_EQ(S.Bars[BarG].Top, 0.0f);
    EXPECT_EQ(ViewPixel(0, 21), BarColour[BarR]);  // RasterR's trail
    Move();
    EXPECT_EQ(S.Bars[BarG].Top, float(3.03));
    Move();
    // RasterG now drawn at row 3, under RasterY still waiting at row 0.
    EXPECT_EQ(ViewPixel(0, 19), BarColour[BarY]);
    EXPECT_EQ(ViewPixel(0, 21), BarColour[BarG]);

    // Then B after G passes 3H, Y after B passes 4H, V after Y passes 5H.
    struct Link {
        RasterBarIndex Leader;
        float Depth;
        RasterBarIndex Waiting;
    };
    for (Link L : {Link{BarG, 60, BarB}, Link{BarB, 80, BarY}, Link{BarY, 100, BarV}}) {
        float Before = S.Bars[L.Leader].Top;
        for (int i = 0; i < 100 && S.Bars[L.Waiting].Vel == 0.0f; ++i) {
            Before = S.Bars[L.Leader].Top;
            Move();
        }
        EXPECT_LE(Before, L.Depth);
        EXPECT_GT(S.Bars[L.Leader].Top, L.Depth);
        EXPECT_EQ(S.Bars[L.Waiting].Vel, S.BarSpeed);
    }
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(RasterBarsTest, BouncesDrawTheSpeedFromTheRunsSequenceAndUseRasterRsHeight)
{
    MakeBars(20, 50);  // RasterG taller: its limits still come from RasterR
    MakeScrollText(4000, 10);
    CallAfter(RasterBars, 0);
    const float Bottom = 320.0f;
    int Draws = 0, GreenBounces = 0;
    for (int i = 0; i < 1500; ++i) {
        const int32_t Next = PeekRandom();
        const uint32_t Before = RandomState;
        const float GreenVel = S.Bars[BarG].Vel;
        Move();
        const RasterBar R = S.Bars[BarR];
        if (RandomState != Before) {
            // Only RasterR draws, one number per move beyond a limit.
            ++Draws;
            ASSERT_TRUE(R.Top > Bottom || R.Top < 0.0f) << R.Top;
            ASSERT_EQ(S.BarSpeed, float(Next % 6));
            ASSERT_EQ(R.Vel, R.Top > Bottom ? -S.BarSpeed : S.BarSpeed);
        } else {
            ASSERT_TRUE(R.Top >= 0.0f && R.Top <= Bottom) << R.Top;
        }
        const RasterBar G = S.Bars[BarG];
        if (GreenVel > 0.0f && G.Vel < 0.0f) {
            ++GreenBounces;
            EXPECT_GT(G.Top, Bottom);
        }
        if (G.Vel > 0.0f) {
            EXPECT_LE(G.Top, Bottom);
        }
    }
    EXPECT_GE(Draws, 4);
    EXPECT_GE(GreenBounces, 2);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(RasterBarsTest, SpeedZeroStopsABarUntilTheNextDraw)
{
    MakeBars(20);
    MakeScrollText(2000, 10);
    CallAfter(RasterBars, 0);
    // Advance the sequence to a draw that is a multiple of 6.
    while (PeekRandom() % 6 != 0)
        NextRandom();
    S.Bars[BarR] = {330.0f, 3.0f};
    Move();
    EXPECT_EQ(S.BarSpeed, 0.0f);
    EXPECT_TRUE(std::signbit(S.Bars[BarR].Vel));
    EXPECT_EQ(S.Bars[BarR].Top, 333.0f);

    // Still beyond the bottom: RasterR draws again on the next move.
    const int32_t Next = PeekRandom();
    Move();
    EXPECT_EQ(S.BarSpeed, float(Next % 6));
    EXPECT_EQ(S.Bars[BarR].Top, 333.0f);

    // A bar stopped at -0.0 is waiting as far as the cascade is concerned.
    S.BarSpeed = 2.0f;
    S.Bars[BarR] = {100.0f, 2.0f};
    S.Bars[BarG] = {10.0f, -0.0f};
    Move();
    EXPECT_EQ(S.Bars[BarG].Vel, 2.0f);
    EXPECT_FALSE(std::signbit(S.Bars[BarG].Vel));
}

TEST_F(RasterBarsTest, ScrollTextEntersFromTheRightAndItsEchoFollowsAHundredColumnsIn)
{
    MakeBars(20);
    MakeScrollText(2000, 10);
    CallAfter(RasterBars, 0);
    EXPECT_EQ(S.ScrollX1, 639.0f);
    EXPECT_EQ(S.ScrollX2, 640.0f);
    EXPECT_EQ(S.ScrollY2, 265.0f);  // (340 - 10) / 2 + 100
    int Calls = 1;
    while (S.ScrollX2 == 640.0f && Calls < 500) {
        Move();
        ++Calls;
    }
    EXPECT_EQ(Calls, 101);
    EXPECT_EQ(S.ScrollX1, 539.0f);
    EXPECT_EQ(S.ScrollX2, 639.0f);

    // Sines summed frame by frame: waves of about 40 and 20 rows' amplitude.
    float Low1 = S.ScrollY1, High1 = Low1, Low2 = S.ScrollY2, High2 = Low2;
    for (int i = 0; i < 700; ++i) {
        Move();
        Low1 = std::min(Low1, S.ScrollY1), High1 = std::max(High1, S.ScrollY1);
        Low2 = std::min(Low2, S.ScrollY2), High2 = std::max(High2, S.ScrollY2);
    }
    EXPECT_NEAR(High1 - Low1, 80.0f, 3.0f);
    EXPECT_NEAR(High2 - Low2, 40.0f, 2.0f);
    EXPECT_EQ(S.ScrollX1 + 100.0f, S.ScrollX2);
}

TEST_F(RasterBarsTest, FrontCopyIsKeyedAndTheEchoIsAKeyedBlendByThree)
{
    MakeBars(20);
    MakeScrollText(50, 10);
    CallAfter(RasterBars, 0);
    for (int y = 0; y < VH(); ++y)
        for (int x = 0; x < VW(); ++x)
            ViewPixel(x, y) = 0x303030;
    S.ScrollX1 = 100.0f;
    S.ScrollY1 = 100.0f;
    S.ScrollX2 = 300.0f;
    S.ScrollY2 = 200.0f;
    Move();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool Key = (x + y) % 3 == 0;
            ASSERT_EQ(ViewPixel(100 + x, 100 + y), Key ? 0x303030u : TextColour) << x << "," << y;
            ASSERT_EQ(ViewPixel(300 + x, 200 + y), Key ? 0x303030u : 0x403020u) << x << "," << y;
        }
}

TEST_F(RasterBarsTest, NarrowScrollTextFadesAtOnceIn151StepsToABlackView)
{
    MakeBars(20);
    MakeScrollText(600, 10);
    CallAfter(RasterBars, 0);
    EXPECT_EQ(S.BarDivisor, 0.0f);
    Move();
    EXPECT_EQ(S.BarDivisor, 1.5f);

    std::vector<int> StepCalls;
    int Calls = 2;
    float Previous = S.BarDivisor;
    int32_t Result = 0;
    while (Result == 0 && Calls < 3000) {
        Result = Move();
        ++Calls;
        if (S.BarDivisor != Previous) {
            StepCalls.push_back(Calls);
            EXPECT_LE(Previous, 9.05f);
            // No step while the echo's x is within the text's width of 0.
            EXPECT_GE(std::abs(int(S.ScrollX2)), 600) << "call " << Calls;
        }
        Previous = S.BarDivisor;
    }
    EXPECT_EQ(Result, 1);
    ASSERT_EQ(StepCalls.size(), 151u);
    EXPECT_FLOAT_EQ(S.BarDivisor, 9.0500164f);
    // A step per 50 ms or more: with a call every 16 ms, every 4th call from
    // 64 ms after the FadeTimer was made. The echo moves from call 101 and
    // pauses the fade from x 599 (call 141) until x -600 (call 1340).
    EXPECT_EQ(StepCalls[0], 5);
    EXPECT_EQ(StepCalls[33], 137);
    EXPECT_EQ(StepCalls[34], 1340);
    EXPECT_EQ(StepCalls[150], 1340 + 116 * 4);
    for (int y = 0; y < VH(); ++y)
        for (int x = 0; x < VW(); ++x)
            ASSERT_EQ(ViewPixel(x, y), 0u);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(RasterBarsTest, FadeStartsWhenTheEchoHasLeftAndJumpsToOnePointFiveFive)
{
    MakeBars(20);
    MakeScrollText(641, 10);
    CallAfter(RasterBars, 0);
    int Calls = 1;
    float TopY = 0.0f;
    while (S.BarDivisor == 0.0f && Calls < 3000) {
        TopY = S.Bars[BarY].Top;
        Move();
        ++Calls;
    }
    // The echo moves from call 101 on; its x reaches -641 on call 1381.
    EXPECT_EQ(Calls, 1381);
    EXPECT_EQ(S.ScrollX2, -641.0f);
    // The FadeTimer, made on the first call, is long past 50 ms.
    EXPECT_FLOAT_EQ(S.BarDivisor, 1.55f);
    // This frame's bars were still copied: RasterY, drawn last, is unblended.
    EXPECT_EQ(ViewPixel(0, int(TopY)), BarColour[BarY]);
    CallAfter(RasterBars, 50);
    EXPECT_FLOAT_EQ(S.BarDivisor, 1.6f);
}

}  // namespace
