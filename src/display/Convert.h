#pragma once
// Row converters from the 0x00RRGGBB frame buffer to the display's layout.
#include <cstdint>

// Converts Count pixels of Source into packed, little-endian display pixels.
using RowConverter = void (*)(const uint32_t* Source, uint8_t* Dest, uint32_t Count);

void ConvRGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvBGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvRGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvBGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvRGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvBGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvRGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void ConvBGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count);

// The converter for a display format (bit count and exact masks), or null.
RowConverter SelectConverter(uint32_t Bits, uint32_t RedMask, uint32_t GreenMask,
                             uint32_t BlueMask);
