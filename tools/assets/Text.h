#pragma once
// Text through FreeType, rendered without anti-aliasing: every pixel is in
// or out, so the letters keep hard edges against a colour key.
#include <string>
#include <string_view>

#include "Canvas.h"

const std::string FontFolder = "/usr/share/fonts/truetype/dejavu/";

struct TypeFace {
    std::string File;  // file name in FontFolder
    int PixelWidth;    // nominal em width in pixels (condenses when below the height)
    int PixelHeight;   // nominal em height in pixels
};

// One line of text as a mask of 0 and 255, cut to its ink, with where its
// baseline falls: BaselineY rows below the mask's top.
struct TextMask {
    Mask Ink;
    int BaselineY = 0;
};

// Letters are laid out with the face's advances plus Tracking pixels; a
// missing font file gives an empty mask.
TextMask RenderText(const TypeFace& Face, std::string_view Text, int Tracking = 0);

// The capital of letter 0 (A) to 25 (Z) in DejaVu Sans Bold, CapHeight
// pixels tall, condensed until its ink is at most MaxWidth wide.
TextMask RenderCapital(int Letter, int CapHeight, int MaxWidth);

// Grows a 0/255 mask by whole pixels: a round pen of Radius.
Mask Dilate(const Mask& In, int Radius);
// The same mask on a larger field, moved by (DX, DY).
Mask Pad(const Mask& In, int Left, int Top, int Right, int Bottom);
// Each pixel becomes a Factor x Factor block: the chunky look.
Mask Enlarge(const Mask& In, int Factor);
