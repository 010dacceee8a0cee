#include "demo/MainLoop.h"

#include "core/Clock.h"
#include "core/Playback.h"
#include "core/Quit.h"
#include "demo/DataFolder.h"
#include "demo/Resources.h"
#include "display/Present.h"
#include "log/Log.h"
#include "log/LogFolder.h"
#include "platform/Window.h"

Effect EffectTable[EffectCount];
int32_t EffectStep = 0;
void (*EffectCallHook)(uint8_t Slot, int32_t Result) = nullptr;
void (*EffectStartHook)(uint8_t Slot) = nullptr;

namespace {

int32_t QuitFlag = 0;

// Each setting to the part that owns it.
void TakeSettings(const Settings& Run)
{
    SetDataFolder(Run.DataFolder ? *Run.DataFolder : FindDataFolder());
    SetLogFolder(Run.LogFolder);
    WindowChooseMode(Run.Windowed, Run.Scale);
    WindowSetCrt(Run.Crt);
    ChooseTiming(Run.Pace);
    if (!Run.Sound)
        TurnSoundOff();
}

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
            if (EffectStartHook)
                EffectStartHook(Slot);
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

int DemoMain(const Settings& Run)
{
    TakeSettings(Run);
    OpenLog(LogPath("LogDemo.txt").c_str());
    // Missing pictures end the run before anything shows.
    CheckPicturesPresent();
    CreateScreen("Vorlune", 640, 480, FullView);
    if (Run.Stats)
        PrintPlaybackStatsAtQuit();
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
