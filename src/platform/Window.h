#pragma once
// The platform window: one window with a lockable back buffer in some pixel
// format, and its events. Knows nothing of the demo.
#include <cstdint>

struct PixelFormat {
    uint32_t Bits;  // bits per pixel: 32, 24 or 16 (bytes per pixel x 8)
    uint32_t RedMask;
    uint32_t GreenMask;
    uint32_t BlueMask;
};

enum class WindowEventType { Activate, KeyDown, Close, Redraw, Chapter };

struct WindowEvent {
    WindowEventType Type;
    // Activate: 1 shown, 0 hidden or minimised; KeyDown: key code; Redraw:
    // the window needs its picture again (exposed, resized); Chapter: the
    // viewer picked chapter Value (the page's list or address).
    int32_t Value;
};

// Key codes of KeyDown events; every other key has some other value. Escape
// and Space are SDL's and the browser's own codes; the others are ours.
constexpr int32_t KeyEscape = 0x1B;
constexpr int32_t KeySpace = 0x20;
constexpr int32_t KeyP = 0x70;
constexpr int32_t KeyPause = 0x101;
constexpr int32_t KeyRight = 0x102;
constexpr int32_t KeyLeft = 0x103;
constexpr int32_t KeyPageDown = 0x104;
constexpr int32_t KeyPageUp = 0x105;
constexpr int32_t KeyHome = 0x106;
constexpr int32_t KeyF12 = 0x107;

// Starts the video system; false when there is no display to show on.
bool VideoOpen();
// How WindowOpen shows the picture: desktop fullscreen (the default), or a
// resizable window Scale times the picture's size; Scale 0 picks the largest
// whole factor that fits the desktop with room to spare. Only the real
// window has a size on a desktop; the others take no notice.
void WindowChooseMode(bool Windowed, int32_t Scale);
// Lays the CRT look (platform/CrtLook.h) over the picture wherever the window
// scales it by 2 or more; the back buffer stays as it is. Windows that never
// scale the picture take no notice. May be called at any time.
void WindowSetCrt(bool On);
// Makes the window for a Width x Height picture, cursor hidden.
bool WindowOpen(const char* Title, int32_t Width, int32_t Height);
// The back buffer's pixel format.
bool WindowPixelFormat(PixelFormat* Format);
// Gives the back buffer's first row and its pitch in bytes.
bool WindowLock(uint8_t** Pixels, int32_t* Pitch);
void WindowUnlock();
// Shows the back buffer (waits for vsync where the display offers it),
// with the overlay over it.
void WindowFlip();
// A line of text in a corner of the window, over the scaled picture (never
// in the back buffer), for Ms milliseconds of real time; 0 keeps it until
// the next call. Null or "" takes it away. Shown from the next flip on.
void WindowSetOverlay(const char* Text, uint32_t Ms);
// The show's chapters in order, once, before any is shown: the page lists
// them. The window keeps the pointers.
void WindowSetChapters(const char* const* Titles, int32_t Count);
// The chapter playing now: the page's address follows it.
void WindowShowChapter(int32_t Index);
// Takes the next pending event; false when there is none.
bool WindowPollEvent(WindowEvent* Event);
// Both close calls may be made at any time, any number of times.
void WindowClose();
void VideoClose();
void SetScreenSaver(bool Enabled);

// Why the last VideoOpen, WindowOpen or WindowPixelFormat failed.
const char* PlatformError();
