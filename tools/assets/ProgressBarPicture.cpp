// The progress bar: drawn at half strength over the loading picture, so it
// is bright, a copper tube running from violet to cyan with block segments.
#include <cmath>

#include "Pictures.h"

Canvas DrawProgressBar()
{
    const int W = 260, H = 16;
    const Ramp Hue{{{200, 60, 255}, {90, 120, 255}, {40, 220, 255}, {120, 255, 220}}};
    Canvas Bar = MakeCanvas(W, H);
    for (int Y = 0; Y < H; ++Y) {
        double Arc = std::sin(M_PI * (Y + 0.5) / H);
        double Body = 0.25 + 0.75 * Arc;
        double Hot = std::pow(Arc, 8.0) * 0.8;
        for (int X = 0; X < W; ++X) {
            Rgb Base = Hue.At(double(X) / (W - 1));
            Rgb C = MakeRgb(Base.R * Body + 255 * Hot, Base.G * Body + 255 * Hot, Base.B * Body + 255 * Hot);
            if (X % 10 == 9)
                C = Scale(C, 0.45);
            Bar.At(X, Y) = C;
        }
    }
    return Bar;
}
