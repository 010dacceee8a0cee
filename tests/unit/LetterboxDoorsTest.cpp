// Slot 8: the whole-screen flash, the switch to the letterbox, the closed
// doors, and the hold that ends two seconds after the first call began.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "effects/Effects.h"
#include "support/EffectKit.h"

namespace {

using LetterboxDoorsTest = EffectTest;

constexpr uint32_t Magenta = 0xFF00FF, Upper = 0x3040A0, Lower = 0xA04030;

uint32_t ShownPixel(const uint8_t* Front, int32_t Pitch, int X, int Y)
{
    uint32_t P;
    std::memcpy(&P, Front + Y * Pitch + X * 4, 4);
    return P & 0xFFFFFF;
}

}  // namespace

TEST_F(LetterboxDoorsTest, FlashesTheWholeScreenThenShowsClosedDoorsInTheLetterbox)
{
    std::fill_n(MainScreen->Pixels, 640 * 480, 0x123456u);
    // Each half has a keyed hole in its first column.
    Resources.HUDoor = Picture(640, 170, [](int x, int) { return x == 0 ? Magenta : Upper; });
    Resources.HBDoor = Picture(640, 170, [](int x, int) { return x == 0 ? Magenta : Lower; });
    Resources.HUDoor->Transparent = Resources.HBDoor->Transparent = 1;
    Resources.HUDoor->KeyColor = Resources.HBDoor->KeyColor = Magenta;

    EXPECT_EQ(CallAfter(LetterboxDoors, 0), 0);
    EXPECT_GE(HeadlessNow(), 100000u);  // the flash was held
    int32_t Pitch;
    const uint8_t* Front = HeadlessFrontBuffer(&Pitch);
    ASSERT_NE(Front, nullptr);
    EXPECT_EQ(ShownPixel(Front, Pitch, 639, 0), 0xFFFFFFu);
    EXPECT_EQ(ShownPixel(Front, Pitch, 639, 479), 0xFFFFFFu);

    ASSERT_EQ(VH(), 340);
    EXPECT_EQ(DrawOrigin, MainScreen->Pixels + 70 * 640);
    EXPECT_EQ(std::count(MainScreen->Pixels, DrawOrigin, 0u), 640 * 70);
    EXPECT_EQ(std::count(DrawOrigin + 640 * 340, MainScreen->Pixels + 640 * 480, 0u), 640 * 70);
    EXPECT_EQ(ViewPixel(5, 0), Upper);  // the halves meet at view row 170
    EXPECT_EQ(ViewPixel(5, 169), Upper);
    EXPECT_EQ(ViewPixel(5, 170), Lower);
    EXPECT_EQ(ViewPixel(5, 339), Lower);
    EXPECT_EQ(ViewPixel(0, 100), 0u);  // the holes show the black of the switch
    EXPECT_EQ(ViewPixel(0, 200), 0u);

    const std::vector<uint32_t> Closed = Fenced;
    // The 2000 ms include the flash.
    while (CallAfter(LetterboxDoors, 16) == 0)
        ASSERT_LT(EffectMs(), 2000u);
    EXPECT_LT(EffectMs(), 2016u);
    EXPECT_TRUE(Fenced == Closed);  // nothing drawn after the first call
}
