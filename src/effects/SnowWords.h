#pragma once
// The snow effect's program-wide state, for the tests to reach; all of it
// is set on the first call.
#include <cstdint>

struct SnowWordsState {
    int32_t NoiseState;   // 31-bit shift register; stays in 0 to 2^31 - 1
    int16_t NoiseMask;    // AND-mask of the grey level; snow is drawn while > 0
    uint8_t WordDivisor;  // the word's blend divisor: 2 half-blends it, 0 copies
    char Word[100];       // drawn on the next frame; empty = none
};

extern SnowWordsState SnowWordsVars;

// One step of the register State: the next grey level, masked by Mask
// widened with its sign.
inline uint32_t NextNoise(int32_t& State, int16_t Mask)
{
    const int32_t U = State ^ (State >> 3);
    const int32_t Bit = U & 1;
    const uint32_t Grey = uint32_t((U >> 1) & int32_t{Mask});
    State = (State >> 1) | (Bit << 30);
    return Grey;
}
