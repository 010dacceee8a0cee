#pragma once
// Everything the effects show, loaded once before the first effect and
// kept until the process ends.
#include <cstdint>

struct Image;

struct ResourceSet {
    Image* Loading;  // the loading screen, 640 x 480
    Image* RasterR;  // raster bars, 640 wide, all as high as RasterR
    Image* RasterG;
    Image* RasterB;
    Image* RasterV;
    Image* RasterY;
    Image* ScrollText;        // keyed black
    Image* Corridor;          // 640 x 480
    Image* BackgroundRaster;  // at least 640 x 340
    Image* ProgressBar;       // drawn over Loading at (190, 311)
    Image* TxtThis;           // the five words, keyed black
    Image* TxtIs;
    Image* TxtProgressBar;
    Image* TxtAPure;
    Image* TxtFake;
    Image* PorteVG;  // side door leaves, keyed white
    Image* PorteVD;
    Image* HUDoor;  // upper and lower door halves, keyed magenta
    Image* HBDoor;
    Image* Flower;          // the frame, 640 x 340, keyed black
    Image* FireFonteSheet;  // held after its glyphs are cut
    Image* Fonte2[26];      // glyphs a to z, 32 x 30, keyed black
    Image* FireFonte[26];   // glyphs a to z, 31 x 33, keyed black
};

extern ResourceSet Resources;
