#pragma once
// The 22 pictures of "Data/", in the order the demo loads them: the one
// list that the program loads and checks, make-assets draws, the build
// installs and the package test looks for. CMake and the package test read
// the names off the table's lines: keep one picture a line, name first.
#include <cstdint>
#include <string_view>

struct PictureFile {
    const char* Name;  // the file is "Data/<Name>.ppm"
    bool Keyed;        // the demo shows it, or the glyphs cut from it, with a colour key
    uint32_t Key;      // that colour, 0x00RRGGBB
};

inline constexpr uint32_t KeyBlack = 0x000000, KeyWhite = 0xFFFFFF, KeyMagenta = 0xFF00FF;

// clang-format off
inline constexpr PictureFile PictureFiles[] = {
    {"Loading", false, 0},
    {"RasterR", false, 0},
    {"RasterG", false, 0},
    {"RasterB", false, 0},
    {"RasterV", false, 0},
    {"RasterY", false, 0},
    {"ScrollText", true, KeyBlack},
    {"Corridor", false, 0},
    {"BackgroundRaster", false, 0},
    {"ProgressBar", false, 0},
    {"Fonte2", true, KeyBlack},
    {"Txt-This", true, KeyBlack},
    {"Txt-Is", true, KeyBlack},
    {"Txt-ProgressBar", true, KeyBlack},
    {"Txt-APure", true, KeyBlack},
    {"Txt-Fake", true, KeyBlack},
    {"PorteVG", true, KeyWhite},
    {"PorteVD", true, KeyWhite},
    {"HU-Door", true, KeyMagenta},
    {"HB-Door", true, KeyMagenta},
    {"Flower", true, KeyBlack},
    {"FireFonte", true, KeyBlack},
};
// clang-format on

inline constexpr int PictureCount = sizeof PictureFiles / sizeof PictureFiles[0];

// Where the picture named Name stands in the list; -1 when it is not there.
constexpr int PictureIndex(std::string_view Name)
{
    for (int i = 0; i < PictureCount; ++i)
        if (PictureFiles[i].Name == Name)
            return i;
    return -1;
}
