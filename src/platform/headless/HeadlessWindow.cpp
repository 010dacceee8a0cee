// An in-memory window: a back buffer in any of the eight layouts, scripted
// events, and a present that waits for the next 60 Hz vsync of virtual time.
#include <algorithm>

#include "platform/Picture.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessState.h"

HeadlessBackend Headless;

namespace {

// Row padding, so that code which ignores the pitch shows up in tests.
constexpr int32_t PitchPadding = 16;

}  // namespace

bool VideoOpen()
{
    if (!Headless.VideoFailure.empty()) {
        Headless.Error = Headless.VideoFailure;
        return false;
    }
    Headless.VideoUp = true;
    return true;
}

// The back buffer has no size on a desktop.
void WindowChooseMode(bool, int32_t) {}

// The back buffer is shown as it is, never scaled: the look never shows.
void WindowSetCrt(bool) {}

bool WindowOpen(const char*, int32_t Width, int32_t Height)
{
    if (!Headless.VideoUp || Width <= 0 || Height <= 0) {
        Headless.Error = "no video system";
        return false;
    }
    Headless.Width = Width;
    Headless.Height = Height;
    Headless.Pitch = Width * static_cast<int32_t>(Headless.Format.Bits / 8) + PitchPadding;
    Headless.BackBuffer.assign(static_cast<size_t>(Headless.Pitch) * Height, 0);
    Headless.WindowUp = true;
    // A shown window is an active one.
    Headless.Script.insert(Headless.Script.begin(),
                           ScriptedEvent{0, {WindowEventType::Activate, 1}});
    return true;
}

bool WindowPixelFormat(PixelFormat* Format)
{
    if (!Headless.WindowUp)
        return false;
    *Format = Headless.Format;
    return true;
}

bool WindowLock(uint8_t** Pixels, int32_t* Pitch)
{
    if (!Headless.WindowUp)
        return false;
    *Pixels = Headless.BackBuffer.data();
    *Pitch = Headless.Pitch;
    return true;
}

void WindowUnlock() {}

void WindowFlip()
{
    if (Headless.RefreshMilliHz)
        Headless.Clock.Now = NextRefresh(Headless.Clock.Now, Headless.RefreshMilliHz);
    else
        VirtualVsync(Headless.Clock);
    ++Headless.Flips;
    if (Headless.OnFlip)
        Headless.OnFlip(Headless.BackBuffer.data(), Headless.Pitch, Headless.Clock.Now);
}

bool WindowPollEvent(WindowEvent* Event)
{
    if (Headless.OnPoll)
        Headless.OnPoll();
    auto Due = std::find_if(Headless.Script.begin(), Headless.Script.end(),
                            [](const ScriptedEvent& e) { return e.At <= Headless.Clock.Now; });
    if (Due == Headless.Script.end())
        return false;
    *Event = Due->Event;
    Headless.Script.erase(Due);
    return true;
}

void WindowSetOverlay(const char* Text, uint32_t Ms)
{
    Headless.Overlay = Text ? Text : "";
    Headless.OverlayUntil = Ms ? Headless.Clock.Now + uint64_t{Ms} * 1000 : 0;
}

void WindowSetChapters(const char* const*, int32_t) {}

void WindowShowChapter(int32_t Index)
{
    Headless.Chapter = Index;
}

const char* SavePicture(const char* Path, const uint32_t* Pixels, int32_t Width, int32_t Height)
{
    Headless.PicturePath = Path;
    Headless.Picture.assign(Pixels, Pixels + size_t(Width) * size_t(Height));
    return nullptr;
}

void WindowClose()
{
    Headless.WindowUp = false;
}

void VideoClose()
{
    Headless.VideoUp = false;
}

void SetScreenSaver(bool) {}

const char* PlatformError()
{
    return Headless.Error.c_str();
}

void HeadlessScriptEvent(uint32_t AtMs, WindowEventType Type, int32_t Value)
{
    Headless.Script.push_back({uint64_t{AtMs} * 1000, {Type, Value}});
}

void HeadlessSetPixelFormat(const PixelFormat& Format)
{
    Headless.Format = Format;
}

void HeadlessFailVideo(const char* Reason)
{
    Headless.VideoFailure = Reason;
}

const uint8_t* HeadlessFrontBuffer(int32_t* Pitch)
{
    if (Headless.Flips == 0)
        return nullptr;
    *Pitch = Headless.Pitch;
    return Headless.BackBuffer.data();
}

uint32_t HeadlessFlipCount()
{
    return Headless.Flips;
}

void HeadlessSetFlipHook(FlipHook Hook)
{
    Headless.OnFlip = Hook;
}

void HeadlessSetPollHook(PollHook Hook)
{
    Headless.OnPoll = Hook;
}

const char* HeadlessOverlay()
{
    const bool Expired = Headless.OverlayUntil && Headless.Clock.Now >= Headless.OverlayUntil;
    return Expired ? "" : Headless.Overlay.c_str();
}

int32_t HeadlessChapter()
{
    return Headless.Chapter;
}

const uint32_t* HeadlessSavedPicture(const char** Path)
{
    *Path = Headless.PicturePath.c_str();
    return Headless.Picture.empty() ? nullptr : Headless.Picture.data();
}
