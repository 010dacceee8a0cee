#include "demo/MainLoop.h"

#include "core/Clock.h"
#include "core/Quit.h"
#include "demo/Resources.h"
#include "display/Present.h"
#include "log/Log.h"

Effect EffectTable[EffectCount];
int32_t EffectStep = 0;
void (*EffectCallHook)(uint8_t Slot, int32_t Result) = nullptr;

namespace {

int32_t QuitFlag = 0;

void FillEffectTable()
{
    for (int i = 0; i < EffectCount; ++i)
        EffectTable[i] = SlotTable[i].Run;
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
    // Missing pictures end the run before anything shows.
    CheckPicturesPresent();
    CreateScreen("Vorlune", 640, 480, FullView);
    ClearView();
    PresentScreen();
    Sleep(2500);
    LoadResources();
    FillEffectTable();
    FrameTimer* PaceTimer = CreateTimer();
    if (!PaceTimer)
        FailAndExit("out of memory for the frame timer");

    RunEffects(PaceTimer);

    RunQuitSteps();
    return 0;
}
