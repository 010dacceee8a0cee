#pragma once
// The picture in memory: 24-bit RGB pixels, row after row, and the 1-bit or
// 8-bit masks the drawing code cuts shapes with.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const Rgb&) const = default;
};

struct Canvas {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;  // Width * Height, row after row

    Rgb& At(int X, int Y) { return Pixels[size_t(Y) * Width + X]; }
    const Rgb& At(int X, int Y) const { return Pixels[size_t(Y) * Width + X]; }
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width && Y < Height; }
};

// Coverage 0..255 per pixel; the lettering uses 0 or 255 only.
struct Mask {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bits;

    uint8_t Get(int X, int Y) const
    {
        return X >= 0 && Y >= 0 && X < Width && Y < Height ? Bits[size_t(Y) * Width + X] : 0;
    }
    void Set(int X, int Y, uint8_t V)
    {
        if (X >= 0 && Y >= 0 && X < Width && Y < Height)
            Bits[size_t(Y) * Width + X] = V;
    }
};

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Magenta{255, 0, 255};

Canvas MakeCanvas(int Width, int Height, Rgb Fill = Black);
Mask MakeMask(int Width, int Height);

// "P6\n<w> <h>\n255\n" and the RGB bytes: what the demo's loader reads.
std::string EncodePPM(const Canvas& Picture);
bool WritePPM(const Canvas& Picture, const std::string& Path);

// Colour arithmetic in doubles, rounded to bytes at the end.
uint8_t ToByte(double V);
Rgb MakeRgb(double R, double G, double B);
Rgb Mix(Rgb A, Rgb B, double T);
Rgb Scale(Rgb C, double F);
Rgb Add(Rgb A, Rgb B);

// A colour ramp through evenly spaced stops; T from 0 to 1.
struct Ramp {
    std::vector<Rgb> Stops;
    Rgb At(double T) const;
};

void FillRect(Canvas& Picture, int X, int Y, int W, int H, Rgb Colour);
// Copies Source into Picture at (X, Y), clipped.
void Blit(Canvas& Picture, const Canvas& Source, int X, int Y);
Canvas Crop(const Canvas& Picture, int X, int Y, int W, int H);
// Averages Factor x Factor blocks: drawing at a higher resolution smooths
// the opaque pictures; keyed edges are cut afterwards, at full resolution.
Canvas Downsample(const Canvas& Big, int Factor);
Canvas MirrorX(const Canvas& Picture);
Canvas MirrorY(const Canvas& Picture);

// The largest difference of one channel: how far a colour is from the key.
int KeyDistance(Rgb C, Rgb Key);
// Moves every pixel that is not the key but nearer to it than MinDistance
// out to that distance, so that no near-key fringe is ever drawn.
void LiftFromKey(Canvas& Picture, Rgb Key, int MinDistance);

// A small deterministic generator for stars, noise and rivets.
struct Lcg {
    uint32_t State;
    uint32_t Next()
    {
        State = State * 1664525u + 1013904223u;
        return State >> 8;
    }
    double Unit() { return double(Next() & 0xFFFFFF) / 16777216.0; }
};

// Each pixel becomes a Factor x Factor block.
Canvas Enlarge(const Canvas& Picture, int Factor);
