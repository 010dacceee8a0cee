#include "Sha256.h"

#include <cstring>

namespace {

constexpr uint32_t Rounds[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

uint32_t Rotate(uint32_t X, int N)
{
    return X >> N | X << (32 - N);
}

void Compress(uint32_t State[8], const uint8_t Block[64])
{
    uint32_t W[64];
    for (int i = 0; i < 16; ++i)
        W[i] = uint32_t(Block[4 * i]) << 24 | uint32_t(Block[4 * i + 1]) << 16 |
               uint32_t(Block[4 * i + 2]) << 8 | Block[4 * i + 3];
    for (int i = 16; i < 64; ++i) {
        const uint32_t S0 = Rotate(W[i - 15], 7) ^ Rotate(W[i - 15], 18) ^ W[i - 15] >> 3;
        const uint32_t S1 = Rotate(W[i - 2], 17) ^ Rotate(W[i - 2], 19) ^ W[i - 2] >> 10;
        W[i] = W[i - 16] + S0 + W[i - 7] + S1;
    }
    uint32_t V[8];
    std::memcpy(V, State, sizeof V);
    for (int i = 0; i < 64; ++i) {
        const uint32_t S1 = Rotate(V[4], 6) ^ Rotate(V[4], 11) ^ Rotate(V[4], 25);
        const uint32_t Choice = (V[4] & V[5]) ^ (~V[4] & V[6]);
        const uint32_t T1 = V[7] + S1 + Choice + Rounds[i] + W[i];
        const uint32_t S0 = Rotate(V[0], 2) ^ Rotate(V[0], 13) ^ Rotate(V[0], 22);
        const uint32_t Majority = (V[0] & V[1]) ^ (V[0] & V[2]) ^ (V[1] & V[2]);
        std::memmove(V + 1, V, 7 * sizeof V[0]);
        V[4] += T1;
        V[0] = T1 + S0 + Majority;
    }
    for (int i = 0; i < 8; ++i)
        State[i] += V[i];
}

}  // namespace

void Sha256Start(Sha256* Hash)
{
    static constexpr uint32_t Initial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::memcpy(Hash->State, Initial, sizeof Initial);
    Hash->Filled = 0;
    Hash->Total = 0;
}

void Sha256Add(Sha256* Hash, const void* Data, size_t Length)
{
    const uint8_t* Bytes = static_cast<const uint8_t*>(Data);
    Hash->Total += Length;
    while (Length > 0) {
        const size_t Take = Length < 64 - Hash->Filled ? Length : 64 - Hash->Filled;
        std::memcpy(Hash->Block + Hash->Filled, Bytes, Take);
        Hash->Filled += Take;
        Bytes += Take;
        Length -= Take;
        if (Hash->Filled == 64) {
            Compress(Hash->State, Hash->Block);
            Hash->Filled = 0;
        }
    }
}

std::string Sha256Hex(Sha256* Hash)
{
    const uint64_t Bits = Hash->Total * 8;
    const uint8_t One = 0x80, Zero = 0;
    Sha256Add(Hash, &One, 1);
    while (Hash->Filled != 56)
        Sha256Add(Hash, &Zero, 1);
    uint8_t Length[8];
    for (int i = 0; i < 8; ++i)
        Length[i] = uint8_t(Bits >> (56 - 8 * i));
    Sha256Add(Hash, Length, 8);
    static const char Digits[] = "0123456789abcdef";
    std::string Hex;
    for (uint32_t Word : Hash->State)
        for (int Shift = 28; Shift >= 0; Shift -= 4)
            Hex += Digits[Word >> Shift & 0xF];
    return Hex;
}
