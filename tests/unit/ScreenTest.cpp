// The screen surface: view geometry in both modes, clearing, presenting.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/Present.h"
#include "platform/Headless.h"
#include "support/Child.h"

namespace {

struct ScreenTest : testing::Test {
    InTempDir Folder;
    void TearDown() override { DestroyScreen(); }
    static uint32_t* Begin() { return MainScreen->Pixels; }
    static uint32_t* End() { return MainScreen->Pixels + 640 * 480; }
};

}  // namespace

TEST_F(ScreenTest, FullScreenAndLetterboxGeometry)
{
    ASSERT_EQ(CreateScreen("Vorlune", 640, 480, FullView), 1);
    EXPECT_EQ(MainScreen->ViewWidth, 640);
    EXPECT_EQ(MainScreen->ViewHeight, 480);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels);
    EXPECT_TRUE(std::all_of(Begin(), End(), [](uint32_t p) { return p == 0; }));

    SetScreenMode(ViewMode(2));  // anything but 1 is full screen
    EXPECT_EQ(MainScreen->ViewHeight, 480);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels);

    std::fill(Begin(), End(), 0x123456u);
    SetScreenMode(LetterboxView);
    EXPECT_EQ(MainScreen->ViewHeight, 340);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels + 44800);
    EXPECT_TRUE(std::all_of(Begin(), End(), [](uint32_t p) { return p == 0; }));

    SetScreenMode(FullView);
    EXPECT_EQ(MainScreen->ViewHeight, 480);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels);
}

TEST_F(ScreenTest, LetterboxFromTheStart)
{
    ASSERT_EQ(CreateScreen("Vorlune", 640, 480, LetterboxView), 1);
    EXPECT_EQ(MainScreen->ViewHeight, 340);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels + 70 * 640);
}

TEST_F(ScreenTest, ClearViewLeavesTheBars)
{
    ASSERT_EQ(CreateScreen("Vorlune", 640, 480, LetterboxView), 1);
    std::fill(Begin(), End(), 0xFFFFFFu);
    ClearView();
    for (int y = 0; y < 480; ++y) {
        uint32_t Expected = (y >= 70 && y < 410) ? 0 : 0xFFFFFF;
        ASSERT_EQ(MainScreen->Pixels[y * 640], Expected) << "row " << y;
        ASSERT_EQ(MainScreen->Pixels[y * 640 + 639], Expected) << "row " << y;
    }
    DrawOrigin[0] = 0xABCDEF;
    EXPECT_EQ(MainScreen->Pixels[70 * 640], 0xABCDEFu);
}

TEST_F(ScreenTest, PresentShowsAllRowsBarsIncluded)
{
    ASSERT_EQ(CreateScreen("Vorlune", 640, 480, LetterboxView), 1);
    for (int i = 0; i < 640 * 480; ++i)
        MainScreen->Pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    PresentScreen();
    int32_t Pitch;
    const uint8_t* Shown = HeadlessFrontBuffer(&Pitch);
    ASSERT_NE(Shown, nullptr);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; x += 37) {
            uint32_t Pixel;
            std::copy_n(Shown + y * Pitch + x * 4, 4, reinterpret_cast<uint8_t*>(&Pixel));
            ASSERT_EQ(Pixel, MainScreen->Pixels[y * 640 + x]) << x << "," << y;
        }
}
