// Presented frames as PNG, apart from the PPM writer: the browser's check
// mode writes PPMs and has no libpng.
#include <png.h>

#include <vector>

#include "Snapshots.h"

namespace {

constexpr int Width = 640, Height = 480;

}  // namespace

bool WriteFramePNG(const std::string& Path, const uint8_t* Pixels, int32_t Pitch)
{
    png_image Png{};
    Png.version = PNG_IMAGE_VERSION;
    Png.width = Width;
    Png.height = Height;
    Png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> Rgb(size_t(Width) * Height * 3);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const uint8_t* From = Pixels + y * Pitch + 4 * x;  // B, G, R, spare
            uint8_t* To = Rgb.data() + (size_t(y) * Width + x) * 3;
            To[0] = From[2], To[1] = From[1], To[2] = From[0];
        }
    return png_image_write_to_file(&Png, Path.c_str(), 0, Rgb.data(), Width * 3, nullptr) != 0;
}
