// What the demo's effects need of every picture: sizes, keys only where
// they are meant to be, and no near-key fringes round keyed shapes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DrawnPictures.h"

namespace {

void ExpectSize(const std::string& File, int W, int H)
{
    const Canvas& C = Picture(File);
    EXPECT_EQ(C.Width, W) << File;
    EXPECT_EQ(C.Height, H) << File;
    EXPECT_EQ(C.Pixels.size(), size_t(W) * size_t(H)) << File;
}

const char* const Words[] = {"Txt-This.ppm", "Txt-ProgressBar.ppm", "Txt-Is.ppm", "Txt-APure.ppm", "Txt-Fake.ppm"};
const int ZoomSteps[] = {3, 8, 3, 4, 5};
const char* const Rasters[] = {"RasterR.ppm", "RasterG.ppm", "RasterB.ppm", "RasterV.ppm", "RasterY.ppm"};

}  // namespace

TEST(PictureSizes, FixedSizesTheEffectsRelyOn)
{
    ExpectSize("Loading.ppm", 640, 480);
    ExpectSize("Corridor.ppm", 640, 480);
    ExpectSize("PorteVG.ppm", 320, 480);
    ExpectSize("PorteVD.ppm", 320, 480);
    ExpectSize("HU-Door.ppm", 640, 240);
    ExpectSize("HB-Door.ppm", 640, 240);
    ExpectSize("Flower.ppm", 640, 340);
    EXPECT_EQ(AllPictures().size(), 22u);
}

TEST(PictureSizes, ProgressBarFitsItsFrame)
{
    const Canvas& Bar = Picture("ProgressBar.ppm");
    EXPECT_GT(Bar.Width, 120);
    EXPECT_LE(Bar.Width, 450);
    EXPECT_LE(Bar.Height, 169);
    EXPECT_LE(BarX + Bar.Width, Picture("Loading.ppm").Width);
    EXPECT_LE(BarY + Bar.Height, Picture("Loading.ppm").Height);
}

TEST(PictureSizes, ScrollAndBackgroundAndFontSheets)
{
    const Canvas& Scroll = Picture("ScrollText.ppm");
    EXPECT_GE(Scroll.Width, 2200);
    EXPECT_LE(Scroll.Width, 2600);
    EXPECT_GE(Scroll.Height, 32);
    EXPECT_LE(Scroll.Height, 48);
    const Canvas& Back = Picture("BackgroundRaster.ppm");
    EXPECT_GE(Back.Width, 640);
    EXPECT_GE(Back.Height, 340);
    // 26 used cells need three rows on both sheets.
    EXPECT_EQ(Picture("Fonte2.ppm").Width, 320);
    EXPECT_GE(Picture("Fonte2.ppm").Height, 90);
    EXPECT_EQ(Picture("FireFonte.ppm").Width, 320);
    EXPECT_GE(Picture("FireFonte.ppm").Height, 99);
}

TEST(RasterBars, SameHeightDarkRimsBrightMiddle)
{
    const int H = Picture(Rasters[0]).Height;
    EXPECT_GE(H, 24);
    EXPECT_LE(H, 32);
    for (const char* File : Rasters) {
        const Canvas& Bar = Picture(File);
        EXPECT_EQ(Bar.Width, 640) << File;
        ASSERT_EQ(Bar.Height, H) << File;
        double Top = Brightness(Bar.At(0, 0)), Middle = Brightness(Bar.At(0, H / 2)),
               Bottom = Brightness(Bar.At(0, H - 1));
        EXPECT_GT(Middle, 3 * Top) << File;
        EXPECT_GT(Middle, 3 * Bottom) << File;
        for (int Y = 0; Y < H; ++Y)
            for (int X = 1; X < 640; ++X)
                ASSERT_EQ(Bar.At(X, Y), Bar.At(0, Y)) << File << ": a copper line is one colour";
    }
}

TEST(WordPictures, WholeRatioFitsTheZoomAndHasABlackBorder)
{
    for (int I = 0; I < 5; ++I) {
        const Canvas& Word = Picture(Words[I]);
        SCOPED_TRACE(Words[I]);
        ASSERT_GT(Word.Height, 0);
        EXPECT_EQ(Word.Width % Word.Height, 0);
        EXPECT_GE(Word.Width, Word.Height);
        EXPECT_LE(Word.Width, 600);
        // The last zoom frame is up to a step wider and its height follows.
        int Last = Word.Width + ZoomSteps[I] - 1;
        EXPECT_LE(Last, 640);
        EXPECT_LE(Last / (Word.Width / Word.Height), 480);
        for (int Y = 0; Y < Word.Height; ++Y)
            for (int X = 0; X < Word.Width; ++X)
                if (X < 4 || Y < 4 || X >= Word.Width - 4 || Y >= Word.Height - 4) {
                    ASSERT_EQ(Word.At(X, Y), Black) << X << "," << Y;
                }
        // Letters there are, and none of them black: every non-key pixel is lit.
        EXPECT_GT(int(Word.Pixels.size()) - CountOf(Word, Black), Word.Height * 10);
    }
}

TEST(KeyedPictures, NoNearKeyFringe)
{
    for (const PictureInfo& Info : AllPictures()) {
        if (!Info.Keyed)
            continue;
        const Canvas& C = Picture(Info.File);
        int Fringe = 0;
        for (const Rgb& P : C.Pixels)
            Fringe += !(P == Info.Key) && KeyDistance(P, Info.Key) < 40;
        EXPECT_EQ(Fringe, 0) << Info.File;
    }
}

