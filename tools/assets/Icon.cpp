#include "Icon.h"

#include <png.h>

#include "Pictures.h"

namespace {

// The square around the title's V, which stays readable at menu sizes.
constexpr int CropX = 39, CropY = 102, CropSize = IconSize / 2;

}  // namespace

Canvas DrawIcon()
{
    return Enlarge(Crop(DrawLoading(), CropX, CropY, CropSize, CropSize), IconSize / CropSize);
}

bool WritePNG(const Canvas& Picture, const std::string& Path)
{
    png_image Png{};
    Png.version = PNG_IMAGE_VERSION;
    Png.width = uint32_t(Picture.Width);
    Png.height = uint32_t(Picture.Height);
    Png.format = PNG_FORMAT_RGB;
    static_assert(sizeof(Rgb) == 3, "rows of Rgb are PNG's RGB rows");
    return png_image_write_to_file(&Png, Path.c_str(), 0, Picture.Pixels.data(), Picture.Width * 3,
                                   nullptr) != 0;
}
