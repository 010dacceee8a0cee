// The flower frame round the snow and blob windows: velvet, a gold
// moulding, and climbing vines with big blossoms down both sides. Drawn at
// twice the size for smooth petals; the window is cut in hard afterwards.
#include <algorithm>
#include <cmath>

#include "Pictures.h"

namespace {

constexpr int S = 2;  // supersampling
// The union of the snow window and the blob window, bounds inclusive:
// black, the key, all of it.
constexpr int WinX0 = std::min(SnowWindow.Left, BlobWindow.Left);
constexpr int WinY0 = std::min(SnowWindow.Top, BlobWindow.Top);
constexpr int WinX1 = std::max(SnowWindow.Left + SnowWindow.Width, BlobWindow.Left + BlobWindow.Width) - 1;
constexpr int WinY1 = std::max(SnowWindow.Top + SnowWindow.Height, BlobWindow.Top + BlobWindow.Height) - 1;
constexpr int Moulding = 9;

template <typename Inside, typename Colour>
void Shade(Canvas& Big, double X0, double Y0, double X1, double Y1, Inside In, Colour Col)
{
    for (int Y = std::max(0, int(Y0 * S)); Y < std::min(Big.Height, int(Y1 * S) + 1); ++Y)
        for (int X = std::max(0, int(X0 * S)); X < std::min(Big.Width, int(X1 * S) + 1); ++X) {
            double PX = (X + 0.5) / S, PY = (Y + 0.5) / S;
            if (In(PX, PY))
                Big.At(X, Y) = Col(PX, PY, Big.At(X, Y));
        }
}

void Velvet(Canvas& Big)
{
    for (int Y = 0; Y < Big.Height; ++Y)
        for (int X = 0; X < Big.Width; ++X) {
            double PX = (X + 0.5) / S, PY = (Y + 0.5) / S;
            double Damask = 0.5 + 0.5 * std::sin(PX * 0.21) * std::sin(PY * 0.21);
            double Vignette = 1.0 - 0.35 * std::hypot((PX - 320) / 320, (PY - 170) / 170);
            Rgb Base = Mix({60, 16, 70}, {95, 30, 105}, Damask * 0.6);
            Big.At(X, Y) = Scale(Base, 0.75 + 0.35 * Vignette);
        }
}

void Vine(Canvas& Big, double CX, double Phase)
{
    auto Centre = [=](double Y) { return CX + 16.0 * std::sin(Y / 38.0 + Phase); };
    Shade(Big, CX - 24, 0, CX + 24, 340,
          [&](double X, double Y) { return std::fabs(X - Centre(Y)) < 3.2; },
          [&](double X, double Y, Rgb) {
              double U = (X - Centre(Y)) / 3.2;
              return Mix({40, 110, 40}, {150, 220, 110}, std::max(0.0, 0.6 - U * 0.8));
          });
}

void Leaf(Canvas& Big, double PX, double PY, double Angle, double Length, double Width)
{
    const double C = std::cos(Angle), Sn = std::sin(Angle);
    auto Local = [=](double X, double Y, double& U, double& V) {
        U = (X - PX) * C + (Y - PY) * Sn;
        V = -(X - PX) * Sn + (Y - PY) * C;
    };
    Shade(Big, PX - Length, PY - Length, PX + Length, PY + Length,
          [&](double X, double Y) {
              double U, V;
              Local(X, Y, U, V);
              return U > 0 && U < Length && std::fabs(V) < Width * std::pow(std::sin(M_PI * U / Length), 0.9);
          },
          [&](double X, double Y, Rgb) {
              double U, V;
              Local(X, Y, U, V);
              if (std::fabs(V) < 0.7)
                  return Rgb{170, 230, 120};  // the midrib
              double Lit = V < 0 ? 1.0 : 0.7;
              return Scale(Mix({50, 140, 50}, {110, 200, 80}, U / Length), Lit);
          });
}

struct Blossom {
    double X, Y, R;
    int Petals;
    double Turn;
    Rgb Tip, Base;
};

void PetalLayer(Canvas& Big, const Blossom& F, double Size, double Turn, double Dim)
{
    const int N = F.Petals;
    auto Polar = [&](double X, double Y, double& R, double& Phi, double& Edge) {
        R = std::hypot(X - F.X, Y - F.Y);
        double Theta = std::atan2(Y - F.Y, X - F.X) - Turn;
        Phi = Theta - std::round(Theta * N / (2 * M_PI)) * (2 * M_PI / N);  // -pi/N..pi/N
        Edge = Size * (0.55 + 0.45 * std::cos(Phi * N * 0.5 * 0.98));
    };
    Shade(Big, F.X - Size - 1, F.Y - Size - 1, F.X + Size + 1, F.Y + Size + 1,
          [&](double X, double Y) {
              double R, Phi, Edge;
              Polar(X, Y, R, Phi, Edge);
              return R < Edge;
          },
          [&](double X, double Y, Rgb) {
              double R, Phi, Edge;
              Polar(X, Y, R, Phi, Edge);
              Rgb C = Mix(F.Base, F.Tip, std::pow(R / Edge, 0.7));
              if (R > Edge - 1.2)
                  C = Scale(F.Base, 0.7);  // petal rim
              double Vein = std::fabs(Phi) * N / M_PI;  // 0 on the petal's middle, 1 at its sides
              return Scale(C, Dim * (1.05 - 0.25 * Vein * Vein));
          });
}

void DrawBlossom(Canvas& Big, const Blossom& F)
{
    PetalLayer(Big, F, F.R, F.Turn + M_PI / F.Petals, 0.72);
    PetalLayer(Big, F, F.R * 0.8, F.Turn, 1.0);
    const double Heart = F.R * 0.26;
    Shade(Big, F.X - Heart, F.Y - Heart, F.X + Heart, F.Y + Heart,
          [&](double X, double Y) { return std::hypot(X - F.X, Y - F.Y) < Heart; },
          [&](double X, double Y, Rgb) {
              double D = std::hypot(X - F.X + Heart * 0.3, Y - F.Y + Heart * 0.3) / Heart;
              Rgb C = Mix({255, 250, 170}, {230, 120, 20}, std::min(1.0, D));
              double Ring = std::hypot(X - F.X, Y - F.Y) / Heart;
              if (Ring > 0.55 && Ring < 0.75 && int(std::atan2(Y - F.Y, X - F.X) * 4.0 + 20) % 2 == 0)
                  C = {140, 60, 10};  // seeds
              return C;
          });
}

// Gold moulding round the window, lit from the top left.
void DrawMoulding(Canvas& Picture)
{
    const Ramp Gold{{{110, 60, 10}, {255, 220, 120}, {200, 140, 30}, {255, 240, 170}, {120, 70, 20}}};
    for (int Y = WinY0 - Moulding; Y <= WinY1 + Moulding; ++Y)
        for (int X = WinX0 - Moulding; X <= WinX1 + Moulding; ++X) {
            int Out = std::max({WinX0 - X, X - WinX1, WinY0 - Y, Y - WinY1});
            if (Out <= 0)
                continue;
            bool LowerRight = X - WinX1 == Out || Y - WinY1 == Out;
            Rgb C = Gold.At(double(Moulding - Out) / (Moulding - 1));
            Picture.At(X, Y) = LowerRight ? Scale(C, 0.75) : C;
        }
}

const Blossom Blossoms[] = {
    {58, 52, 44, 6, 0.2, {255, 170, 220}, {170, 20, 110}},
    {64, 172, 36, 5, 0.9, {210, 190, 255}, {90, 40, 190}},
    {56, 290, 42, 7, 0.4, {255, 200, 150}, {200, 50, 60}},
    {582, 58, 40, 5, 0.5, {210, 190, 255}, {90, 40, 190}},
    {576, 168, 44, 6, 0.1, {255, 200, 150}, {200, 50, 60}},
    {584, 286, 38, 6, 0.7, {255, 170, 220}, {170, 20, 110}},
    {115, 15, 11, 5, 0.3, {255, 240, 200}, {230, 150, 40}},
    {525, 324, 11, 5, 0.6, {255, 240, 200}, {230, 150, 40}},
    {525, 15, 11, 5, 1.1, {255, 170, 220}, {170, 20, 110}},
    {115, 324, 11, 5, 0.8, {210, 190, 255}, {90, 40, 190}},
};

}  // namespace

