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

enum class WindowEventType { Activate, KeyDown, Close };

struct WindowEvent {
    WindowEventType Type;
    int32_t Value;  // Activate: 1 shown, 0 hidden or minimised; KeyDown: key code
};

// Key codes of KeyDown events; every other key has some other value.
constexpr int32_t KeyEscape = 0x1B;
constexpr int32_t KeySpace = 0x20;

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
// Shows the back buffer (waits for vsync where the display offers it).
void WindowFlip();
// Takes the next pending event; false when there is none.
bool WindowPollEvent(WindowEvent* Event);
// Both close calls may be made at any time, any number of times.
void WindowClose();
void VideoClose();
void SetScreenSaver(bool Enabled);

// Why the last VideoOpen, WindowOpen or WindowPixelFormat failed.
const char* PlatformError();
