#include "Assets.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "Pictures.h"
#include "Tune.h"

bool WriteAssets(const std::string& Folder)
{
    std::error_code Error;
    std::filesystem::create_directories(Folder + "/Data", Error);
    if (Error) {
        std::fprintf(stderr, "make-assets: cannot make %s/Data: %s\n", Folder.c_str(), Error.message().c_str());
        return false;
    }
    for (const PictureInfo& Info : AllPictures()) {
        std::string Path = Folder + "/Data/" + Info.File;
        if (!WritePPM(Info.Draw(), Path)) {
            std::fprintf(stderr, "make-assets: cannot write %s\n", Path.c_str());
            return false;
        }
    }
    std::string TunePath = Folder + "/Brumalid.mp3";
    if (!WriteTune(TunePath)) {
        std::fprintf(stderr, "make-assets: cannot write %s\n", TunePath.c_str());
        return false;
    }
    return true;
}

Canvas DrawContactSheet()
{
    const int Columns = 4, TileW = 330, TileH = 250;
    const auto& Pictures = AllPictures();
    const int Rows = int((Pictures.size() + Columns - 1) / Columns);
    Canvas Sheet = MakeCanvas(Columns * TileW, Rows * TileH, {40, 40, 48});
    for (size_t I = 0; I < Pictures.size(); ++I) {
        Canvas Picture = Pictures[I].Draw();
        // Nearest-neighbour, whole picture in a 320 x 240 box, keys shown as drawn.
        double F = std::min({320.0 / Picture.Width, 240.0 / Picture.Height, 2.0});
        int W = std::max(1, int(Picture.Width * F)), H = std::max(1, int(Picture.Height * F));
        int X0 = int(I % Columns) * TileW + (TileW - W) / 2, Y0 = int(I / Columns) * TileH + (TileH - H) / 2;
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                Sheet.At(X0 + X, Y0 + Y) = Picture.At(std::min(Picture.Width - 1, int(X / F)),
                                                      std::min(Picture.Height - 1, int(Y / F)));
    }
    return Sheet;
}
