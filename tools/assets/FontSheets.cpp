#include "FontSheets.h"

#include <algorithm>

#include "Lettering.h"
#include "Pictures.h"
#include "Text.h"

namespace {

constexpr int Step = 32;

// Cells are used while their left edge plus the step fits the sheet.
CellOrigin CellOf(int Letter, int FirstX, int CellH)
{
    int X = FirstX, Y = 0;
    for (int K = 0;; ++K) {
        if (X + Step > SheetWidth) {
            X = 0;
            Y += CellH;
        }
        if (K == Letter)
            return {X, Y};
        X += Step;
    }
}

}  // namespace

CellOrigin Fonte2Cell(int Letter) { return CellOf(Letter, 0, Fonte2CellH); }
CellOrigin FireCell(int Letter) { return CellOf(Letter, 2, FireCellH); }

// Ice-chrome capitals: white top, blue waist, violet glint at the foot.
Canvas DrawFonte2Glyph(int Letter)
{
    const int Baseline = 25, Cap = 22;
    Lettering Ice;
    Ice.Fill = Ramp{{{255, 255, 255}, {190, 240, 255}, {90, 180, 255}, {30, 70, 200}, {140, 90, 230}, {240, 200, 255}}};
    Ice.Bands = 8;
    Ice.Outline = {20, 24, 90};
    Ice.OutlineRadius = 1;
    Ice.Shadow = {60, 40, 110};
    Ice.ShadowX = 1;
    Ice.ShadowY = 1;
    Ice.Highlight = White;
    Ice.Shade = {30, 40, 150};
    Ice.Bevel = 0.4;

    Canvas Cell = MakeCanvas(Fonte2CellW, Fonte2CellH);
    TextMask Glyph = RenderCapital(Letter, Cap, Fonte2CellW - 5);
    int X = (Fonte2CellW - 1 - Glyph.Ink.Width) / 2, Top = Baseline - Glyph.BaselineY;
    PaintLettering(Cell, Glyph.Ink, X, Top, Ice, Glyph.BaselineY - Cap, Cap);
    return Cell;
}

Canvas DrawFonte2()
{
    Canvas Sheet = MakeCanvas(SheetWidth, 3 * Fonte2CellH);
    for (int Letter = 0; Letter < 26; ++Letter) {
        CellOrigin Cell = Fonte2Cell(Letter);
        Blit(Sheet, DrawFonte2Glyph(Letter), Cell.X, Cell.Y);
    }
    return Sheet;
}

Canvas DrawFireFonte()
{
    Canvas Sheet = MakeCanvas(SheetWidth, 3 * FireCellH);
    for (int Letter = 0; Letter < 26; ++Letter) {
        CellOrigin Cell = FireCell(Letter);
        Blit(Sheet, DrawFireGlyph(Letter), Cell.X, Cell.Y);
    }
    return Sheet;
}
