#include "effects/BlurPass.h"

#include <algorithm>

#include "image/Image.h"

namespace {

// N consecutive rows blurred together, each one byte behind the row above:
// a byte needs the finished byte to its left and the one above, so the rows'
// chains interleave and hide each other's latency. The order of the writes
// each byte sees is that of the plain row-by-row pass.
template <int N>
struct Band {
    uint8_t* Row[N];
    uint32_t Left[N];  // the byte just written in each row
    int64_t RowBytes;
    int64_t Last;  // last byte written in a row

    void Step(int r, int64_t p)
    {
        uint8_t* R = Row[r];
        Left[r] = (Left[r] + R[p] + R[p + 1] + R[p + RowBytes] + R[p - RowBytes]) / 5;
        R[p] = uint8_t(Left[r]);
    }
    void StepIfInRow(int r, int64_t p)
    {
        if (p >= 1 && p <= Last)
            Step(r, p);
    }
    // S is the byte of the band's last row; row r is N - 1 - r bytes ahead.
    void Run()
    {
        for (int64_t S = 2 - N; S <= std::min<int64_t>(0, Last); ++S)
            for (int r = 0; r < N; ++r)
                StepIfInRow(r, S + N - 1 - r);
        for (int64_t S = 1; S <= Last - N + 1; ++S)
            for (int r = 0; r < N; ++r)
                Step(r, S + N - 1 - r);
        for (int64_t S = std::max<int64_t>(1, Last - N + 2); S <= Last; ++S)
            for (int r = 0; r < N; ++r)
                StepIfInRow(r, S + N - 1 - r);
    }
};

template <int N>
void BlurBand(uint8_t* First, int64_t RowBytes)
{
    Band<N> B;
    B.RowBytes = RowBytes;
    B.Last = RowBytes - 3;
    for (int r = 0; r < N; ++r) {
        B.Row[r] = First + r * RowBytes;
        B.Left[r] = B.Row[r][0];
    }
    B.Run();
}

constexpr int32_t BandRows = 4;

}  // namespace

void BlurPassPlain(Image* Word)
{
    const int64_t RowBytes = int64_t{Word->Width} * 3;
    const int32_t EndRow = Word->Height - 1;
    int32_t y = 1;
    for (; y + BandRows <= EndRow; y += BandRows)
        BlurBand<BandRows>(Word->Data + y * RowBytes, RowBytes);
    for (; y < EndRow; ++y)
        BlurBand<1>(Word->Data + y * RowBytes, RowBytes);
}

void BlurPass(Image* Word)
{
    if (!BlurPassWide(Word))
        BlurPassPlain(Word);
}
