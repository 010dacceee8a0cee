// The tune on SDL2_mixer, decoded by libmpg123.
#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "platform/Clock.h"
#include "platform/Tune.h"

namespace {

Mix_Music* Music = nullptr;
bool AudioUp = false;
std::string Error;

// What the mixer has handed to the device, counted in its own thread after
// each buffer: the tune's samples, exactly (Mix_GetMusicPosition gives the
// same count, but only a buffer at a time and without the moment).
struct MixCount {
    int Rate = 0, FrameBytes = 0;
    uint64_t Mixed = 0;   // frames of the tune handed over
    uint64_t Buffer = 0;  // frames in one buffer
    uint64_t At = 0;      // PlatformMicros() of the latest buffer
} Count;
SDL_SpinLock CountLock = 0;

void SDLCALL CountMixed(void*, Uint8*, int Bytes)
{
    if (!Mix_PlayingMusic() || Mix_PausedMusic() || Count.FrameBytes == 0)
        return;
    uint64_t Now = PlatformMicros();
    SDL_AtomicLock(&CountLock);
    Count.Buffer = uint64_t(Bytes / Count.FrameBytes);
    Count.Mixed += Count.Buffer;
    Count.At = Now;
    SDL_AtomicUnlock(&CountLock);
}

// The counter starts from nothing with each tune.
void StartCounting()
{
    int Rate, Channels;
    Uint16 Format;
    if (!Mix_QuerySpec(&Rate, &Format, &Channels))
        return;
    SDL_AtomicLock(&CountLock);
    Count = {Rate, SDL_AUDIO_BITSIZE(Format) / 8 * Channels, 0, 0, 0};
    SDL_AtomicUnlock(&CountLock);
    Mix_SetPostMix(CountMixed, nullptr);
}

bool Fail(const std::string& What)
{
    Error = What + ": " + SDL_GetError();
    TuneClose();
    return false;
}

}  // namespace

bool TuneOpen(const char* Path)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return Fail("no audio");
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0)
        return Fail("no audio device");
    AudioUp = true;
    Music = Mix_LoadMUS(Path);
    if (!Music)
        return Fail(std::string("can't play \"") + Path + "\"");
    StartCounting();
    return true;
}

void TunePlay()
{
    if (Music)
        Mix_PlayMusic(Music, 0);
}

// The count stands still while paused; on resume it is what is heard now,
// not at the last buffer before the pause.
void TunePause(bool Paused)
{
    if (!Music)
        return;
    if (Paused) {
        Mix_PauseMusic();
        return;
    }
    SDL_AtomicLock(&CountLock);
    Count.At = PlatformMicros();
    SDL_AtomicUnlock(&CountLock);
    Mix_ResumeMusic();
}

// The count starts again from the new place: two buffers are still queued
// before it, as after a start.
void TuneSeek(uint64_t Us)
{
    if (!Music || Mix_SetMusicPosition(double(Us) / 1e6) != 0)
        return;
    SDL_AtomicLock(&CountLock);
    Count.Mixed = Us * uint64_t(Count.Rate) / 1000000;
    Count.At = PlatformMicros();
    SDL_AtomicUnlock(&CountLock);
}

void TuneClose()
{
    if (Music) {
        Mix_HaltMusic();
        Mix_FreeMusic(Music);
        Music = nullptr;
    }
    if (AudioUp) {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_CloseAudio();
        AudioUp = false;
    }
    Mix_Quit();
    if (SDL_WasInit(SDL_INIT_AUDIO))
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const char* TuneError()
{
    return Error.c_str();
}

// The buffer just handed over starts to sound when the one before it has
// played: what is heard lags what was mixed by two buffers.
bool TuneHeard(uint64_t* PlayedUs, uint64_t* AtUs)
{
    if (!Music)
        return false;
    SDL_AtomicLock(&CountLock);
    MixCount Now = Count;
    SDL_AtomicUnlock(&CountLock);
    if (Now.Rate <= 0 || Now.Mixed <= 2 * Now.Buffer)
        return false;
    *PlayedUs = (Now.Mixed - 2 * Now.Buffer) * 1000000 / uint64_t(Now.Rate);
    *AtUs = Now.At;
    return true;
}
