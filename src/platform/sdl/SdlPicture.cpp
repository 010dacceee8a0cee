// Pictures saved as PNG files with libpng's simplified interface.
#include <png.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Picture.h"

namespace {

std::string Error;

}  // namespace

const char* SavePicture(const char* Path, const uint32_t* Pixels, int32_t Width, int32_t Height)
{
    png_image Png{};
    Png.version = PNG_IMAGE_VERSION;
    Png.width = png_uint_32(Width);
    Png.height = png_uint_32(Height);
    Png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> Rgb(size_t(Width) * size_t(Height) * 3);
    for (size_t i = 0; i < size_t(Width) * size_t(Height); ++i) {
        Rgb[3 * i] = uint8_t(Pixels[i] >> 16);
        Rgb[3 * i + 1] = uint8_t(Pixels[i] >> 8);
        Rgb[3 * i + 2] = uint8_t(Pixels[i]);
    }
    errno = 0;
    if (png_image_write_to_file(&Png, Path, 0, Rgb.data(), Width * 3, nullptr))
        return nullptr;
    Error = errno ? std::strerror(errno) : Png.message;
    return Error.c_str();
}
