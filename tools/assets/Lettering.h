#pragma once
// The house style of every text: a copper-banded gradient fill, a bevel
// that catches the light from the top left, a hard outline and a drop
// shadow, all in flat colours so that nothing blurs into the key.
#include "Canvas.h"

struct Lettering {
    Ramp Fill;              // top to bottom of the fill span
    int Bands = 0;          // copper steps of the fill; 0 keeps it smooth
    Rgb Outline{};
    int OutlineRadius = 1;  // pixels; 0 draws none
    Rgb Shadow{};
    int ShadowX = 0, ShadowY = 0;  // offset of the shadow; 0, 0 draws none
    Rgb Highlight{};
    Rgb Shade{};
    double Bevel = 0.0;     // how strongly the edges take Highlight and Shade
};

// Pixels the styled text reaches beyond its ink on any side.
int LetteringMargin(const Lettering& Style);

// Paints Ink with its top-left at (X, Y). The fill ramp runs over mask rows
// FillTop to FillTop + FillHeight, so letters of one line share one gradient.
void PaintLettering(Canvas& Picture, const Mask& Ink, int X, int Y, const Lettering& Style, int FillTop,
                    int FillHeight);
