// The tune on SDL2_mixer, decoded by libmpg123.
#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "platform/Tune.h"

namespace {

Mix_Music* Music = nullptr;
bool AudioUp = false;
std::string Error;

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
    return true;
}

void TunePlay()
{
    if (Music)
        Mix_PlayMusic(Music, 0);
}

void TuneClose()
{
    if (Music) {
        Mix_HaltMusic();
        Mix_FreeMusic(Music);
        Music = nullptr;
    }
    if (AudioUp) {
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
