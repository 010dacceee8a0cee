// The font sheets the build wrote hold every letter exactly in the cell the
// demo's own cell scan cuts for it, and each letter keeps inside its cell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawnPictures.h"
#include "FontSheets.h"
#include "demo/Resources.h"
#include "image/Image.h"

namespace {

Canvas FromImage(const Image* Img)
{
    Canvas C = MakeCanvas(Img->Width, Img->Height);
    for (size_t i = 0; i < C.Pixels.size(); ++i)
        C.Pixels[i] = {Img->Data[3 * i], Img->Data[3 * i + 1], Img->Data[3 * i + 2]};
    return C;
}

void ExpectSheet(const std::string& File, const FontCells& Cells, Canvas (*Drawn)(int),
                 CellOrigin (*Origin)(int))
{
    Image* Sheet = LoadPPM((std::string(ASSET_FOLDER) + "/Data/" + File).c_str());
    ASSERT_NE(Sheet, nullptr);
    Image* Glyphs[26] = {};
    CutGlyphs(Sheet, Cells, 0, Glyphs);

    Canvas Covered = MakeCanvas(Sheet->Width, Sheet->Height);
    int Letter = 0;
    for (const CellCut& Cut : ScanCells(Sheet->Width, Cells)) {
        if (!Cut.Used)
            continue;
        SCOPED_TRACE(char('a' + Letter));
        EXPECT_EQ(Origin(Letter).X, Cut.X);
        EXPECT_EQ(Origin(Letter).Y, Cut.Y);
        ASSERT_NE(Glyphs[Letter], nullptr);
        Canvas Glyph = FromImage(Glyphs[Letter]);
        EXPECT_TRUE(Glyph.Pixels == Drawn(Letter).Pixels) << "the cut differs from the letter's drawing";
        // Clear first and last columns: side by side, letters never touch.
        for (int Y = 0; Y < Cells.Height; ++Y) {
            EXPECT_EQ(Glyph.At(0, Y), Black);
            EXPECT_EQ(Glyph.At(Cells.Width - 1, Y), Black);
        }
        EXPECT_GT(Cells.Width * Cells.Height - CountOf(Glyph, Black), 60) << "a letter has ink";
        for (int Earlier = 0; Earlier < Letter; ++Earlier)
            EXPECT_FALSE(FromImage(Glyphs[Earlier]).Pixels == Glyph.Pixels) << "two letters look the same";
        FillRect(Covered, Cut.X, Cut.Y, Cells.Width, Cells.Height, White);
        ++Letter;
    }
    EXPECT_EQ(Letter, 26);
    // Nothing is drawn outside the cells the scan uses.
    Canvas Whole = FromImage(Sheet);
    for (int Y = 0; Y < Whole.Height; ++Y)
        for (int X = 0; X < Whole.Width; ++X)
            if (Covered.At(X, Y) == Black) {
                ASSERT_EQ(Whole.At(X, Y), Black) << X << "," << Y;
            }
    for (Image* Glyph : Glyphs)
        FreeImage(Glyph);
    FreeImage(Sheet);
}

}  // namespace

TEST(Glyphs, Fonte2LettersSitInTheCellsTheScanCuts)
{
    ExpectSheet("Fonte2.ppm", Fonte2Cells, DrawFonte2Glyph, Fonte2Cell);
}

TEST(Glyphs, FireFonteLettersSitInTheCellsTheScanCuts)
{
    ExpectSheet("FireFonte.ppm", FireFonteCells, DrawFireGlyph, FireCell);
}
