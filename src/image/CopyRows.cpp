#include "image/CopyRows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VORLUNE_SHUFFLE_ROWS 1
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace {

void CopyPixels(const uint8_t* From, uint32_t* To, int32_t First, int32_t Count)
{
    for (int32_t c = First; c < Count; ++c)
        To[c] = SourceColour(From + 3 * c);
}

void KeyedPixels(const uint8_t* From, uint32_t* To, int32_t First, int32_t Count, uint32_t Key)
{
    for (int32_t c = First; c < Count; ++c) {
        const uint32_t S = SourceColour(From + 3 * c);
        To[c] = S == Key ? To[c] : S;
    }
}

#ifdef VORLUNE_SHUFFLE_ROWS

bool CanShuffle()
{
    static const bool Supported = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
    return Supported;
}

// Four pixels: their 12 bytes R, G, B become four words B, G, R, 0 in memory.
// Each step loads 16 bytes, so a row stops 6 pixels short of its end
// (3 x 6 >= 16) and never reads past it.
__attribute__((target("ssse3"))) inline __m128i FourPixels(const uint8_t* From)
{
    const __m128i Order = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(From)), Order);
}

__attribute__((target("ssse3"))) int32_t CopyFours(const uint8_t* From, uint32_t* To, int32_t Count)
{
    int32_t c = 0;
    for (; c + 6 <= Count; c += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(To + c), FourPixels(From + 3 * c));
    return c;
}

__attribute__((target("ssse3"))) int32_t KeyedFours(const uint8_t* From, uint32_t* To, int32_t Count, uint32_t Key)
{
    const __m128i Keys = _mm_set1_epi32(static_cast<int32_t>(Key));
    int32_t c = 0;
    for (; c + 6 <= Count; c += 4) {
        const __m128i S = FourPixels(From + 3 * c);
        const __m128i IsKey = _mm_cmpeq_epi32(S, Keys);
        const __m128i P = _mm_loadu_si128(reinterpret_cast<const __m128i*>(To + c));
        const __m128i Kept = _mm_or_si128(_mm_and_si128(IsKey, P), _mm_andnot_si128(IsKey, S));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(To + c), Kept);
    }
    return c;
}

#elif defined(__wasm_simd128__)

// The browser build with SIMD always has the shuffle: the same four-pixel
// steps as with SSSE3 (a swizzle index out of range gives 0).
bool CanShuffle()
{
    return true;
}

const v128_t Order = wasm_i8x16_const(2, 1, 0, -128, 5, 4, 3, -128, 8, 7, 6, -128, 11, 10, 9, -128);

inline v128_t FourPixels(const uint8_t* From)
{
    return wasm_i8x16_swizzle(wasm_v128_load(From), Order);
}

// The plain copy takes sixteen pixels from three loads, which WebAssembly
// runs faster than four: the middle fours straddle two loads and are
// joined by a byte shift.
int32_t CopyFours(const uint8_t* From, uint32_t* To, int32_t Count)
{
    const v128_t LastOrder = wasm_i8x16_const(6, 5, 4, -128, 9, 8, 7, -128, 12, 11, 10, -128, 15, 14, 13, -128);
    int32_t c = 0;
    for (; c + 16 <= Count; c += 16) {
        const uint8_t* Bytes = From + 3 * c;
        const v128_t A = wasm_v128_load(Bytes), B = wasm_v128_load(Bytes + 16), C = wasm_v128_load(Bytes + 32);
        const v128_t AB = wasm_i8x16_shuffle(A, B, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27);
        const v128_t BC = wasm_i8x16_shuffle(B, C, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23);
        wasm_v128_store(To + c, wasm_i8x16_swizzle(A, Order));
        wasm_v128_store(To + c + 4, wasm_i8x16_swizzle(AB, Order));
        wasm_v128_store(To + c + 8, wasm_i8x16_swizzle(BC, Order));
        wasm_v128_store(To + c + 12, wasm_i8x16_swizzle(C, LastOrder));
    }
    for (; c + 6 <= Count; c += 4)
        wasm_v128_store(To + c, FourPixels(From + 3 * c));
    return c;
}

int32_t KeyedFours(const uint8_t* From, uint32_t* To, int32_t Count, uint32_t Key)
{
    const v128_t Keys = wasm_i32x4_splat(static_cast<int32_t>(Key));
    int32_t c = 0;
    for (; c + 6 <= Count; c += 4) {
        const v128_t S = FourPixels(From + 3 * c);
        wasm_v128_store(To + c, wasm_v128_bitselect(wasm_v128_load(To + c), S, wasm_i32x4_eq(S, Keys)));
    }
    return c;
}

#else

bool CanShuffle()
{
    return false;
}

int32_t CopyFours(const uint8_t*, uint32_t*, int32_t)
{
    return 0;
}

int32_t KeyedFours(const uint8_t*, uint32_t*, int32_t, uint32_t)
{
    return 0;
}

#endif

}  // namespace

void CopyRow(const uint8_t* From, uint32_t* To, int32_t Count)
{
    const int32_t Done = CanShuffle() ? CopyFours(From, To, Count) : 0;
    CopyPixels(From, To, Done, Count);
}

void KeyedCopyRow(const uint8_t* From, uint32_t* To, int32_t Count, uint32_t Key)
{
    const int32_t Done = CanShuffle() ? KeyedFours(From, To, Count, Key) : 0;
    KeyedPixels(From, To, Done, Count, Key);
}
