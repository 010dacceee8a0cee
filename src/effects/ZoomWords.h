#pragma once
// Slots 1 to 5: five words zoomed in over the frozen loading screen, then
// blurred away. Their state, for the tests.
#include <cstdint>

struct Image;

// What one word instance keeps between calls; zero at program start.
struct ZoomWordsState {
    int32_t FlagBlur;     // 0 while zooming, 1 while blurring
    float Ratio;          // word width div height, a whole number
    uint16_t ZoomFactor;  // width of the zoomed word this frame, in pixels
    Image* Backdrop;      // the view as the instance found it; freed at the end
};

// One state per instance, in slot order (slot 1 first).
extern ZoomWordsState ZoomWordsVars[5];
