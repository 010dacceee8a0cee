// The window as the page's <canvas>: the back buffer is XRGB8888 in wasm
// memory, turned into RGBA image data at each flip. The page scales the
// canvas by whole factors, centred on black, and lays the CRT look over it;
// this file only draws into it, hands the page the look's numbers and
// gathers its keys. Each flip yields to the browser until its next
// animation frame, the browser's vsync.
#include <emscripten.h>

#include <string>
#include <vector>

#include "platform/CrtLook.h"
#include "platform/Picture.h"
#include "platform/Window.h"
#include "platform/web/Web.h"

static_assert(KeyEscape == 27 && KeySpace == 32 && KeyP == 0x70 && KeyPause == 0x101 && KeyRight == 0x102 &&
                  KeyLeft == 0x103 && KeyPageDown == 0x104 && KeyPageUp == 0x105 && KeyHome == 0x106 &&
                  KeyF12 == 0x107,
              "the key codes JsListen gives");

EM_JS(int, JsCanvasReady, (), {
    const Canvas = Module.canvas;
    Module.Web = Module.Web || { Events: [] };
    Module.Web.Context = Canvas && Canvas.getContext('2d', { alpha: false });
    return Module.Web.Context ? 1 : 0;
});

// Events travel as one number: type * 65536 + value, or -1 when none waits.
// The page asks for a chapter through Module.askChapter.
EM_JS(void, JsListen, (int Activate, int KeyDown, int Chapter), {
    const Web = Module.Web;
    const Keys = { 'Escape': 27, ' ': 32, 'p': 0x70, 'P': 0x70, 'Pause': 0x101, 'ArrowRight': 0x102,
                   'ArrowLeft': 0x103, 'PageDown': 0x104, 'PageUp': 0x105, 'Home': 0x106, 'F12': 0x107 };
    document.addEventListener('keydown', Event => {
        const Key = Keys[Event.key] || 0;
        if (Key) Event.preventDefault();
        if (!Event.repeat) Web.Events.push(KeyDown * 65536 + Key);
    });
    Module.askChapter = Index => Web.Events.push(Chapter * 65536 + Index);
    document.addEventListener('visibilitychange', () => {
        Web.Events.push(Activate * 65536 + (document.hidden ? 0 : 1));
    });
    Web.Events.push(Activate * 65536 + 1);
});

EM_JS(int, JsNextEvent, (), {
    const Event = Module.Web.Events.shift();
    return Event === undefined ? -1 : Event;
});

EM_JS(void, JsPutPixels, (const uint8_t* Rgba, int Width, int Height), {
    const Canvas = Module.canvas;
    if (Canvas.width !== Width || Canvas.height !== Height) {
        Canvas.width = Width;
        Canvas.height = Height;
    }
    const Bytes = new Uint8ClampedArray(HEAPU8.buffer, Rgba, Width * Height * 4);
    Module.Web.Context.putImageData(new ImageData(Bytes, Width, Height), 0, 0);
    if (Module.onFrame)
        Module.onFrame();
});

// The mask's tile at one factor, as RGBA image data, and then whether the
// look is on and the glow's strength and shrinking.
EM_JS(void, JsCrtTile, (int Scale, const uint8_t* Rgba, int Width, int Height), {
    Module.Web.CrtTiles = Module.Web.CrtTiles || [];
    const Bytes = new Uint8ClampedArray(HEAPU8.subarray(Rgba, Rgba + Width * Height * 4));
    Module.Web.CrtTiles[Scale] = new ImageData(Bytes, Width, Height);
});

EM_JS(void, JsSetCrt, (int On, int GlowAlpha, int GlowShrink), {
    if (Module.onCrt)
        Module.onCrt(On !== 0, Module.Web.CrtTiles, GlowAlpha / 255, GlowShrink);
});

