// Slot 11: the light disc, the ten blobs drawn from the run's first 50
// random numbers, the 16.16 stepping clipped to the window, the saturating
// red, and the green and blue divisors.
#include <gtest/gtest.h>

#include "core/Random.h"
#include "effects/Effects.h"
#include "effects/LightBlobs.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t FrameColour = 0x406080;

struct LightBlobsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        RandomState = 1;
        LightBlobsVars = LightBlobsState{};
        Resources.Flower = Picture(640, 340, [](int, int) { return FrameColour; });
    }
    int32_t CallAt(uint32_t Ms)
    {
        HeadlessSetTime(uint64_t(EffectTimer->StartTick + Ms) * 1000);
        return LightBlobs(&Step);
    }
    uint32_t& Entry(int Row, int Col) { return LightBlobsVars.LightTable[Row * LightSize + Col]; }
    // Blob 0 still at B, the others parked where they draw nothing.
    void Park(Blob B)
    {
        for (Blob& Other : LightBlobsVars.Blobs)
            Other = {0, 339, 30, 0, 0};
        LightBlobsVars.Blobs[0] = B;
    }
};

bool operator==(const Blob& A, const Blob& B)
{
    return A.X == B.X && A.Y == B.Y && A.Radius == B.Radius && A.DX == B.DX && A.DY == B.DY;
}

}  // namespace

TEST_F(LightBlobsTest, LightTableIsAGreyDiscOfRadius128)
{
    BuildLightTable();
    EXPECT_EQ(Entry(128, 128), 0xFFFFFFu);
    EXPECT_EQ(Entry(128, 166), 0xFFFFFFu);  // white out to about 38.1
    EXPECT_EQ(Entry(128, 167), 0xFCFCFCu);
    EXPECT_EQ(Entry(192, 128), 0xA0A0A0u);  // 159.99999 in double; 160 as a float
    EXPECT_EQ(Entry(128, 0), 0u);
    EXPECT_EQ(Entry(0, 0), 0u);
    EXPECT_EQ(Entry(255, 255), 0u);
}

TEST_F(LightBlobsTest, BlobsStartFromTheRunsFirstFiftyRandomNumbers)
{
    SeedBlobs();
    const Blob Expected[BlobCount] = {
        {41, 107, 59, -3, -15}, {364, 258, 74, 9, -9}, {585, 265, 31, -12, 6}, {491, 275, 66, -9, 6},
        {391, 324, 82, -9, -6}, {222, 81, 65, 3, 9},   {327, 306, 39, -12, 9}, {72, 167, 84, 12, 0},
        {543, 11, 63, -9, -6},  {184, 181, 58, -12, -6},
    };
    for (int i = 0; i < BlobCount; ++i)
        EXPECT_TRUE(LightBlobsVars.Blobs[i] == Expected[i]) << i;
    RandomState = 1;
    CallAt(0);  // moved once: blob 8 bounces off row 20, blob 7 only slides
    EXPECT_TRUE(LightBlobsVars.Blobs[8] == (Blob{534, 20, 63, -9, 6}));
    EXPECT_TRUE(LightBlobsVars.Blobs[7] == (Blob{84, 167, 84, 12, 0}));
}

TEST_F(LightBlobsTest, StepsWalkTheTableClippedToTheWindow)
{
    CallAt(0);
    EXPECT_EQ(BlobStep(59), 141624);
    for (int Row = 0; Row < LightSize; ++Row)  // each entry's red tells its row
        for (int Col = 0; Col < LightSize; ++Col)
            Entry(Row, Col) = uint32_t(Row) << 16;
    // Centred on the window's top-left corner, the others parked off it:
    // only the lower right quarter shows, from the table's middle row on.
    Park({124, 24, 59, 0, 0});
    CallAt(16);
    EXPECT_EQ(ViewPixel(124, 24) >> 16, 127u);  // (59 x 141624) >> 16
    EXPECT_EQ(ViewPixel(124, 82) >> 16, 252u);  // (117 x 141624) >> 16
    EXPECT_EQ(ViewPixel(124, 83), 0u);
    EXPECT_EQ(ViewPixel(123, 30), FrameColour);
    EXPECT_EQ(ViewPixel(130, 23), FrameColour);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(LightBlobsTest, RedSaturatesAndGreenAndBlueFadeOnTheirDivisors)
{
    CallAt(0);
    Park({300, 150, 59, 0, 0});
    LightBlobsVars.Blobs[1] = LightBlobsVars.Blobs[0];
    LightBlobsVars.GreenDivisor = 2.0f;
    LightBlobsVars.BlueDivisor = 4.0f;
    CallAt(4999);
    EXPECT_EQ(ViewPixel(300, 150), 0xFF7F3Fu);  // two full discs clamp at 255
    EXPECT_EQ(LightBlobsVars.GreenDivisor, 2.0f);

    LightBlobsVars.GreenDivisor = LightBlobsVars.BlueDivisor = 1.0f;
    const float Green[] = {1.0099999f, 1.0200996f, 1.0303005f};
    for (int i = 0; i < 3; ++i) {
        CallAt(5000 + 16 * i);
        EXPECT_EQ(LightBlobsVars.GreenDivisor, Green[i]) << i;
    }
    EXPECT_EQ(LightBlobsVars.BlueDivisor, 1.0f);
    CallAt(10000);
    EXPECT_EQ(LightBlobsVars.BlueDivisor, 1.0099999f);
    EXPECT_EQ(CallAt(24999), 0);
    EXPECT_EQ(CallAt(25000), 1);
}
