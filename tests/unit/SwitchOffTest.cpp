// The switch-off: a white view for 50 ms, then a line across the middle
// row that loses 14 pixels at each end per frame, then a black view.
#include <gtest/gtest.h>

#include "effects/Effects.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t BandMark = 0x123456;

struct SwitchOffTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        // Mark the letterbox bands: nothing may touch them.
        for (int i = 0; i < 640 * 70; ++i)
            MainScreen->Pixels[i] = MainScreen->Pixels[640 * 410 + i] = BandMark;
    }
    bool BandsIntact() const
    {
        for (int i = 0; i < 640 * 70; ++i)
            if (MainScreen->Pixels[i] != BandMark || MainScreen->Pixels[640 * 410 + i] != BandMark)
                return false;
        return true;
    }
    // True when every view pixel is C, except the middle row's [First, Last].
    bool ViewIs(uint32_t C, int First = 1, int Last = 0) const
    {
        for (int y = 0; y < VH(); ++y)
            for (int x = 0; x < VW(); ++x) {
                bool OnLine = y == 170 && x >= First && x <= Last;
                if (ViewPixel(x, y) != (OnLine ? White : C))
                    return false;
            }
        return true;
    }
};

TEST_F(SwitchOffTest, StaysWhiteForFiftyMilliseconds)
{
    ViewPixel(5, 5) = 0;
    EXPECT_EQ(CallAfter(SwitchOff, 0), 0);
    EXPECT_TRUE(ViewIs(White));
    EXPECT_EQ(CallAfter(SwitchOff, 16), 0);
    EXPECT_EQ(CallAfter(SwitchOff, 16), 0);
    EXPECT_EQ(CallAfter(SwitchOff, 16), 0);
    EXPECT_LT(EffectMs(), 50u);
    EXPECT_TRUE(ViewIs(White));
    EXPECT_TRUE(BandsIntact());
}

TEST_F(SwitchOffTest, LineShrinksFourteenPixelsAtEachEndThenTheViewIsBlack)
{
    EXPECT_EQ(CallAfter(SwitchOff, 0), 0);
    int Lines = 0;
    int First = -1, Last = -1;
    int32_t Result = 0;
    // Past 50 ms the timer is never restarted: every call draws one line.
    Sleep(50);
    while ((Result = CallAfter(SwitchOff, 16)) == 0 && Lines < 100) {
        First = 14 * Lines;
        Last = 639 - 14 * Lines;
        ASSERT_TRUE(ViewIs(0, First, Last)) << "line " << Lines;
        ++Lines;
    }
    EXPECT_EQ(Result, 1);
    EXPECT_EQ(Lines, 23);
    EXPECT_EQ(First, 308);
    EXPECT_EQ(Last, 331);
    EXPECT_TRUE(ViewIs(0));
    EXPECT_TRUE(BandsIntact());
    EXPECT_TRUE(GuardsIntact());
}

}  // namespace
