#pragma once
// The fade's division of one channel, and a faster way through many pixels
// that gives the same bytes.
#include <cstddef>
#include <cstdint>

// A channel divided and cut to its low 8 bits. The divisor is never below
// 1.0, so the quotient always fits an int32_t.
inline uint32_t Faded(int32_t Channel, float Divisor)
{
    return uint32_t(int32_t(float(Channel) / Divisor)) & 0xFF;
}

// Fades the pixels from the first on, four at a time with WebAssembly SIMD,
// and returns how many it did: 0 where the build lacks SIMD or the divisor
// is out of its reach; it stops at the first four pixels with a byte above
// their red, which only the division gives right.
size_t FadeFoursSimd128(uint32_t* Pixels, size_t Count, float Divisor);
