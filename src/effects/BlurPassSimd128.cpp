// The blur pass sixteen rows at a time with WebAssembly SIMD, for the
// browser build that has it: the AVX2 pass of BlurPassWide.cpp lane for
// lane. A band holds the row above, 14 rows to blur and the row below as 16
// lanes of 16 bits; row k works on byte q - k in step q, so each byte sees
// the finished bytes to its left and above, as in the plain pass.
#include "effects/BlurPass.h"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>

#include "effects/BlurBands.h"

namespace {

void Transpose(v128_t R[16])
{
    v128_t A[16], B[4][4], C[2][8];
    for (int i = 0; i < 8; ++i) {
        A[i] = wasm_i8x16_shuffle(R[2 * i], R[2 * i + 1], 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
        A[8 + i] = wasm_i8x16_shuffle(R[2 * i], R[2 * i + 1], 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14,
                                      30, 15, 31);
    }
    for (int m = 0; m < 4; ++m) {
        B[m][0] = wasm_i16x8_shuffle(A[2 * m], A[2 * m + 1], 0, 8, 1, 9, 2, 10, 3, 11);
        B[m][1] = wasm_i16x8_shuffle(A[2 * m], A[2 * m + 1], 4, 12, 5, 13, 6, 14, 7, 15);
        B[m][2] = wasm_i16x8_shuffle(A[8 + 2 * m], A[8 + 2 * m + 1], 0, 8, 1, 9, 2, 10, 3, 11);
        B[m][3] = wasm_i16x8_shuffle(A[8 + 2 * m], A[8 + 2 * m + 1], 4, 12, 5, 13, 6, 14, 7, 15);
    }
    for (int n = 0; n < 2; ++n)
        for (int c = 0; c < 4; ++c) {
            C[n][2 * c] = wasm_i32x4_shuffle(B[2 * n][c], B[2 * n + 1][c], 0, 4, 1, 5);
            C[n][2 * c + 1] = wasm_i32x4_shuffle(B[2 * n][c], B[2 * n + 1][c], 2, 6, 3, 7);
        }
    for (int d = 0; d < 8; ++d) {
        R[2 * d] = wasm_i64x2_shuffle(C[0][d], C[1][d], 0, 2);
        R[2 * d + 1] = wasm_i64x2_shuffle(C[0][d], C[1][d], 1, 3);
    }
}

// The 16 lanes of step q0 + j for j = 0 to 15, from the scratch rows.
void LoadBlock(uint8_t* const* Row, int64_t Q0, v128_t Steps[16])
{
    for (int k = 0; k < Lanes; ++k)
        Steps[k] = wasm_v128_load(Row[k] + Q0 - k);
    Transpose(Steps);
}

void StoreBlock(uint8_t* const* Row, int64_t Q0, v128_t Steps[16])
{
    Transpose(Steps);
    for (int k = 0; k < Lanes; ++k)
        wasm_v128_store(Row[k] + Q0 - k, Steps[k]);
}

// The lanes of one step as 16-bit values: lanes 0 to 7, and 8 to 15.
struct Halves {
    v128_t Low, High;
};

Halves Widen(v128_t Bytes)
{
    return {wasm_u16x8_extend_low_u8x16(Bytes), wasm_u16x8_extend_high_u8x16(Bytes)};
}

// s / 5 rounded down, for sums s of five bytes (s < 1280): WebAssembly has
// no unsigned high multiply, but its rounding Q15 multiply of s - 2 by 6554
// is floor((6554 s + 3276) / 32768), which is s / 5 on that range.
v128_t Fifth(v128_t Sum)
{
    return wasm_i16x8_q15mulr_sat(wasm_i16x8_sub(Sum, wasm_i16x8_splat(2)), wasm_i16x8_splat(6554));
}

// One band's steps. Only the rows' bytes 1 to Last are taken from it:
// elsewhere the lanes may hold anything, which flows only into other such
// places (the row above is read from the loaded bytes, not from the sums).
// Before byte 1, though, a lane must keep its byte, since byte 1 starts
// from byte 0: the first block is masked.
struct BandSteps {
    Halves Done;   // the lanes as the step before left them
    v128_t Above;  // the loaded lanes 0 to 7 of the step before: lane 0 is the row above
    const v128_t Lane0 = wasm_i16x8_make(0, 1, 2, 3, 4, 5, 6, 7);
    const v128_t Lane8 = wasm_i16x8_make(8, 9, 10, 11, 12, 13, 14, 15);

    template <bool First>
    v128_t Step(int64_t Q, const Halves& Old, const Halves& Next)
    {
        const v128_t BelowLow = wasm_i16x8_shuffle(Next.Low, Next.High, 1, 2, 3, 4, 5, 6, 7, 8);
        const v128_t BelowHigh = wasm_i16x8_shuffle(Next.High, Next.High, 1, 2, 3, 4, 5, 6, 7, 7);
        const v128_t RestLow = wasm_i16x8_add(wasm_i16x8_add(Old.Low, Next.Low), wasm_i16x8_add(BelowLow, Done.Low));
        const v128_t RestHigh =
            wasm_i16x8_add(wasm_i16x8_add(Old.High, Next.High), wasm_i16x8_add(BelowHigh, Done.High));
        // Lane 1's byte above is the row above one byte back; lane 0 is never kept.
        const v128_t AboveLow = wasm_i16x8_shuffle(Done.Low, Above, 0, 8, 1, 2, 3, 4, 5, 6);
        const v128_t AboveHigh = wasm_i16x8_shuffle(Done.Low, Done.High, 7, 8, 9, 10, 11, 12, 13, 14);
        Halves New = {Fifth(wasm_i16x8_add(RestLow, AboveLow)), Fifth(wasm_i16x8_add(RestHigh, AboveHigh))};
        if (First) {
            const v128_t Step = wasm_i16x8_splat(int16_t(Q));
            New.Low = wasm_v128_bitselect(New.Low, Old.Low, wasm_i16x8_gt(Step, Lane0));
            New.High = wasm_v128_bitselect(New.High, Old.High, wasm_i16x8_gt(Step, Lane8));
        }
        Done = New;
        Above = Old.Low;
        return wasm_u8x16_narrow_i16x8(New.Low, New.High);
    }

    template <bool First>
    void Block(int64_t Q0, v128_t Steps[16], v128_t NextFirst)
    {
        Halves Old = Widen(Steps[0]);
        // Unrolled, the steps stay in locals instead of going through memory.
#pragma clang loop unroll(full)
        for (int j = 0; j < 16; ++j) {
            const Halves Next = Widen(j < 15 ? Steps[j + 1] : NextFirst);
            Steps[j] = Step<First>(Q0 + j, Old, Next);
            Old = Next;
        }
    }
};

// One band: Row[0] the row above, Row[1..Rows] to blur, Row[Rows + 1] the
// row below; Row[k] points at byte 0 of a padded row.
void BlurBand(uint8_t* const* Row, int32_t Rows, int64_t Last)
{
    BandSteps Band;
    Band.Done = {wasm_i16x8_splat(0), wasm_i16x8_splat(0)};
    Band.Above = wasm_i16x8_splat(0);
    const int64_t EndStep = Last + Rows + 1;  // the last row's last byte is step Last + Rows
    v128_t Steps[16], Next[16];
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

}  // namespace

bool BlurPassWide(Image* Word)
{
    BlurInBands(Word, BlurBand);
    return true;
}

#endif
