// A framed miniature of the view in its top-right corner.
#include "core/Screen.h"
#include "image/Image.h"

namespace {

constexpr int InsetRows = 97;
constexpr int InsetColumns = 162;
constexpr int InsetTop = 20;
constexpr int InsetRightMargin = 182;  // the inset's width and a 20-pixel margin
constexpr uint32_t White = 0xFFFFFF;

struct InsetState {
    uint32_t Grid[InsetRows][InsetColumns];  // kept between frames
    float StepX;                             // whole view columns per inset column
    float StepY;                             // whole view rows per inset row
};

InsetState Inset;

void SetUp(int32_t VW, int32_t VH)
{
    Inset.StepX = static_cast<float>(VW / InsetColumns);
    Inset.StepY = static_cast<float>(VH / InsetRows);
    for (auto& Row : Inset.Grid)
        for (uint32_t& Cell : Row)
            Cell = 0;
}

bool OnFrame(int i, int j)
{
    return i == 0 || i == InsetRows - 1 || j == 0 || j == InsetColumns - 1;
}

void Sample(int32_t VW, int32_t VH)
{
    const float ViewW = static_cast<float>(VW), ViewH = static_cast<float>(VH);
    float SampleX = 0.0f, SampleY = 0.0f;
    for (int i = 0; i < InsetRows; ++i) {
        for (int j = 0; j < InsetColumns; ++j) {
            if (OnFrame(i, j))
                Inset.Grid[i][j] = White;
            // Strictly inside: a sample exactly at ViewH would read the row below the view.
            else if (ViewW > SampleX && ViewH > SampleY)
                Inset.Grid[i][j] = DrawOrigin[static_cast<int32_t>(SampleY) * VW + static_cast<int32_t>(SampleX)];
            SampleX = static_cast<float>(SampleX + (Inset.StepX + 0.98));
        }
        SampleX = Inset.StepX;
        SampleY = static_cast<float>(SampleY + (Inset.StepY + 0.5));
    }
}

void Draw(int32_t VW, int32_t VH)
{
    const int32_t Left = static_cast<uint16_t>(VW - InsetRightMargin);
    for (int i = 0; i < InsetRows && InsetTop + i < VH; ++i)
        for (int j = 0; j < InsetColumns && Left + j < VW; ++j)
            DrawOrigin[(InsetTop + i) * VW + Left + j] = Inset.Grid[i][j];
}

}  // namespace

void ViewInset(int32_t* Ready)
{
    if (!Ready)
        return;
    const int32_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    if (*Ready == 0) {
        SetUp(VW, VH);
        *Ready = 1;
    }
    // The whole grid is sampled before any of it is drawn.
    Sample(VW, VH);
    Draw(VW, VH);
}
