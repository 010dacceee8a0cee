// Slot 0: the loading picture, then a progress bar that grows over it
// (it measures nothing: everything is loaded by now), then a hold.
#include <algorithm>

#include "core/Clock.h"
#include "core/FrameTimer.h"
#include "core/Layout.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

namespace {

constexpr int32_t BarX = ProgressBarX, BarY = ProgressBarY;
constexpr uint32_t WaitMs = 1000;          // the bare picture, counted from the end of loading
constexpr uint32_t HoldMs = 2000;          // the full bar, blocking
constexpr uint32_t SlowColumns = 120;      // the bar's last columns grow one a frame

struct LoadingScreenState {
    uint32_t BarWidth;  // bar columns to draw this frame
};

LoadingScreenState LoadingScreenVars;

// The bar at half strength over the picture at quarter strength, channel by channel.
inline uint32_t BarPixel(const uint8_t* Under, const uint8_t* Bar)
{
    return uint32_t(Under[0] / 4 + Bar[0] / 2) << 16 | uint32_t(Under[1] / 4 + Bar[1] / 2) << 8 |
           uint32_t(Under[2] / 4 + Bar[2] / 2);
}

// Blends the bar's first Columns columns, read from both pictures' data,
// clipped to the bar, to the picture beneath it and to the view.
void DrawBar(uint32_t Columns)
{
    const Image* Under = Resources.Loading;
    const Image* Bar = Resources.ProgressBar;
    const int32_t VW = MainScreen->ViewWidth;
    const int64_t Width = std::min<int64_t>({Columns, Bar->Width, Under->Width - BarX, VW - BarX});
    const int64_t Rows = std::min<int64_t>({Bar->Height, Under->Height - BarY, MainScreen->ViewHeight - BarY});
    for (int64_t i = 0; i < Rows; ++i) {
        const uint8_t* UnderRow = Under->Data + ((BarY + i) * Under->Width + BarX) * 3;
        const uint8_t* BarRow = Bar->Data + i * Bar->Width * 3;
        uint32_t* Out = DrawOrigin + (BarY + i) * VW + BarX;
        for (int64_t j = 0; j < Width; ++j)
            Out[j] = BarPixel(UnderRow + 3 * j, BarRow + 3 * j);
    }
}

}  // namespace

int32_t LoadingScreen(int32_t* Step)
{
    if (*Step == 0) {
        LoadingScreenVars.BarWidth = 1;
        *Step = 1;
    }
    PutImage(Resources.Loading, 0, 0, 0.0f);
    // The EffectTimer runs since the end of loading; this effect keeps it.
    if (ReadTimer(EffectTimer) < WaitMs)
        return 0;

    const uint32_t W = uint32_t(Resources.ProgressBar->Width);
    DrawBar(LoadingScreenVars.BarWidth);
    if (LoadingScreenVars.BarWidth >= W + 1) {
        Sleep(HoldMs);
        RestartTimer(EffectTimer);
        return 1;
    }
    // Unsigned: a bar narrower than 120 columns grows by 2 to the end.
    LoadingScreenVars.BarWidth += LoadingScreenVars.BarWidth < W - SlowColumns ? 2 : 1;
    return 0;
}
