// SSE2 block paths (the x86-64 baseline): whole blocks of pixels in 128-bit
// registers, the per-pixel loop for what is left. Unaligned loads and stores
// throughout: rows start anywhere.
#include "display/ConvertPaths.h"

#if defined(__x86_64__)

#include <emmintrin.h>

namespace {

inline __m128i Load(const uint32_t* Source)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Source));
}

inline void Store(uint8_t* Dest, __m128i Value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dest), Value);
}

// Red and blue exchanged, green kept, top byte cleared.
inline __m128i SwapRedBlue(__m128i P)
{
    __m128i RedBlue = _mm_and_si128(P, _mm_set1_epi32(0x00FF00FF));
    RedBlue = _mm_shufflelo_epi16(RedBlue, _MM_SHUFFLE(2, 3, 0, 1));
    RedBlue = _mm_shufflehi_epi16(RedBlue, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_or_si128(RedBlue, _mm_and_si128(P, _mm_set1_epi32(0x0000FF00)));
}

// 4 pixels to 12 bytes: two 8-byte stores, the second overlapping the first
// by 2 bytes and running 2 bytes past the group, into the next pixel.
inline void Store4x24(uint8_t* Dest, __m128i P)
{
    const __m128i LowPixel = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i HighPixel = _mm_set_epi32(0x00FFFFFF, 0, 0x00FFFFFF, 0);
    // Each 64-bit half: the first pixel's 3 bytes, then the second's.
    __m128i Pairs = _mm_or_si128(_mm_and_si128(P, LowPixel),
                                 _mm_srli_epi64(_mm_and_si128(P, HighPixel), 8));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(Dest), Pairs);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(Dest + 6), _mm_unpackhi_epi64(Pairs, Pairs));
}

// 5-5-5 layouts: the two outer channels (top 5 bits each) placed by one
// multiply-add of the 16-bit halves, green or-ed in, then shifted down. The
// results fit 15 bits, so the signed pack to 16 bits is exact.
inline __m128i Pack555(__m128i P, __m128i Multipliers)
{
    __m128i Outer = _mm_madd_epi16(_mm_and_si128(P, _mm_set1_epi32(0x00F800F8)), Multipliers);
    __m128i Green = _mm_and_si128(P, _mm_set1_epi32(0x0000F800));
    return _mm_srli_epi32(_mm_or_si128(Outer, Green), 6);
}

// 5-6-5 layouts: as 5-5-5, but the results use all 16 bits, so each is
// shifted to the top of its pixel and back down with its sign spread, which
// the signed pack keeps as it is.
inline __m128i Pack565(__m128i P, __m128i Multipliers)
{
    __m128i Outer = _mm_madd_epi16(_mm_and_si128(P, _mm_set1_epi32(0x00F800F8)), Multipliers);
    __m128i Green = _mm_and_si128(P, _mm_set1_epi32(0x0000FC00));
    return _mm_srai_epi32(_mm_slli_epi32(_mm_or_si128(Outer, Green), 11), 16);
}

// 8 pixels to 16 bits each per step, through Pack555 or Pack565.
template <__m128i (*Pack)(__m128i, __m128i)>
void Convert16(const uint32_t* Source, uint8_t* Dest, uint32_t Count, __m128i Multipliers)
{
    for (uint32_t i = 0; i + 8 <= Count; i += 8) {
        __m128i Low = Pack(Load(Source + i), Multipliers);
        __m128i High = Pack(Load(Source + i + 4), Multipliers);
        Store(Dest + 2 * i, _mm_packs_epi32(Low, High));
    }
}

// Multipliers for the low (blue) and high (red) 16-bit half of each pixel.
inline __m128i Multiply(int16_t Blue, int16_t Red)
{
    return _mm_set1_epi32(int32_t(uint32_t(uint16_t(Red)) << 16 | uint16_t(Blue)));
}

void Sse2RGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 16 <= Count; i += 16) {
        __m128i A = Load(Source + i), B = Load(Source + i + 4);
        __m128i C = Load(Source + i + 8), D = Load(Source + i + 12);
        Store(Dest + 4 * i, A);
        Store(Dest + 4 * i + 16, B);
        Store(Dest + 4 * i + 32, C);
        Store(Dest + 4 * i + 48, D);
    }
    PlainRGB32(Source + i, Dest + 4 * i, Count - i);
}

void Sse2BGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 8 <= Count; i += 8) {
        Store(Dest + 4 * i, SwapRedBlue(Load(Source + i)));
        Store(Dest + 4 * i + 16, SwapRedBlue(Load(Source + i + 4)));
    }
    PlainBGR32(Source + i, Dest + 4 * i, Count - i);
}

// Blocks stop while a pixel is left after them, for the stores' overrun.
void Sse2RGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 5 <= Count; i += 4)
        Store4x24(Dest + 3 * i, Load(Source + i));
    PlainRGB24(Source + i, Dest + 3 * i, Count - i);
}

void Sse2BGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 5 <= Count; i += 4)
        Store4x24(Dest + 3 * i, SwapRedBlue(Load(Source + i)));
    PlainBGR24(Source + i, Dest + 3 * i, Count - i);
}

void Sse2RGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<Pack565>(Source, Dest, Count, Multiply(4, 0x2000));
    uint32_t Done = Count & ~7u;
    PlainRGB565(Source + Done, Dest + 2 * Done, Count - Done);
}

void Sse2BGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<Pack565>(Source, Dest, Count, Multiply(0x2000, 4));
    uint32_t Done = Count & ~7u;
    PlainBGR565(Source + Done, Dest + 2 * Done, Count - Done);
}

void Sse2RGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<Pack555>(Source, Dest, Count, Multiply(8, 0x2000));
    uint32_t Done = Count & ~7u;
    PlainRGB555(Source + Done, Dest + 2 * Done, Count - Done);
}

void Sse2BGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<Pack555>(Source, Dest, Count, Multiply(0x2000, 8));
    uint32_t Done = Count & ~7u;
    PlainBGR555(Source + Done, Dest + 2 * Done, Count - Done);
}

}  // namespace

const ConverterSet Sse2Converters = {Sse2RGB32,  Sse2BGR32,  Sse2RGB24,  Sse2BGR24,
                                     Sse2RGB565, Sse2BGR565, Sse2RGB555, Sse2BGR555};

#endif
