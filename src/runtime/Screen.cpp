#include "runtime/Screen.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "display/Display.h"
#include "log/Log.h"

Screen* MainScreen = nullptr;
uint32_t* DrawOrigin = nullptr;

namespace {

constexpr uint16_t BarRows = 70;  // each letterbox bar

void PlaceView(Screen& S)
{
    S.ViewWidth = S.Width;
    if (S.Letterbox == 1) {
        S.ViewHeight = S.Height - 2 * BarRows;
        DrawOrigin = S.Pixels + BarRows * S.ViewWidth;
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

int32_t CreateScreen(const char* Title, uint16_t Width, uint16_t Height, int32_t Mode)
{
    MainScreen = new (std::nothrow) Screen;
    if (!MainScreen) {
        LogPrint("Error!! Allocate failed file <%s> line <%d>\n", "Utils", 91);
        FailAndExit("out of memory for the screen");
    }
    MainScreen->Width = Width;
    MainScreen->Height = Height;
    MainScreen->Letterbox = Mode;
    MainScreen->Pixels = new (std::nothrow) uint32_t[uint32_t{Width} * Height]();
    if (!MainScreen->Pixels)
        FailAndExit("out of memory for the frame buffer");
    PlaceView(*MainScreen);

    int32_t Opened = OpenDisplay(Title, Width, Height);
    if (Opened)
        return Opened;
    LogPrint("Error!! Can't initialize the display\n");
    CloseLog();
    std::fprintf(stderr, "vorlune: can't open the display: %s\n", DisplayError());
    std::exit(1);
}

void SetScreenMode(int32_t Mode)
{
    FillPixels(MainScreen->Pixels, uint32_t{MainScreen->Width} * MainScreen->Height, 0);
    MainScreen->Letterbox = Mode;
    PlaceView(*MainScreen);
}

void ClearView()
{
    FillPixels(DrawOrigin, uint32_t{MainScreen->ViewWidth} * MainScreen->ViewHeight, 0);
}

int32_t PresentScreen()
{
    return UpdateDisplay(MainScreen->Pixels);
}

void DestroyScreen()
{
    if (MainScreen) {
        delete[] MainScreen->Pixels;
        delete MainScreen;
        MainScreen = nullptr;
        DrawOrigin = nullptr;
    }
    CloseDisplay();
}

void FailAndExit(const char* Reason)
{
    std::fprintf(stderr, "vorlune: %s\n", Reason);
    LogPrint("Error!! %s\n", Reason);
    DestroyScreen();
    CloseLog();
    std::exit(1);
}
