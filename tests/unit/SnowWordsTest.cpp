// Slot 10: the shift-register snow and its window, the word schedule and
// the words' places, the dimming run, and the white end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/Effects.h"
#include "effects/SnowWords.h"
#include "support/EffectKit.h"

namespace {

struct SnowWordsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        SnowWordsVars = SnowWordsState{};
        Resources.Flower = Picture(640, 340, [](int, int) { return 0u; });  // all keyed
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
};

}  // namespace

TEST_F(SnowWordsTest, RegisterFillsTheWindowAndRunsOn)
{
    int32_t State = 0x12345;
    for (uint32_t Grey : {0x96u, 0xCBu, 0xE5u, 0x72u})
        EXPECT_EQ(NextNoise(State, 255), Grey);
    EXPECT_EQ(State, 0x68001234);

    std::fill_n(DrawOrigin, 640 * 340, 0x123456u);
    CallAt(0);
    EXPECT_EQ(ViewPixel(126, 25), 0x969696u);
    EXPECT_EQ(ViewPixel(127, 25), 0xCBCBCBu);
    EXPECT_EQ(ViewPixel(129, 25), 0x727272u);
    for (auto [X, Y] : {std::pair{125, 25}, {516, 314}, {126, 24}, {515, 315}})
        EXPECT_EQ(ViewPixel(X, Y), 0x123456u) << X << "," << Y;
    EXPECT_NE(ViewPixel(515, 314), 0x123456u);

    State = 0x12345;  // the next frame starts 390 x 290 steps on
    for (int i = 0; i < 390 * 290; ++i)
        NextNoise(State, 255);
    const uint32_t Next = NextNoise(State, 255) * 0x010101u;
    CallAt(16);
    EXPECT_EQ(ViewPixel(126, 25), Next);
    EXPECT_TRUE(GuardsIntact());
}

// The window is drawn many register steps at a time: every pixel and the
// state left behind must be those of one step per pixel, whatever the mask
// (the snow is drawn while it is positive).
TEST_F(SnowWordsTest, WindowMatchesOneStepPerPixel)
{
    CallAt(0);
    const std::pair<int32_t, int16_t> Cases[] = {
        {0x7FFFFFFF, 255}, {1, 1}, {0x5A5A5A5A, 0x7FFF}, {0x40000000, 0x4001}, {0x0BADF00D, 0x0F0F}};
    uint32_t Ms = 16;
    for (auto [Start, Mask] : Cases) {
        SnowWordsVars.NoiseState = Start;
        SnowWordsVars.NoiseMask = Mask;
        CallAt(Ms += 16);
        int32_t State = Start;
        bool Same = true;
        for (int Y = 25; Y < 25 + 290; ++Y)
            for (int X = 126; X < 126 + 390; ++X)
                Same &= ViewPixel(X, Y) == NextNoise(State, Mask) * 0x010101u;
        EXPECT_TRUE(Same) << std::hex << Start << " mask " << Mask;
        EXPECT_EQ(SnowWordsVars.NoiseState, State) << std::hex << Start;
    }
}

TEST_F(SnowWordsTest, WordsFollowTheScheduleCentredAndHalfBlended)
{
    CallAt(0);
    const std::pair<uint32_t, const char*> Schedule[] = {
        {3999, ""},         {4000, "no"}, {5000, ""},   {7000, ""},    {7001, "the"},     {10500, "oldschool"},
        {13001, "qv demo"}, {16500, "is"}, {19999, "not"}, {20000, ""}, {24500, "dead"}, {32000, ""},
    };
    for (auto [Ms, Word] : Schedule) {
        CallAt(Ms);
        EXPECT_STREQ(SnowWordsVars.Word, Word) << Ms;
    }
    EXPECT_EQ(SnowWordsVars.NoiseMask, 255);

    // The word set on one frame is drawn on the next.
    CallAt(10500);
    std::string Log = LoggedBy([&] { CallAt(10516); });
    EXPECT_EQ(Log.find("PosX = <176> : PosY = <155>\n"), 0u) << Log;
    CallAt(13500);
    Log = LoggedBy([&] { CallAt(13516); });
    EXPECT_EQ(Log.find("PosX = <208> : PosY = <155>\n"), 0u) << Log;
    EXPECT_EQ(CountOf(Log, "PosX = "), 6);  // the space draws nothing
    int Copied = 0;                         // (0xFE + grey) / 2 is rarely 0xFE
    for (int X = 208; X < 240; ++X)
        Copied += ViewPixel(X, 160) == 0xFEFEFE;
    EXPECT_LT(Copied, 4);
}

TEST_F(SnowWordsTest, SnowDimsAwayUnderDeadThenTheViewTurnsWhite)
{
    CallAt(0);
    uint32_t Ms = 25001;
    for (int16_t Mask = 253; Mask >= 1; Mask -= 2, Ms += 16) {
        CallAt(Ms);
        ASSERT_EQ(SnowWordsVars.NoiseMask, Mask);
        ASSERT_STREQ(SnowWordsVars.Word, "dead");
    }
    CallAt(Ms);  // the last snow, masked by 1
    for (int X = 126; X < 516; ++X)
        ASSERT_LE(ViewPixel(X, 25), 0x010101u) << X;
    EXPECT_EQ(SnowWordsVars.NoiseMask, 0);
    EXPECT_EQ(SnowWordsVars.WordDivisor, 0);
    CallAt(Ms + 16);  // "dead" copied at full strength over the last snow
    EXPECT_EQ(ViewPixel(300, 160), 0xFEFEFEu);
    const std::vector<uint32_t> Still = Fenced;
    CallAt(Ms + 32);
    EXPECT_TRUE(Fenced == Still);
    EXPECT_EQ(CallAt(32999), 0);
    EXPECT_EQ(CallAt(33000), 1);
    EXPECT_EQ(ViewPixel(0, 0), 0xFFFFFFu);
}
