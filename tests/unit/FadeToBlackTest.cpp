// Slot 12: the in-place division that compounds from frame to frame, the
// divisor's growth every 50 ms, and the black second at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effects/Effects.h"
#include "effects/FadeToBlack.h"
#include "support/EffectKit.h"

namespace {

struct FadeToBlackTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        std::fill_n(MainScreen->Pixels, 640 * 480, 0x00123456u);  // the bands too
        std::fill_n(DrawOrigin, 640 * 340, 0x00FF8000u);
        ViewPixel(7, 7) = 0x00010101;
    }
    bool BandsUntouched() const
    {
        return std::count(MainScreen->Pixels, DrawOrigin, 0x00123456u) == 640 * 70 &&
               std::count(DrawOrigin + 640 * 340, MainScreen->Pixels + 640 * 480, 0x00123456u) == 640 * 70;
    }
};

}  // namespace

TEST_F(FadeToBlackTest, ChannelsAreDividedInPlaceOnceTheDivisorGrows)
{
    const std::vector<uint32_t> Before = Fenced;
    CallAfter(FadeToBlack, 0);
    EXPECT_EQ(CallAfter(FadeToBlack, 50), 0);  // divides by 1.0, then grows
    EXPECT_TRUE(Fenced == Before);
    EXPECT_EQ(FadeToBlackVars.Divisor, 1.001f);
    CallAfter(FadeToBlack, 16);
    EXPECT_EQ(ViewPixel(0, 0), 0x00FE7F00u);
    EXPECT_EQ(ViewPixel(7, 7), 0u);
    EXPECT_EQ(FadeToBlackVars.Divisor, 1.001f);  // 16 ms after the restart: no growth
    EXPECT_TRUE(BandsUntouched());
}

TEST_F(FadeToBlackTest, FiftiethGrowthEndsWithABlackSecond)
{
    CallAfter(FadeToBlack, 0);
    for (int Growth = 1; Growth < 50; ++Growth)
        ASSERT_EQ(CallAfter(FadeToBlack, 50), 0) << Growth;
    EXPECT_EQ(FadeToBlackVars.Divisor, 1.0490023f);
    const uint32_t Flips = HeadlessFlipCount();
    EXPECT_EQ(CallAfter(FadeToBlack, 50), 1);
    EXPECT_EQ(FadeToBlackVars.Divisor, 1.0500023f);
    EXPECT_GE(EffectMs(), 1000u);                   // the busy-wait from the restart
    EXPECT_EQ(HeadlessFlipCount(), Flips + 1);      // the black view shown
    EXPECT_EQ(std::count(DrawOrigin, DrawOrigin + 640 * 340, 0u), 640 * 340);
    EXPECT_TRUE(BandsUntouched());
}
