#pragma once
// What the wide blur passes (AVX2, WebAssembly SIMD) share: a word blurred
// a band of rows at a time in a padded scratch copy, each band by the path's
// own BlurBand.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "image/Image.h"

constexpr int32_t Lanes = 16;
constexpr int32_t BandRows = Lanes - 2;  // rows blurred per band
constexpr int64_t Pad = 32;              // zero bytes around each scratch row

// Blurs Rows rows of a band, Row[1] to Row[Rows], between the finished row
// Row[0] and the row below; Last is the last byte of a row it blurs.
using BlurBandFunction = void (*)(uint8_t* const* Row, int32_t Rows, int64_t Last);

inline void BlurInBands(Image* Word, BlurBandFunction BlurBand)
{
    const int64_t RowBytes = int64_t{Word->Width} * 3;
    const int32_t EndRow = Word->Height - 1;
    const int64_t Last = RowBytes - 3;  // the last byte a row blurs; the first is 1
    if (Last < 1)
        return;
    const int64_t Stride = Pad + RowBytes + Pad + 32;
    std::vector<uint8_t> Scratch(size_t(Stride) * Lanes, 0);
    uint8_t* Row[Lanes];
    for (int k = 0; k < Lanes; ++k)
        Row[k] = Scratch.data() + k * Stride + Pad;
    for (int32_t y = 1; y < EndRow; y += BandRows) {
        const int32_t Rows = std::min(BandRows, EndRow - y);
        for (int32_t k = 0; k < Rows + 2; ++k)
            std::memcpy(Row[k], Word->Data + (y - 1 + k) * RowBytes, size_t(RowBytes));
        BlurBand(Row, Rows, Last);
        for (int32_t k = 1; k <= Rows; ++k)
            std::memcpy(Word->Data + (y - 1 + k) * RowBytes + 1, Row[k] + 1, size_t(Last));
    }
}