// A hidden page gets no animation frames: the timer keeps the demo going
// there (as slowly as the browser lets a background timer run).
EM_ASYNC_JS(void, JsNextAnimationFrame, (), {
    await new Promise(Resolve => {
        requestAnimationFrame(() => Resolve());
        setTimeout(Resolve, 100);
    });
});

namespace {

// The largest factor of device pixels the page lays the look on.
constexpr int32_t CrtLargestScale = 16;

struct WebDisplay {
    bool VideoUp = false;
    bool WindowUp = false;
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Back;  // XRGB8888, as the demo writes it
    std::vector<uint32_t> Rgba;  // the same in the canvas's byte order
    std::string Error;
} Web;

// 0x00RRGGBB to the bytes R, G, B, 255 of a little-endian word.
void ToRgba(const uint32_t* From, uint32_t* To, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) {
        const uint32_t P = From[i];
        To[i] = 0xFF000000u | (P & 0xFF00u) | (P >> 16 & 0xFFu) | (P & 0xFFu) << 16;
    }
}

void Show(const uint32_t* Pixels, int32_t Width, int32_t Height)
{
    const size_t Count = size_t(Width) * size_t(Height);
    Web.Rgba.resize(Count);
    ToRgba(Pixels, Web.Rgba.data(), Count);
    JsPutPixels(reinterpret_cast<const uint8_t*>(Web.Rgba.data()), Width, Height);
}

// Every factor's tile of the mask, for the page to draw at whichever
// factor it shows the canvas.
void HandOverCrtTiles()
{
    std::vector<uint32_t> Tile, Rgba;
    for (int32_t Scale = CrtMinScale; Scale <= CrtLargestScale; ++Scale) {
        const int32_t Height = CrtMaskHeight(Scale);
        Tile.resize(size_t(CrtMaskWidth) * size_t(Height));
        for (int32_t y = 0; y < Height; ++y)
            for (int32_t x = 0; x < CrtMaskWidth; ++x)
                Tile[size_t(y) * CrtMaskWidth + x] = CrtMask(x, y, Scale);
        Rgba.resize(Tile.size());
        ToRgba(Tile.data(), Rgba.data(), Tile.size());
        JsCrtTile(Scale, reinterpret_cast<const uint8_t*>(Rgba.data()), CrtMaskWidth, Height);
    }
}

}  // namespace

bool VideoOpen()
{
    if (!JsCanvasReady()) {
        Web.Error = "no display found (the page has no canvas to draw on)";
        return false;
    }
    Web.VideoUp = true;
    return true;
}

// The page decides how the canvas is shown: whole factors of the window,
// full screen on request.
void WindowChooseMode(bool, int32_t) {}

void WindowSetCrt(bool On)
{
    if (!JsCanvasReady())
        return;
    HandOverCrtTiles();
    JsSetCrt(On, int(CrtGlowAlpha), int(CrtGlowShrink));
}

bool WindowOpen(const char*, int32_t Width, int32_t Height)
{
    if (!Web.VideoUp || Width <= 0 || Height <= 0) {
        Web.Error = "no video system";
        return false;
    }
    Web.Width = Width;
    Web.Height = Height;
    Web.Back.assign(size_t(Width) * size_t(Height), 0);
    Web.WindowUp = true;
    // A shown page counts as active from the start, as a shown window does.
    JsListen(int(WindowEventType::Activate), int(WindowEventType::KeyDown), int(WindowEventType::Chapter));
    return true;
}

bool WindowPixelFormat(PixelFormat* Format)
{
    if (!Web.WindowUp)
        return false;
    *Format = {32, 0xFF0000, 0xFF00, 0xFF};
    return true;
}

bool WindowLock(uint8_t** Pixels, int32_t* Pitch)
{
    if (!Web.WindowUp)
        return false;
    *Pixels = reinterpret_cast<uint8_t*>(Web.Back.data());
    *Pitch = Web.Width * 4;
    return true;
}

void WindowUnlock() {}

