#include "Text.h"

#include <algorithm>
#include <climits>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

struct FreeType {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;
    ~FreeType()
    {
        if (Face)
            FT_Done_Face(Face);
        if (Library)
            FT_Done_FreeType(Library);
    }
};

struct Placed {
    int X, Y;  // pen position of the bitmap's top-left, baseline at Y = 0
    Mask Bits;
};

Mask FromBitmap(const FT_Bitmap& Bitmap)
{
    Mask M = MakeMask(int(Bitmap.width), int(Bitmap.rows));
    for (int Y = 0; Y < M.Height; ++Y) {
        const unsigned char* Row = Bitmap.buffer + Y * Bitmap.pitch;
        for (int X = 0; X < M.Width; ++X)
            if (Row[X >> 3] & (0x80 >> (X & 7)))
                M.Set(X, Y, 255);
    }
    return M;
}

}  // namespace

TextMask RenderText(const TypeFace& Face, std::string_view Text, int Tracking)
{
    TextMask Result;
    FreeType Ft;
    if (FT_Init_FreeType(&Ft.Library) || FT_New_Face(Ft.Library, (FontFolder + Face.File).c_str(), 0, &Ft.Face) ||
        FT_Set_Pixel_Sizes(Ft.Face, FT_UInt(Face.PixelWidth), FT_UInt(Face.PixelHeight)))
        return Result;

    std::vector<Placed> Glyphs;
    int Pen = 0;
    for (char C : Text) {
        if (FT_Load_Char(Ft.Face, FT_ULong(static_cast<unsigned char>(C)), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO))
            continue;
        FT_GlyphSlot Slot = Ft.Face->glyph;
        Glyphs.push_back({Pen + Slot->bitmap_left, -Slot->bitmap_top, FromBitmap(Slot->bitmap)});
        Pen += int(Slot->advance.x >> 6) + Tracking;
    }

    int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;
    for (const Placed& G : Glyphs)
        for (int Y = 0; Y < G.Bits.Height; ++Y)
            for (int X = 0; X < G.Bits.Width; ++X)
                if (G.Bits.Get(X, Y)) {
                    Left = std::min(Left, G.X + X);
                    Right = std::max(Right, G.X + X);
                    Top = std::min(Top, G.Y + Y);
                    Bottom = std::max(Bottom, G.Y + Y);
                }
    if (Left > Right)
        return Result;

    Result.Ink = MakeMask(Right - Left + 1, Bottom - Top + 1);
    Result.BaselineY = -Top;
    for (const Placed& G : Glyphs)
        for (int Y = 0; Y < G.Bits.Height; ++Y)
            for (int X = 0; X < G.Bits.Width; ++X)
                if (G.Bits.Get(X, Y))
                    Result.Ink.Set(G.X + X - Left, G.Y + Y - Top, 255);
    return Result;
}

TextMask RenderCapital(int Letter, int CapHeight, int MaxWidth)
{
    const char Capital[2] = {char('A' + Letter), 0};
    const int Em = CapHeight * 100 / 73;  // DejaVu's capitals are 0.73 em tall
    TextMask Glyph;
    for (int W = Em; W > Em / 3; --W) {
        Glyph = RenderText({"DejaVuSans-Bold.ttf", W, Em}, Capital);
        if (Glyph.Ink.Width <= MaxWidth)
            break;
    }
    return Glyph;
}

Mask Dilate(const Mask& In, int Radius)
{
    Mask Out = MakeMask(In.Width, In.Height);
    for (int Y = 0; Y < In.Height; ++Y)
        for (int X = 0; X < In.Width; ++X) {
            bool Hit = false;
            for (int J = -Radius; J <= Radius && !Hit; ++J)
                for (int I = -Radius; I <= Radius && !Hit; ++I)
                    Hit = I * I + J * J <= Radius * Radius + Radius / 2 && In.Get(X + I, Y + J);
            Out.Set(X, Y, Hit ? 255 : 0);
        }
    return Out;
}

Mask Pad(const Mask& In, int Left, int Top, int Right, int Bottom)
{
    Mask Out = MakeMask(In.Width + Left + Right, In.Height + Top + Bottom);
    for (int Y = 0; Y < In.Height; ++Y)
        for (int X = 0; X < In.Width; ++X)
            Out.Set(X + Left, Y + Top, In.Get(X, Y));
    return Out;
}

Mask Enlarge(const Mask& In, int Factor)
{
    Mask Out = MakeMask(In.Width * Factor, In.Height * Factor);
    for (int Y = 0; Y < Out.Height; ++Y)
        for (int X = 0; X < Out.Width; ++X)
            Out.Set(X, Y, In.Get(X / Factor, Y / Factor));
    return Out;
}
