#pragma once
// Keeping a picture the viewer asked for: a PNG file natively, a download
// in the browser. Knows nothing of the demo.
#include <cstdint>

// Saves Width x Height pixels 0x00RRGGBB, rows without gaps, as the PNG
// file Path (the browser offers it as a download named after Path's last
// part). Null when done, else why not.
const char* SavePicture(const char* Path, const uint32_t* Pixels, int32_t Width, int32_t Height);
