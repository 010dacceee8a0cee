#pragma once
// Slots 1 to 5: five words zoomed in over the frozen loading screen, then
// blurred away. Their state and the blur pass, for the tests.
#include <cstdint>

struct Image;

// What one word instance keeps between calls; zero at program start.
struct ZoomWordState {
    int32_t FlagBlur;     // 0 while zooming, 1 while blurring
    float Ratio;          // word width div height, a whole number
    uint16_t ZoomFactor;  // width of the zoomed word this frame, in pixels
    Image* Backdrop;      // the view as the instance found it; freed at the end
};

// One state per instance, in slot order (slot 1 first).
extern ZoomWordState ZoomWordStates[5];

// One blur pass in place over the picture's bytes: each inner byte becomes
// the mean of itself, its interleaved neighbours left and right and the
// same byte in the rows above and below, rounding down. Bytes written
// earlier in the pass are used at once; the border bytes are kept.
void BlurPass(Image* Word);
