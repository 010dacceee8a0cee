#pragma once
// Nearest-neighbour scaling of a picture straight into the screen's pixels,
// as the word zoom and the backdrop shrink draw: two float accumulators
// stepped once per screen pixel and per screen row, from 0.
#include <cstdint>

struct Image;

struct ScaledDraw {
    const Image* Source;
    uint32_t Columns;  // screen pixels drawn per row
    uint32_t Rows;     // screen rows drawn
    float StepX;       // source pixels per screen pixel
    float StepY;       // source rows per screen row
    int64_t Left;      // screen column of the first pixel; may lie outside
    int64_t Top;       // screen row of the first row; may lie outside
};

// Draws every pixel; what falls outside the screen is left out, and a
// source coordinate carried to the picture's width or height by rounding
// is clamped to its last column or row.
void DrawScaled(const ScaledDraw& Draw);
// The same, leaving out source pixels equal to Key (0x00RRGGBB).
void DrawScaledKeyed(const ScaledDraw& Draw, uint32_t Key);
