#include "CrtFrame.h"

#include <algorithm>

#include "platform/CrtLook.h"

namespace {

constexpr int32_t Width = 640, Height = 480;
constexpr int32_t GlowWidth = Width / CrtGlowShrink, GlowHeight = Height / CrtGlowShrink;

struct Rgb {
    uint32_t C[3];  // red, green, blue
};

Rgb Channels(uint32_t Pixel)
{
    return {{Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF}};
}

// Box averages of 2 x 2, rounded, as a linear filter halves a picture.
std::vector<Rgb> Halved(const std::vector<Rgb>& From, int32_t FromWidth, int32_t FromHeight)
{
    const int32_t W = FromWidth / 2, H = FromHeight / 2;
    std::vector<Rgb> To(size_t(W) * size_t(H));
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) {
            const Rgb* Top = &From[size_t(2 * y) * FromWidth + 2 * x];
            const Rgb* Bottom = Top + FromWidth;
            for (int c = 0; c < 3; ++c)
                To[size_t(y) * W + x].C[c] = (Top[0].C[c] + Top[1].C[c] + Bottom[0].C[c] +
                                              Bottom[1].C[c] + 2) / 4;
        }
    return To;
}

std::vector<Rgb> Glow(const uint8_t* Frame, int32_t Pitch)
{
    std::vector<Rgb> Full(size_t(Width) * Height);
    for (int32_t y = 0; y < Height; ++y) {
        const auto* Row = reinterpret_cast<const uint32_t*>(Frame + size_t(y) * Pitch);
        for (int32_t x = 0; x < Width; ++x)
            Full[size_t(y) * Width + x] = Channels(Row[x]);
    }
    std::vector<Rgb> Glow = Full;
    for (int32_t Size = 1; Size < CrtGlowShrink; Size *= 2)
        Glow = Halved(Glow, Width / Size, Height / Size);
    return Glow;
}

// A linear filter's sample of a row of Count texels, each Span output
// pixels wide, at output pixel Out: the texels on both sides and the
// second's weight in 1 / (2 Span), edges clamped.
struct Tap {
    int32_t First, Second, Weight;
};

Tap LinearTap(int32_t Out, int32_t Span, int32_t Count)
{
    const int32_t Place = 2 * Out + 1 - Span;  // the texel space, times 2 Span
    const int32_t First = Place < 0 ? -1 : Place / (2 * Span);
    const int32_t Weight = Place - First * 2 * Span;
    return {std::clamp(First, 0, Count - 1), std::clamp(First + 1, 0, Count - 1), Weight};
}

}  // namespace

void CrtFrame(const uint8_t* Frame, int32_t Pitch, int32_t Scale, std::vector<uint32_t>* Out)
{
    const int32_t OutWidth = Width * Scale, OutHeight = Height * Scale;
    const int32_t Span = Scale * CrtGlowShrink, Both = 2 * Span;
    const std::vector<Rgb> Small = Glow(Frame, Pitch);
    // The glow spread across first, once per glow row (times 2 Span), so
    // that each output row only blends two of them.
    std::vector<int32_t> Wide(size_t(GlowHeight) * OutWidth * 3);
    for (int32_t x = 0; x < OutWidth; ++x) {
        const Tap H = LinearTap(x, Span, GlowWidth);
        for (int32_t y = 0; y < GlowHeight; ++y)
            for (int c = 0; c < 3; ++c)
                Wide[(size_t(y) * OutWidth + x) * 3 + c] =
                    int32_t(Small[size_t(y) * GlowWidth + H.First].C[c]) * (Both - H.Weight) +
                    int32_t(Small[size_t(y) * GlowWidth + H.Second].C[c]) * H.Weight;
    }
    // Dividing by (2 Span)^2 as a multiply: one step off at most.
    const uint64_t Inverse = ((uint64_t{1} << 32) + uint64_t(Both * Both) - 1) / uint64_t(Both * Both);
    // The mask repeats down the picture: its rows made once.
    const int32_t Period = CrtMaskHeight(Scale);
    std::vector<uint32_t> Masks(size_t(Period) * OutWidth);
    for (int32_t y = 0; y < Period; ++y)
        for (int32_t x = 0; x < OutWidth; ++x)
            Masks[size_t(y) * OutWidth + x] = CrtMask(x, y, Scale);
    Out->resize(size_t(OutWidth) * OutHeight);
    for (int32_t y = 0; y < OutHeight; ++y) {
        const Tap V = LinearTap(y, Span, GlowHeight);
        const int32_t* Above = &Wide[size_t(V.First) * OutWidth * 3];
        const int32_t* Below = &Wide[size_t(V.Second) * OutWidth * 3];
        const auto* Row = reinterpret_cast<const uint32_t*>(Frame + size_t(y / Scale) * Pitch);
        const uint32_t* MaskRow = &Masks[size_t(y % Period) * OutWidth];
        uint32_t* To = Out->data() + size_t(y) * OutWidth;
        for (int32_t x = 0; x < OutWidth; ++x) {
            const Rgb Picture = Channels(Row[x / Scale]), Mask = Channels(MaskRow[x]);
            uint32_t Pixel = 0;
            for (int c = 0; c < 3; ++c) {
                const uint64_t Sum = uint64_t(Above[x * 3 + c] * (Both - V.Weight) + Below[x * 3 + c] * V.Weight);
                const uint32_t Glowing = uint32_t((Sum * Inverse + (uint64_t{1} << 31)) >> 32);
                Pixel |= CrtChannel(Picture.C[c], Mask.C[c], Glowing) << (16 - 8 * c);
            }
            To[x] = Pixel;
        }
    }
}
