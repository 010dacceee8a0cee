#include "Assets.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "Lettering.h"
#include "Pictures.h"
#include "Text.h"
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
    const int Columns = 4, TileW = 330, TileH = 250, BoxW = 320, BoxH = 216;
    const auto& Pictures = AllPictures();
    const int Rows = int((Pictures.size() + Columns - 1) / Columns);
    Canvas Sheet = MakeCanvas(Columns * TileW, Rows * TileH, {40, 40, 48});
    Lettering Label;
    Label.Fill = Ramp{{{230, 230, 240}}};
    Label.OutlineRadius = 0;
    for (size_t I = 0; I < Pictures.size(); ++I) {
        Canvas Picture = Pictures[I].Draw();
        // Long strips show their start at full size; the rest is scaled to fit.
        if (Picture.Width > 8 * Picture.Height)
            Picture = Crop(Picture, 0, 0, std::min(Picture.Width, BoxW), Picture.Height);
        double F = std::min({double(BoxW) / Picture.Width, double(BoxH) / Picture.Height, 2.0});
        int W = std::max(1, int(Picture.Width * F)), H = std::max(1, int(Picture.Height * F));
        int TileX = int(I % Columns) * TileW, TileY = int(I / Columns) * TileH;
        int X0 = TileX + (TileW - W) / 2, Y0 = TileY + 4 + (BoxH - H) / 2;
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                Sheet.At(X0 + X, Y0 + Y) = Picture.At(std::min(Picture.Width - 1, int(X / F)),
                                                      std::min(Picture.Height - 1, int(Y / F)));
        TextMask Name = RenderText({"DejaVuSans.ttf", 14, 14}, Pictures[I].File);
        PaintLettering(Sheet, Name.Ink, TileX + (TileW - Name.Ink.Width) / 2, TileY + BoxH + 12, Label, 0, 1);
    }
    return Sheet;
}
