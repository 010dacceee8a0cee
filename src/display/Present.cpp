#include "display/Present.h"

#include <string>

#include "core/Quit.h"
#include "display/Display.h"

int32_t CreateScreen(const char* Title, uint16_t Width, uint16_t Height, ViewMode Mode)
{
    AtQuit(DestroyScreen);
    if (const char* Failure = AllocateScreen(Width, Height, Mode))
        FailAndExit(Failure);

    if (!OpenDisplay(Title, Width, Height)) {
        const std::string Message = std::string("can't open the display: ") + DisplayError();
        FailAndExit(Message.c_str(), "Error!! Can't initialize the display");
    }
    return 1;
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
