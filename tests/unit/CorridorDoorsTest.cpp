// Slot 6: when the side doors come, how far they move a frame, when they
// count as shut, and when the effect ends.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "effects/CorridorDoors.h"
#include "effects/Effects.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00, White = 0xFFFFFF;

// One door frame: the left leaf's visible width and the right leaf's left edge
// on the middle row (640 when it is not seen).
using Leaves = std::pair<int32_t, int32_t>;

struct CorridorDoorsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        Resources.Loading = Picture(640, 480, [](int, int) { return 0u; });
        Resources.Corridor = Picture(640, 480, [](int, int) { return Green; });
        Leaf(320, 320);
    }
    void TearDown() override
    {
        EndShrinkDoors(CorridorDoorsVars);
        EffectTest::TearDown();
    }
    // Red and blue leaves, keyed white, with a white band in their top rows.
    void Leaf(uint16_t LeftWidth, uint16_t RightWidth)
    {
        Resources.PorteVG = Picture(LeftWidth, 480, [](int, int y) { return y < 10 ? White : Red; });
        Resources.PorteVD = Picture(RightWidth, 480, [](int, int y) { return y < 10 ? White : Blue; });
        Resources.PorteVG->Transparent = Resources.PorteVD->Transparent = 1;
        Resources.PorteVG->KeyColor = Resources.PorteVD->KeyColor = White;
    }
    Leaves Seen() const
    {
        Leaves L{0, 640};
        while (L.first < 640 && ViewPixel(L.first, 240) == Red)
            ++L.first;
        for (int32_t x = L.first; x < 640 && L.second == 640; ++x)
            if (ViewPixel(x, 240) == Blue)
                L.second = x;
        return L;
    }
    // Calls every 16 ms until a call draws doors; returns the elapsed time then.
    uint32_t UntilDoors()
    {
        while (true) {
            Sleep(16);
            const uint32_t Elapsed = EffectMs();
            std::string Log = LoggedBy([&] { EXPECT_EQ(CorridorDoors(&Step), 0); });
            if (CountOf(Log, "PosX = <") > 1)  // more than the corridor
                return Elapsed;
            EXPECT_EQ(Seen(), (Leaves{0, 640})) << Elapsed;
            EXPECT_LT(Elapsed, 3000u);
        }
    }
};

}  // namespace

TEST_F(CorridorDoorsTest, DoorsComeAfterThreeSecondsAndShutInFourSteps)
{
    EXPECT_GE(UntilDoors(), 3000u);
    // That first door frame drew both leaves just off the view.
    std::vector<Leaves> Frames{Seen()};
    std::string Log;
    while (Frames.size() < 6)
        Log += LoggedBy([&] {
            EXPECT_EQ(CallAfter(CorridorDoors, 16), 0);
            Frames.push_back(Seen());
        });
    const std::vector<Leaves> Expected{{0, 640}, {100, 540}, {201, 439}, {302, 338}, {320, 320}, {320, 320}};
    EXPECT_EQ(Frames, Expected);
    // -321, -220, -119, -18, then 82: shut, and the leaves drawn there first.
    for (const char* At : {"PosX = <-220>", "PosX = <540>", "PosX = <-119>", "PosX = <439>", "PosX = <-18>",
                           "PosX = <338>", "PosX = <82>", "PosX = <402>", "PosX = <0>", "PosX = <320>"})
        EXPECT_NE(Log.find(At), std::string::npos) << At;
    EXPECT_EQ(CountOf(Log, "PosX = <82>"), 2);
    // The key lets the corridor show through the leaves' white band.
    EXPECT_EQ(ViewPixel(100, 5), Green);
}

TEST_F(CorridorDoorsTest, OffsetOfExactlyZeroMovesOnceMore)
{
    Leaf(100, 100);  // -101 + 100.00894 truncates to 0
    UntilDoors();
    std::vector<Leaves> Frames{Seen()};
    for (int i = 0; i < 2; ++i) {
        CallAfter(CorridorDoors, 16);
        Frames.push_back(Seen());
    }
    // At 0 the leaves still move; at 100 the shut frame adds the leaves at 0 and 320.
    const std::vector<Leaves> Expected{{0, 640}, {100, 540}, {200, 320}};
    EXPECT_EQ(Frames, Expected);
}

TEST_F(CorridorDoorsTest, EndsOnTheFirstShutFrameAtOrAfterFourSeconds)
{
    UntilDoors();
    int32_t Result = 0;
    uint32_t Elapsed = 0;
    for (int Calls = 0; Result != 1; ++Calls) {
        ASSERT_LT(Calls, 100);
        Sleep(16);
        Elapsed = EffectMs();
        Result = CorridorDoors(&Step);
        EXPECT_EQ(Result, Elapsed >= 4000 ? 1 : 0);
    }
    EXPECT_EQ(CorridorDoorsVars.Backdrop, nullptr);

    // Doors that start late finish their slide first.
    Step = 0;
    for (int Frame = 0; Frame < 22; ++Frame)
        CallAfter(CorridorDoors, 16);
    HeadlessSetTime(HeadlessNow() + 3990 * 1000 - EffectMs() * 1000);
    std::vector<int32_t> Results;
    for (int Frame = 0; Frame < 5; ++Frame)
        Results.push_back(CallAfter(CorridorDoors, Frame ? 16 : 0));
    EXPECT_EQ(Results, (std::vector<int32_t>{0, 0, 0, 0, 1}));
    EXPECT_GE(EffectMs(), 4054u);
}
