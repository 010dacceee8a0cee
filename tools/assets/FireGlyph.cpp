// Burning capitals: a flame field grown upwards from each letter, as the
// classic fire effect does, with the letter itself glowing in front.
#include <algorithm>
#include <vector>

#include "FontSheets.h"
#include "Lettering.h"
#include "Text.h"

namespace {

constexpr int Baseline = 30, Cap = 18;
constexpr double Threshold = 0.22;  // below it a flame pixel is the key

// Heat 1 on the letter, carried up row by row with a random sideways drift
// and a random loss, so tongues of flame rise above it.
std::vector<double> FlameField(const Mask& Seed, uint32_t Salt)
{
    const int W = FireCellW, H = FireCellH;
    std::vector<double> Heat(size_t(W) * H, 0.0);
    Lcg Random{0x5EEDu + Salt * 7919u};
    for (int Y = H - 1; Y >= 0; --Y)
        for (int X = 0; X < W; ++X) {
            double V = Seed.Get(X, Y) ? 1.0 : 0.0;
            if (Y + 1 < H) {
                int From = std::clamp(X + int(Random.Next() % 3) - 1, 0, W - 1);
                double Below = Heat[size_t(Y + 1) * W + From];
                V = std::max(V, Below - 0.03 - 0.07 * Random.Unit());
            }
            Heat[size_t(Y) * W + X] = V;
        }
    return Heat;
}

}  // namespace

Canvas DrawFireGlyph(int Letter)
{
    const TextMask Glyph = RenderCapital(Letter, Cap, FireCellW - 7);
    const int X = (FireCellW - Glyph.Ink.Width) / 2, Top = Baseline - Glyph.BaselineY;

    // The flames start from the letter's outline, one pixel round it.
    Mask Seed = MakeMask(FireCellW, FireCellH);
    Mask Outline = Dilate(Pad(Glyph.Ink, 2, 2, 2, 2), 1);
    for (int J = 0; J < Outline.Height; ++J)
        for (int I = 0; I < Outline.Width; ++I)
            if (Outline.Get(I, J))
                Seed.Set(X - 2 + I, Top - 2 + J, 255);
    std::vector<double> Heat = FlameField(Seed, uint32_t(Letter));

    const Ramp Fire{{{130, 10, 0}, {220, 40, 0}, {255, 110, 0}, {255, 190, 40}, {255, 240, 150}}};
    Canvas Cell = MakeCanvas(FireCellW, FireCellH);
    for (int Y = 0; Y < FireCellH; ++Y)
        for (int X2 = 0; X2 < FireCellW; ++X2) {
            double V = Heat[size_t(Y) * FireCellW + X2];
            if (V >= Threshold)
                Cell.At(X2, Y) = Fire.At((V - Threshold) / (1.0 - Threshold));
        }

    Lettering Ember;
    Ember.Fill = Ramp{{{255, 255, 210}, {255, 230, 90}, {255, 150, 20}, {230, 60, 0}}};
    Ember.Bands = 5;
    Ember.Outline = {110, 10, 0};
    Ember.OutlineRadius = 1;
    Ember.Highlight = {255, 255, 230};
    Ember.Shade = {170, 30, 0};
    Ember.Bevel = 0.4;
    PaintLettering(Cell, Glyph.Ink, X, Top, Ember, Glyph.BaselineY - Cap, Cap);
    // The sheet's columns between cells stay clear of flames.
    FillRect(Cell, 0, 0, 1, FireCellH, Black);
    FillRect(Cell, FireCellW - 1, 0, 1, FireCellH, Black);
    return Cell;
}
