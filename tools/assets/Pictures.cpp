#include "Pictures.h"

namespace {

Canvas RasterR() { return DrawRasterBar(0); }
Canvas RasterG() { return DrawRasterBar(1); }
Canvas RasterB() { return DrawRasterBar(2); }
Canvas RasterV() { return DrawRasterBar(3); }
Canvas RasterY() { return DrawRasterBar(4); }
Canvas WordThis() { return DrawWord(0); }
Canvas WordProgressBar() { return DrawWord(1); }
Canvas WordIs() { return DrawWord(2); }
Canvas WordAPure() { return DrawWord(3); }
Canvas WordFake() { return DrawWord(4); }

}  // namespace

const std::vector<PictureInfo>& AllPictures()
{
    static const std::vector<PictureInfo> Table = {
        {"Loading.ppm", DrawLoading, false, Black},
        {"RasterR.ppm", RasterR, false, Black},
        {"RasterG.ppm", RasterG, false, Black},
        {"RasterB.ppm", RasterB, false, Black},
        {"RasterV.ppm", RasterV, false, Black},
        {"RasterY.ppm", RasterY, false, Black},
        {"ScrollText.ppm", DrawScrollText, true, Black},
        {"Corridor.ppm", DrawCorridor, false, Black},
        {"BackgroundRaster.ppm", DrawBackgroundRaster, false, Black},
        {"ProgressBar.ppm", DrawProgressBar, false, Black},
        {"Fonte2.ppm", DrawFonte2, true, Black},
        {"Txt-This.ppm", WordThis, true, Black},
        {"Txt-Is.ppm", WordIs, true, Black},
        {"Txt-ProgressBar.ppm", WordProgressBar, true, Black},
        {"Txt-APure.ppm", WordAPure, true, Black},
        {"Txt-Fake.ppm", WordFake, true, Black},
        {"PorteVG.ppm", DrawPorteVG, true, White},
        {"PorteVD.ppm", DrawPorteVD, true, White},
        {"HU-Door.ppm", DrawHUDoor, true, Magenta},
        {"HB-Door.ppm", DrawHBDoor, true, Magenta},
        {"Flower.ppm", DrawFlower, true, Black},
        // Loaded opaque, but its glyphs are cut out and keyed with black.
        {"FireFonte.ppm", DrawFireFonte, true, Black},
    };
    return Table;
}
