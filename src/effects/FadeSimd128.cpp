// The fade in the browser build with WebAssembly SIMD. Three divisions a
// pixel are the fade's whole cost, and WebAssembly divides only four floats
// at a time; but a frame has one divisor, so the 256 quotients of a byte are
// worked out once, with the very division of Faded, and looked up sixteen
// channels at a time.
//
// The quotient of byte c is c less a drop that grows by one at a time, and
// rarely: a divisor up to 1.05 drops one more at most every twenty
// bytes. So within each run of 16 bytes (high nibble h, low nibble l) the
// drop is Base[h], plus one from l = Split[h] on: two 16-byte tables, which
// WebAssembly's byte shuffle reads. Tables are checked against every
// quotient; a divisor they can't express is left to the division.
#include "effects/FadePixels.h"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>

namespace {

struct DropTables {
    v128_t Base;   // the drop at l = 0 of each run
    v128_t Split;  // the first l that drops one more; 16 for none
};

bool MakeDropTables(float Divisor, DropTables* Tables)
{
    alignas(16) uint8_t Base[16], Split[16];
    for (int32_t h = 0; h < 16; ++h) {
        Split[h] = 16;
        for (int32_t l = 0; l < 16; ++l) {
            const int32_t Byte = 16 * h + l;
            const int32_t Drop = Byte - int32_t(Faded(Byte, Divisor));
            if (Drop < 0)
                return false;
            if (l == 0)
                Base[h] = uint8_t(Drop);
            else if (Drop != Base[h] + (l >= Split[h])) {
                if (Split[h] != 16 || Drop != Base[h] + 1)
                    return false;
                Split[h] = uint8_t(l);
            }
        }
    }
    Tables->Base = wasm_v128_load(Base);
    Tables->Split = wasm_v128_load(Split);
    return true;
}

// Each byte less its drop; the byte above red is 0 and stays 0.
v128_t FadedFour(v128_t Pixels, const DropTables& Tables)
{
    const v128_t High = wasm_u8x16_shr(Pixels, 4);
    const v128_t Low = wasm_v128_and(Pixels, wasm_i8x16_splat(15));
    const v128_t Base = wasm_i8x16_swizzle(Tables.Base, High);
    const v128_t OneMore = wasm_u8x16_ge(Low, wasm_i8x16_swizzle(Tables.Split, High));  // -1 where it drops one more
    return wasm_i8x16_add(wasm_i8x16_sub(Pixels, Base), OneMore);
}

}  // namespace

size_t FadeFoursSimd128(uint32_t* Pixels, size_t Count, float Divisor)
{
    DropTables Tables;
    if (!MakeDropTables(Divisor, &Tables))
        return 0;
    const v128_t AboveRed = wasm_i32x4_splat(int32_t(0xFF000000u));
    size_t i = 0;
    for (; i + 4 <= Count; i += 4) {
        const v128_t Four = wasm_v128_load(Pixels + i);
        if (wasm_v128_any_true(wasm_v128_and(Four, AboveRed)))
            break;
        wasm_v128_store(Pixels + i, FadedFour(Four, Tables));
    }
    return i;
}

#else

size_t FadeFoursSimd128(uint32_t*, size_t, float)
{
    return 0;
}

#endif
