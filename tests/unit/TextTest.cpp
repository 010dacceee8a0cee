// Bitmap text: which bytes draw, where the pen goes, and what reaches the blit.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "image/Image.h"
#include "support/ImageKit.h"

namespace {

constexpr uint32_t GlyphKey = 0xFF00FF;

// 26 glyphs of 32 x 30: letter k is filled with colour k + 1 except for a
// keyed first column, as the resource loader would leave them.
struct TextTest : ViewTest {
    std::vector<Image*> Glyphs;
    void SetUp() override
    {
        ViewTest::SetUp();
        for (uint32_t k = 0; k < 26; ++k) {
            Image* G = PaintedImage(32, 30, [k](int X, int) { return X == 0 ? GlyphKey : k + 1; });
            G->Transparent = 1;
            G->KeyColor = GlyphKey;
            Glyphs.push_back(G);
        }
    }
    void TearDown() override
    {
        for (Image* G : Glyphs)
            FreeImage(G);
        ViewTest::TearDown();
    }
    // The x of every glyph the text drew, from the log.
    std::vector<int> PensOf(const char* Text, int32_t X)
    {
        std::string Log = LoggedBy([&] { PutString(Glyphs.data(), X, 50, Text, 0.0f); });
        std::vector<int> Pens;
        for (size_t At = Log.find("PosX = <"); At != std::string::npos; At = Log.find("PosX = <", At + 1))
            Pens.push_back(std::stoi(Log.substr(At + 8)));
        return Pens;
    }
};

}  // namespace

TEST_F(TextTest, PenAdvancesOnLettersAndSpacesOnly)
{
    EXPECT_EQ(PensOf("AB c", 10), (std::vector<int>{10, 42, 106}));
    EXPECT_EQ(PensOf("a-b", 10), (std::vector<int>{10, 42}));
    EXPECT_EQ(PensOf("z9.\n\xC1\xE1Z", -5), (std::vector<int>{-5, 27}));
    EXPECT_TRUE(PensOf("", 10).empty());
    EXPECT_EQ(LoggedBy([&] { PutString(Glyphs.data(), 10, 50, "", 0.0f); }), "");
}

TEST_F(TextTest, UpperCaseDrawsTheLowerCaseGlyphKeyed)
{
    ViewPixel(10, 50) = ViewPixel(42, 50) = 0xABCDEF;
    PutString(Glyphs.data(), 10, 50, "Ab", 0.0f);
    EXPECT_EQ(ViewPixel(10, 50), 0xABCDEFu);  // a's keyed column
    EXPECT_EQ(ViewPixel(11, 50), 1u);         // glyph a
    EXPECT_EQ(ViewPixel(41, 79), 1u);
    EXPECT_EQ(ViewPixel(42, 50), 0xABCDEFu);  // b's keyed column
    EXPECT_EQ(ViewPixel(43, 79), 2u);         // glyph b, its bottom row
}

TEST_F(TextTest, DivisorReachesEveryGlyph)
{
    for (int X = 0; X < 100; ++X)
        ViewPixel(X, 0) = 0x0A0A0A;
    PutString(Glyphs.data(), 0, 0, "cc", 2.0f);
    EXPECT_EQ(ViewPixel(1, 0), 0x050506u);   // (0x0A + 0) / 2 and (0x0A + 3) / 2
    EXPECT_EQ(ViewPixel(33, 0), 0x050506u);
    EXPECT_EQ(ViewPixel(32, 0), 0x0A0A0Au);  // keyed
}

TEST_F(TextTest, PenPastTheLastIntegerDrawsNothing)
{
    const std::vector<uint32_t> Start = Fenced;
    EXPECT_EQ(PensOf("ab", INT_MAX - 10).size(), 2u);
    EXPECT_TRUE(Fenced == Start);
}
