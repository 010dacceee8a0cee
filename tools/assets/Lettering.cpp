#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Text.h"

int LetteringMargin(const Lettering& Style)
{
    return Style.OutlineRadius + std::max(std::abs(Style.ShadowX), std::abs(Style.ShadowY));
}

static void PaintMask(Canvas& Picture, const Mask& Shape, int X, int Y, Rgb Colour)
{
    for (int J = 0; J < Shape.Height; ++J)
        for (int I = 0; I < Shape.Width; ++I)
            if (Shape.Get(I, J) && Picture.Inside(X + I, Y + J))
                Picture.At(X + I, Y + J) = Colour;
}

static Rgb FillAt(const Lettering& Style, int Row, int FillTop, int FillHeight)
{
    double T = (Row - FillTop + 0.5) / std::max(FillHeight, 1);
    if (Style.Bands > 0)
        T = (std::floor(std::clamp(T, 0.0, 0.999) * Style.Bands) + 0.5) / Style.Bands;
    return Style.Fill.At(T);
}

void PaintLettering(Canvas& Picture, const Mask& Ink, int X, int Y, const Lettering& Style, int FillTop,
                    int FillHeight)
{
    const int M = LetteringMargin(Style);
    const Mask Padded = Pad(Ink, M, M, M, M);
    const Mask Outer = Style.OutlineRadius > 0 ? Dilate(Padded, Style.OutlineRadius) : Padded;
    if (Style.ShadowX || Style.ShadowY)
        PaintMask(Picture, Outer, X - M + Style.ShadowX, Y - M + Style.ShadowY, Style.Shadow);
    if (Style.OutlineRadius > 0)
        PaintMask(Picture, Outer, X - M, Y - M, Style.Outline);

    for (int J = 0; J < Ink.Height; ++J)
        for (int I = 0; I < Ink.Width; ++I) {
            if (!Ink.Get(I, J) || !Picture.Inside(X + I, Y + J))
                continue;
            Rgb C = FillAt(Style, J, FillTop, FillHeight);
            if (!Ink.Get(I - 1, J - 1) || !Ink.Get(I, J - 1))
                C = Mix(C, Style.Highlight, Style.Bevel);
            else if (!Ink.Get(I + 1, J + 1) || !Ink.Get(I + 1, J))
                C = Mix(C, Style.Shade, Style.Bevel);
            Picture.At(X + I, Y + J) = C;
        }
}
