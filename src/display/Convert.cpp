#include "display/Convert.h"

#include <cstring>

namespace {

inline uint32_t Red(uint32_t P) { return (P >> 16) & 0xFF; }
inline uint32_t Green(uint32_t P) { return (P >> 8) & 0xFF; }
inline uint32_t Blue(uint32_t P) { return P & 0xFF; }

inline void Store16(uint8_t* Dest, uint32_t Value)
{
    Dest[0] = static_cast<uint8_t>(Value);
    Dest[1] = static_cast<uint8_t>(Value >> 8);
}

}  // namespace

void ConvRGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    std::memcpy(Dest, Source, size_t{Count} * 4);
}

void ConvBGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        uint32_t Out = Blue(P) << 16 | Green(P) << 8 | Red(P);
        std::memcpy(Dest + 4 * i, &Out, 4);
    }
}

void ConvRGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Dest[3 * i] = static_cast<uint8_t>(Blue(P));
        Dest[3 * i + 1] = static_cast<uint8_t>(Green(P));
        Dest[3 * i + 2] = static_cast<uint8_t>(Red(P));
    }
}

void ConvBGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Dest[3 * i] = static_cast<uint8_t>(Red(P));
        Dest[3 * i + 1] = static_cast<uint8_t>(Green(P));
        Dest[3 * i + 2] = static_cast<uint8_t>(Blue(P));
    }
}

void ConvRGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Red(P) >> 3) << 11 | (Green(P) >> 2) << 5 | Blue(P) >> 3);
    }
}

void ConvBGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Blue(P) >> 3) << 11 | (Green(P) >> 2) << 5 | Red(P) >> 3);
    }
}

void ConvRGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Red(P) >> 3) << 10 | (Green(P) >> 3) << 5 | Blue(P) >> 3);
    }
}

void ConvBGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    for (uint32_t i = 0; i < Count; ++i) {
        uint32_t P = Source[i];
        Store16(Dest + 2 * i, (Blue(P) >> 3) << 10 | (Green(P) >> 3) << 5 | Red(P) >> 3);
    }
}

RowConverter SelectConverter(uint32_t Bits, uint32_t RedMask, uint32_t GreenMask,
                             uint32_t BlueMask)
{
    struct Layout {
        uint32_t Bits, Red, Green, Blue;
        RowConverter Converter;
    };
    static const Layout Layouts[] = {
        {32, 0xFF0000, 0xFF00, 0xFF, ConvRGB32}, {32, 0xFF, 0xFF00, 0xFF0000, ConvBGR32},
        {24, 0xFF0000, 0xFF00, 0xFF, ConvRGB24}, {24, 0xFF, 0xFF00, 0xFF0000, ConvBGR24},
        {16, 0xF800, 0x7E0, 0x1F, ConvRGB565},   {16, 0x1F, 0x7E0, 0xF800, ConvBGR565},
        {16, 0x7C00, 0x3E0, 0x1F, ConvRGB555},   {16, 0x1F, 0x3E0, 0x7C00, ConvBGR555},
    };
    for (const Layout& L : Layouts)
        if (L.Bits == Bits && L.Red == RedMask && L.Green == GreenMask && L.Blue == BlueMask)
            return L.Converter;
    return nullptr;
}
