// AVX2 block paths for the 16-bit layouts: the SSE2 method on 256-bit
// registers, 8 pixels each, with the unsigned pack SSE2 lacks. The 32-bit
// layouts gain nothing from wider registers (memory bounds them), and the
// 24-bit ones are as fast with SSSE3.
// Chosen at start-up where the processor has AVX2, so every function here
// carries the target attribute.
#include "display/ConvertPaths.h"

#if defined(__x86_64__)

#include <immintrin.h>

#define AVX2 __attribute__((target("avx2")))

namespace {

AVX2 inline __m256i Load(const uint32_t* Source)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Source));
}

AVX2 inline void Store(uint8_t* Dest, __m256i Value)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Dest), Value);
}

// The two outer channels placed by one multiply-add of the 16-bit halves,
// green (GreenMask) or-ed in, shifted into the low 16 bits of each pixel.
template <int32_t GreenMask, int Shift>
AVX2 inline __m256i Pack16(__m256i P, __m256i Multipliers)
{
    __m256i Outer =
        _mm256_madd_epi16(_mm256_and_si256(P, _mm256_set1_epi32(0x00F800F8)), Multipliers);
    __m256i Green = _mm256_and_si256(P, _mm256_set1_epi32(GreenMask));
    return _mm256_srli_epi32(_mm256_or_si256(Outer, Green), Shift);
}

// 16 pixels to 16 bits each. The unsigned pack interleaves the 128-bit
// lanes; the permute puts the four groups of 4 back in order.
template <int32_t GreenMask, int Shift>
AVX2 void Convert16(const uint32_t* Source, uint8_t* Dest, uint32_t Count, int32_t Multipliers)
{
    const __m256i Factors = _mm256_set1_epi32(Multipliers);
    for (uint32_t i = 0; i + 16 <= Count; i += 16) {
        __m256i Low = Pack16<GreenMask, Shift>(Load(Source + i), Factors);
        __m256i High = Pack16<GreenMask, Shift>(Load(Source + i + 8), Factors);
        __m256i Packed = _mm256_packus_epi32(Low, High);
        Store(Dest + 2 * i, _mm256_permute4x64_epi64(Packed, _MM_SHUFFLE(3, 1, 2, 0)));
    }
}

// Multipliers for the low (blue) and high (red) 16-bit half of each pixel.
constexpr int32_t Multiply(uint16_t Blue, uint16_t Red)
{
    return int32_t(uint32_t(Red) << 16 | Blue);
}

AVX2 void Avx2RGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<0xFC00, 5>(Source, Dest, Count, Multiply(4, 0x2000));
    uint32_t Done = Count & ~15u;
    PlainRGB565(Source + Done, Dest + 2 * Done, Count - Done);
}

AVX2 void Avx2BGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<0xFC00, 5>(Source, Dest, Count, Multiply(0x2000, 4));
    uint32_t Done = Count & ~15u;
    PlainBGR565(Source + Done, Dest + 2 * Done, Count - Done);
}

AVX2 void Avx2RGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<0xF800, 6>(Source, Dest, Count, Multiply(8, 0x2000));
    uint32_t Done = Count & ~15u;
    PlainRGB555(Source + Done, Dest + 2 * Done, Count - Done);
}

AVX2 void Avx2BGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Convert16<0xF800, 6>(Source, Dest, Count, Multiply(0x2000, 8));
    uint32_t Done = Count & ~15u;
    PlainBGR555(Source + Done, Dest + 2 * Done, Count - Done);
}

}  // namespace

const ConverterSet Avx2Converters = {nullptr,    nullptr,    nullptr,    nullptr,
                                     Avx2RGB565, Avx2BGR565, Avx2RGB555, Avx2BGR555};

#endif
