// Whole-view operations: fill white and grab into an image.
#include <algorithm>
#include <cstring>

#include "core/Screen.h"
#include "image/Image.h"
#include "log/Log.h"

// A few hundred pixels filled, the rest copied from them in doubling runs:
// a handful of large copies, at full speed even in a browser's first run
// of this rarely called function, before it has been optimized.
void FillViewWhite()
{
    const size_t Count = size_t{MainScreen->ViewWidth} * MainScreen->ViewHeight;
    size_t Done = std::min<size_t>(Count, 256);
    std::fill_n(DrawOrigin, Done, 0xFFFFFFu);
    while (Done < Count) {
        const size_t Run = std::min(Done, Count - Done);
        std::memcpy(DrawOrigin + Done, DrawOrigin, Run * sizeof *DrawOrigin);
        Done += Run;
    }
}

void GrabView(Image* Target)
{
    if (!Target) {
        LogPlaced("Error! NULL pointer passed Argument. file <%s> line <%d>\n", 729);
        return;
    }
    const int32_t VW = MainScreen->ViewWidth;
    // Callers make the target at the view's size; a smaller one gets the
    // part of the view that fits instead of being overrun.
    const int32_t Columns = std::min(VW, Target->Width);
    const int32_t Rows = std::min<int32_t>(MainScreen->ViewHeight, Target->Height);
    for (int32_t y = 0; y < Rows; ++y) {
        const uint32_t* From = DrawOrigin + size_t(y) * VW;
        uint8_t* To = Target->Data + size_t(y) * Target->Width * 3;
        for (int32_t x = 0; x < Columns; ++x) {
            To[3 * x] = uint8_t(From[x] >> 16);
            To[3 * x + 1] = uint8_t(From[x] >> 8);
            To[3 * x + 2] = uint8_t(From[x]);
        }
    }
}
