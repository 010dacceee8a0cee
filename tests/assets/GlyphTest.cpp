// The font sheets hold every letter exactly in the cell the demo's cell
// scan cuts for it, and each letter keeps inside its cell.
#include <gtest/gtest.h>

#include <vector>

#include "FontSheets.h"
#include "DrawnPictures.h"

namespace {

struct Cell {
    int X, Y;
};

// The cells the scan cuts from a 320-pixel sheet, written out by hand.
std::vector<Cell> Fonte2Cells()
{
    std::vector<Cell> Cells;
    for (int K = 0; K < 10; ++K)
        Cells.push_back({32 * K, 0});   // a..j
    for (int K = 0; K < 10; ++K)
        Cells.push_back({32 * K, 30});  // k..t
    for (int K = 0; K < 6; ++K)
        Cells.push_back({32 * K, 60});  // u..z
    return Cells;
}

std::vector<Cell> FireCells()
{
    std::vector<Cell> Cells;
    for (int K = 0; K < 9; ++K)
        Cells.push_back({2 + 32 * K, 0});  // a..i
    for (int K = 0; K < 10; ++K)
        Cells.push_back({32 * K, 33});     // j..s
    for (int K = 0; K < 7; ++K)
        Cells.push_back({32 * K, 66});     // t..z
    return Cells;
}

void ExpectSheet(const Canvas& Sheet, const std::vector<Cell>& Cells, int W, int H, Canvas (*Glyph)(int))
{
    Canvas Covered = MakeCanvas(Sheet.Width, Sheet.Height);
    std::vector<Canvas> Glyphs;
    for (int Letter = 0; Letter < 26; ++Letter) {
        SCOPED_TRACE(char('a' + Letter));
        Canvas Cut = Crop(Sheet, Cells[size_t(Letter)].X, Cells[size_t(Letter)].Y, W, H);
        Canvas Drawn = Glyph(Letter);
        ASSERT_EQ(Drawn.Width, W);
        ASSERT_EQ(Drawn.Height, H);
        EXPECT_TRUE(Cut.Pixels == Drawn.Pixels) << "the sheet's cell differs from the letter's drawing";
        // Clear first and last columns: side by side, letters never touch.
        for (int Y = 0; Y < H; ++Y) {
            EXPECT_EQ(Cut.At(0, Y), Black);
            EXPECT_EQ(Cut.At(W - 1, Y), Black);
        }
        EXPECT_GT(W * H - CountOf(Cut, Black), 60) << "a letter has ink";
        for (const Canvas& Earlier : Glyphs)
            EXPECT_FALSE(Earlier.Pixels == Cut.Pixels) << "two letters look the same";
        Glyphs.push_back(Cut);
        FillRect(Covered, Cells[size_t(Letter)].X, Cells[size_t(Letter)].Y, W, H, White);
    }
    // Nothing is drawn outside the cells the scan uses.
    for (int Y = 0; Y < Sheet.Height; ++Y)
        for (int X = 0; X < Sheet.Width; ++X)
            if (Covered.At(X, Y) == Black) {
                ASSERT_EQ(Sheet.At(X, Y), Black) << X << "," << Y;
            }
}

}  // namespace

TEST(Glyphs, Fonte2LettersSitInTheirCells)
{
    ExpectSheet(Picture("Fonte2.ppm"), Fonte2Cells(), 32, 30, DrawFonte2Glyph);
}

TEST(Glyphs, FireFonteLettersSitInTheirCells)
{
    ExpectSheet(Picture("FireFonte.ppm"), FireCells(), 31, 33, DrawFireGlyph);
}

TEST(Glyphs, CellOriginsFollowTheScan)
{
    std::vector<Cell> Plain = Fonte2Cells(), Fire = FireCells();
    for (int Letter = 0; Letter < 26; ++Letter) {
        EXPECT_EQ(Fonte2Cell(Letter).X, Plain[size_t(Letter)].X) << Letter;
        EXPECT_EQ(Fonte2Cell(Letter).Y, Plain[size_t(Letter)].Y) << Letter;
        EXPECT_EQ(FireCell(Letter).X, Fire[size_t(Letter)].X) << Letter;
        EXPECT_EQ(FireCell(Letter).Y, Fire[size_t(Letter)].Y) << Letter;
    }
}
