#include "display/Present.h"

#include <cstdio>

#include "core/Quit.h"
#include "display/Display.h"
#include "log/Log.h"

int32_t CreateScreen(const char* Title, uint16_t Width, uint16_t Height, ViewMode Mode)
{
    AtQuit(DestroyScreen);
    if (const char* Failure = AllocateScreen(Width, Height, Mode))
        FailAndExit(Failure);

    int32_t Opened = OpenDisplay(Title, Width, Height);
    if (Opened)
        return Opened;
    LogPrint("Error!! Can't initialize the display\n");
    CloseLog();
    std::fprintf(stderr, "vorlune: can't open the display: %s\n", DisplayError());
    Quit(1);
}

int32_t PresentScreen()
{
    return UpdateDisplay(MainScreen->Pixels);
}

void DestroyScreen()
{
    FreeScreen();
    CloseDisplay();
}
