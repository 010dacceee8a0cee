#pragma once
// Float-to-integer conversions with the x86 truncating semantics.
//
// C++ leaves the conversion of an out-of-range, infinite or NaN value
// undefined; the demo's arithmetic relies on what the processor gives: the
// lowest value of the target type ("integer indefinite").
#include <cstdint>
#include <limits>

inline int32_t TruncToInt32(double Value)
{
    // The comparisons are false for NaN, which falls through to INT32_MIN.
    if (Value > -2147483649.0 && Value < 2147483648.0)
        return static_cast<int32_t>(Value);
    return std::numeric_limits<int32_t>::min();
}

inline int64_t TruncToInt64(double Value)
{
    if (Value >= -9223372036854775808.0 && Value < 9223372036854775808.0)
        return static_cast<int64_t>(Value);
    return std::numeric_limits<int64_t>::min();
}

// Unsigned results go through the 64-bit conversion and keep the low bits,
// as a 32-bit compiler's float-to-unsigned helper does.
inline uint32_t TruncToUInt32(double Value)
{
    return static_cast<uint32_t>(TruncToInt64(Value));
}
