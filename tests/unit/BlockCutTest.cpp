// Cutting glyph cells out of a sheet, and rectangles that leave the sheet.
#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/ImageKit.h"

namespace {

using BlockCutTest = LoggedTest;

uint32_t SheetColour(int X, int Y)
{
    return uint32_t(X) << 12 | uint32_t(Y);
}

}  // namespace

TEST_F(BlockCutTest, CutsACellWithTheSheetsKeyButOpaque)
{
    Image* Sheet = PaintedImage(320, 90, SheetColour);
    Sheet->Transparent = 1;
    Sheet->KeyColor = 0xFF00FF;
    Sheet->Extra = 9;
    Image* Cell = nullptr;
    EXPECT_EQ(LoggedBy([&] { Cell = BlockCut(Sheet, 64, 30, 32, 30); }),
              "BlockCut Entry\nBeginX = <64> : BeginY = <30> : Width = <32> : Height = <30>\n");
    ASSERT_NE(Cell, nullptr);
    EXPECT_EQ(Cell->Width, 32);
    EXPECT_EQ(Cell->Height, 30);
    EXPECT_EQ(Cell->Size, 2880u);
    EXPECT_EQ(Cell->Transparent, 0);
    EXPECT_EQ(Cell->KeyColor, 0xFF00FFu);
    EXPECT_EQ(Cell->Extra, 9);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint8_t* P = Cell->Data + (y * 32 + x) * 3;
            ASSERT_EQ(uint32_t(P[0]) << 16 | P[1] << 8 | P[2], SheetColour(64 + x, 30 + y)) << x << "," << y;
        }
    FreeImage(Cell);

    // The bottom-right cell touches both edges and is still inside.
    Cell = BlockCut(Sheet, 288, 60, 32, 30);
    ASSERT_NE(Cell, nullptr);
    EXPECT_EQ(Cell->Data[Cell->Size - 1], uint8_t(SheetColour(319, 89)));
    FreeImage(Cell);
    FreeImage(Sheet);
}

TEST_F(BlockCutTest, EmptyRectangleGivesAnEmptyImage)
{
    Image* Sheet = PaintedImage(10, 10, SheetColour);
    for (std::pair<uint16_t, uint16_t> Size : {std::pair{0, 4}, std::pair{4, 0}}) {
        Image* Cut = nullptr;
        EXPECT_NE(LoggedBy([&] { Cut = BlockCut(Sheet, 3, 3, Size.first, Size.second); }).find("BlockCut Entry\n"),
                  std::string::npos);
        ASSERT_NE(Cut, nullptr);
        EXPECT_EQ(Cut->Size, 0u);
        FreeImage(Cut);
    }
    FreeImage(Sheet);
}

TEST_F(BlockCutTest, RectangleLeavingTheSourceIsRefused)
{
    Image* Sheet = PaintedImage(320, 90, SheetColour);
    const struct {
        uint16_t Left, Top, Width, Height;
    } Outside[] = {{289, 0, 32, 30}, {0, 61, 32, 30}, {320, 0, 1, 1}, {0, 0, 65535, 65535}, {65535, 65535, 1, 1}};
    for (const auto& R : Outside) {
        Image* Cut = reinterpret_cast<Image*>(1);
        std::string Log = LoggedBy([&] { Cut = BlockCut(Sheet, R.Left, R.Top, R.Width, R.Height); });
        EXPECT_EQ(Cut, nullptr);
        EXPECT_EQ(Log, "BlockCut Entry\nBeginX = <" + std::to_string(R.Left) + "> : BeginY = <" +
                           std::to_string(R.Top) + "> : Width = <" + std::to_string(R.Width) + "> : Height = <" +
                           std::to_string(R.Height) + ">\nError!! BlockCut rectangle outside the source image\n");
    }
    EXPECT_EQ(BlockCut(nullptr, 0, 0, 1, 1), nullptr);
    FreeImage(Sheet);
}