void WindowFlip()
{
    if (!Web.WindowUp)
        return;
    Show(Web.Back.data(), Web.Width, Web.Height);
    JsNextAnimationFrame();
}

bool WindowPollEvent(WindowEvent* Event)
{
    if (!Web.WindowUp)
        return false;
    const int Packed = JsNextEvent();
    if (Packed < 0)
        return false;
    *Event = {WindowEventType(Packed >> 16), Packed & 0xFFFF};
    return true;
}

// The page draws the overlay over the canvas and keeps the chapters.
EM_JS(void, JsSetOverlay, (const char* Text, unsigned Ms), {
    if (Module.onOverlay)
        Module.onOverlay(Text ? UTF8ToString(Text) : String(), Ms);
});

EM_JS(void, JsSetChapters, (const char* const* Titles, int Count), {
    const List = [];
    for (let i = 0; i < Count; ++i)
        List.push(UTF8ToString(HEAPU32[(Titles >> 2) + i]));
    if (Module.onChapters)
        Module.onChapters(List);
});

EM_JS(void, JsShowChapter, (int Index), {
    if (Module.onChapter)
        Module.onChapter(Index);
});

void WindowSetOverlay(const char* Text, uint32_t Ms)
{
    JsSetOverlay(Text, Ms);
}

void WindowSetChapters(const char* const* Titles, int32_t Count)
{
    JsSetChapters(Titles, Count);
}

void WindowShowChapter(int32_t Index)
{
    JsShowChapter(Index);
}

// A download of the picture as a PNG, named after the path's last part.
EM_JS(void, JsDownloadPicture, (const char* Path, const uint8_t* Rgba, int Width, int Height), {
    const Name = UTF8ToString(Path).split('/').pop();
    const Canvas = document.createElement('canvas');
    Canvas.width = Width;
    Canvas.height = Height;
    const Bytes = new Uint8ClampedArray(HEAPU8.buffer, Rgba, Width * Height * 4);
    Canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(Bytes), Width, Height), 0, 0);
    Canvas.toBlob(Blob => {
        const Link = document.createElement('a');
        Link.href = URL.createObjectURL(Blob);
        Link.download = Name;
        document.body.appendChild(Link);
        Link.click();
        Link.remove();
        setTimeout(() => URL.revokeObjectURL(Link.href), 60000);
    }, 'image/png');
});

const char* SavePicture(const char* Path, const uint32_t* Pixels, int32_t Width, int32_t Height)
{
    std::vector<uint32_t> Rgba(size_t(Width) * size_t(Height));
    ToRgba(Pixels, Rgba.data(), Rgba.size());
    JsDownloadPicture(Path, reinterpret_cast<const uint8_t*>(Rgba.data()), Width, Height);
    return nullptr;
}

void WindowClose()
{
    Web.WindowUp = false;
}

void VideoClose()
{
    Web.VideoUp = false;
}

// The screen saver's counterpart in a page is the screen wake lock; where
// the browser refuses it (no secure context) or drops it (the page hidden)
// the screen may dim as usual.
EM_JS(void, JsKeepScreenOn, (int On), {
    const Web = Module.Web;
    if (!Web)
        return;
    if (!On) {
        if (Web.WakeLock)
            Web.WakeLock.then(Lock => Lock && Lock.release()).catch(() => {});
        Web.WakeLock = null;
    } else if (navigator.wakeLock && !Web.WakeLock) {
        Web.WakeLock = navigator.wakeLock.request('screen').catch(() => null);
    }
});

void SetScreenSaver(bool Enabled)
{
    JsKeepScreenOn(Enabled ? 0 : 1);
}

const char* PlatformError()
{
    return Web.Error.c_str();
}

void WebShowPicture(const uint32_t* Pixels, int32_t Width, int32_t Height)
{
    if (JsCanvasReady())
        Show(Pixels, Width, Height);
}
