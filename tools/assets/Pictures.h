#pragma once
// Every picture of "Data/", each drawn by its own generator.
#include <string>
#include <vector>

#include "Canvas.h"
#include "core/Layout.h"

Canvas DrawLoading();
Canvas DrawProgressBar();
// Colour 0 to 4: red, green, blue, violet, yellow.
Canvas DrawRasterBar(int Colour);
Canvas DrawScrollText();
Canvas DrawCorridor();
Canvas DrawBackgroundRaster();
Canvas DrawFonte2();
Canvas DrawFireFonte();
Canvas DrawWord(int Index);  // 0 to 4: "This", "Progress Bar", "Is", "A Pure", "Fake"
Canvas DrawPorteVG();
Canvas DrawPorteVD();
Canvas DrawHUDoor();
Canvas DrawHBDoor();
Canvas DrawFlower();

// Where the progress bar lies over the loading picture.
constexpr int BarX = ProgressBarX, BarY = ProgressBarY;
// The corridor's far end, where the shrunken previous frame is drawn.
constexpr int FarX = 165, FarY = 124, FarW = 310, FarH = 232;
constexpr int RasterHeight = 28;
constexpr int ScrollWidth = 2400;

struct PictureInfo {
    std::string File;   // under "Data/"
    Canvas (*Draw)();
    bool Keyed;         // drawn with a colour key by the demo
    Rgb Key;
};

// The 22 pictures of core/PictureFiles.h, in its order, the order the
// demo loads them.
const std::vector<PictureInfo>& AllPictures();
