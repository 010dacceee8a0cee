#include "Pictures.h"

#include <iterator>

#include "core/PictureFiles.h"

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
    // How each picture of PictureFiles is drawn, in the same order.
    static constexpr Canvas (*Drawings[])() = {
        DrawLoading, RasterR, RasterG, RasterB, RasterV, RasterY, DrawScrollText, DrawCorridor,
        DrawBackgroundRaster, DrawProgressBar, DrawFonte2, WordThis, WordIs, WordProgressBar,
        WordAPure, WordFake, DrawPorteVG, DrawPorteVD, DrawHUDoor, DrawHBDoor, DrawFlower,
        DrawFireFonte,
    };
    static_assert(std::size(Drawings) == PictureCount);
    static const std::vector<PictureInfo> Table = [] {
        std::vector<PictureInfo> Pictures;
        for (int i = 0; i < PictureCount; ++i) {
            const PictureFile& File = PictureFiles[i];
            const Rgb Key{uint8_t(File.Key >> 16), uint8_t(File.Key >> 8), uint8_t(File.Key)};
            Pictures.push_back({std::string(File.Name) + ".ppm", Drawings[i], File.Keyed, Key});
        }
        return Pictures;
    }();
    return Table;
}
