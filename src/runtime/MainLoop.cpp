#include "runtime/MainLoop.h"

#include "effects/Effects.h"
#include "log/Log.h"
#include "platform/Clock.h"
#include "runtime/Resources.h"
#include "runtime/Screen.h"

Effect EffectTable[EffectCount];
int32_t EffectStep = 0;
FrameTimer* EffectTimer = nullptr;
void (*EffectCallHook)(uint8_t Slot, int32_t Result) = nullptr;

namespace {

int32_t QuitFlag = 0;

void FillEffectTable()
{
    const Effect Slots[EffectCount] = {
        LoadingScreen, ZoomWordThis, ZoomWordProgressBar, ZoomWordIs,
        ZoomWordAPure, ZoomWordFake, CorridorDoors,       VoidDoors,
        LetterboxDoors, PlasmaDoors, SnowWords,           LightBlobs,
        FadeToBlack,   RasterBars,   Greetings,           SwitchOff,
    };
    for (int i = 0; i < EffectCount; ++i)
        EffectTable[i] = Slots[i];
}

}  // namespace

void RunEffects(FrameTimer* PaceTimer)
{
    uint8_t Slot = 0;
    QuitFlag = 0;
    while (QuitFlag == 0) {
        if (FrameDue(PaceTimer)) {
            int32_t Result = EffectTable[Slot](&EffectStep);
            if (EffectCallHook)
                EffectCallHook(Slot, Result);
            if (Result == 1) {
                if (Slot == EffectCount - 1) {
                    QuitFlag = 1;
                } else {
                    RestartTimer(EffectTimer);
                    ++Slot;
                    EffectStep = 0;
                }
            }
            RestartTimer(PaceTimer);
        }
        PresentScreen();
    }
}

int DemoMain()
{
    OpenLog("LogDemo.txt");
    CreateScreen("Vorlune", 640, 480, 0);
    ClearView();
    PresentScreen();
    Sleep(2500);
    LoadResources();
    FillEffectTable();
    FrameTimer* PaceTimer = CreateTimer();
    if (!PaceTimer)
        FailAndExit("out of memory for the frame timer");

    RunEffects(PaceTimer);

    ReleaseResources();
    CloseLog();
    DestroyScreen();
    return 0;
}
