#include "demo/MainLoop.h"

#include "core/Clock.h"
#include "core/Playback.h"
#include "core/Quit.h"
#include "demo/Controls.h"
#include "demo/DataFolder.h"
#include "demo/Resources.h"
#include "demo/Rewind.h"
#include "display/Present.h"
#include "log/Log.h"
#include "log/LogFolder.h"
#include "platform/Window.h"

Effect EffectTable[EffectCount];
int32_t EffectStep = 0;
void (*EffectCallHook)(uint8_t Slot, int32_t Result) = nullptr;
void (*EffectStartHook)(uint8_t Slot) = nullptr;
ShowPlace Place;

namespace {

int32_t QuitFlag = 0;

// A jump in progress: the show cued on to the start of slot Target, where
// the slot before it has returned 1 (the first slot's: where it is entered).
struct Jump {
    bool Cueing;
    uint8_t Target;
} Jumping;

void CueTo(int32_t Part)
{
    Jumping = {true, uint8_t(Part)};
    Place.Part = Part;
    PlaybackCue();
}

// Acts on the part the viewer asked for, and ends a cue at its target.
void FollowTheViewer(uint8_t* Slot, uint32_t* Calls, FrameTimer* PaceTimer)
{
    int32_t Part;
    if (TakePartAsked(&Part)) {
        if (Part <= *Slot) {
            RewindToFirstSlotStart(PaceTimer);
            *Slot = 0;
            *Calls = 0;
            EffectStep = 0;
        }
        CueTo(Part);
    }
    if (Jumping.Cueing && *Slot == Jumping.Target && EffectStep == 0) {
        Jumping.Cueing = false;
        PlaybackTakeUp();
        AnnouncePart(*Slot);
    }
}

// The frame buffer now holds this call's frame.
void NoteCall(uint8_t Slot, uint32_t* Calls)
{
    Place.FrameSlot = Slot;
    Place.FrameCall = ++*Calls;
}

void NextSlot(uint8_t* Slot, uint32_t* Calls)
{
    RestartTimer(EffectTimer);
    ++*Slot;
    *Calls = 0;
    EffectStep = 0;
    if (!Jumping.Cueing) {
        Place.Part = *Slot;
        WindowShowChapter(*Slot);
    }
}

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
    uint32_t Calls = 0;
    QuitFlag = 0;
    KeepFirstSlotStart(PaceTimer);
    while (QuitFlag == 0) {
        FollowTheViewer(&Slot, &Calls, PaceTimer);
        if (FrameDue(PaceTimer)) {
            if (EffectStartHook)
                EffectStartHook(Slot);
            Place.InCall = true;
            int32_t Result = EffectTable[Slot](&EffectStep);
            Place.InCall = false;
            NoteCall(Slot, &Calls);
            if (EffectCallHook)
                EffectCallHook(Slot, Result);
            if (Result == 1) {
                if (Slot == EffectCount - 1)
                    QuitFlag = 1;
                else
                    NextSlot(&Slot, &Calls);
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
    StartControls();
    // From the very start: the start-up and the loading take their virtual
    // time as in the reference run.
    if (Run.Start && PlayedClock())
        CueTo(*Run.Start);
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