TEST(KeyedPictures, FlowerIsBlackExactlyInsideTheWindows)
{
    const Canvas& Flower = Picture("Flower.ppm");
    for (int Y = 0; Y < 340; ++Y)
        for (int X = 0; X < 640; ++X) {
            bool Snow = X >= 126 && X <= 515 && Y >= 25 && Y <= 314;
            bool Blobs = X >= 124 && X <= 514 && Y >= 24 && Y <= 313;
            bool Union = X >= 124 && X <= 515 && Y >= 24 && Y <= 314;
            if (Snow || Blobs) {
                ASSERT_EQ(Flower.At(X, Y), Black) << X << "," << Y;
            } else if (!Union) {
                ASSERT_FALSE(Flower.At(X, Y) == Black) << "frame pixel " << X << "," << Y << " is transparent";
            }
        }
}

TEST(KeyedPictures, DoorsAreOpaqueBarASharedWindow)
{
    const Canvas& Left = Picture("PorteVG.ppm");
    const Canvas& Right = Picture("PorteVD.ppm");
    const Canvas& Upper = Picture("HU-Door.ppm");
    const Canvas& Lower = Picture("HB-Door.ppm");
    // The window is cut where the leaves meet and shows the same shape on both.
    for (int Y = 0; Y < 480; ++Y)
        for (int X = 0; X < 320; ++X) {
            ASSERT_EQ(Left.At(X, Y) == White, Right.At(319 - X, Y) == White) << X << "," << Y;
            if (X < 200) {
                ASSERT_FALSE(Left.At(X, Y) == White) << X << "," << Y;
            }
        }
    for (int Y = 0; Y < 240; ++Y)
        for (int X = 0; X < 640; ++X) {
            ASSERT_EQ(Upper.At(X, Y) == Magenta, Lower.At(X, 239 - Y) == Magenta) << X << "," << Y;
            if (Y < 120) {
                ASSERT_FALSE(Upper.At(X, Y) == Magenta) << X << "," << Y;
            }
        }
    // Shut, the doors hide most of what is behind them, but not all.
    EXPECT_GT(CountOf(Left, White), 2000);
    EXPECT_LT(CountOf(Left, White), 320 * 480 / 10);
    EXPECT_GT(CountOf(Upper, Magenta), 2000);
    EXPECT_LT(CountOf(Upper, Magenta), 640 * 240 / 10);
    // Seen in the letterbox, the meeting line and the window are in view.
    EXPECT_GT(CountOf(Crop(Upper, 0, 70, 640, 170), Magenta), 2000);
}

TEST(KeyedPictures, ScrollTextIsLettersOnTheKey)
{
    const Canvas& Scroll = Picture("ScrollText.ppm");
    int Lit = int(Scroll.Pixels.size()) - CountOf(Scroll, Black);
    EXPECT_GT(Lit, Scroll.Width * 8);
    // It starts at once when it enters and leaves black rows above and below.
    for (int X = 0; X < Scroll.Width; ++X) {
        ASSERT_EQ(Scroll.At(X, 0), Black);
        ASSERT_EQ(Scroll.At(X, Scroll.Height - 1), Black);
    }
    bool EarlyInk = false;
    for (int Y = 0; Y < Scroll.Height; ++Y)
        for (int X = 0; X < 40; ++X)
            EarlyInk |= !(Scroll.At(X, Y) == Black);
    EXPECT_TRUE(EarlyInk);
}

TEST(OpaquePictures, BackgroundStaysDarkEnoughForBlendedEchoes)
{
    // The greetings blend glyphs over it with a divisor of 1.5 and more: a
    // bright background would wrap the sums round to dark.
    const Canvas& Back = Picture("BackgroundRaster.ppm");
    for (const Rgb& P : Back.Pixels)
        ASSERT_LE(std::max({P.R, P.G, P.B}), 127);
}

TEST(OpaquePictures, LoadingLeavesAFrameForTheBar)
{
    const Canvas& Loading = Picture("Loading.ppm");
    const Canvas& Bar = Picture("ProgressBar.ppm");
    // A rim round the bar's rectangle, brighter than the slot inside it.
    double Slot = 0, Rim = 0;
    for (int X = 0; X < Bar.Width; ++X) {
        Slot += Brightness(Loading.At(BarX + X, BarY + Bar.Height / 2));
        Rim += Brightness(Loading.At(BarX + X, BarY - 6));
    }
    EXPECT_GT(Rim, 2 * Slot);
}

TEST(Output, FilesAreWhatTheLoaderReads)
{
    for (const PictureInfo& Info : AllPictures()) {
        std::ifstream In(std::string(ASSET_FOLDER) + "/Data/" + Info.File, std::ios::binary);
        ASSERT_TRUE(In) << Info.File;
        std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        const Canvas& C = Picture(Info.File);
        std::string Header = "P6\n" + std::to_string(C.Width) + " " + std::to_string(C.Height) + "\n255\n";
        EXPECT_EQ(Bytes.substr(0, Header.size()), Header) << Info.File;
        EXPECT_EQ(Bytes.size(), Header.size() + C.Pixels.size() * 3) << Info.File;
        EXPECT_TRUE(Bytes == EncodePPM(C)) << Info.File << " differs from a fresh drawing";
    }
}

TEST(Output, DrawingTwiceGivesTheSameBytes)
{
    for (const PictureInfo& Info : AllPictures())
        EXPECT_TRUE(EncodePPM(Info.Draw()) == EncodePPM(Picture(Info.File))) << Info.File;
}
