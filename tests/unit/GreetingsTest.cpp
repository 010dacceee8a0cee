// The greetings: the bouncing background, the centring and the five copies
// of each text, the ten texts in order with their font change and flashes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "effects/Effects.h"
#include "effects/Greetings.h"
#include "support/EffectKit.h"

namespace {

GreetingsState& S = GreetingsVars;

constexpr uint32_t FireColour = 0xF00000;  // + the letter's index
constexpr uint32_t Fonte2Colour = 0x00F000;

using Position = std::pair<int, int>;

// Every "PosX = <x> : PosY = <y>" of a piece of log, in order.
std::vector<Position> Positions(const std::string& Log)
{
    std::vector<Position> Found;
    std::istringstream Lines(Log);
    std::string Line;
    int X, Y;
    while (std::getline(Lines, Line))
        if (std::sscanf(Line.c_str(), "PosX = <%d> : PosY = <%d>", &X, &Y) == 2)
            Found.emplace_back(X, Y);
    return Found;
}

struct GreetingsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        Resources.BackgroundRaster = Picture(800, 600, [](int x, int y) { return uint32_t(x << 10 | y); });
    }
    // Solid glyphs whose colour names their font and letter, or glyphs all
    // of the key colour, which draw nothing.
    void MakeFonts(bool Visible = true)
    {
        for (int k = 0; k < 26; ++k) {
            uint32_t Fire = Visible ? FireColour + k : 0, Other = Visible ? Fonte2Colour + k : 0;
            Resources.FireFonte[k] = Keyed(Picture(31, 33, [Fire](int, int) { return Fire; }));
            Resources.Fonte2[k] = Keyed(Picture(32, 30, [Other](int, int) { return Other; }));
        }
    }
    static Image* Keyed(Image* Glyph)
    {
        Glyph->Transparent = 1;
        return Glyph;
    }
    // The solid copy, read back from the view: its glyphs' letters, with a
    // space for every advance without a glyph. Glyphs is the last 1/5 of
    // the call's positions.
    std::string SolidText(const std::vector<Position>& Drawn, uint32_t Font, int Advance) const
    {
        std::string Text;
        const size_t Letters = (Drawn.size() - 1) / 5;
        for (size_t i = Drawn.size() - Letters; i < Drawn.size(); ++i) {
            if (!Text.empty())
                Text.append((Drawn[i].first - Drawn[i - 1].first) / Advance - 1, ' ');
            uint32_t C = ViewPixel(Drawn[i].first + 15, Drawn[i].second + 15);
            Text += (C & 0xFFFF00) == Font ? char('a' + (C & 0xFF)) : '?';
        }
        return Text;
    }
};

