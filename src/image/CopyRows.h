#pragma once
// The row loops of PutImage's two copy modes: R, G, B bytes to 0x00RRGGBB
// pixels, all of them or all but those of the key colour. Where the
// processor can shuffle bytes (SSSE3, checked at run time) four pixels go
// at a time (and with WebAssembly SIMD in the browser build that has it);
// the rest go one by one.
#include <cstdint>

void CopyRow(const uint8_t* From, uint32_t* To, int32_t Count);
void KeyedCopyRow(const uint8_t* From, uint32_t* To, int32_t Count, uint32_t Key);

inline uint32_t SourceColour(const uint8_t* P)
{
    return uint32_t{P[0]} << 16 | uint32_t{P[1]} << 8 | P[2];
}
