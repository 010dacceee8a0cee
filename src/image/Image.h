#pragma once
// Pictures in memory and the drawing that every effect goes through: the
// PPM loader, cutting, the clipped blit, bitmap text and whole-view helpers.
#include <cstdint>

struct Image {
    int32_t Width;         // pixels per row
    int32_t Width2;        // always equal to Width
    int32_t Height;        // rows
    int32_t Height2;       // always equal to Height
    uint8_t Bpp;           // bytes per pixel, always 3
    int32_t Transparent;   // non-zero: pixels equal to KeyColor are not drawn
    uint32_t KeyColor;     // 0x00RRGGBB
    uint32_t Size;         // bytes in Data: Width * Height * 3
    uint8_t* Data;         // R, G, B per pixel, rows from the top; never null
    uint8_t Extra;         // carried over by BlockCut, read by nobody
};

// Loads a binary PPM ("P6", maximum value 255). Null on failure, with one
// log line. A short pixel read is logged and leaves the rest black.
Image* LoadPPM(const char* Path);
// A Width x Height image; filled with KeyColor when Transparent is exactly
// 1, else black.
Image* CreateImage(int32_t Transparent, uint32_t KeyColor, uint8_t Extra, uint16_t Width, uint16_t Height);
// Releases an image; null is fine.
void FreeImage(Image* Img);

// Copies a rectangle of Source into a new opaque image that keeps the
// source's KeyColor and Extra. Null when the rectangle leaves the source.
Image* BlockCut(const Image* Source, uint16_t Left, uint16_t Top, uint16_t Width, uint16_t Height);

// Draws Img with its top-left corner at view pixel (X, Y), clipped to the
// view. Divisor 0 copies, anything else blends; Transparent images skip
// their key colour. Logs the position and the clipping.
void PutImage(const Image* Img, int32_t X, int32_t Y, float Divisor);

// Draws Text with a table of 26 glyphs (a to z) from (X, Y): upper case
// uses the lower-case glyphs, a space moves the pen, other bytes are skipped.
void PutString(Image* const* Glyphs, int32_t X, int32_t Y, const char* Text, float Divisor);

// Fills the view with white; the letterbox bars are not touched.
void FillViewWhite();
// Copies the view into Target, which is made at the view's size.
void GrabView(Image* Target);
// Draws a framed miniature of the view in its top-right corner. *Ready is 0
// on the first call of a run of frames; the call sets it to 1.
void ViewInset(int32_t* Ready);
