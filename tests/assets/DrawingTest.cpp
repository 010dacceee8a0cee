// The drawing helpers the generators share.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "Text.h"

TEST(Drawing, PpmHeaderIsExactlyWhatTheLoaderParses)
{
    Canvas C = MakeCanvas(3, 2, {1, 2, 3});
    C.At(2, 1) = {250, 251, 252};
    std::string Bytes = EncodePPM(C);
    EXPECT_EQ(Bytes.substr(0, 11), "P6\n3 2\n255\n");
    ASSERT_EQ(Bytes.size(), 11u + 18u);
    EXPECT_EQ(Bytes.substr(11, 3), std::string("\x01\x02\x03"));
    EXPECT_EQ(Bytes.substr(26, 3), std::string("\xfa\xfb\xfc"));
}

TEST(Drawing, LiftFromKeyMovesOnlyNearKeyPixels)
{
    Canvas C = MakeCanvas(4, 1);
    C.At(0, 0) = Black;           // the key itself stays
    C.At(1, 0) = {3, 10, 2};      // a dark fringe moves out
    C.At(2, 0) = {0, 60, 0};      // far enough already
    C.At(3, 0) = {250, 250, 250};
    LiftFromKey(C, Black, 40);
    EXPECT_EQ(C.At(0, 0), Black);
    EXPECT_EQ(KeyDistance(C.At(1, 0), Black), 40);
    EXPECT_EQ(C.At(2, 0), (Rgb{0, 60, 0}));
    Canvas W = MakeCanvas(2, 1, White);
    W.At(1, 0) = {250, 240, 255};
    LiftFromKey(W, White, 40);
    EXPECT_EQ(W.At(0, 0), White);
    EXPECT_GE(KeyDistance(W.At(1, 0), White), 40);
    Canvas M = MakeCanvas(1, 1, {250, 5, 250});
    LiftFromKey(M, Magenta, 40);
    EXPECT_GE(KeyDistance(M.At(0, 0), Magenta), 40);
}

TEST(Drawing, RampAndMirrors)
{
    Ramp R{{Black, White}};
    EXPECT_EQ(R.At(0.0), Black);
    EXPECT_EQ(R.At(1.0), White);
    EXPECT_EQ(R.At(0.5), (Rgb{128, 128, 128}));
    EXPECT_EQ(R.At(7.0), White);
    Canvas C = MakeCanvas(2, 2);
    C.At(0, 0) = White;
    EXPECT_EQ(MirrorX(C).At(1, 0), White);
    EXPECT_EQ(MirrorY(C).At(0, 1), White);
    EXPECT_EQ(Downsample(C, 2).At(0, 0), (Rgb{64, 64, 64}));
    EXPECT_EQ(Enlarge(C, 2).At(1, 1), White);
}

TEST(Text, RenderedWithoutAntiAliasing)
{
    TextMask T = RenderText({"DejaVuSans-Bold.ttf", 20, 20}, "Ag");
    ASSERT_GT(T.Ink.Width, 10);
    ASSERT_GT(T.Ink.Height, 14);
    int Ink = 0;
    for (uint8_t B : T.Ink.Bits) {
        ASSERT_TRUE(B == 0 || B == 255);
        Ink += B == 255;
    }
    EXPECT_GT(Ink, 50);
    // The baseline lies above the descender of g, below the top of A.
    EXPECT_GT(T.BaselineY, 10);
    EXPECT_LT(T.BaselineY, T.Ink.Height);
    // The mask is cut to the ink.
    bool TopRow = false;
    for (int X = 0; X < T.Ink.Width; ++X)
        TopRow |= T.Ink.Get(X, 0) != 0;
    EXPECT_TRUE(TopRow);
}

TEST(Text, MissingFontGivesNothing)
{
    TextMask T = RenderText({"NoSuchFont.ttf", 20, 20}, "A");
    EXPECT_EQ(T.Ink.Width, 0);
    EXPECT_TRUE(T.Ink.Bits.empty());
}

TEST(Text, DilateGrowsByTheRadius)
{
    Mask M = MakeMask(9, 9);
    M.Set(4, 4, 255);
    Mask Grown = Dilate(M, 2);
    EXPECT_EQ(Grown.Get(4, 2), 255);
    EXPECT_EQ(Grown.Get(6, 4), 255);
    EXPECT_EQ(Grown.Get(4, 1), 0);
    EXPECT_EQ(Grown.Get(2, 2), 0);  // round, not square
    Mask Padded = Pad(M, 1, 2, 0, 0);
    EXPECT_EQ(Padded.Width, 10);
    EXPECT_EQ(Padded.Get(5, 6), 255);
}
