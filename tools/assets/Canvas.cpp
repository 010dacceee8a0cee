#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

Canvas MakeCanvas(int Width, int Height, Rgb Fill)
{
    Canvas Picture;
    Picture.Width = Width;
    Picture.Height = Height;
    Picture.Pixels.assign(size_t(Width) * Height, Fill);
    return Picture;
}

Mask MakeMask(int Width, int Height)
{
    Mask M;
    M.Width = Width;
    M.Height = Height;
    M.Bits.assign(size_t(Width) * Height, 0);
    return M;
}

std::string EncodePPM(const Canvas& Picture)
{
    std::string Bytes = "P6\n" + std::to_string(Picture.Width) + " " + std::to_string(Picture.Height) + "\n255\n";
    Bytes.reserve(Bytes.size() + Picture.Pixels.size() * 3);
    for (const Rgb& P : Picture.Pixels) {
        Bytes.push_back(char(P.R));
        Bytes.push_back(char(P.G));
        Bytes.push_back(char(P.B));
    }
    return Bytes;
}

bool WritePPM(const Canvas& Picture, const std::string& Path)
{
    std::FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File)
        return false;
    std::string Bytes = EncodePPM(Picture);
    bool Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
    return std::fclose(File) == 0 && Ok;
}

uint8_t ToByte(double V)
{
    if (!(V > 0.0))
        return 0;
    if (V >= 255.0)
        return 255;
    return uint8_t(V + 0.5);
}

Rgb MakeRgb(double R, double G, double B) { return {ToByte(R), ToByte(G), ToByte(B)}; }

Rgb Mix(Rgb A, Rgb B, double T)
{
    return MakeRgb(A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T);
}

Rgb Scale(Rgb C, double F) { return MakeRgb(C.R * F, C.G * F, C.B * F); }

Rgb Add(Rgb A, Rgb B) { return MakeRgb(A.R + B.R, A.G + B.G, A.B + B.B); }

Rgb Ramp::At(double T) const
{
    if (Stops.size() == 1)
        return Stops[0];
    T = std::clamp(T, 0.0, 1.0) * double(Stops.size() - 1);
    size_t I = std::min(size_t(T), Stops.size() - 2);
    return Mix(Stops[I], Stops[I + 1], T - double(I));
}

void FillRect(Canvas& Picture, int X, int Y, int W, int H, Rgb Colour)
{
    for (int Row = std::max(Y, 0); Row < std::min(Y + H, Picture.Height); ++Row)
        for (int Col = std::max(X, 0); Col < std::min(X + W, Picture.Width); ++Col)
            Picture.At(Col, Row) = Colour;
}

void Blit(Canvas& Picture, const Canvas& Source, int X, int Y)
{
    for (int Row = 0; Row < Source.Height; ++Row)
        for (int Col = 0; Col < Source.Width; ++Col)
            if (Picture.Inside(X + Col, Y + Row))
                Picture.At(X + Col, Y + Row) = Source.At(Col, Row);
}

Canvas Crop(const Canvas& Picture, int X, int Y, int W, int H)
{
    Canvas Part = MakeCanvas(W, H);
    for (int Row = 0; Row < H; ++Row)
        for (int Col = 0; Col < W; ++Col)
            if (Picture.Inside(X + Col, Y + Row))
                Part.At(Col, Row) = Picture.At(X + Col, Y + Row);
    return Part;
}

Canvas Downsample(const Canvas& Big, int Factor)
{
    Canvas Small = MakeCanvas(Big.Width / Factor, Big.Height / Factor);
    const double Area = double(Factor * Factor);
    for (int Y = 0; Y < Small.Height; ++Y)
        for (int X = 0; X < Small.Width; ++X) {
            int R = 0, G = 0, B = 0;
            for (int J = 0; J < Factor; ++J)
                for (int I = 0; I < Factor; ++I) {
                    const Rgb& P = Big.At(X * Factor + I, Y * Factor + J);
                    R += P.R;
                    G += P.G;
                    B += P.B;
                }
            Small.At(X, Y) = MakeRgb(R / Area, G / Area, B / Area);
        }
    return Small;
}

Canvas MirrorX(const Canvas& Picture)
{
    Canvas Out = Picture;
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X)
            Out.At(X, Y) = Picture.At(Picture.Width - 1 - X, Y);
    return Out;
}

Canvas MirrorY(const Canvas& Picture)
{
    Canvas Out = Picture;
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X)
            Out.At(X, Y) = Picture.At(X, Picture.Height - 1 - Y);
    return Out;
}

int KeyDistance(Rgb C, Rgb Key)
{
    return std::max({std::abs(C.R - Key.R), std::abs(C.G - Key.G), std::abs(C.B - Key.B)});
}

static uint8_t Away(uint8_t C, uint8_t K, int MinDistance)
{
    // Step away from the key's channel in whichever direction has room.
    if (K + MinDistance <= 255 && (C >= K || K - MinDistance < 0))
        return uint8_t(std::max(int(C), K + MinDistance));
    return uint8_t(std::min(int(C), K - MinDistance));
}

void LiftFromKey(Canvas& Picture, Rgb Key, int MinDistance)
{
    for (Rgb& P : Picture.Pixels) {
        if (P == Key || KeyDistance(P, Key) >= MinDistance)
            continue;
        // Push the channel already furthest from the key.
        int DR = std::abs(P.R - Key.R), DG = std::abs(P.G - Key.G), DB = std::abs(P.B - Key.B);
        if (DR >= DG && DR >= DB)
            P.R = Away(P.R, Key.R, MinDistance);
        else if (DG >= DB)
            P.G = Away(P.G, Key.G, MinDistance);
        else
            P.B = Away(P.B, Key.B, MinDistance);
    }
}

Canvas Enlarge(const Canvas& Picture, int Factor)
{
    Canvas Big = MakeCanvas(Picture.Width * Factor, Picture.Height * Factor);
    for (int Y = 0; Y < Big.Height; ++Y)
        for (int X = 0; X < Big.Width; ++X)
            Big.At(X, Y) = Picture.At(X / Factor, Y / Factor);
    return Big;
}
