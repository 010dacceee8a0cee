#include "demo/Controls.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/Clock.h"
#include "core/Playback.h"
#include "core/Screen.h"
#include "demo/MainLoop.h"
#include "display/Display.h"
#include "log/LogFolder.h"
#include "platform/Picture.h"
#include "platform/Window.h"

namespace {

constexpr uint32_t AnnounceMs = 2000;

struct ControlState {
    bool CanMove;     // pause and jumps need the reference clock played live
    bool Refused;     // the viewer has been told so
    bool PauseAsked;  // at the next frame the main loop shows
    bool Paused;
    bool PictureAsked;
    int32_t PartAsked;  // -1: none
} Ctl{false, false, false, false, false, -1};

const char* Titles[EffectCount];

std::string PartLine(int32_t Part)
{
    char Line[96];
    std::snprintf(Line, sizeof Line, "%02d  %s", int(Part), SlotTable[Part].Title);
    return Line;
}

bool Allowed()
{
    if (Ctl.CanMove)
        return true;
    const char Why[] = "pause and the parts need the exact timing (--timing exact)";
    if (!Ctl.Refused)
        std::fprintf(stderr, "vorlune: %s\n", Why);
    Ctl.Refused = true;
    WindowSetOverlay(Why, AnnounceMs);
    return false;
}

void AskPart(int32_t Part)
{
    if (Part < 0 || Part >= EffectCount || !Allowed())
        return;
    Ctl.PartAsked = Part;
    Ctl.Paused = false;
    // The rest of the call in progress runs unseen too: a wait in it (the
    // loading screen's 2 s hold) does not hold up the jump.
    PlaybackCue();
}

// The frame on screen, as the capture tool names the frame of that call.
void SaveShownFrame()
{
    char Name[40];
    std::snprintf(Name, sizeof Name, "vorlune-s%02u-c%06u.png", unsigned(Place.FrameSlot),
                  unsigned(Place.FrameCall));
    const std::string Path = LogPath(Name);
    if (const char* Why =
            SavePicture(Path.c_str(), MainScreen->Pixels, MainScreen->Width, MainScreen->Height))
        std::fprintf(stderr, "vorlune: can't save the screenshot %s: %s\n", Path.c_str(), Why);
    else
        std::fprintf(stderr, "vorlune: screenshot %s\n", Path.c_str());
}

void Key(int32_t Code)
{
    switch (Code) {
    case KeyP:
    case KeyPause:
        if (Ctl.Paused)
            Ctl.Paused = false;
        else if (Allowed())
            Ctl.PauseAsked = true;
        break;
    case KeyRight:
    case KeyPageDown:
        if (Place.Part + 1 < EffectCount)
            AskPart(Place.Part + 1);
        break;
    case KeyLeft:
    case KeyPageUp: AskPart(std::max(Place.Part - 1, 0)); break;
    case KeyHome: AskPart(0); break;
    case KeyF12:
        if (Ctl.Paused)
            SaveShownFrame();
        else
            Ctl.PictureAsked = true;
        break;
    default: break;
    }
}

bool Holding()
{
    return Ctl.Paused;
}

void Pause()
{
    Ctl.PauseAsked = false;
    Ctl.Paused = true;
    WindowSetOverlay((PartLine(Place.Part) + "  -  paused").c_str(), 0);
    PlaybackHold(Holding);
    WindowSetOverlay(nullptr, 0);
}

// A frame the main loop shows is the frame buffer after the last call: a
// screenshot of it is that call's frame, and a pause holds it. Frames an
// effect shows from inside its call wait for the next.
void AfterShow()
{
    if (Place.InCall)
        return;
    if (Ctl.PictureAsked) {
        Ctl.PictureAsked = false;
        SaveShownFrame();
    }
    if (Ctl.PauseAsked)
        Pause();
}

}  // namespace

void StartControls()
{
    Ctl.CanMove = PlayedClock() != nullptr;
    DisplaySetControls(Key, AskPart);
    PlaybackAfterShow(AfterShow);
    for (int i = 0; i < EffectCount; ++i)
        Titles[i] = SlotTable[i].Title;
    WindowSetChapters(Titles, EffectCount);
}

bool TakePartAsked(int32_t* Part)
{
    if (Ctl.PartAsked < 0)
        return false;
    *Part = Ctl.PartAsked;
    Ctl.PartAsked = -1;
    return true;
}

void AnnouncePart(int32_t Part)
{
    WindowSetOverlay(PartLine(Part).c_str(), AnnounceMs);
    WindowShowChapter(Part);
}
