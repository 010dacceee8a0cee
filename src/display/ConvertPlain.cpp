// The per-pixel loops: the reference for every other path.
#include <cstring>

#include "display/ConvertPaths.h"

namespace {

inline uint32_t Red(uint32_t P) { return (P >> 16) & 0xFF; }
inline uint32_t Green(uint32_t P) { return (P >> 8) & 0xFF; }
inline uint32_t Blue(uint32_t P) { return P & 0xFF; }

inline void Store16(uint8_t* Dest, uint32_t Value)
{
    Dest[0] = static_cast<uint8_t>(Value);
    Dest[1] = static_cast<uint8_t>(Value >> 8);
}

inline void Store24(uint8_t* Dest, uint32_t First, uint32_t Second, uint32_t Third)
{
    Dest[0] = static_cast<uint8_t>(First);
    Dest[1] = static_cast<uint8_t>(Second);
    Dest[2] = static_cast<uint8_t>(Third);
}

}  // namespace

void PlainRGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    std::memcpy(Dest, Source, size_t{Count} * 4);
}

void PlainBGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        uint32_t Out = Blue(P) << 16 | Green(P) << 8 | Red(P);
        std::memcpy(Dest + 4 * i, &Out, 4);
    }
}

void PlainRGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i)
        Store24(Dest + 3 * i, Blue(Source[i]), Green(Source[i]), Red(Source[i]));
}

void PlainBGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i)
        Store24(Dest + 3 * i, Red(Source[i]), Green(Source[i]), Blue(Source[i]));
}

void PlainRGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Red(P) >> 3) << 11 | (Green(P) >> 2) << 5 | Blue(P) >> 3);
    }
}

void PlainBGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Blue(P) >> 3) << 11 | (Green(P) >> 2) << 5 | Red(P) >> 3);
    }
}

void PlainRGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Red(P) >> 3) << 10 | (Green(P) >> 3) << 5 | Blue(P) >> 3);
    }
}

void PlainBGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Blue(P) >> 3) << 10 | (Green(P) >> 3) << 5 | Red(P) >> 3);
    }
}
