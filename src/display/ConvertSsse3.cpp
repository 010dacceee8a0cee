// SSSE3 block paths: byte shuffles do the red-blue exchange and the packing
// to 3 bytes in one instruction each. Chosen at start-up where the processor
// has SSSE3, so every function here carries the target attribute.
#include "display/ConvertPaths.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include <array>

#define SSSE3 __attribute__((target("ssse3")))

namespace {

using ByteMask = std::array<int8_t, 16>;

// Exchanges red and blue and clears the top byte.
constexpr ByteMask SwapMask = {2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128};

// 16 pixels make 48 output bytes, three full vectors. Output vector Out
// takes from input vector In the bytes that fall in it; -128 gives zero.
constexpr ByteMask PackMask(int Out, int In, bool Swap)
{
    ByteMask Mask{};
    for (int j = 0; j < 16; ++j) {
        int Byte = 16 * Out + j, Pixel = Byte / 3, Channel = Byte % 3;
        if (Swap)
            Channel = 2 - Channel;
        Mask[j] = static_cast<int8_t>(Pixel / 4 == In ? 4 * (Pixel % 4) + Channel : -128);
    }
    return Mask;
}

struct PackMasks {
    ByteMask M[3][2];  // for each output vector, from its two input vectors
};

constexpr PackMasks MakePackMasks(bool Swap)
{
    PackMasks Masks{};
    for (int Out = 0; Out < 3; ++Out)
        for (int k = 0; k < 2; ++k)
            Masks.M[Out][k] = PackMask(Out, Out + k, Swap);
    return Masks;
}

constexpr PackMasks Pack24 = MakePackMasks(false);
constexpr PackMasks PackSwapped24 = MakePackMasks(true);

SSSE3 inline __m128i Shuffle(__m128i Value, const ByteMask& Mask)
{
    return _mm_shuffle_epi8(Value, _mm_loadu_si128(reinterpret_cast<const __m128i*>(Mask.data())));
}

SSSE3 inline __m128i Load(const uint32_t* Source)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Source));
}

SSSE3 inline void Store(uint8_t* Dest, __m128i Value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dest), Value);
}

SSSE3 inline void Convert24(const uint32_t* Source, uint8_t* Dest, const PackMasks& Masks)
{
    __m128i In[4] = {Load(Source), Load(Source + 4), Load(Source + 8), Load(Source + 12)};
    for (int Out = 0; Out < 3; ++Out)
        Store(Dest + 16 * Out, _mm_or_si128(Shuffle(In[Out], Masks.M[Out][0]),
                                            Shuffle(In[Out + 1], Masks.M[Out][1])));
}

SSSE3 void Ssse3BGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 8 <= Count; i += 8) {
        Store(Dest + 4 * i, Shuffle(Load(Source + i), SwapMask));
        Store(Dest + 4 * i + 16, Shuffle(Load(Source + i + 4), SwapMask));
    }
    PlainBGR32(Source + i, Dest + 4 * i, Count - i);
}

SSSE3 void Ssse3RGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 16 <= Count; i += 16)
        Convert24(Source + i, Dest + 3 * i, Pack24);
    PlainRGB24(Source + i, Dest + 3 * i, Count - i);
}

SSSE3 void Ssse3BGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    uint32_t i = 0;
    for (; i + 16 <= Count; i += 16)
        Convert24(Source + i, Dest + 3 * i, PackSwapped24);
    PlainBGR24(Source + i, Dest + 3 * i, Count - i);
}

}  // namespace

const ConverterSet Ssse3Converters = {nullptr,    Ssse3BGR32, Ssse3RGB24, Ssse3BGR24,
                                      nullptr,    nullptr,    nullptr,    nullptr};

#endif
