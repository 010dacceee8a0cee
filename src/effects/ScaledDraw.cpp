#include "effects/ScaledDraw.h"

#include <algorithm>
#include <vector>

#include "core/Numbers.h"
#include "core/Screen.h"
#include "image/Image.h"

namespace {

// The source index for an accumulator, clamped into 0 .. Limit - 1 (an
// infinite step truncates to the lowest integer, which wraps to the top).
inline uint32_t SourceIndex(float Position, int32_t Limit)
{
    return std::min(static_cast<uint32_t>(TruncToInt32(Position)), uint32_t(Limit - 1));
}

// The accumulator after Count steps from 0, for the rows or columns that
// fall off the screen. Once it has passed the picture's last index every
// later index clamps to it, and a step too small to move it never will, so
// the stepping may stop there.
float Advance(float Step, int64_t Count, int32_t Limit)
{
    float Position = 0;
    for (int64_t i = 0; i < Count && Position < float(Limit); ++i) {
        const float Next = Position + Step;
        if (Next == Position)
            break;
        Position = Next;
    }
    return Position;
}

inline uint32_t PixelAt(const uint8_t* Rgb)
{
    return uint32_t{Rgb[0]} << 16 | uint32_t{Rgb[1]} << 8 | Rgb[2];
}

template <bool Keyed>
void DrawRows(const ScaledDraw& D, uint32_t Key)
{
    const Image* Src = D.Source;
    if (!Src || Src->Width <= 0 || Src->Height <= 0)
        return;
    const int64_t ScreenW = MainScreen->Width, ScreenH = MainScreen->Height;
    const int64_t FirstCol = std::max<int64_t>(0, -D.Left);
    const int64_t EndCol = std::min<int64_t>(D.Columns, ScreenW - D.Left);
    const int64_t FirstRow = std::max<int64_t>(0, -D.Top);
    const int64_t EndRow = std::min<int64_t>(D.Rows, ScreenH - D.Top);
    if (FirstCol >= EndCol || FirstRow >= EndRow)
        return;

    // Every row starts its accumulator from 0, so the columns read are the
    // same on every row: stepped once here, not once per pixel.
    static std::vector<uint32_t> SourceOffset;
    SourceOffset.resize(size_t(EndCol - FirstCol));
    float SX = Advance(D.StepX, FirstCol, Src->Width);
    for (uint32_t& Offset : SourceOffset) {
        Offset = 3 * SourceIndex(SX, Src->Width);
        SX += D.StepX;
    }
    float SY = Advance(D.StepY, FirstRow, Src->Height);
    for (int64_t i = FirstRow; i < EndRow; ++i) {
        const uint8_t* SrcRow = Src->Data + size_t(SourceIndex(SY, Src->Height)) * Src->Width * 3;
        uint32_t* Out = MainScreen->Pixels + (D.Top + i) * ScreenW + (D.Left + FirstCol);
        for (size_t j = 0; j < SourceOffset.size(); ++j) {
            const uint32_t Pixel = PixelAt(SrcRow + SourceOffset[j]);
            if (!Keyed || Pixel != Key)
                Out[j] = Pixel;
        }
        SY += D.StepY;
    }
}

}  // namespace

void DrawScaled(const ScaledDraw& Draw)
{
    DrawRows<false>(Draw, 0);
}

void DrawScaledKeyed(const ScaledDraw& Draw, uint32_t Key)
{
    DrawRows<true>(Draw, Key);
}
