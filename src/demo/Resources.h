#pragma once
// Loading the resource set: the pictures, the fonts cut into glyphs, the
// tune, the cosine table.
#include <cstdint>
#include <vector>

#include "core/CosTable.h"
#include "effects/ResourceSet.h"

struct Image;

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

// Looks up every picture, before the display opens: the missing ones are
// reported as LoadResources reports them, and the program ends with code 1.
void CheckPicturesPresent();
// The tune is then never opened, nor the audio device.
void TurnSoundOff();

// Loads the pictures and fonts, checks them (a missing or unsuitable
// picture ends the program with code 1), opens the tune (closed at Quit),
// builds the CosTable, starts the EffectTimer and then the tune.
void LoadResources();
// Closes the tune and releases the pictures held only for the run.
void ReleaseResources();
// Every picture of the resource set, the glyphs included: an effect may
// change one (the words are blurred in place), so a replay of the show
// puts their pixels back.
std::vector<Image*> ResourcePictures();
