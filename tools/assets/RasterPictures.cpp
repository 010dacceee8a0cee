// Copper bars and the rolling copper field behind the greetings.
#include <cmath>

#include "Pictures.h"

namespace {

const Rgb BarColours[5] = {
    {235, 40, 30},    // red
    {40, 220, 70},    // green
    {40, 90, 245},    // blue
    {170, 60, 240},   // violet
    {245, 210, 40},   // yellow
};

// Brightness across a bar: dark rims, a full middle and a white-hot line.
Rgb CopperRow(Rgb Base, double T)
{
    double Arc = std::sin(M_PI * T);
    double Body = 0.12 + 0.88 * std::pow(Arc, 1.3);
    double Hot = std::pow(Arc, 10.0) * 0.75;
    return MakeRgb(Base.R * Body + 255 * Hot, Base.G * Body + 255 * Hot, Base.B * Body + 255 * Hot);
}

}  // namespace

Canvas DrawRasterBar(int Colour)
{
    Canvas Bar = MakeCanvas(640, RasterHeight);
    for (int Y = 0; Y < RasterHeight; ++Y)
        FillRect(Bar, 0, Y, 640, 1, CopperRow(BarColours[Colour], (Y + 0.5) / RasterHeight));
    return Bar;
}

// Wavy copper bands that cycle through deep colours. Kept at most about
// half brightness: the greetings blend their echoes over it, and the sums
// of glyph and background must stay low enough not to wrap.
Canvas DrawBackgroundRaster()
{
    const int W = 800, H = 600;
    const Ramp Hues{{{20, 40, 120}, {70, 20, 110}, {110, 30, 70}, {30, 80, 110}, {20, 40, 120}}};
    Canvas Picture = MakeCanvas(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            double Wave = Y + 18.0 * std::sin(X / 61.0) + 9.0 * std::sin((X + Y) / 37.0);
            double Band = Wave / 40.0;
            double Phase = Band - std::floor(Band);
            // Copper steps of two rows inside each band.
            double Step = std::floor(Phase * 20.0) / 20.0;
            double Arc = std::sin(M_PI * (Step + 0.025));
            double Hue = std::fmod((std::floor(Band) * 0.13 + X / 2400.0) + 10.0, 1.0);
            Rgb Base = Hues.At(Hue);
            double Glow = 0.35 + 0.65 * std::pow(Arc, 1.5);
            Rgb C = Scale(Base, Glow * 0.9);
            // A fine dither of lit dots where the bands are brightest.
            if (((X + Y) & 3) == 0 && Arc > 0.9)
                C = Add(C, {14, 14, 18});
            Picture.At(X, Y) = C;
        }
    return Picture;
}
