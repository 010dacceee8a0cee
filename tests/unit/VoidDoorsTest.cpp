// Slot 7: the vertical doors' start set by the side door's width, their
// slide, the shut test at 0, and the end at five seconds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "effects/Effects.h"
#include "effects/VoidDoors.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF, Yellow = 0xFFFF00, Magenta = 0xFF00FF;

// One door frame: how many rows of the top leaf show on the middle column,
// and the bottom leaf's top row (480 when it is not seen).
using Leaves = std::pair<int32_t, int32_t>;

struct VoidDoorsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        Resources.Loading = Picture(640, 480, [](int, int) { return 0u; });
        Resources.PorteVG = Picture(320, 4, [](int, int) { return 0u; });  // only its width counts
        Leaf(200);
    }
    void TearDown() override
    {
        EndShrinkDoors(VoidDoorsVars);
        EffectTest::TearDown();
    }
    // Red top and blue bottom leaves keyed magenta, magenta in their first
    // columns; the top leaf's last row yellow.
    void Leaf(uint16_t Height)
    {
        Resources.HUDoor = Picture(640, Height, [Height](int x, int y) {
            return x < 10 ? Magenta : y == Height - 1 ? Yellow : Red;
        });
        Resources.HBDoor = Picture(640, Height, [](int x, int) { return x < 10 ? Magenta : Blue; });
        Resources.HUDoor->Transparent = Resources.HBDoor->Transparent = 1;
        Resources.HUDoor->KeyColor = Resources.HBDoor->KeyColor = Magenta;
    }
    Leaves Seen() const
    {
        Leaves L{0, 480};
        while (L.first < 480 && (ViewPixel(320, L.first) == Red || ViewPixel(320, L.first) == Yellow))
            ++L.first;
        for (int32_t y = L.first; y < 480 && L.second == 480; ++y)
            if (ViewPixel(320, y) == Blue)
                L.second = y;
        return L;
    }
    // Calls every 16 ms until a call draws doors; what that call logged.
    std::string UntilDoors()
    {
        for (int Calls = 0; Calls < 1000; ++Calls) {
            Sleep(16);
            const uint32_t Elapsed = EffectMs();
            std::string Log = LoggedBy([&] { EXPECT_EQ(VoidDoors(&Step), 0); });
            if (CountOf(Log, "PosX = <") > 0)
                return Log;
            EXPECT_LT(Elapsed, 3000u);
        }
        ADD_FAILURE() << "no doors";
        return "";
    }
    // The door frames from the first one on, with what each logged.
    std::vector<Leaves> DoorFrames(int Count, std::string* Log)
    {
        *Log = UntilDoors();
        std::vector<Leaves> Frames{Seen()};
        while (int(Frames.size()) < Count) {
            *Log += LoggedBy([&] { EXPECT_EQ(CallAfter(VoidDoors, 16), 0); });
            Frames.push_back(Seen());
        }
        return Frames;
    }
};

}  // namespace

TEST_F(VoidDoorsTest, DoorsStartOneRowFurtherOutThanTheSideDoorsAndShutInFourSteps)
{
    std::string Log;
    const std::vector<Leaves> Frames = DoorFrames(6, &Log);
    // -322 and -221 hide a 200-row leaf; then -120, -19; shut at 81 with the
    // leaves at 0 and 280 only, the backdrop still seen between them.
    const std::vector<Leaves> Expected{{0, 480}, {0, 480}, {80, 400}, {181, 299}, {200, 280}, {200, 280}};
    EXPECT_EQ(Frames, Expected);
    for (const char* At : {"PosY = <-322>", "PosY = <602>", "PosY = <-221>", "PosY = <501>", "PosY = <-120>",
                           "PosY = <400>", "PosY = <-19>", "PosY = <299>"})
        EXPECT_EQ(CountOf(Log, At), 1) << At;
    EXPECT_EQ(CountOf(Log, "PosY = <81>"), 0);
    EXPECT_EQ(CountOf(Log, "PosX = <0> : PosY = <280>"), 2);
    EXPECT_EQ(ViewPixel(320, 240), 0u);
    // The key lets the black view show through the leaves' magenta columns.
    EXPECT_EQ(ViewPixel(5, 100), 0u);
}

TEST_F(VoidDoorsTest, TopLeafTallerThanTheStartDistanceShowsItsLastRowsAtOnce)
{
    Leaf(323);
    UntilDoors();
    EXPECT_EQ(ViewPixel(320, 0), Yellow);
    EXPECT_EQ(ViewPixel(320, 1), 0u);
}

TEST_F(VoidDoorsTest, OffsetOfExactlyZeroCountsAsShut)
{
    Resources.PorteVG = Picture(99, 4, [](int, int) { return 0u; });  // -101 + 100.00894 truncates to 0
    std::string Log;
    const std::vector<Leaves> Expected{{99, 381}, {200, 280}, {200, 280}};
    EXPECT_EQ(DoorFrames(3, &Log), Expected);
    EXPECT_EQ(CountOf(Log, "PosY = <-101>"), 1);
    // Shut frames look like a leaf drawn at 0; they no longer move it.
    EXPECT_EQ(VoidDoorsVars.DoorOffset, 0);
}

TEST_F(VoidDoorsTest, EndsOnTheFirstShutFrameAtOrAfterFiveSeconds)
{
    UntilDoors();
    int32_t Result = 0;
    for (int Calls = 0; Result != 1; ++Calls) {
        ASSERT_LT(Calls, 200);
        Sleep(16);
        const uint32_t Elapsed = EffectMs();
        Result = VoidDoors(&Step);
        EXPECT_EQ(Result, Elapsed >= 5000 ? 1 : 0) << Elapsed;
    }
    EXPECT_EQ(VoidDoorsVars.Backdrop, nullptr);
}
