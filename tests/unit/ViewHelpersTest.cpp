// Whole-view helpers: white fill, grabbing the view into an image, and the
// sampled miniature in both view heights.
#include <gtest/gtest.h>

#include <vector>

#include "image/Image.h"
#include "support/ImageKit.h"

namespace {

using ViewHelpers = ViewTest;

// Every view pixel tells where it is.
void FillWithCoordinates()
{
    for (int32_t y = 0; y < MainScreen->ViewHeight; ++y)
        for (int32_t x = 0; x < MainScreen->ViewWidth; ++x)
            DrawOrigin[y * MainScreen->ViewWidth + x] = uint32_t(y) << 12 | uint32_t(x);
}

int32_t SampledX(uint32_t Cell) { return int32_t(Cell & 0xFFF); }
int32_t SampledY(uint32_t Cell) { return int32_t(Cell >> 12); }

}  // namespace

TEST_F(ViewHelpers, FillViewWhiteLeavesTheLetterboxBars)
{
    SetScreenMode(LetterboxView);
    FillViewWhite();
    for (int y = 0; y < 480; ++y) {
        uint32_t Expected = (y >= 70 && y < 410) ? 0xFFFFFF : 0;
        ASSERT_EQ(MainScreen->Pixels[y * 640], Expected) << y;
        ASSERT_EQ(MainScreen->Pixels[y * 640 + 639], Expected) << y;
    }
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(ViewHelpers, GrabViewThenPutImageLeavesTheViewUnchanged)
{
    for (ViewMode Letterbox : {FullView, LetterboxView}) {
        SetScreenMode(Letterbox);
        for (int i = 0; i < 640 * 480; ++i)
            MainScreen->Pixels[i] = (uint32_t(i) * 2654435761u) >> 8;
        const std::vector<uint32_t> Before = Fenced;
        Image* Grab = CreateImage(0, 0, 0, VW(), VH());
        GrabView(Grab);
        FillViewWhite();
        PutImage(Grab, 0, 0, 0.0f);
        EXPECT_TRUE(Fenced == Before) << "view height " << VH();
        FreeImage(Grab);
    }
}

TEST_F(ViewHelpers, GrabViewRefusesNullAndKeepsToASmallerImage)
{
    EXPECT_EQ(LoggedBy([] { GrabView(nullptr); }), "Error! NULL pointer passed Argument. file <Utils> line <729>\n");
    FillWithCoordinates();
    Image* Small = CreateImage(0, 0, 0, 20, 10);
    GrabView(Small);
    const uint8_t* Last = Small->Data + Small->Size - 3;
    EXPECT_EQ(uint32_t(Last[0]) << 16 | Last[1] << 8 | Last[2], 9u << 12 | 19u);
    FreeImage(Small);
}

TEST_F(ViewHelpers, InsetSamplesTheViewInBothHeights)
{
    struct {
        ViewMode Letterbox;
        int32_t LowestRow;
    } const Views[] = {{FullView, 427}, {LetterboxView, 332}};
    for (const auto& V : Views) {
        SetScreenMode(V.Letterbox);
        FillWithCoordinates();
        int32_t Ready = 0;
        ViewInset(&Ready);
        EXPECT_EQ(Ready, 1);
        auto Cell = [&](int i, int j) { return ViewPixel(458 + j, 20 + i); };
        for (int j = 0; j < 162; ++j) {
            ASSERT_EQ(Cell(0, j), 0xFFFFFFu);
            ASSERT_EQ(Cell(96, j), 0xFFFFFFu);
        }
        for (int i = 0; i < 97; ++i) {
            ASSERT_EQ(Cell(i, 0), 0xFFFFFFu);
            ASSERT_EQ(Cell(i, 161), 0xFFFFFFu);
        }
        EXPECT_EQ(SampledX(Cell(1, 1)), 6);
        EXPECT_EQ(SampledX(Cell(1, 160)), 639);
        EXPECT_EQ(SampledY(Cell(1, 1)), 4 - V.Letterbox);
        EXPECT_EQ(SampledY(Cell(95, 1)), V.LowestRow);
        // The columns and rows beside the inset are not touched.
        EXPECT_EQ(ViewPixel(457, 20), 20u << 12 | 457u);
        EXPECT_EQ(ViewPixel(620, 20), 20u << 12 | 620u);
        EXPECT_EQ(ViewPixel(500, 19), 19u << 12 | 500u);
        EXPECT_EQ(ViewPixel(500, 117), 117u << 12 | 500u);

        // Later frames sample the view as it is now, inset included.
        FillWithCoordinates();
        ViewPixel(6, 4 - V.Letterbox) = 0x123456;
        ViewInset(&Ready);
        EXPECT_EQ(Cell(1, 1), 0x123456u);
    }
    EXPECT_TRUE(GuardsIntact());
}
