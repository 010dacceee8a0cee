#pragma once
// Screenshots of the X root window, taken with xwd and read from its file
// format: a big-endian header, a colour table, then the rows of pixels.
#include <cstdint>
#include <string>
#include <vector>

struct Screenshot {
    int Width = 0, Height = 0;
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;  // of each pixel value
    std::vector<uint32_t> Pixels;                       // row after row
};

// Reads an XWD image in Z format at 16, 24 or 32 bits per pixel; false with
// Error set for anything else.
bool ReadXwd(const std::string& Bytes, Screenshot* Shot, std::string* Error);

// The root window of $DISPLAY now; an empty shot (Width 0) when xwd fails.
Screenshot CaptureRoot();
