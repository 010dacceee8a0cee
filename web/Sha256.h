#pragma once
// SHA-256 (FIPS 180-4), for the browser's check of the golden frames.
#include <cstddef>
#include <cstdint>
#include <string>

struct Sha256 {
    uint32_t State[8];
    uint8_t Block[64];
    size_t Filled;   // bytes waiting in Block
    uint64_t Total;  // bytes hashed so far
};

void Sha256Start(Sha256* Hash);
void Sha256Add(Sha256* Hash, const void* Data, size_t Length);
// The digest as 64 lower-case hex digits.
std::string Sha256Hex(Sha256* Hash);
