// The title screen: a copper sky over a grid plain, the moon, the title in
// chrome letters and an empty frame where the progress bar will grow.
#include <algorithm>
#include <cmath>

#include "Lettering.h"
#include "Pictures.h"
#include "Text.h"

namespace {

constexpr int Horizon = 262;

void DrawSky(Canvas& Picture)
{
    const Ramp Sky{{{6, 4, 30}, {18, 10, 64}, {60, 20, 100}, {150, 50, 120}, {240, 120, 110}}};
    for (int Y = 0; Y < Horizon; ++Y) {
        // Four-row copper steps, as a copper list would have changed it.
        double T = double(Y / 4 * 4) / Horizon;
        FillRect(Picture, 0, Y, 640, 1, Sky.At(std::pow(T, 1.6)));
    }
    Lcg Random{1234};
    for (int I = 0; I < 170; ++I) {
        int X = int(Random.Next() % 640), Y = int(Random.Next() % (Horizon - 60));
        int Level = 90 + int(Random.Next() % 166);
        Rgb Star = MakeRgb(Level, Level, std::min(255, Level + 30));
        Picture.At(X, Y) = Star;
        if (Level > 225 && X > 0 && X < 639 && Y > 0) {
            Rgb Glint = Mix(Picture.At(X, Y - 1), Star, 0.5);
            Picture.At(X - 1, Y) = Picture.At(X + 1, Y) = Picture.At(X, Y - 1) = Picture.At(X, Y + 1) = Glint;
        }
    }
}

void DrawMoon(Canvas& Picture)
{
    const double CX = 500, CY = 96, R = 58;
    for (int Y = int(CY - R - 30); Y <= CY + R + 30; ++Y)
        for (int X = int(CX - R - 30); X <= CX + R + 30; ++X) {
            if (!Picture.Inside(X, Y))
                continue;
            double D = std::hypot(X - CX, Y - CY);
            Rgb& P = Picture.At(X, Y);
            if (D > R) {
                double Halo = std::max(0.0, 1.0 - (D - R) / 30.0);
                P = Mix(P, {200, 150, 220}, 0.35 * Halo * Halo);
                continue;
            }
            // Lit from the lower left; two craters darken the face.
            double Light = 0.55 + 0.45 * ((CX - X) * 0.5 + (Y - CY) * 0.7) / R;
            double Crater = 0.0;
            if (std::hypot(X - 518, Y - 80) < 13)
                Crater = 0.18;
            if (std::hypot(X - 484, Y - 112) < 9)
                Crater = 0.14;
            double Rim = std::min(1.0, (R - D) / 2.0);
            Rgb Face = MakeRgb(235 * (Light - Crater) + 20, 215 * (Light - Crater) + 20, 255 * (Light - Crater) + 30);
            P = Mix(P, Face, Rim);
        }
}

// Glow of the grid lines at one point of the plain, 0 to 1.
double GridGlow(double X, double Y)
{
    double Depth = 60.0 / (Y - Horizon + 2.0);
    double WorldX = (X - 320.0) * Depth / 60.0;
    double LineX = std::fabs(WorldX * 1.5 - std::round(WorldX * 1.5));
    double LineZ = std::fabs(Depth * 0.8 - std::round(Depth * 0.8));
    double Width = 0.03 + 0.004 * Depth;
    double Glow = std::max(LineX < Width ? 1.0 - LineX / Width : 0.0, LineZ < Width * 2.0 ? 1.0 - LineZ / (Width * 2.0) : 0.0);
    // Towards the horizon the lines crowd together: let them fade first.
    return Glow * std::clamp(1.0 - (Depth - 2.0) / 6.0, 0.0, 1.0);
}

void DrawGridPlain(Canvas& Picture)
{
    const Ramp Ground{{{70, 20, 80}, {30, 8, 50}, {12, 4, 30}}};
    const int S = 4;
    for (int Y = Horizon; Y < 480; ++Y) {
        Rgb Base = Ground.At(double(Y - Horizon) / (480 - Horizon));
        for (int X = 0; X < 640; ++X) {
            double Glow = 0.0;
            for (int J = 0; J < S; ++J)
                for (int I = 0; I < S; ++I)
                    Glow += GridGlow(X + (I + 0.5) / S, Y + (J + 0.5) / S);
            Picture.At(X, Y) = Mix(Base, {255, 80, 220}, std::min(1.0, Glow / (S * S) * 1.6));
        }
    }
    FillRect(Picture, 0, Horizon, 640, 1, {255, 170, 200});
}

void DrawTitle(Canvas& Picture)
{
    Lettering Chrome;
    Chrome.Fill = Ramp{{{255, 255, 255}, {150, 210, 255}, {40, 90, 200}, {20, 20, 60},
                        {255, 140, 40}, {255, 230, 120}, {255, 255, 230}}};
    Chrome.Bands = 14;
    Chrome.Outline = {10, 6, 40};
    Chrome.OutlineRadius = 3;
    Chrome.Shadow = {40, 10, 70};
    Chrome.ShadowX = 6;
    Chrome.ShadowY = 6;
    Chrome.Highlight = White;
    Chrome.Shade = {30, 20, 90};
    Chrome.Bevel = 0.5;
    TextMask Title = RenderText({"DejaVuSans-Bold.ttf", 96, 120}, "VORLUNE", 4);
    int X = (640 - Title.Ink.Width) / 2, Y = 150 - Title.Ink.Height / 2;
    PaintLettering(Picture, Title.Ink, X, Y, Chrome, 0, Title.Ink.Height);

    Lettering Small;
    Small.Fill = Ramp{{{255, 230, 160}, {255, 150, 60}}};
    Small.Outline = {30, 10, 50};
    Small.OutlineRadius = 1;
    Small.Highlight = White;
    Small.Bevel = 0.0;
    TextMask Presents = RenderText({"DejaVuSansMono-Bold.ttf", 14, 14}, "QV PRESENTS", 3);
    PaintLettering(Picture, Presents.Ink, (640 - Presents.Ink.Width) / 2, 52, Small, 0, Presents.Ink.Height);
}

// A bevelled slot for the bar at (BarX, BarY), 260 x 16, with a label.
void DrawBarFrame(Canvas& Picture)
{
    const int W = 260, H = 16;
    FillRect(Picture, BarX - 6, BarY - 6, W + 12, H + 12, {200, 180, 255});
    FillRect(Picture, BarX - 5, BarY - 5, W + 11, H + 11, {40, 20, 80});
    FillRect(Picture, BarX - 5, BarY - 5, W + 10, H + 10, {120, 90, 200});
    FillRect(Picture, BarX - 2, BarY - 2, W + 4, H + 4, {16, 8, 40});
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            Picture.At(BarX + X, BarY + Y) = ((X + Y) & 1) ? Rgb{30, 20, 70} : Rgb{22, 14, 54};

    Lettering Label;
    Label.Fill = Ramp{{{220, 240, 255}, {120, 170, 255}}};
    Label.Outline = {20, 10, 50};
    Label.OutlineRadius = 1;
    TextMask Loading = RenderText({"DejaVuSansMono-Bold.ttf", 13, 13}, "LOADING", 4);
    PaintLettering(Picture, Loading.Ink, (640 - Loading.Ink.Width) / 2, BarY - 26, Label, 0, Loading.Ink.Height);
}

}  // namespace

Canvas DrawLoading()
{
    Canvas Picture = MakeCanvas(640, 480);
    DrawSky(Picture);
    DrawMoon(Picture);
    DrawGridPlain(Picture);
    DrawTitle(Picture);
    DrawBarFrame(Picture);
    return Picture;
}
