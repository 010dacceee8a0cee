// The blur pass sixteen rows at a time, with AVX2 where the processor has
// it (chosen at run time; the build has no -march).
//
// A byte needs the finished byte to its left and the finished one above, so
// the bytes that can be worked out together lie on a slant: row k of a band
// at byte q - k in step q. A band holds the row above (finished), 14 rows to
// blur and the row below (not yet blurred) as the 16 lanes of one vector;
// blocks of 16 steps are turned from rows into lanes and back by 16 x 16
// byte transposes. Each byte sees the same values, in the same order, as in
// the plain row-by-row pass.
#include "effects/BlurPass.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/Image.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace {

constexpr int32_t Lanes = 16;
constexpr int32_t BandRows = Lanes - 2;  // rows blurred per band
constexpr int64_t Pad = 32;              // zero bytes around each scratch row
constexpr int64_t MaxRowBytes = 30000;   // byte positions fit 16-bit lanes

__attribute__((target("avx2"))) inline void Transpose(__m128i R[16])
{
    __m128i A[16], B[4][4], C[2][8];
    for (int i = 0; i < 8; ++i) {
        A[i] = _mm_unpacklo_epi8(R[2 * i], R[2 * i + 1]);
        A[8 + i] = _mm_unpackhi_epi8(R[2 * i], R[2 * i + 1]);
    }
    for (int m = 0; m < 4; ++m) {
        B[m][0] = _mm_unpacklo_epi16(A[2 * m], A[2 * m + 1]);
        B[m][1] = _mm_unpackhi_epi16(A[2 * m], A[2 * m + 1]);
        B[m][2] = _mm_unpacklo_epi16(A[8 + 2 * m], A[8 + 2 * m + 1]);
        B[m][3] = _mm_unpackhi_epi16(A[8 + 2 * m], A[8 + 2 * m + 1]);
    }
    for (int n = 0; n < 2; ++n)
        for (int c = 0; c < 4; ++c) {
            C[n][2 * c] = _mm_unpacklo_epi32(B[2 * n][c], B[2 * n + 1][c]);
            C[n][2 * c + 1] = _mm_unpackhi_epi32(B[2 * n][c], B[2 * n + 1][c]);
        }
    for (int d = 0; d < 8; ++d) {
        R[2 * d] = _mm_unpacklo_epi64(C[0][d], C[1][d]);
        R[2 * d + 1] = _mm_unpackhi_epi64(C[0][d], C[1][d]);
    }
}

// Lane k takes lane k - 1 (lane 0 takes 0), and lane k + 1 (lane 15 takes 0).
__attribute__((target("avx2"))) inline __m256i FromLaneAbove(__m256i X)
{
    return _mm256_alignr_epi8(X, _mm256_permute2x128_si256(X, X, 0x08), 14);
}

__attribute__((target("avx2"))) inline __m256i FromLaneBelow(__m256i X)
{
    return _mm256_alignr_epi8(_mm256_permute2x128_si256(X, X, 0x81), X, 2);
}

// The 16 lanes of step q0 + j for j = 0 to 15, from the scratch rows.
__attribute__((target("avx2"))) inline void LoadBlock(uint8_t* const* Row, int64_t Q0, __m128i Steps[16])
{
    for (int k = 0; k < Lanes; ++k)
        Steps[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row[k] + Q0 - k));
    Transpose(Steps);
}

__attribute__((target("avx2"))) inline void StoreBlock(uint8_t* const* Row, int64_t Q0, __m128i Steps[16])
{
    Transpose(Steps);
    for (int k = 0; k < Lanes; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Row[k] + Q0 - k), Steps[k]);
}

// One band: Row[0] the row above, Row[1..Rows] to blur, Row[Rows + 1] the
// row below; Row[k] points at byte 0 of a padded row.
__attribute__((target("avx2"))) void BlurBand(uint8_t* const* Row, int32_t Rows, int64_t Last)
{
    const __m256i Lane = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m256i Blurred = _mm256_and_si256(_mm256_cmpgt_epi16(Lane, _mm256_setzero_si256()),
                                             _mm256_cmpgt_epi16(_mm256_set1_epi16(int16_t(Rows + 1)), Lane));
    const __m256i Fifth = _mm256_set1_epi16(13108);  // (s * 13108) >> 16 is s / 5 for s < 16384
    const int64_t EndStep = Last + Rows + 1;        // the last lane's last byte is step Last + Rows
    __m128i Block[16], Next[16];
    LoadBlock(Row, 0, Block);
    // The lanes as the step before left them; before step 0 no lane is in its row.
    __m256i Done = _mm256_setzero_si256();
    for (int64_t Q0 = 0; Q0 < EndStep; Q0 += 16) {
        LoadBlock(Row, Q0 + 16, Next);
        __m256i Old = _mm256_cvtepu8_epi16(Block[0]);
        for (int j = 0; j < 16; ++j) {
            const int64_t Q = Q0 + j;
            const __m256i OldNext = _mm256_cvtepu8_epi16(j < 15 ? Block[j + 1] : Next[0]);
            const __m256i Byte = _mm256_sub_epi16(_mm256_set1_epi16(int16_t(Q)), Lane);
            const __m256i InRow = _mm256_and_si256(_mm256_cmpgt_epi16(Byte, _mm256_setzero_si256()),
                                                   _mm256_cmpgt_epi16(_mm256_set1_epi16(int16_t(Last + 1)), Byte));
            const __m256i Sum = _mm256_add_epi16(
                _mm256_add_epi16(_mm256_add_epi16(Done, Old), _mm256_add_epi16(OldNext, FromLaneBelow(OldNext))),
                FromLaneAbove(Done));
            const __m256i New = _mm256_mulhi_epu16(Sum, Fifth);
            Done = _mm256_blendv_epi8(Old, New, _mm256_and_si256(InRow, Blurred));
            Block[j] = _mm_packus_epi16(_mm256_castsi256_si128(Done), _mm256_extracti128_si256(Done, 1));
            Old = OldNext;
        }
        StoreBlock(Row, Q0, Block);
        std::copy(Next, Next + 16, Block);
    }
}

bool HasAvx2()
{
    static const bool Supported = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return Supported;
}

}  // namespace

bool BlurPassWide(Image* Word)
{
    const int64_t RowBytes = int64_t{Word->Width} * 3;
    if (!HasAvx2() || RowBytes > MaxRowBytes)
        return false;
    const int32_t EndRow = Word->Height - 1;
    const int64_t Stride = Pad + RowBytes + Pad + 32;
    std::vector<uint8_t> Scratch(size_t(Stride) * Lanes, 0);
    uint8_t* Row[Lanes];
    for (int k = 0; k < Lanes; ++k)
        Row[k] = Scratch.data() + k * Stride + Pad;
    for (int32_t y = 1; y < EndRow; y += BandRows) {
        const int32_t Rows = std::min(BandRows, EndRow - y);
        for (int32_t k = 0; k < Rows + 2; ++k)
            std::memcpy(Row[k], Word->Data + (y - 1 + k) * RowBytes, size_t(RowBytes));
        BlurBand(Row, Rows, RowBytes - 3);
        for (int32_t k = 1; k <= Rows; ++k)
            std::memcpy(Word->Data + (y - 1 + k) * RowBytes, Row[k], size_t(RowBytes));
    }
    return true;
}

#else

bool BlurPassWide(Image*)
{
    return false;
}

#endif
