#include "Snapshots.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int Width = 640, Height = 480;

}  // namespace

bool WriteFramePPM(const std::string& Path, const uint32_t* Pixels)
{
    FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File)
        return false;
    std::vector<uint8_t> Bytes(size_t(Width) * Height * 3);
    for (size_t i = 0; i < size_t(Width) * Height; ++i) {
        Bytes[3 * i] = uint8_t(Pixels[i] >> 16);
        Bytes[3 * i + 1] = uint8_t(Pixels[i] >> 8);
        Bytes[3 * i + 2] = uint8_t(Pixels[i]);
    }
    std::fprintf(File, "P6\n%d %d\n255\n", Width, Height);
    bool Written = std::fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
    return std::fclose(File) == 0 && Written;
}

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
