// Slot 10: the shift-register snow and its window, the word schedule and
// the words' places, the dimming run, and the white end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/Effects.h"
#include "effects/SnowWords.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t FrameColour = 0x402060;

struct SnowWordsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(1);
        Snow = SnowState{};
        // A frame with a black (keyed) hole where the snow goes.
        Resources.Flower = Picture(640, 340, [](int x, int y) {
            return x >= 100 && x < 540 && y >= 10 && y < 330 ? 0u : FrameColour;
        });
        Resources.Flower->Transparent = 1;
        for (Image*& Glyph : Resources.Fonte2) {
            Glyph = Picture(32, 30, [](int, int) { return 0xFEFEFEu; });
            Glyph->Transparent = 1;
        }
    }
    int32_t CallAt(uint32_t Ms)
    {
        HeadlessSetTime(uint64_t(EffectTimer->StartTick + Ms) * 1000);
        return SnowWords(&Step);
    }
    std::string Word() const { return Snow.Word; }
    bool Grey(uint32_t P) const { return P == (P & 0xFF) * 0x010101u; }
};

}  // namespace

TEST_F(SnowWordsTest, RegisterDrawsTheWindowAndRunsOn)
{
    int32_t State = 0x12345;
    EXPECT_EQ(NextNoise(State, 255), 0x96u);
    EXPECT_EQ(NextNoise(State, 255), 0xCBu);
    EXPECT_EQ(NextNoise(State, 255), 0xE5u);
    EXPECT_EQ(NextNoise(State, 255), 0x72u);
    EXPECT_EQ(State, 0x68001234);

    std::fill_n(DrawOrigin, 640 * 340, 0x123456u);
    CallAt(0);
    EXPECT_EQ(ViewPixel(126, 25), 0x969696u);
    EXPECT_EQ(ViewPixel(127, 25), 0xCBCBCBu);
    EXPECT_EQ(ViewPixel(128, 25), 0xE5E5E5u);
    EXPECT_EQ(ViewPixel(129, 25), 0x727272u);
    EXPECT_TRUE(Grey(ViewPixel(515, 314)));
    for (auto [X, Y] : {std::pair{125, 25}, {516, 25}, {126, 24}, {126, 315}})
        EXPECT_EQ(ViewPixel(X, Y), 0x123456u) << X << "," << Y;  // the hole keeps what was there
    EXPECT_EQ(ViewPixel(0, 0), FrameColour);

    // The next frame goes on where the register stopped: 390 x 290 steps on.
    State = 0x12345;
    for (int i = 0; i < 390 * 290; ++i)
        NextNoise(State, 255);
    const uint32_t Next = NextNoise(State, 255) * 0x010101u;
    CallAt(16);
    EXPECT_EQ(ViewPixel(126, 25), Next);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(SnowWordsTest, WordsFollowTheScheduleAndAreCentred)
{
    CallAt(0);
    const std::pair<uint32_t, const char*> Schedule[] = {
        {3999, ""},       {4000, "no"},         {4999, "no"},       {5000, ""},      {7000, ""},
        {7001, "the"},    {10500, "oldschool"}, {11000, ""},        {13001, "qv demo"}, {16500, "is"},
        {19999, "not"},   {20000, ""},          {24500, "dead"},    {32000, ""},
    };
    for (auto [Ms, Expected] : Schedule) {
        CallAt(Ms);
        EXPECT_EQ(Word(), Expected) << Ms;
    }
    EXPECT_EQ(Snow.NoiseMask, 255);

    // The word set on one frame is drawn on the next.
    CallAt(10500);
    std::string Log = LoggedBy([&] { CallAt(10516); });
    EXPECT_EQ(Log.find("PosX = <176> : PosY = <155>\n"), 0u) << Log;
    EXPECT_EQ(CountOf(Log, "PosX = "), 9);
    CallAt(13500);
    Log = LoggedBy([&] { CallAt(13516); });
    EXPECT_EQ(Log.find("PosX = <208> : PosY = <155>\n"), 0u) << Log;
    EXPECT_EQ(CountOf(Log, "PosX = "), 6);  // the space draws nothing
    // Half-blended into the snow: (0xFE + grey) / 2 rarely stays 0xFE.
    int Copied = 0;
    for (int Y = 155; Y < 185; ++Y)
        for (int X = 208; X < 240; ++X)
            Copied += ViewPixel(X, Y) == 0xFEFEFE;
    EXPECT_LT(Copied, 32 * 30 / 10);
}

TEST_F(SnowWordsTest, SnowDimsToNothingUnderDeadThenTheViewTurnsWhite)
{
    CallAt(0);
    uint32_t Ms = 25001;
    for (int16_t Mask = 253; Mask >= 1; Mask -= 2, Ms += 16) {
        CallAt(Ms);
        ASSERT_EQ(Snow.NoiseMask, Mask);
        ASSERT_EQ(Word(), "dead");
    }
    // This frame still draws snow, masked by 1.
    CallAt(Ms);
    for (int X = 126; X < 516; ++X)
        ASSERT_LE(ViewPixel(X, 25), 0x010101u) << X;
    EXPECT_EQ(Snow.NoiseMask, 0);
    EXPECT_EQ(Snow.WordDivisor, 0);

    // From the next frame on "dead" is copied over the last snow, and nothing moves.
    CallAt(Ms + 16);
    const std::vector<uint32_t> Still = Fenced;
    CallAt(Ms + 32);
    EXPECT_TRUE(Fenced == Still);
    CallAt(31999);
    EXPECT_EQ(ViewPixel(300, 160), 0xFEFEFEu);  // "dead" copied at full strength
    EXPECT_EQ(CallAt(32999), 0);
    EXPECT_EQ(CallAt(33000), 1);
    EXPECT_EQ(ViewPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(ViewPixel(639, 339), 0xFFFFFFu);
}
