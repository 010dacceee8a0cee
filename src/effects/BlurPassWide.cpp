// The blur pass sixteen rows at a time, with AVX2 where the processor has
// it (chosen at run time; the build has no -march).
//
// A byte needs the finished byte to its left and the finished one above, so
// the bytes that can be worked out together lie on a slant: row k of a band
// at byte q - k in step q. A band holds the row above (finished), 14 rows to
// blur and the row below (not yet blurred) as 16 lanes of 16 bits, in two
// vectors of eight so that a lane's neighbours above and below are one
// short shuffle away; blocks of 16 steps are turned from rows into lanes and
// back by 16 x 16 byte transposes. Each byte sees the same values, in the
// same order, as in the plain row-by-row pass.
#include "effects/BlurPass.h"

#include "effects/BlurBands.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace {

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

// The lanes of one step as 16-bit values: lanes 0 to 7, and 8 to 15.
struct Halves {
    __m128i Low, High;
};

__attribute__((target("avx2"))) inline Halves Widen(__m128i Bytes)
{
    const __m128i Zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(Bytes, Zero), _mm_unpackhi_epi8(Bytes, Zero)};
}

// One band's steps. Only the rows' bytes 1 to Last are taken from it:
// elsewhere the lanes may hold anything, which flows only into other such
// places (the row above is read from the loaded bytes, not from the sums).
// Before byte 1, though, a lane must keep its byte, since byte 1 starts
// from byte 0: the first block is masked.
struct BandSteps {
    Halves Done;      // the lanes as the step before left them
    __m128i Above;    // lane 1 of it: the row above one byte back
    const __m128i Fifth = _mm_set1_epi16(13108);  // (s * 13108) >> 16 is s / 5 for s < 16384
    const __m128i Lane0 = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    const __m128i Lane8 = _mm_setr_epi16(8, 9, 10, 11, 12, 13, 14, 15);

    template <bool First>
    __attribute__((target("avx2"))) inline __m128i Step(int64_t Q, const Halves& Old, const Halves& Next)
    {
        const __m128i BelowLow = _mm_alignr_epi8(Next.High, Next.Low, 2);
        const __m128i BelowHigh = _mm_srli_si128(Next.High, 2);
        const __m128i RestLow = _mm_add_epi16(_mm_add_epi16(Old.Low, Next.Low), _mm_add_epi16(BelowLow, Done.Low));
        const __m128i RestHigh = _mm_add_epi16(_mm_add_epi16(Old.High, Next.High), _mm_add_epi16(BelowHigh, Done.High));
        const __m128i AboveLow = _mm_blend_epi16(_mm_slli_si128(Done.Low, 2), Above, 0x02);
        const __m128i AboveHigh = _mm_alignr_epi8(Done.High, Done.Low, 14);
        Halves New = {_mm_mulhi_epu16(_mm_add_epi16(RestLow, AboveLow), Fifth),
                      _mm_mulhi_epu16(_mm_add_epi16(RestHigh, AboveHigh), Fifth)};
        if (First) {
            const __m128i Step = _mm_set1_epi16(int16_t(Q));
            New.Low = _mm_blendv_epi8(Old.Low, New.Low, _mm_cmpgt_epi16(Step, Lane0));
            New.High = _mm_blendv_epi8(Old.High, New.High, _mm_cmpgt_epi16(Step, Lane8));
        }
        Done = New;
        Above = _mm_slli_si128(Old.Low, 2);
        return _mm_packus_epi16(New.Low, New.High);
    }

    template <bool First>
    __attribute__((target("avx2"))) inline void Block(int64_t Q0, __m128i Steps[16], __m128i NextFirst)
    {
        Halves Old = Widen(Steps[0]);
        for (int j = 0; j < 16; ++j) {
            const Halves Next = Widen(j < 15 ? Steps[j + 1] : NextFirst);
            Steps[j] = Step<First>(Q0 + j, Old, Next);
            Old = Next;
        }
    }
};

// One band: Row[0] the row above, Row[1..Rows] to blur, Row[Rows + 1] the
// row below; Row[k] points at byte 0 of a padded row.
__attribute__((target("avx2"))) void BlurBand(uint8_t* const* Row, int32_t Rows, int64_t Last)
{
    BandSteps Band;
    Band.Done = {_mm_setzero_si128(), _mm_setzero_si128()};
    Band.Above = _mm_setzero_si128();
    const int64_t EndStep = Last + Rows + 1;  // the last row's last byte is step Last + Rows
    __m128i Steps[16], Next[16];
    LoadBlock(Row, 0, Steps);
    for (int64_t Q0 = 0; Q0 < EndStep; Q0 += 16) {
        LoadBlock(Row, Q0 + 16, Next);
        if (Q0 == 0)
            Band.Block<true>(Q0, Steps, Next[0]);
        else
            Band.Block<false>(Q0, Steps, Next[0]);
        StoreBlock(Row, Q0, Steps);
        std::copy(Next, Next + 16, Steps);
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
    if (!HasAvx2())
        return false;
    BlurInBands(Word, BlurBand);
    return true;
}

#elif !defined(__wasm_simd128__)  // the browser's SIMD build has BlurPassSimd128.cpp

bool BlurPassWide(Image*)
{
    return false;
}

#endif
