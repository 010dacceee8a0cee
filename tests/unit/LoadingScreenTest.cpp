// Slot 0: the bare picture for a second, the bar's growth and its blend,
// the finishing hold, and bars or pictures that break the stated sizes.
#include <gtest/gtest.h>

#include <vector>

#include "effects/Effects.h"
#include "support/EffectKit.h"

namespace {

constexpr int32_t BarX = 190, BarY = 311;
constexpr uint32_t Under = 0xC8C8C8;    // 200 per channel
constexpr uint32_t Blended = 0x323232;  // 200 / 4 + 0 / 2

struct LoadingScreenTest : EffectTest {
    // A flat loading picture and a black bar, so that every bar pixel is Blended.
    void FlatPictures(uint16_t BarWidth, uint16_t BarHeight)
    {
        Resources.Loading = Picture(640, 480, [](int, int) { return Under; });
        Resources.ProgressBar = Picture(BarWidth, BarHeight, [](int, int) { return 0u; });
    }
    // Blended columns from the bar's left edge on, the same on every bar row.
    int32_t DrawnWidth(int32_t BarHeight) const
    {
        int32_t Width = 0;
        while (BarX + Width < 640 && ViewPixel(BarX + Width, BarY) == Blended)
            ++Width;
        for (int32_t y = 0; y < BarHeight; ++y)
            for (int32_t x = 0; x < 640; ++x) {
                const bool InBar = x >= BarX && x < BarX + Width;
                EXPECT_EQ(ViewPixel(x, BarY + y), InBar ? Blended : Under) << x << "," << y;
            }
        return Width;
    }
    // Calls every 16 ms from the first second on; the widths drawn until the end.
    std::vector<int32_t> WidthsToTheEnd(int32_t BarHeight)
    {
        HeadlessSetTime(1000 * 1000);
        std::vector<int32_t> Widths;
        for (int32_t Result = 0; Result != 1 && Widths.size() < 1000;) {
            Result = CallAfter(LoadingScreen, 16);
            Widths.push_back(DrawnWidth(BarHeight));
        }
        return Widths;
    }
};

}  // namespace

TEST_F(LoadingScreenTest, ShowsOnlyThePictureForTheFirstSecondAfterLoading)
{
    FlatPictures(260, 16);
    for (uint32_t Ms : {0u, 500u, 499u}) {
        EXPECT_EQ(CallAfter(LoadingScreen, Ms), 0);
        EXPECT_EQ(DrawnWidth(16), 0);
    }
    EXPECT_EQ(CallAfter(LoadingScreen, 1), 0);
    EXPECT_EQ(DrawnWidth(16), 1);
}

TEST_F(LoadingScreenTest, BarGrowsByTwoThenByOneForItsLastColumnsAndFinishesFull)
{
    FlatPictures(260, 16);
    std::vector<int32_t> Expected;
    for (int32_t w = 1; w <= 141; w += 2)
        Expected.push_back(w);
    for (int32_t w = 142; w <= 261; ++w)
        Expected.push_back(std::min(w, 260));  // the finishing call draws W, not W + 1
    EXPECT_EQ(Expected.size(), 191u);

    EXPECT_EQ(WidthsToTheEnd(16), Expected);
    // The finishing call held the full bar for two seconds, then restarted the timer.
    EXPECT_GE(HeadlessNow(), (1000 + 191 * 16 + 2000) * 1000u);
    EXPECT_EQ(EffectTimer->StartTick, uint32_t(HeadlessNow() / 1000));
    EXPECT_EQ(EffectTimer->LastTick, 0u);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(LoadingScreenTest, BarNarrowerThan120GrowsByTwoToTheEnd)
{
    FlatPictures(50, 3);
    std::vector<int32_t> Expected;
    for (int32_t w = 1; w <= 51; w += 2)
        Expected.push_back(std::min(w, 50));
    EXPECT_EQ(WidthsToTheEnd(3), Expected);
}

TEST_F(LoadingScreenTest, BlendsHalfTheBarOverAQuarterOfThePictureBeneath)
{
    Resources.Loading = Picture(640, 480, [](int x, int) { return x < 300 ? 0xFFFFFFu : 0xFF0764u; });
    Resources.ProgressBar = Picture(200, 2, [](int x, int y) { return y == 0 ? 0xFFFFFFu : x < 110 ? 0u : 0xFF03C9u; });
    WidthsToTheEnd(0);
    EXPECT_EQ(ViewPixel(BarX, BarY), 0xBEBEBEu);           // 255/4 + 255/2 = 190, the largest
    EXPECT_EQ(ViewPixel(BarX, BarY + 1), 0x3F3F3Fu);       // 255/4 + 0
    EXPECT_EQ(ViewPixel(BarX + 199, BarY + 1), 0xBE027Du);  // (63 + 127, 1 + 1, 25 + 100)
    EXPECT_EQ(ViewPixel(BarX + 200, BarY), 0xFF0764u);      // right of the bar
    EXPECT_EQ(ViewPixel(BarX + 199, BarY + 2), 0xFF0764u);  // below it
    EXPECT_EQ(ViewPixel(BarX - 1, BarY), 0xFFFFFFu);        // left of it
}

TEST_F(LoadingScreenTest, BarIsClippedToThePictureBeneathAndToTheView)
{
    // A picture smaller than the bar's rectangle: nothing is read beyond it.
    Resources.Loading = Picture(300, 320, [](int, int) { return Under; });
    Resources.ProgressBar = Picture(260, 16, [](int, int) { return 0u; });
    ClearView();
    WidthsToTheEnd(0);
    for (int32_t y = BarY - 1; y < BarY + 17; ++y)
        for (int32_t x = BarX - 1; x < BarX + 261; ++x) {
            const bool Drawn = x >= BarX && x < 300 && y >= BarY && y < 320;
            ASSERT_EQ(ViewPixel(x, y), Drawn ? Blended : (x < 300 && y < 320 ? Under : 0u)) << x << "," << y;
        }

    // A bar reaching past the view's right and bottom edges: no row runs
    // into the next one, nothing is written past the buffer.
    Resources.Loading = Picture(640, 480, [](int, int) { return Under; });
    Resources.ProgressBar = Picture(500, 200, [](int, int) { return 0u; });
    Step = 0;
    WidthsToTheEnd(0);
    EXPECT_EQ(ViewPixel(639, 479), Blended);
    EXPECT_EQ(ViewPixel(0, 312), Under);
    EXPECT_EQ(ViewPixel(189, 479), Under);
    EXPECT_TRUE(GuardsIntact());
}
