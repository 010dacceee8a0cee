#include "core/Screen.h"

#include <new>

#include "core/Layout.h"
#include "log/Log.h"

Screen* MainScreen = nullptr;
uint32_t* DrawOrigin = nullptr;

namespace {

void PlaceView(Screen& S)
{
    S.ViewWidth = S.Width;
    if (S.Mode == LetterboxView) {
        S.ViewHeight = S.Height - 2 * LetterboxBarRows;
        DrawOrigin = S.Pixels + LetterboxBarRows * S.ViewWidth;
    } else {
        S.ViewHeight = S.Height;
        DrawOrigin = S.Pixels;
    }
}

void FillPixels(uint32_t* First, uint32_t Count, uint32_t Value)
{
    for (uint32_t i = 0; i < Count; ++i)
        First[i] = Value;
}

}  // namespace

const char* AllocateScreen(uint16_t Width, uint16_t Height, ViewMode Mode)
{
    MainScreen = new (std::nothrow) Screen;
    if (!MainScreen) {
        LogFailedAllocation(91);
        return "out of memory for the screen";
    }
    MainScreen->Width = Width;
    MainScreen->Height = Height;
    MainScreen->Mode = Mode;
    MainScreen->Pixels = new (std::nothrow) uint32_t[uint32_t{Width} * Height]();
    if (!MainScreen->Pixels)
        return "out of memory for the frame buffer";
    PlaceView(*MainScreen);
    return nullptr;
}

void FreeScreen()
{
    if (MainScreen) {
        delete[] MainScreen->Pixels;
        delete MainScreen;
        MainScreen = nullptr;
        DrawOrigin = nullptr;
    }
}

void SetScreenMode(ViewMode Mode)
{
    FillPixels(MainScreen->Pixels, uint32_t{MainScreen->Width} * MainScreen->Height, 0);
    MainScreen->Mode = Mode;
    PlaceView(*MainScreen);
}

void ClearView()
{
    FillPixels(DrawOrigin, uint32_t{MainScreen->ViewWidth} * MainScreen->ViewHeight, 0);
}
