// Slot 11: the light disc, the ten blobs drawn from the run's first 50
// random numbers, the 16.16 stepping clipped to the window, the saturating
// red, and the green and blue divisors.
#include <gtest/gtest.h>

#include <cmath>

#include "effects/Effects.h"
#include "effects/LightBlobs.h"
#include "runtime/Random.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t FrameColour = 0x406080;

struct LightBlobsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(1);
        RandomState = 1;
        Light = LightState{};
        Resources.Flower = Picture(640, 340, [](int, int) { return FrameColour; });
    }
    int32_t CallAt(uint32_t Ms)
    {
        HeadlessSetTime(uint64_t(EffectTimer->StartTick + Ms) * 1000);
        return LightBlobs(&Step);
    }
    uint32_t Entry(int Row, int Col) const { return Light.LightTable[Row * LightSize + Col]; }
    // Blob 0 alone in the window, still; the others parked off it.
    void OnlyBlob(Blob B)
    {
        for (Blob& Other : Light.Blobs)
            Other = {0, 339, 30, 0, 0};
        Light.Blobs[0] = B;
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
    EXPECT_EQ(Entry(128, 128 + 38), 0xFFFFFFu);  // white out to about 38.1
    EXPECT_LT(Entry(128, 128 + 39), 0xFFFFFFu);
    // 159.99999 in double: only its rounding to a float makes it 160.
    EXPECT_EQ(Entry(128, 128 + 64), 0xA0A0A0u);
    EXPECT_EQ(Entry(128, 0), 0u);
    for (auto [Row, Col] : {std::pair{0, 0}, {0, 255}, {255, 0}, {255, 255}, {30, 40}})
        EXPECT_EQ(Entry(Row, Col), 0u) << Row << "," << Col;
    for (int Row = 0; Row < LightSize; ++Row)
        for (int Col = 0; Col < LightSize; ++Col) {
            ASSERT_EQ(Entry(Row, Col), (Entry(Row, Col) & 0xFF) * 0x010101u);
            ASSERT_EQ(Entry(Row, Col), Entry(Col, Row));
            ASSERT_EQ(Entry(Row, Col), Entry(Row, 256 - Col < 256 ? 256 - Col : Col));
        }
}

TEST_F(LightBlobsTest, BlobsStartFromTheRunsFirstFiftyRandomNumbers)
{
    SeedBlobs();
    const Blob Expected[BlobCount] = {
        {41, 107, 59, -3, -15},  {364, 258, 74, 9, -9}, {585, 265, 31, -12, 6}, {491, 275, 66, -9, 6},
        {391, 324, 82, -9, -6},  {222, 81, 65, 3, 9},   {327, 306, 39, -12, 9}, {72, 167, 84, 12, 0},
        {543, 11, 63, -9, -6},   {184, 181, 58, -12, -6},
    };
    for (int i = 0; i < BlobCount; ++i)
        EXPECT_TRUE(Light.Blobs[i] == Expected[i]) << i;

    // The first frame moves them once; blob 8 bounces off row 20.
    RandomState = 1;
    CallAt(0);
    EXPECT_TRUE(Light.Blobs[8] == (Blob{534, 20, 63, -9, 6}));
    EXPECT_TRUE(Light.Blobs[7] == (Blob{84, 167, 84, 12, 0}));
    EXPECT_TRUE(Light.Blobs[0] == (Blob{38, 92, 59, -3, -15}));
}

TEST_F(LightBlobsTest, BlobsStepThroughTheTableAndClipToTheWindow)
{
    CallAt(0);
    EXPECT_EQ(BlobStep(59), 141624);
    // A table whose red tells the row read, then one that tells the column.
    for (int Row = 0; Row < LightSize; ++Row)
        for (int Col = 0; Col < LightSize; ++Col)
            Light.LightTable[Row * LightSize + Col] = uint32_t(Row) << 16;
    OnlyBlob({300, 150, 59, 0, 0});
    CallAt(16);
    EXPECT_EQ(ViewPixel(300, 91) >> 16, 0u);
    EXPECT_EQ(ViewPixel(300, 208) >> 16, 252u);  // (117 x 141624) >> 16
    EXPECT_EQ(ViewPixel(300, 209), 0u);
    EXPECT_EQ(ViewPixel(300, 150) >> 16, uint32_t(59 * 141624 >> 16));

    for (int Row = 0; Row < LightSize; ++Row)
        for (int Col = 0; Col < LightSize; ++Col)
            Light.LightTable[Row * LightSize + Col] = uint32_t(Col) << 16;
    // Centred on the window's corner: only its lower right quarter is drawn,
    // reading the table from the middle on.
    OnlyBlob({124, 24, 59, 0, 0});
    CallAt(32);
    EXPECT_EQ(ViewPixel(124, 24) >> 16, uint32_t(59 * 141624 >> 16));
    EXPECT_EQ(ViewPixel(182, 24) >> 16, 252u);
    EXPECT_EQ(ViewPixel(123, 24), FrameColour);
    EXPECT_EQ(ViewPixel(124, 23), FrameColour);
    EXPECT_EQ(ViewPixel(515, 314), FrameColour);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(LightBlobsTest, OverlapsSaturateAndTheColoursFadeOnTheirDivisors)
{
    CallAt(0);
    for (Blob& B : Light.Blobs)
        B = {300, 150, 59, 0, 0};
    CallAt(16);
    EXPECT_EQ(ViewPixel(300, 150), 0xFFFFFFu);  // ten full discs clamp at 255
    EXPECT_EQ(ViewPixel(300 - 40, 150), 0xFFFFFFu);

    Light.GreenDivisor = 2.0f;
    Light.BlueDivisor = 4.0f;
    CallAt(4999);
    EXPECT_EQ(ViewPixel(300, 150), 0xFF7F3Fu);
    EXPECT_EQ(Light.GreenDivisor, 2.0f);

    Light.GreenDivisor = Light.BlueDivisor = 1.0f;
    const float Green[] = {1.0099999f, 1.0200996f, 1.0303005f};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CallAt(5000 + 16 * i), 0);
        EXPECT_EQ(Light.GreenDivisor, Green[i]) << i;
        EXPECT_EQ(Light.BlueDivisor, 1.0f);
    }
    CallAt(10000);
    EXPECT_EQ(Light.BlueDivisor, 1.0099999f);
    EXPECT_EQ(CallAt(24999), 0);
    EXPECT_EQ(CallAt(25000), 1);
}
