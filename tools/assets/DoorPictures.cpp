// The four door leaves: two side leaves that meet at x = 320 and two halves
// that meet along a row. Each pair shares a round window, keyed, through
// which the picture behind shows when the doors are shut.
#include <algorithm>
#include <cmath>

#include "Lettering.h"
#include "Metal.h"
#include "Pictures.h"
#include "Text.h"

namespace {

constexpr int LeafW = 320, LeafH = 480;
constexpr int SideWindowY = 200, SideWindowR = 64;
constexpr int HalfW = 640, HalfH = 240;
constexpr int SplitWindowR = 70;

// The left leaf's metalwork; the right leaf is its mirror image.
Canvas SideLeafPlate()
{
    Canvas Leaf = MakeCanvas(LeafW, LeafH);
    FillSteel(Leaf, 0, 0, LeafW, LeafH, {95, 105, 135}, true, 11);
    Bevel(Leaf, 0, 0, LeafW, LeafH, 5);
    // Two sunken panels.
    Bevel(Leaf, 24, 300, 240, 150, -4);
    FillSteel(Leaf, 28, 304, 232, 142, {75, 82, 110}, false, 12);
    Bevel(Leaf, 24, 30, 200, 110, -4);
    FillSteel(Leaf, 28, 34, 192, 102, {75, 82, 110}, false, 13);
    // Warning stripes along the meeting edge.
    HazardStripes(Leaf, LeafW - 30, 0, 30, LeafH, 24, true);
    Bevel(Leaf, LeafW - 30, 0, 30, LeafH, 2);
    for (int Y = 14; Y < LeafH; Y += 46) {
        Rivet(Leaf, 12, Y, 4);
        Rivet(Leaf, LeafW - 44, Y, 4);
    }
    Porthole(Leaf, LeafW, SideWindowY, SideWindowR, 16, White);
    return Leaf;
}

// Stencilled paint, clipped to the leaf.
void Stencil(Canvas& Leaf, const char* Text, int CentreX, int Y)
{
    Lettering Paint;
    Paint.Fill = Ramp{{{250, 200, 40}, {225, 160, 20}}};
    Paint.Outline = {50, 40, 30};
    Paint.OutlineRadius = 1;
    Paint.Shadow = {40, 44, 60};
    Paint.ShadowX = 2;
    Paint.ShadowY = 2;
    TextMask Label = RenderText({"DejaVuSansMono-Bold.ttf", 54, 60}, Text, 2);
    PaintLettering(Leaf, Label.Ink, CentreX - Label.Ink.Width / 2, Y, Paint, 0, Label.Ink.Height);
}

// A vertical chrome rod, shaded across its width.
void Cylinder(Canvas& Half, int X, int Y, int W, int H)
{
    for (int I = 0; I < W; ++I) {
        double U = (I + 0.5) / W * 2.0 - 1.0;
        double L = 0.3 + 0.6 * std::sqrt(1.0 - U * U) + 0.4 * std::pow(std::max(0.0, 1.0 - std::fabs(U + 0.4) * 4.0), 2.0);
        FillRect(Half, X + I, Y, 1, H, MakeRgb(150 * L + 20, 155 * L + 20, 175 * L + 25));
    }
}

// The upper half's metalwork; the lower half is its mirror image.
Canvas UpperHalfPlate()
{
    Canvas Half = MakeCanvas(HalfW, HalfH);
    FillSteel(Half, 0, 0, HalfW, HalfH, {80, 85, 110}, false, 21);
    Bevel(Half, 0, 0, HalfW, HalfH, 5);
    // Heavy ribs, each a raised bar with bolts.
    for (int Y : {24, 96}) {
        FillSteel(Half, 8, Y, HalfW - 16, 28, {110, 115, 140}, false, uint32_t(Y));
        Bevel(Half, 8, Y, HalfW - 16, 28, 3);
        for (int X = 30; X < HalfW; X += 60)
            Rivet(Half, X, Y + 14, 5);
    }
    // Side pistons: chrome rods in dark sleeves.
    for (int X : {40, HalfW - 76}) {
        FillRect(Half, X - 4, 136, 44, 10, {50, 50, 66});
        Bevel(Half, X - 4, 136, 44, 10, 2);
        Cylinder(Half, X + 6, 146, 24, HalfH - 36 - 146);
    }
    HazardStripes(Half, 0, HalfH - 36, HalfW, 36, 32, false);
    Bevel(Half, 0, HalfH - 36, HalfW, 36, 3);
    Porthole(Half, HalfW / 2, HalfH, SplitWindowR, 18, Magenta);
    return Half;
}

}  // namespace

Canvas DrawPorteVG()
{
    Canvas Leaf = SideLeafPlate();
    Stencil(Leaf, "VOR", 144, 340);
    return Leaf;
}

Canvas DrawPorteVD()
{
    Canvas Leaf = MirrorX(SideLeafPlate());
    Stencil(Leaf, "LUNE", 176, 340);
    return Leaf;
}

Canvas DrawHUDoor() { return UpperHalfPlate(); }

Canvas DrawHBDoor() { return MirrorY(UpperHalfPlate()); }
