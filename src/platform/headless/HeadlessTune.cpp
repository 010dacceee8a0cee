// A silent tune: checks that the file is there and looks like an MP3, and
// remembers when it was started, so a capture can lay the real tune under
// the frames at that moment.
#include <cstdio>
#include <string>

#include "platform/Tune.h"
#include "platform/headless/HeadlessState.h"

namespace {

// An ID3 tag or an MPEG audio frame sync at the start.
bool LooksLikeMp3(const unsigned char* Head, size_t Length)
{
    if (Length >= 3 && Head[0] == 'I' && Head[1] == 'D' && Head[2] == '3')
        return true;
    return Length >= 2 && Head[0] == 0xFF && (Head[1] & 0xE0) == 0xE0;
}

}  // namespace

bool TuneOpen(const char* Path)
{
    if (!Headless.AudioFailure.empty()) {
        Headless.TuneError = Headless.AudioFailure;
        return false;
    }
    FILE* File = std::fopen(Path, "rb");
    if (!File) {
        Headless.TuneError = std::string("can't play \"") + Path + "\": no such file";
        return false;
    }
    unsigned char Head[3];
    size_t Length = std::fread(Head, 1, sizeof Head, File);
    std::fclose(File);
    if (!LooksLikeMp3(Head, Length)) {
        Headless.TuneError = std::string("can't play \"") + Path + "\": not an MP3 file";
        return false;
    }
    Headless.TunePath = Path;
    return true;
}

void TunePlay()
{
    if (!Headless.TunePath.empty() && !Headless.TuneStarted) {
        Headless.TuneStarted = true;
        Headless.TuneStart = Headless.TuneSince = Headless.Clock.Now;
    }
}

namespace {

uint64_t TunePosition()
{
    return Headless.TunePlayed +
           (Headless.TunePaused ? 0 : Headless.Clock.Now - Headless.TuneSince);
}

}  // namespace

void TunePause(bool Paused)
{
    if (!Headless.TuneStarted || Paused == Headless.TunePaused)
        return;
    Headless.TunePlayed = TunePosition();
    Headless.TuneSince = Headless.Clock.Now;
    Headless.TunePaused = Paused;
    Headless.TuneMoves.push_back(
        {Paused ? TuneMove::Pause : TuneMove::Resume, Headless.Clock.Now, 0});
}

void TuneSeek(uint64_t Us)
{
    if (!Headless.TuneStarted)
        return;
    Headless.TunePlayed = Us;
    Headless.TuneSince = Headless.Clock.Now;
    Headless.TuneMoves.push_back({TuneMove::Seek, Headless.Clock.Now, Us});
}

void TuneClose()
{
    Headless.TunePath.clear();
}

const char* TuneError()
{
    return Headless.TuneError.c_str();
}

void HeadlessFailAudio(const char* Reason)
{
    Headless.AudioFailure = Reason;
}

bool HeadlessTuneStarted(uint64_t* At)
{
    if (Headless.TuneStarted)
        *At = Headless.TuneStart;
    return Headless.TuneStarted;
}

// The silent tune sounds from the moment it starts, without latency.
bool TuneHeard(uint64_t* PlayedUs, uint64_t* AtUs)
{
    if (!Headless.TuneStarted || Headless.TunePath.empty() || Headless.Clock.Now <= Headless.TuneStart)
        return false;
    *PlayedUs = TunePosition();
    *AtUs = Headless.Clock.Now;
    return true;
}

const TuneMove* HeadlessTuneMoves(size_t* Count)
{
    *Count = Headless.TuneMoves.size();
    return Headless.TuneMoves.data();
}
