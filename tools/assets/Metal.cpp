#include "Metal.h"

#include <algorithm>
#include <cmath>

void FillSteel(Canvas& Picture, int X, int Y, int W, int H, Rgb Base, bool Vertical, uint32_t Seed)
{
    Lcg Random{Seed};
    const int Lines = Vertical ? W : H;
    std::vector<double> Grain(size_t(std::max(Lines, 1)));
    for (double& G : Grain)
        G = 0.92 + 0.12 * Random.Unit();
    for (int J = 0; J < H; ++J)
        for (int I = 0; I < W; ++I) {
            if (!Picture.Inside(X + I, Y + J))
                continue;
            double Sheen = 0.85 + 0.25 * std::sin((Vertical ? J : I) * 0.02 + 0.6);
            Picture.At(X + I, Y + J) = Scale(Base, Grain[size_t(Vertical ? I : J)] * Sheen);
        }
}

void Bevel(Canvas& Picture, int X, int Y, int W, int H, int Depth)
{
    const int D = std::abs(Depth);
    for (int J = 0; J < H; ++J)
        for (int I = 0; I < W; ++I) {
            if (!Picture.Inside(X + I, Y + J))
                continue;
            int FromTopLeft = std::min(I, J), FromBottomRight = std::min(W - 1 - I, H - 1 - J);
            Rgb& P = Picture.At(X + I, Y + J);
            bool Lit = FromTopLeft < D && FromTopLeft <= FromBottomRight;
            bool Dark = FromBottomRight < D && !Lit;
            if (Depth < 0)
                std::swap(Lit, Dark);
            if (Lit)
                P = Mix(P, {225, 230, 240}, 0.55);
            else if (Dark)
                P = Scale(P, 0.5);
        }
}

void Rivet(Canvas& Picture, int CX, int CY, int R)
{
    for (int J = -R - 1; J <= R + 1; ++J)
        for (int I = -R - 1; I <= R + 1; ++I) {
            if (!Picture.Inside(CX + I, CY + J))
                continue;
            double D = std::hypot(I, J);
            Rgb& P = Picture.At(CX + I, CY + J);
            if (D <= R) {
                double Light = 0.6 - 0.4 * (I + J) / (2.0 * R);
                P = MakeRgb(200 * Light + 20, 205 * Light + 20, 220 * Light + 20);
            } else if (D <= R + 1.0 && I + J > 0) {
                P = Scale(P, 0.55);  // shadow to the lower right
            }
        }
}

void HazardStripes(Canvas& Picture, int X, int Y, int W, int H, int Period, bool Rising)
{
    for (int J = 0; J < H; ++J)
        for (int I = 0; I < W; ++I) {
            if (!Picture.Inside(X + I, Y + J))
                continue;
            int Along = Rising ? X + I + Y + J : X + I - (Y + J) + 4096;
            bool Yellow = (Along % Period) < Period / 2;
            Picture.At(X + I, Y + J) = Yellow ? Rgb{240, 190, 30} : Rgb{45, 40, 50};
        }
}

void Porthole(Canvas& Picture, int CX, int CY, int Radius, int Rim, Rgb Key)
{
    const int Outer = Radius + Rim;
    for (int J = -Outer - 2; J <= Outer + 2; ++J)
        for (int I = -Outer - 2; I <= Outer + 2; ++I) {
            if (!Picture.Inside(CX + I, CY + J))
                continue;
            double D = std::hypot(I + 0.5, J + 0.5);
            Rgb& P = Picture.At(CX + I, CY + J);
            if (D < Radius) {
                P = Key;
            } else if (D < Outer) {
                // A torus lit from the top left.
                double U = (D - Radius) / Rim;                     // 0 inside edge, 1 outside
                double Facing = std::cos((U - 0.5) * M_PI);         // rim's curvature
                double Light = -((I + 0.5) + (J + 0.5)) / (D * 1.414) * (U < 0.5 ? -1.0 : 1.0);
                double L = 0.35 + 0.45 * Facing + 0.3 * Light;
                P = MakeRgb(150 * L + 30, 160 * L + 30, 185 * L + 30);
                if (D < Radius + 1.5)
                    P = {50, 45, 60};  // a dark seal against the glass
            } else if (D < Outer + 2) {
                P = Scale(P, 0.6);
            }
        }
}
