// A metal corridor in one-point perspective. Its far end is exactly the
// rectangle where the demo draws the shrunken previous frame, framed by a
// lit bulkhead.
#include <algorithm>
#include <cmath>

#include "Pictures.h"

namespace {

constexpr double HalfW = 1.0, HalfH = 0.75;   // cross-section of the corridor
constexpr double Focal = 320.0;               // pixels per unit at depth 1
constexpr double FarZ = Focal * HalfW / (FarW / 2.0);
constexpr double RibStep = (FarZ - 1.0) / 6.0;  // bulkhead ribs along the walls

double Fract(double V) { return V - std::floor(V); }

// Light grows towards the bright far end.
double Lighting(double Z) { return 0.35 + 0.65 * std::pow((Z - 1.0) / (FarZ - 1.0), 1.5); }

// A rib across every surface, with a dark seam before it and a lit edge after.
double RibShade(double Z)
{
    double P = Fract((Z - 1.0) / RibStep);
    if (P < 0.05)
        return 0.45;
    if (P < 0.12)
        return 1.35;
    return 1.0;
}

Rgb Wall(double Across, double Z)  // Across from -HalfH (floor) to HalfH
{
    Rgb C{70, 80, 120};
    double Strip = std::fabs(Across - 0.05);
    if (Strip < 0.05)
        C = {90, 220, 255};          // light strip along the wall
    else if (Strip < 0.08)
        C = {40, 50, 90};
    else if (Fract(Across * 3.0) < 0.06)
        C = {45, 50, 85};            // panel seams
    return Scale(C, Lighting(Z) * RibShade(Z));
}

Rgb Floor(double Across, double Z)
{
    bool Dark = (int(std::floor(Across * 4.0)) + int(std::floor((Z - 1.0) / RibStep * 2.0))) & 1;
    Rgb C = Dark ? Rgb{40, 36, 70} : Rgb{95, 85, 140};
    // The light of the far end reflected down the middle.
    double Sheen = std::max(0.0, 1.0 - std::fabs(Across) * 1.6) * 0.5;
    return Mix(Scale(C, Lighting(Z) * RibShade(Z)), {150, 220, 255}, Sheen * Lighting(Z) * 0.6);
}

Rgb Ceiling(double Across, double Z)
{
    Rgb C{50, 50, 90};
    if (std::fabs(Across) < 0.12)
        C = Fract((Z - 1.0) / RibStep * 2.0) < 0.7 ? Rgb{255, 245, 220} : Rgb{90, 90, 120};
    return Scale(C, Lighting(Z) * RibShade(Z));
}

Rgb Sample(double SX, double SY)
{
    double DX = (SX - 320.0) / Focal, DY = (SY - 240.0) / Focal;
    double ZSide = DX != 0.0 ? HalfW / std::fabs(DX) : 1e9;
    double ZFlat = DY != 0.0 ? HalfH / std::fabs(DY) : 1e9;
    double Z = std::min({ZSide, ZFlat, FarZ});
    if (Z >= FarZ)
        return {255, 240, 200};  // covered by the shrunken frame in the demo
    if (ZSide < ZFlat)
        return Wall(-DY * Z, Z);
    return DY > 0 ? Floor(DX * Z, Z) : Ceiling(DX * Z, Z);
}

// The bulkhead round the far end: hazard stripes on a steel border.
void DrawBulkhead(Canvas& Picture)
{
    const int Thick = 10;
    for (int Y = FarY - Thick; Y < FarY + FarH + Thick; ++Y)
        for (int X = FarX - Thick; X < FarX + FarW + Thick; ++X) {
            bool Inside = X >= FarX && X < FarX + FarW && Y >= FarY && Y < FarY + FarH;
            if (Inside)
                continue;
            int Edge = std::min({X - (FarX - Thick), FarX + FarW + Thick - 1 - X, Y - (FarY - Thick),
                                 FarY + FarH + Thick - 1 - Y});
            Rgb C = ((X + Y) / 8) & 1 ? Rgb{250, 200, 30} : Rgb{40, 30, 40};
            if (Edge < 2 || Edge >= Thick - 2)
                C = Edge < 2 ? Rgb{200, 210, 240} : Rgb{60, 60, 90};
            Picture.At(X, Y) = C;
        }
}

}  // namespace

Canvas DrawCorridor()
{
    const int S = 3;  // samples per pixel side
    Canvas Picture = MakeCanvas(640, 480);
    for (int Y = 0; Y < 480; ++Y)
        for (int X = 0; X < 640; ++X) {
            double R = 0, G = 0, B = 0;
            for (int J = 0; J < S; ++J)
                for (int I = 0; I < S; ++I) {
                    Rgb C = Sample(X + (I + 0.5) / S, Y + (J + 0.5) / S);
                    R += C.R;
                    G += C.G;
                    B += C.B;
                }
            Picture.At(X, Y) = MakeRgb(R / (S * S), G / (S * S), B / (S * S));
        }
    DrawBulkhead(Picture);
    return Picture;
}
