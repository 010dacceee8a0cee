// The blit every effect draws with: clipped to the view, optionally keyed
// and blended. It runs thousands of times a second, so the mode is chosen
// once per call and each mode has its own row loop.
#include <cstring>

#include "core/Numbers.h"
#include "core/Screen.h"
#include "image/CopyRows.h"
#include "image/Image.h"
#include "log/Log.h"

namespace {

// The visible part of an image: source offset, size, view position.
struct Clip {
    int32_t SX, SY, DW, DH, DX, DY;
};

// Logs and returns false when the image lies wholly outside the view.
// Sums are 64-bit so that positions near the 32-bit limits cannot wrap.
bool ClipToView(const Image& Img, int32_t X, int32_t Y, Clip& C)
{
    const int64_t VW = MainScreen->ViewWidth, VH = MainScreen->ViewHeight;
    const int64_t Right = int64_t{X} + Img.Width, Bottom = int64_t{Y} + Img.Height;
    const char* Hidden = Right <= 0 ? "Hide Left\n"
                         : Bottom <= 0 ? "Hide Top\n"
                         : X > VW      ? "Hide Right\n"
                         : Y >= VH     ? "Hide Bottom\n"
                                       : nullptr;
    if (Hidden) {
        LogPrint(Hidden);
        return false;
    }
    int64_t DW = Img.Width, DH = Img.Height, DX = X, DY = Y, SX = 0, SY = 0;
    if (Bottom > VH)
        DH -= Bottom - VH;
    if (Y < 0) {
        DH += Y;
        DY = 0;
        SY = -int64_t{Y};
    }
    if (Right > VW)
        DW -= Right - VW;
    if (X < 0) {
        DW += X;
        DX = 0;
        SX = -int64_t{X};
    }
    // Each value now lies within the image or the view.
    C = {int32_t(SX), int32_t(SY), int32_t(DW), int32_t(DH), int32_t(DX), int32_t(DY)};
    return true;
}

// One channel of the blend: a 32-bit float quotient truncated to 64 bits,
// of which the low 8 bits are kept (no saturation).
inline uint32_t BlendChannel(int32_t Sum, float Divisor)
{
    const float Quotient = static_cast<float>(Sum) / Divisor;
    return static_cast<uint8_t>(TruncToInt64(Quotient));
}

// Every channel sum of two bytes, blended once per divisor: the divisor
// rarely changes between calls.
struct BlendTable {
    uint32_t DivisorBits = 0;
    bool Filled = false;
    uint8_t Result[511];
};

BlendTable Table;

const uint8_t* BlendResults(float Divisor)
{
    uint32_t Bits;
    std::memcpy(&Bits, &Divisor, sizeof Bits);
    if (!Table.Filled || Table.DivisorBits != Bits) {
        for (int32_t Sum = 0; Sum < 511; ++Sum)
            Table.Result[Sum] = static_cast<uint8_t>(BlendChannel(Sum, Divisor));
        Table.DivisorBits = Bits;
        Table.Filled = true;
    }
    return Table.Result;
}

// Green and blue of the blend, and the red sum given to RedResult.
template <typename RedFn>
inline uint32_t Blend(uint32_t S, uint32_t P, const uint8_t* Results, RedFn RedResult)
{
    const uint32_t Green = Results[((S >> 8) & 0xFF) + ((P >> 8) & 0xFF)];
    const uint32_t Blue = Results[(S & 0xFF) + (P & 0xFF)];
    return RedResult(S >> 16, P) << 16 | Green << 8 | Blue;
}

template <typename RowFn>
void DrawRows(const Image& Img, const Clip& C, RowFn Row)
{
    const size_t VW = MainScreen->ViewWidth;
    const uint8_t* Source = Img.Data + (size_t(C.SY) * size_t(Img.Width) + size_t(C.SX)) * 3;
    uint32_t* Target = DrawOrigin + size_t(C.DY) * VW + size_t(C.DX);
    for (int32_t r = 0; r < C.DH; ++r) {
        Row(Source, Target, C.DW);
        Source += size_t(Img.Width) * 3;
        Target += VW;
    }
}

void Copy(const Image& Img, const Clip& C)
{
    DrawRows(Img, C, CopyRow);
}

void KeyedCopy(const Image& Img, const Clip& C)
{
    const uint32_t Key = Img.KeyColor;
    DrawRows(Img, C, [Key](const uint8_t* From, uint32_t* To, int32_t Count) { KeyedCopyRow(From, To, Count, Key); });
}

void BlendCopy(const Image& Img, const Clip& C, float Divisor)
{
    const uint8_t* Results = BlendResults(Divisor);
    // The destination red is the whole pixel shifted arithmetically, unmasked:
    // a pixel with its top byte set gives a sum outside the table.
    auto Red = [Results, Divisor](uint32_t SourceRed, uint32_t P) -> uint32_t {
        const int32_t Sum = int32_t(SourceRed) + (static_cast<int32_t>(P) >> 16);
        return (P >> 24) == 0 ? Results[Sum] : BlendChannel(Sum, Divisor);
    };
    DrawRows(Img, C, [Results, Red](const uint8_t* From, uint32_t* To, int32_t Count) {
        for (int32_t c = 0; c < Count; ++c)
            To[c] = Blend(SourceColour(From + 3 * c), To[c], Results, Red);
    });
}

void KeyedBlend(const Image& Img, const Clip& C, float Divisor)
{
    const uint8_t* Results = BlendResults(Divisor);
    const uint32_t Key = Img.KeyColor;
    // Here the destination red is masked to its byte.
    auto Red = [Results](uint32_t SourceRed, uint32_t P) -> uint32_t { return Results[SourceRed + ((P >> 16) & 0xFF)]; };
    DrawRows(Img, C, [Results, Red, Key](const uint8_t* From, uint32_t* To, int32_t Count) {
        for (int32_t c = 0; c < Count; ++c) {
            const uint32_t S = SourceColour(From + 3 * c);
            if (S != Key)
                To[c] = Blend(S, To[c], Results, Red);
        }
    });
}

}  // namespace

void PutImage(const Image* Img, int32_t X, int32_t Y, float Divisor)
{
    if (!Img)
        return;
    LogPrint("PosX = <%d> : PosY = <%d>\n", X, Y);
    Clip C;
    if (!ClipToView(*Img, X, Y, C))
        return;
    LogPrint("NewPosX <%d> : NewPosY <%d> : NewWidth <%d> : NewHeight <%d>\nDestX <%d>> : DestY <%d>\n", C.SX, C.SY,
             C.DW, C.DH, C.DX, C.DY);
    // -0.0 copies like 0.0; NaN blends.
    const bool Copying = Divisor == 0.0f;
    if (Img->Transparent == 0)
        Copying ? Copy(*Img, C) : BlendCopy(*Img, C, Divisor);
    else
        Copying ? KeyedCopy(*Img, C) : KeyedBlend(*Img, C, Divisor);
}
