#pragma once
// The geometry the pictures and the effects agree on: the effects draw in
// these places, and make-assets draws its pictures around them.
#include <cstdint>

// Each of the two black letterbox bars; the view between them is 340 rows.
constexpr int32_t LetterboxBarRows = 70;
constexpr int32_t LetterboxViewRows = 480 - 2 * LetterboxBarRows;

// The progress bar's top-left corner on the loading picture, in view pixels.
constexpr int32_t ProgressBarX = 190, ProgressBarY = 311;

// A window of the flower frame, in letterbox view pixels.
struct FrameWindow {
    int32_t Left, Top, Width, Height;
};
// Where the snow falls, and where the light blobs shine.
constexpr FrameWindow SnowWindow{126, 25, 390, 290};
constexpr FrameWindow BlobWindow{124, 24, 391, 290};
