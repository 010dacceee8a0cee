#pragma once
// The two font sheets, built from one drawing per letter so that a test can
// cut the sheets as the demo does and compare every glyph.
#include "Canvas.h"

constexpr int Fonte2CellW = 32, Fonte2CellH = 30;
constexpr int FireCellW = 31, FireCellH = 33;
constexpr int SheetWidth = 320;

// The cell of letter 0 (a) to 25 (z), exactly its cell's size.
Canvas DrawFonte2Glyph(int Letter);
Canvas DrawFireGlyph(int Letter);

// Top-left corner of a letter's cell on its sheet: rows of whole cells with
// a step of 32, the fire sheet's first row starting at x = 2.
struct CellOrigin {
    int X, Y;
};
CellOrigin Fonte2Cell(int Letter);
CellOrigin FireCell(int Letter);
