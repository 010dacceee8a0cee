// Slot 12: the in-place division that compounds from frame to frame, the
// divisor's growth every 50 ms, and the black second at the end.
#include <gtest/gtest.h>

#include <vector>

#include "effects/Effects.h"
#include "effects/FadeToBlack.h"
#include "support/EffectKit.h"

namespace {

struct FadeToBlackTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(1);
        std::fill_n(MainScreen->Pixels, 640 * 480, 0x00123456u);  // bands included
        std::fill_n(DrawOrigin, 640 * 340, 0x00FF8000u);
        ViewPixel(7, 7) = 0x00010101;
    }
    bool BandsUntouched() const
    {
        for (int i = 0; i < 640 * 70; ++i)
            if (MainScreen->Pixels[i] != 0x00123456u || MainScreen->Pixels[410 * 640 + i] != 0x00123456u)
                return false;
        return true;
    }
};

}  // namespace

TEST_F(FadeToBlackTest, ChannelsAreDividedInPlaceOnceTheDivisorGrows)
{
    const std::vector<uint32_t> Before = Fenced;
    EXPECT_EQ(CallAfter(FadeToBlack, 0), 0);
    EXPECT_EQ(CallAfter(FadeToBlack, 49), 0);
    EXPECT_TRUE(Fenced == Before);  // divided by 1.0
    EXPECT_EQ(FadeDivisor, 1.0f);

    EXPECT_EQ(CallAfter(FadeToBlack, 1), 0);  // 50 ms: grows after drawing
    EXPECT_EQ(FadeDivisor, 1.001f);
    EXPECT_TRUE(Fenced == Before);
    EXPECT_EQ(CallAfter(FadeToBlack, 16), 0);
    EXPECT_EQ(ViewPixel(0, 0), 0x00FE7F00u);
    EXPECT_EQ(ViewPixel(7, 7), 0u);
    EXPECT_EQ(FadeDivisor, 1.001f);  // restarted: 16 ms since the growth
    EXPECT_TRUE(BandsUntouched());
}

TEST_F(FadeToBlackTest, FiftiethGrowthEndsWithABlackSecond)
{
    CallAfter(FadeToBlack, 0);
    for (int Growth = 1; Growth < 50; ++Growth)
        ASSERT_EQ(CallAfter(FadeToBlack, 50), 0) << Growth;
    EXPECT_EQ(FadeDivisor, 1.0490023f);
    EXPECT_NE(ViewPixel(0, 0), 0u);

    const uint32_t FlipsBefore = HeadlessFlipCount();
    EXPECT_EQ(CallAfter(FadeToBlack, 50), 1);
    EXPECT_EQ(FadeDivisor, 1.0500023f);
    EXPECT_GE(EffectMs(), 1000u);  // the busy-wait from the restart
    EXPECT_EQ(HeadlessFlipCount(), FlipsBefore + 1);         // the black view shown
    for (int i = 0; i < 640 * 340; ++i)
        ASSERT_EQ(DrawOrigin[i], 0u) << i;
    EXPECT_TRUE(BandsUntouched());
    EXPECT_TRUE(GuardsIntact());
}
