#pragma once
// The CRT look over a picture scaled by a whole factor: scanlines, a shadow
// mask and a little glow. It is laid on at presentation only; the frame it
// covers stays exact. The live window, the page and the capture tool's video
// take its numbers from here, so all three show the same look.
//
// An output pixel is its picture pixel through the mask, plus the glow:
// the picture shrunk CrtGlowShrink times (a box average, as two halvings
// through a linear filter make it), spread back over the output with a
// linear filter and added at CrtGlowAlpha / 255.
#include <cstdint>

// At a factor of 1 there is no room between the lines: nothing changes.
constexpr int32_t CrtMinScale = 2;

constexpr int32_t CrtGlowShrink = 4;
constexpr uint32_t CrtGlowAlpha = 72;

// Light let through (of 255) in the gap between two lines of the picture,
// and by the stripes of a triad whose colour is not the channel's.
constexpr uint32_t CrtGapLight = 150;
constexpr uint32_t CrtOtherStripes = 180;

// Output rows of each picture line that lie in its gap: the last third,
// one row at least.
inline bool CrtInGap(int32_t Y, int32_t Scale)
{
    const int32_t Gap = Scale / 3 > 1 ? Scale / 3 : 1;
    return Y % Scale >= Scale - Gap;
}

// The light the mask lets through at output pixel (X, Y), counted from the
// scaled picture's top left, per channel, as 0x00RRGGBB (0xFF: all of it).
// The triads are three columns wide and move by one column from one
// picture line to the next, as a shadow mask's dots are staggered.
inline uint32_t CrtMask(int32_t X, int32_t Y, int32_t Scale)
{
    if (Scale < CrtMinScale)
        return 0xFFFFFF;
    const uint32_t Line = CrtInGap(Y, Scale) ? CrtGapLight : 255;
    const int32_t Lit = (X + Y / Scale % 2) % 3;  // 0 red, 1 green, 2 blue
    uint32_t Mask = 0;
    for (int32_t Channel = 0; Channel < 3; ++Channel) {
        const uint32_t Stripe = Channel == Lit ? 255 : CrtOtherStripes;
        Mask |= (Line * Stripe + 127) / 255 << (16 - 8 * Channel);
    }
    return Mask;
}

// The period of the mask: it repeats every CrtMaskWidth columns and
// CrtMaskHeight(Scale) rows.
constexpr int32_t CrtMaskWidth = 3;
inline int32_t CrtMaskHeight(int32_t Scale)
{
    return 2 * Scale;
}

// One channel of an output pixel: the picture's through the mask (as a
// renderer's multiplying blend gives it), the glow's added (as an adding
// blend at CrtGlowAlpha does), at most full light.
inline uint32_t CrtChannel(uint32_t Picture, uint32_t Mask, uint32_t Glow)
{
    const uint32_t Light = (Picture * Mask + 127) / 255 + (Glow * CrtGlowAlpha + 127) / 255;
    return Light < 255 ? Light : 255;
}
