// The real window: a desktop-fullscreen SDL window, or a resizable one,
// whose renderer scales the picture by the largest whole factor that fits,
// centred on black, nearest neighbour; the monitor's mode is never changed.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Window.h"
#include "platform/sdl/SdlCrt.h"
#include "platform/sdl/SdlOverlay.h"

static_assert(SDLK_ESCAPE == KeyEscape && SDLK_SPACE == KeySpace && SDLK_p == KeyP,
              "SDL's key codes for Escape, Space and P are the window's own");

namespace {

struct SdlDisplay {
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    Uint32 Format = SDL_PIXELFORMAT_XRGB8888;  // the back buffer's
    bool Windowed = false;
    int32_t Scale = 0;  // of the window; 0: the largest that fits
    bool Created = false;  // the window's first poll is yet to come
    std::string Error;
} Sdl;

// Left free around a window of the largest fitting size, for its frame and
// the desktop's own bars.
constexpr int SpareRoom = 64;

bool Fail(const char* What)
{
    Sdl.Error = std::string(What) + ": " + SDL_GetError();
    return false;
}

// True when SDL_VIDEODRIVER (a comma-separated list) names Driver.
bool Requested(const char* Driver)
{
    const char* List = std::getenv("SDL_VIDEODRIVER");
    while (List && *List) {
        size_t Length = std::strcspn(List, ",");
        if (Length == std::strlen(Driver) && SDL_strncasecmp(List, Driver, Length) == 0)
            return true;
        List += Length + (List[Length] == ',');
    }
    return false;
}

struct Layout {
    Uint32 Bits, Red, Green, Blue;
    bool operator==(const Layout&) const = default;
};

// Bytes per pixel x 8 (SDL says 15 for the 5-5-5 layouts) and the masks of
// the little-endian pixel value, which SDL gives in byte order for the
// 24-bit layouts too.
Layout LayoutOf(Uint32 Format)
{
    int Bpp;
    Uint32 Alpha;
    Layout L{SDL_BYTESPERPIXEL(Format) * 8u, 0, 0, 0};
    if (!SDL_PixelFormatEnumToMasks(Format, &Bpp, &L.Red, &L.Green, &L.Blue, &Alpha))
        return {};
    return L;
}

// The window's own layout when it is one the demo can write, else XRGB8888.
// Matched by masks, never by name: SDL names its 24-bit formats in the
// reverse of their byte order.
Uint32 BackBufferFormat(Uint32 WindowFormat)
{
    const Uint32 Writable[] = {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_XBGR8888,
                               SDL_PIXELFORMAT_RGB24,    SDL_PIXELFORMAT_BGR24,
                               SDL_PIXELFORMAT_RGB565,   SDL_PIXELFORMAT_BGR565,
                               SDL_PIXELFORMAT_XRGB1555, SDL_PIXELFORMAT_XBGR1555};
    Layout Wanted = LayoutOf(WindowFormat);
    for (Uint32 Format : Writable)
        if (LayoutOf(Format) == Wanted)
            return Format;
    return SDL_PIXELFORMAT_XRGB8888;
}

bool CreateRenderer(int32_t Width, int32_t Height)
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    Sdl.Renderer = SDL_CreateRenderer(Sdl.Window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!Sdl.Renderer)
        Sdl.Renderer = SDL_CreateRenderer(Sdl.Window, -1, 0);
    if (!Sdl.Renderer)
        return Fail("can't create the renderer");
    SDL_RenderSetLogicalSize(Sdl.Renderer, Width, Height);
    SDL_RenderSetIntegerScale(Sdl.Renderer, SDL_TRUE);
    return true;
}

int32_t FittingScale(int32_t Width, int32_t Height)
{
    SDL_Rect Desktop;
    if (SDL_GetDisplayUsableBounds(0, &Desktop) != 0)
        return 1;
    return std::max(1, std::min((Desktop.w - SpareRoom) / Width, (Desktop.h - SpareRoom) / Height));
}

SDL_Window* CreateWindow(const char* Title, int32_t Width, int32_t Height)
{
    if (!Sdl.Windowed)
        return SDL_CreateWindow(Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, Width, Height,
                                SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_HIDDEN);
    int32_t Scale = Sdl.Scale > 0 ? Sdl.Scale : FittingScale(Width, Height);
    SDL_Window* Window = SDL_CreateWindow(Title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width * Scale,
                                          Height * Scale, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (Window)
        SDL_SetWindowMinimumSize(Window, Width, Height);
    return Window;
}

// Shown, restored and exposed make the window active; hidden and minimised
// make it inactive. Focus plays no part: bare X servers never send it.
bool Activation(const SDL_WindowEvent& e, WindowEvent* Event)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_EXPOSED: *Event = {WindowEventType::Activate, 1}; return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED: *Event = {WindowEventType::Redraw, 0}; return true;
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED: *Event = {WindowEventType::Activate, 0}; return true;
    case SDL_WINDOWEVENT_CLOSE: *Event = {WindowEventType::Close, 0}; return true;
    default: return false;
    }
}

// SDL's codes of the keys the window names; any other passes as it is.
int32_t KeyCode(SDL_Keycode Sym)
{
    switch (Sym) {
    case SDLK_PAUSE: return KeyPause;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_PAGEDOWN: return KeyPageDown;
    case SDLK_PAGEUP: return KeyPageUp;
    case SDLK_HOME: return KeyHome;
    case SDLK_F12: return KeyF12;
    default: return static_cast<int32_t>(Sym);
    }
}

