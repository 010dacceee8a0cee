#pragma once
// Everything the effects show, loaded once before the first effect and
// kept until the process ends.
#include <cstdint>
#include <vector>

struct Image;

struct ResourceSet {
    Image* Loading;           // the loading screen, 640 x 480
    Image* RasterR;           // raster bars, 640 wide, all as high as RasterR
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
    Image* PorteVG;           // side door leaves, keyed white
    Image* PorteVD;
    Image* HUDoor;            // upper and lower door halves, keyed magenta
    Image* HBDoor;
    Image* Flower;            // the frame, 640 x 340, keyed black
    Image* FireFonteSheet;    // held after its glyphs are cut
    Image* Fonte2[26];        // glyphs a to z, 32 x 30, keyed black
    Image* FireFonte[26];     // glyphs a to z, 31 x 33, keyed black
};

extern ResourceSet Resources;

// Entry i = cos(i * pi / 128) * 255, truncated toward zero.
extern int32_t CosTable[256];
void BuildCosTable();

// Where the cell scan cuts the 26 letters of a font sheet.
struct FontCells {
    uint16_t Width, Height;  // of a cell
    uint16_t StepX, StepY;   // from one cell to the next
    uint16_t FirstX;         // x of the first cell of the first row
};
extern const FontCells Fonte2Cells;
extern const FontCells FireFonteCells;

// One cut of the cell scan; a dropped cut's letter is cut again on the next row.
struct CellCut {
    uint16_t X, Y;
    bool Used;
};

// The cell scan of a sheet SheetWidth wide: 26 used cuts, row by row, a cut
// dropped wherever its left edge plus the step passes the width. Empty when
// the sheet is too narrow to hold a single cell per row.
std::vector<CellCut> ScanCells(int32_t SheetWidth, const FontCells& Cells);

// Cuts the 26 glyphs of a sheet, every cut of the scan made and logged.
// Each glyph is keyed with KeyColor.
void CutGlyphs(const Image* Sheet, const FontCells& Cells, uint32_t KeyColor, Image* Glyphs[26]);

// Loads the pictures and fonts, checks them (a missing or unsuitable
// picture ends the program with code 1), opens the tune, builds the
// CosTable, starts the EffectTimer and then the tune.
void LoadResources();
// Closes the tune and releases the pictures held only for the run.
void ReleaseResources();
