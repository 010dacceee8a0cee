#include "display/Display.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/Clock.h"
#include "core/Playback.h"
#include "core/Quit.h"
#include "display/Convert.h"
#include "log/Log.h"
#include "log/LogFolder.h"

namespace {

struct DisplayState {
    bool VideoUp;
    bool WindowUp;
    RowConverter Converter;
    int32_t FrameWidth, FrameHeight;
    int32_t Active;         // 0 until the window is shown
    FILE* TimingLog;        // "VantuTimer.txt"; null when it can't be made
    uint32_t TimingStart;   // tick count when the timing log was opened
    int32_t MarkCount;      // Space presses so far
    const char* Error;
} Display;

struct Controls {
    void (*Key)(int32_t Key);
    void (*Chapter)(int32_t Index);
} Controls;

const char TimingLogName[] = "VantuTimer.txt";

struct Elapsed {
    long Seconds, Millis;
};

// Two reads in succession: seconds from the first, milliseconds from the second.
Elapsed TimingElapsed()
{
    uint32_t First = GetTickCount() - Display.TimingStart;
    uint32_t Second = GetTickCount() - Display.TimingStart;
    return {long(First / 1000), long(Second % 1000)};
}

// The demo runs on without it; the user is told that Space marks nothing.
FILE* OpenTimingLog()
{
    const std::string Path = LogPath(TimingLogName);
    FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File) {
        const char* Reason = std::strerror(errno);
        std::fprintf(stderr, "vorlune: can't create %s (%s): Space marks are not kept\n", Path.c_str(),
                     Reason);
        LogPrint("Warning!! Can't create %s (%s): Space marks are not kept\n", Path.c_str(), Reason);
    }
    return File;
}

int32_t Fail(const char* Reason)
{
    Display.Error = Reason;
    return 0;
}

void PumpEvents()
{
    WindowEvent Event;
    while (WindowPollEvent(&Event))
        DisplayWindowProc(Event);
}

// The back buffer still holds the last frame converted.
void ShowLastFrame()
{
    if (Display.Active && Display.Converter)
        WindowFlip();
}

}  // namespace

int32_t OpenDisplay(const char* Title, int32_t Width, int32_t Height)
{
    Display.FrameWidth = Width;
    Display.FrameHeight = Height;
    if (!VideoOpen())
        return Fail(PlatformError());
    Display.VideoUp = true;
    Display.WindowUp = true;  // a half-made window is closed all the same
    if (!WindowOpen(Title, Width, Height))
        return Fail(PlatformError());
    PixelFormat Format;
    if (!WindowPixelFormat(&Format))
        return Fail(PlatformError());
    Display.Converter = SelectConverter(Format.Bits, Format.RedMask, Format.GreenMask,
                                        Format.BlueMask);
    if (!Display.Converter)
        return Fail("the display's pixel format is not supported");
    PlaybackAttachDisplay(PumpEvents, ShowLastFrame);
    SetScreenSaver(false);
    Display.TimingLog = OpenTimingLog();
    Display.TimingStart = GetTickCount();
    Elapsed Now = TimingElapsed();
    if (Display.TimingLog)
        std::fprintf(Display.TimingLog, "Debut= <%ld> : <%ld>\n", Now.Seconds, Now.Millis);
    return 1;
}

int32_t UpdateDisplay(const uint32_t* Frame)
{
    // A cued frame is never seen: the reference clock steps all the same.
    if (PlaybackCueing()) {
        PresentFrame(WindowFlip);
        return 1;
    }
    PumpEvents();
    if (!Display.Active) {
        Sleep(1);
        return 1;
    }
    uint8_t* Back;
    int32_t Pitch;
    // A display whose open failed has no converter to draw with.
    if (!Display.Converter || !WindowLock(&Back, &Pitch))
        return 0;
    for (int32_t y = 0; y < Display.FrameHeight; ++y)
        Display.Converter(Frame + y * Display.FrameWidth, Back + y * Pitch,
                          static_cast<uint32_t>(Display.FrameWidth));
    WindowUnlock();
    PresentFrame(WindowFlip);
    Sleep(0);
    return 1;
}

void CloseDisplay()
{
    if (Display.WindowUp)
        WindowClose();
    if (Display.VideoUp)
        VideoClose();
    SetScreenSaver(true);
    if (Display.TimingLog)
        std::fclose(Display.TimingLog);
    Display = {};
    PlaybackAttachDisplay(nullptr, nullptr);
}

void DisplayWindowProc(const WindowEvent& Event)
{
    switch (Event.Type) {
    case WindowEventType::Activate:
        Display.Active = Event.Value;
        if (Event.Value && PlaybackHeld())
            ShowLastFrame();
        break;
    case WindowEventType::Redraw:
        if (PlaybackHeld())
            ShowLastFrame();
        break;
    case WindowEventType::Chapter:
        if (Controls.Chapter)
            Controls.Chapter(Event.Value);
        break;
    case WindowEventType::KeyDown:
        if (Event.Value == KeySpace) {
            ++Display.MarkCount;
            Elapsed Now = TimingElapsed();
            // "N\xB0" is "N°" in Windows-1252, as the timing log has always had it.
            if (Display.TimingLog)
                std::fprintf(Display.TimingLog, "Effet N\xB0%d = <%ld> : <%ld>\n",
                             Display.MarkCount, Now.Seconds, Now.Millis);
        } else if (Event.Value == KeyEscape) {
            DisplayWindowProc({WindowEventType::Close, 0});
        } else if (Controls.Key) {
            Controls.Key(Event.Value);
        }
        break;
    case WindowEventType::Close: Quit(0);
    }
}

void DisplaySetControls(void (*Key)(int32_t Key), void (*Chapter)(int32_t Index))
{
    Controls = {Key, Chapter};
}

const char* DisplayError()
{
    return Display.Error ? Display.Error : "unknown reason";
}