Canvas DrawFlower()
{
    Canvas Big = MakeCanvas(640 * S, 340 * S);
    Velvet(Big);
    Vine(Big, 60, 0.0);
    Vine(Big, 580, 2.0);
    for (int I = 0; I < 7; ++I) {
        double Y = 20 + I * 48;
        double Side = (I & 1) ? 1.0 : -1.0;
        Leaf(Big, 60 + 16 * std::sin(Y / 38.0), Y, M_PI / 2 + Side * 1.1, 34, 10);
        Leaf(Big, 580 + 16 * std::sin(Y / 38.0 + 2.0), Y + 20, M_PI / 2 - Side * 1.1, 34, 10);
    }
    Canvas Picture = Downsample(Big, S);
    DrawMoulding(Picture);
    // Blossoms overlap the moulding's corners; drawn at full size again.
    Canvas Petals = MakeCanvas(640 * S, 340 * S, Magenta);
    for (const Blossom& F : Blossoms)
        DrawBlossom(Petals, F);
    for (int Y = 0; Y < 340; ++Y)
        for (int X = 0; X < 640; ++X) {
            int R = 0, G = 0, B = 0, Count = 0;
            for (int J = 0; J < S; ++J)
                for (int I = 0; I < S; ++I) {
                    const Rgb& P = Petals.At(X * S + I, Y * S + J);
                    if (P == Magenta)
                        continue;
                    R += P.R, G += P.G, B += P.B, ++Count;
                }
            if (Count)
                Picture.At(X, Y) = Mix(Picture.At(X, Y), MakeRgb(R / Count, G / Count, B / Count),
                                       double(Count) / (S * S));
        }
    FillRect(Picture, WinX0, WinY0, WinX1 - WinX0 + 1, WinY1 - WinY0 + 1, Black);
    LiftFromKey(Picture, Black, 40);
    return Picture;
}
