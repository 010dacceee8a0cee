// The real window: a desktop-fullscreen SDL window whose renderer scales the
// picture by the largest whole factor that fits, centred on black.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/Window.h"

namespace {

struct SdlDisplay {
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    Uint32 Format = SDL_PIXELFORMAT_XRGB8888;
    std::string Error;
} Sdl;

bool Fail(const char* What)
{
    Sdl.Error = std::string(What) + ": " + SDL_GetError();
    return false;
}

}  // namespace

bool VideoOpen()
{
    // Without a display SDL quietly picks its offscreen driver and
    // "succeeds"; that driver is used only when asked for by name.
    if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY")) {
        Sdl.Error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return Fail("no display found");
    return true;
}

bool WindowOpen(const char* Title, int32_t Width, int32_t Height)
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    Sdl.Window = SDL_CreateWindow(Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, Width,
                                  Height, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!Sdl.Window)
        return Fail("can't create the window");
    Sdl.Renderer = SDL_CreateRenderer(Sdl.Window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!Sdl.Renderer)
        Sdl.Renderer = SDL_CreateRenderer(Sdl.Window, -1, 0);
    if (!Sdl.Renderer)
        return Fail("can't create the renderer");
    SDL_RenderSetLogicalSize(Sdl.Renderer, Width, Height);
    SDL_RenderSetIntegerScale(Sdl.Renderer, SDL_TRUE);
    Sdl.Texture = SDL_CreateTexture(Sdl.Renderer, Sdl.Format, SDL_TEXTUREACCESS_STREAMING, Width,
                                    Height);
    if (!Sdl.Texture)
        return Fail("can't create the back buffer");
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

bool WindowPixelFormat(PixelFormat* Format)
{
    int Bpp;
    Uint32 R, G, B, A;
    if (!SDL_PixelFormatEnumToMasks(Sdl.Format, &Bpp, &R, &G, &B, &A))
        return Fail("unknown pixel format");
    *Format = {SDL_BYTESPERPIXEL(Sdl.Format) * 8u, R, G, B};
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

void WindowFlip()
{
    SDL_SetRenderDrawColor(Sdl.Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Sdl.Renderer);
    SDL_RenderCopy(Sdl.Renderer, Sdl.Texture, nullptr, nullptr);
    SDL_RenderPresent(Sdl.Renderer);
}

bool WindowPollEvent(WindowEvent* Event)
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT: *Event = {WindowEventType::Close, 0}; return true;
        case SDL_KEYDOWN:
            *Event = {WindowEventType::KeyDown, static_cast<int32_t>(e.key.keysym.sym)};
            return true;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_RESTORED: *Event = {WindowEventType::Activate, 1}; return true;
            case SDL_WINDOWEVENT_HIDDEN:
            case SDL_WINDOWEVENT_MINIMIZED: *Event = {WindowEventType::Activate, 0}; return true;
            case SDL_WINDOWEVENT_CLOSE: *Event = {WindowEventType::Close, 0}; return true;
            default: break;
            }
            break;
        default: break;
        }
    }
    return false;
}

void WindowClose()
{
    if (Sdl.Texture)
        SDL_DestroyTexture(Sdl.Texture);
    if (Sdl.Renderer)
        SDL_DestroyRenderer(Sdl.Renderer);
    if (Sdl.Window)
        SDL_DestroyWindow(Sdl.Window);
    Sdl.Texture = nullptr;
    Sdl.Renderer = nullptr;
    Sdl.Window = nullptr;
}

void VideoClose()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
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