TEST_F(GreetingsTest, BackgroundStartsCentredAndBouncesWithinItsRange)
{
    MakeFonts(false);
    CallAfter(Greetings, 0);
    EXPECT_EQ(S.RangeX, 160);
    EXPECT_EQ(S.RangeY, 260);
    EXPECT_EQ(S.BackX, float(-80.0f + float(2.002)));
    EXPECT_EQ(S.BackY, float(-130.0f + float(1.002)));

    int TurnsX = 0, TurnsY = 0;
    for (int i = 0; i < 600; ++i) {
        const float X = S.BackX, Y = S.BackY, VX = S.BackVX, VY = S.BackVY;
        CallAfter(Greetings, 16);
        // Reversed at 0.0 or beyond and at 160 (260) or more to the left.
        const bool TurnX = X >= 0.0f || int(X) <= -160, TurnY = Y >= 0.0f || int(Y) <= -260;
        ASSERT_EQ(S.BackX, X + (TurnX ? -VX : VX)) << i;
        ASSERT_EQ(S.BackY, Y + (TurnY ? -VY : VY)) << i;
        TurnsX += TurnX;
        TurnsY += TurnY;
        // Drawn at the truncated position.
        ASSERT_EQ(ViewPixel(320, 170), uint32_t((320 - int(S.BackX)) << 10 | (170 - int(S.BackY)))) << i;
    }
    EXPECT_GE(TurnsX, 6);
    EXPECT_GE(TurnsY, 2);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(GreetingsTest, CopiesSpreadWobbleAndAreWorkedOutInTheirOwnPrecision)
{
    MakeFonts();
    CallAfter(Greetings, 0);
    // Text 1, "QUORB", centred at 242: reach its 21st frame (20 steps).
    while (S.TextIndex == 0)
        CallAfter(Greetings, 50);
    for (int i = 0; i < 20; ++i)
        CallAfter(Greetings, 50);
    ASSERT_EQ(S.TextX, 242);
    ASSERT_FLOAT_EQ(S.EchoSpread, 48.0000076f);

    // BackX -5.5 after the move gives a wobble of -5, BackY -10.0 one of -8.
    S.BackX = -7.5f;
    S.BackVX = 2.0f;
    S.BackY = -12.0f;
    S.BackVY = 2.0f;
    std::vector<Position> Drawn = Positions(LoggedBy([&] { CallAfter(Greetings, 50); }));
    ASSERT_EQ(Drawn.size(), 1u + 5 * 5);
    EXPECT_EQ(S.WobbleX, -5);
    EXPECT_EQ(S.WobbleY, -8);
    // 242 - 48.0000076 is 194 in float (193 in double).
    EXPECT_EQ(Drawn[1], Position(194, 104));
    EXPECT_EQ(Drawn[6], Position(237, 66));    // 153 - 1.8 x 48.0000076
    EXPECT_EQ(Drawn[11], Position(290, 201));
    EXPECT_EQ(Drawn[16], Position(251, 239));  // 242 + 1.8 x 5 in double
    EXPECT_EQ(Drawn[21], Position(237, 145));
    for (int Letter = 1; Letter < 5; ++Letter)
        EXPECT_EQ(Drawn[21 + Letter].first, 237 + 31 * Letter);
    EXPECT_EQ(SolidText(Drawn, FireColour, 31), "quorb");
}

TEST_F(GreetingsTest, NextTextIsFirstDrawnAfterThe85thStepAndStepsAtOnce)
{
    MakeFonts();
    CallAfter(Greetings, 0);
    int Steps = 0;
    std::string Switching;
    // A call every 16 ms: a step on the first call 50 ms after the last.
    for (int i = 0; i < 1000 && S.TextIndex == 0; ++i) {
        const float Before = S.EchoDivisor;
        Switching = LoggedBy([&] { CallAfter(Greetings, 16); });
        Steps += S.EchoDivisor != Before;
    }
    EXPECT_EQ(Steps, 85);
    EXPECT_EQ(S.TextIndex, 1);
    EXPECT_EQ(S.EchoDivisor, 1.5f);
    EXPECT_EQ(S.EchoSpread, 0.0f);
    EXPECT_EQ(Positions(Switching).size(), 1u + 5 * 8);  // still "ZANOFREL"

    std::vector<Position> Drawn = Positions(LoggedBy([&] { CallAfter(Greetings, 16); }));
    ASSERT_EQ(Drawn.size(), 1u + 5 * 5);
    EXPECT_EQ(Drawn[1], Position(242, 153));  // divisor 1.5, spread 0.0
    EXPECT_EQ(Drawn[11], Position(242, 153));
    EXPECT_EQ(S.EchoDivisor, float(1.5 + 0.1));
    EXPECT_EQ(S.EchoSpread, float(2.4));
}

TEST_F(GreetingsTest, TenTextsInOrderWithTheFontChangeAndTwoWhiteFlashes)
{
    const char* Expected[GreetCount] = {"zanofrel", "quorb",   "melvastik", "troveln",    "solvarn quimet",
                                        "glenthwick", "zorph", "karvelon",  "code   qim", "design  morvadente"};
    MakeFonts();
    int Calls = 0;
    int32_t Result = 0;
    int8_t Shown = -1;
    std::vector<int> WhiteAfter;
    while (Result == 0 && Calls < 2000) {
        const bool FirstFrame = S.TextIndex != Shown || Calls == 0;
        std::string Log = FirstFrame ? LoggedBy([&] { Result = CallAfter(Greetings, Calls ? 50 : 0); })
                                     : (Result = CallAfter(Greetings, 50), "");
        ++Calls;
        if (FirstFrame) {
            Shown = S.TextIndex;
            std::vector<Position> Drawn = Positions(Log);
            const bool Credit = Shown >= 8;
            // Every text is centred with the FireFonte glyph size.
            const int Letters = int((Drawn.size() - 1) / 5);
            EXPECT_EQ(Drawn[1], Position(int(640 - 31 * std::strlen(Expected[Shown])) / 2, 153));
            EXPECT_EQ(SolidText(Drawn, Credit ? Fonte2Colour : FireColour, Credit ? 32 : 31), Expected[Shown])
                << int(Shown) << " with " << Letters << " letters";
        }
        bool White = true;
        for (int y = 0; y < VH() && White; ++y)
            for (int x = 0; x < VW() && White; ++x)
                White = ViewPixel(x, y) == 0xFFFFFF;
        if (White)
            WhiteAfter.push_back(S.TextIndex);
    }
    EXPECT_EQ(Result, 1);
    EXPECT_EQ(S.TextIndex, 9);
    // 85 steps per text, each on a call; the first call does not step.
    EXPECT_EQ(Calls, 1 + 10 * 85);
    // The frames that end text 7 and text 8 are white.
    EXPECT_EQ(WhiteAfter, (std::vector<int>{8, 9}));
    EXPECT_EQ(S.TextX, 41);
    EXPECT_EQ(S.TextY, 153);
    EXPECT_TRUE(GuardsIntact());
}

}  // namespace
