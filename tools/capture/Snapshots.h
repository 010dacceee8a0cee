#pragma once
// Single frames for tests and screenshots: the frame buffer after chosen
// effect calls as PPM, and presented frames as PNG.
#include <cstdint>
#include <string>

// Writes 640 x 480 pixels 0x00RRGGBB as a binary PPM. False on failure.
bool WriteFramePPM(const std::string& Path, const uint32_t* Pixels);
// Writes a presented XRGB8888 frame of 640 x 480 as a PNG. False on failure.
bool WriteFramePNG(const std::string& Path, const uint8_t* Pixels, int32_t Pitch);
