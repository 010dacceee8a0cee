#pragma once
// The cosine table the plasma sums.
#include <cstdint>

// Entry i = cos(i * pi / 128) * 255, truncated toward zero.
extern int32_t CosTable[256];
void BuildCosTable();