bool TogglesFullscreen(const SDL_Keysym& Key)
{
    return Key.sym == SDLK_F11 ||
           ((Key.sym == SDLK_RETURN || Key.sym == SDLK_KP_ENTER) && (Key.mod & KMOD_ALT));
}

// Desktop fullscreen and back; the renderer's logical size keeps the
// picture at a whole factor, and the window left is resizable.
void ToggleFullscreen()
{
    const bool Full = SDL_GetWindowFlags(Sdl.Window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(Sdl.Window, Full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (Full)
        SDL_SetWindowResizable(Sdl.Window, SDL_TRUE);
}

// A key the window handles itself (fullscreen) or a held key's repeats give
// no event.
bool KeyEvent(const SDL_KeyboardEvent& Key, WindowEvent* Event)
{
    if (Key.repeat)
        return false;
    if (TogglesFullscreen(Key.keysym)) {
        ToggleFullscreen();
        return false;
    }
    *Event = {WindowEventType::KeyDown, KeyCode(Key.keysym.sym)};
    return true;
}

}  // namespace

bool VideoOpen()
{
    // Windows: the whole-number scale is computed on the monitor's real
    // pixels, and the system doesn't blur the window by scaling it again.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return Fail("no display found");
    // Without a display SDL quietly falls back to a driver that shows
    // nothing and "succeeds"; those drivers serve only when asked for.
    const char* Driver = SDL_GetCurrentVideoDriver();
    if (Driver && (std::strcmp(Driver, "offscreen") == 0 || std::strcmp(Driver, "dummy") == 0) &&
        !Requested(Driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        Sdl.Error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY leads to one)";
        return false;
    }
    return true;
}

void WindowChooseMode(bool Windowed, int32_t Scale)
{
    Sdl.Windowed = Windowed;
    Sdl.Scale = Scale;
}

// The window stays hidden until the renderer is made: an OpenGL renderer
// replaces the window it is given, and a person (or a test) would otherwise
// see one window appear and vanish before the real one.
bool WindowOpen(const char* Title, int32_t Width, int32_t Height)
{
    Sdl.Window = CreateWindow(Title, Width, Height);
    if (!Sdl.Window)
        return Fail("can't create the window");
    if (!CreateRenderer(Width, Height))
        return false;
    Sdl.Format = BackBufferFormat(SDL_GetWindowPixelFormat(Sdl.Window));
    Sdl.Texture = SDL_CreateTexture(Sdl.Renderer, Sdl.Format, SDL_TEXTUREACCESS_STREAMING, Width,
                                    Height);
    if (!Sdl.Texture)
        return Fail("can't create the back buffer");
    SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(Sdl.Window);
    Sdl.Created = true;
    return true;
}

bool WindowPixelFormat(PixelFormat* Format)
{
    Layout L = LayoutOf(Sdl.Format);
    if (L.Bits == 0)
        return Fail("unknown pixel format");
    *Format = {L.Bits, L.Red, L.Green, L.Blue};
    return true;
}

bool WindowLock(uint8_t** Pixels, int32_t* Pitch)
{
    void* Data;
    int Bytes;
    if (!Sdl.Texture || SDL_LockTexture(Sdl.Texture, nullptr, &Data, &Bytes) != 0)
        return false;
    *Pixels = static_cast<uint8_t*>(Data);
    *Pitch = Bytes;
    return true;
}

void WindowUnlock()
{
    SDL_UnlockTexture(Sdl.Texture);
}

void WindowSetCrt(bool On)
{
    SdlCrtWanted(On);
}

void WindowFlip()
{
    SdlCrtPrepare(Sdl.Renderer, Sdl.Texture);
    SDL_SetRenderDrawColor(Sdl.Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Sdl.Renderer);
    SDL_RenderCopy(Sdl.Renderer, Sdl.Texture, nullptr, nullptr);
    SdlCrtDraw(Sdl.Renderer);
    DrawOverlay(Sdl.Renderer);
    SDL_RenderPresent(Sdl.Renderer);
}

void WindowSetOverlay(const char* Text, uint32_t Ms)
{
    SetOverlayText(Text, Ms);
}

// The window's title stays the program's: the overlay names the chapter.
void WindowSetChapters(const char* const*, int32_t) {}
void WindowShowChapter(int32_t) {}

// SIGINT and SIGTERM reach us as SDL_QUIT, a close request like any other.
// A new window is active from its first poll, whenever the server gets round
// to showing it: the demo's frames then never hang on the server's speed.
bool WindowPollEvent(WindowEvent* Event)
{
    if (Sdl.Created) {
        Sdl.Created = false;
        *Event = {WindowEventType::Activate, 1};
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT: *Event = {WindowEventType::Close, 0}; return true;
        case SDL_KEYDOWN:
            if (KeyEvent(e.key, Event))
                return true;
            break;
        case SDL_WINDOWEVENT:
            if (Activation(e.window, Event))
                return true;
            break;
        default: break;
        }
    }
    return false;
}

void WindowClose()
{
    SdlCrtRelease();
    if (Sdl.Texture)
        SDL_DestroyTexture(Sdl.Texture);
    if (Sdl.Renderer)
        SDL_DestroyRenderer(Sdl.Renderer);
    if (Sdl.Window)
        SDL_DestroyWindow(Sdl.Window);
    Sdl.Texture = nullptr;
    Sdl.Renderer = nullptr;
    Sdl.Window = nullptr;
    Sdl.Created = false;
}

// Ending the video system lets the screen saver run again; switching it on
// afterwards finds nothing left to do.
void VideoClose()
{
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_EnableScreenSaver();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

void SetScreenSaver(bool Enabled)
{
    if (Enabled)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

const char* PlatformError()
{
    return Sdl.Error.c_str();
}
