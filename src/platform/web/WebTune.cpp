// The tune through an <audio> element: the browser fetches and decodes the
// MP3 itself and plays it on its own thread.
#include <emscripten.h>

#include <string>

#include "platform/Tune.h"

// 1 when the element can play the file, 0 when the browser gives up on it
// (no such file, not audio it can decode) or says nothing for ten seconds.
EM_ASYNC_JS(int, JsTuneOpen, (const char* Path), {
    const Tune = new Audio();
    const Ready = await new Promise(Resolve => {
        const Timeout = setTimeout(() => Resolve(0), 10000);
        const Done = Result => () => { clearTimeout(Timeout); Resolve(Result); };
        Tune.addEventListener('canplay', Done(1), { once: true });
        Tune.addEventListener('error', Done(0), { once: true });
        Tune.preload = 'auto';
        Tune.src = UTF8ToString(Path);
    });
    if (Ready)
        Module.Tune = Tune;
    else
        Tune.removeAttribute('src');
    return Ready;
});

// A refused play (no gesture yet, no audio output) leaves the demo silent.
EM_JS(void, JsTunePlay, (), {
    const Tune = Module.Tune;
    if (Tune && Tune.paused && Tune.currentTime === 0)
        Tune.play().catch(Error => console.warn('vorlune: playing without sound: ' + Error.message));
});

EM_JS(void, JsTunePause, (int Paused), {
    const Tune = Module.Tune;
    if (!Tune || Tune.currentTime === 0)
        return;
    if (Paused)
        Tune.pause();
    else
        Tune.play().catch(() => {});
});

EM_JS(void, JsTuneSeek, (double Seconds), {
    if (Module.Tune)
        Module.Tune.currentTime = Seconds;
});

EM_JS(void, JsTuneClose, (), {
    const Tune = Module.Tune;
    if (Tune) {
        Tune.pause();
        Tune.removeAttribute('src');
        Tune.load();
        Module.Tune = null;
    }
});

// The element's playback position, read with the moment of the reading: the
// browser's own account of what is sounding now, its output's latency
// taken off as far as it knows it.
EM_JS(int, JsTuneHeard, (double* PlayedUs, double* AtUs), {
    const Tune = Module.Tune;
    if (!Tune || Tune.paused || Tune.currentTime <= 0)
        return 0;
    HEAPF64[PlayedUs >> 3] = Tune.currentTime * 1e6;
    HEAPF64[AtUs >> 3] = performance.now() * 1e3;
    return 1;
});

namespace {

std::string Error;

}  // namespace

bool TuneOpen(const char* Path)
{
    if (JsTuneOpen(Path))
        return true;
    Error = std::string("can't play \"") + Path + "\"";
    return false;
}

void TunePlay()
{
    JsTunePlay();
}

void TunePause(bool Paused)
{
    JsTunePause(Paused ? 1 : 0);
}

void TuneSeek(uint64_t Us)
{
    JsTuneSeek(double(Us) / 1e6);
}

void TuneClose()
{
    JsTuneClose();
}

const char* TuneError()
{
    return Error.c_str();
}

bool TuneHeard(uint64_t* PlayedUs, uint64_t* AtUs)
{
    double Played, At;
    if (!JsTuneHeard(&Played, &At))
        return false;
    *PlayedUs = static_cast<uint64_t>(Played);
    *AtUs = static_cast<uint64_t>(At);
    return true;
}
