#pragma once
// The CRT look (platform/CrtLook.h) made on the processor, for the video:
// what the live window shows of a frame at a whole factor.
#include <cstdint>
#include <vector>

// Frame: 640 x 480 XRGB8888 rows of Pitch bytes. Out: the frame scaled
// Scale times with the look, XRGB8888 rows of 640 * Scale pixels.
void CrtFrame(const uint8_t* Frame, int32_t Pitch, int32_t Scale, std::vector<uint32_t>* Out);
