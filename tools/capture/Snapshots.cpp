#include "Snapshots.h"

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
