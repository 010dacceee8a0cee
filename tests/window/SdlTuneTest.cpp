// The tune on the real SDL_mixer backend, without a display: the generated
// tune on SDL's dummy audio device, files that are no MP3 and a machine
// without an audio device. Each in a child process: SDL's state is global.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Clock.h"
#include "platform/Tune.h"
#include "support/Child.h"

namespace {

const std::string BuiltTune = VORLUNE_BUILD_DIR "/Brumalid.mp3";

// Opens Path on the audio driver Driver, plays, closes twice; prints whether
// it opened and why not.
ChildResult OpenTune(const char* Driver, const std::string& Path)
{
    TempDir Folder;
    return RunInChild(Folder.Path, [&] {
        setenv("SDL_AUDIODRIVER", Driver, 1);
        bool Opened = TuneOpen(Path.c_str());
        std::printf("%d %s", Opened, TuneError());
        TunePlay();
        TuneClose();
        TuneClose();
        return 0;
    });
}

std::string WriteFile(const TempDir& Folder, const char* Name, const std::string& Bytes)
{
    std::string Path = Folder.Path + "/" + Name;
    std::ofstream(Path, std::ios::binary) << Bytes;
    return Path;
}

}  // namespace

TEST(SdlTune, GeneratedTuneOpensAndPlaysOnADummyDevice)
{
    ChildResult Run = OpenTune("dummy", BuiltTune);
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, "1 ");
}

// A file copied half-way holds whole frames up to where it stops.
// SDL's disk driver writes the mixed output (signed 16-bit stereo) to a
// file in real time: silence while the tune is only loaded, the tune once
// it plays.
TEST(SdlTune, LoadingPlaysNothingAndPlayingReachesTheOutput)
{
    TempDir Folder;
    auto Loudest = [&] {
        std::ifstream In(Folder.Path + "/out.raw", std::ios::binary);
        std::string Raw((std::istreambuf_iterator<char>(In)), {});
        int Peak = 0;
        for (size_t i = 0; i + 1 < Raw.size(); i += 2)
            Peak = std::max(Peak, std::abs(int(int16_t(uint8_t(Raw[i]) | uint8_t(Raw[i + 1]) << 8))));
        return Peak;
    };
    // Exit codes: 1 no open, 2 sound before play, 3 silence after.
    ChildResult Run = RunInChild(Folder.Path, [&] {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "out.raw", 1);
        if (!TuneOpen(BuiltTune.c_str()))
            return 1;
        usleep(400000);
        if (Loudest() != 0)
            return 2;
        TunePlay();
        usleep(800000);
        TuneClose();
        return Loudest() > 1000 ? 0 : 3;
    });
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
}

// The disk driver takes the output at the pace of real time: what is heard
// must follow the real clock, two buffers behind what was mixed.
TEST(SdlTune, WhatIsHeardFollowsRealTime)
{
    TempDir Folder;
    ChildResult Run = RunInChild(Folder.Path, [&] {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        uint64_t Played, At;
        if (!TuneOpen(BuiltTune.c_str()))
            return 1;
        usleep(200000);
        if (TuneHeard(&Played, &At))
            return 2;
        uint64_t Start = PlatformMicros();
        TunePlay();
        usleep(1500000);
        if (!TuneHeard(&Played, &At))
            return 3;
        int64_t Behind = int64_t(At - Start) - int64_t(Played);
        std::printf("%lld", static_cast<long long>(Behind));
        TuneClose();
        return TuneHeard(&Played, &At) ? 4 : 0;
    });
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    long long Behind = std::atoll(Run.Stdout.c_str());
    // 46 to 93 ms on a quiet machine; a busy one delays the driver's thread.
    EXPECT_TRUE(Behind > 40000 && Behind < 1000000) << "heard " << Behind << " us behind the real clock";
}

TEST(SdlTune, TuneCutHalfWayStillPlays)
{
    TempDir Folder;
    std::ifstream In(BuiltTune, std::ios::binary);
    std::string Bytes((std::istreambuf_iterator<char>(In)), {});
    ChildResult Run = OpenTune("dummy", WriteFile(Folder, "half.mp3", Bytes.substr(0, Bytes.size() / 2)));
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, "1 ");
}

TEST(SdlTune, FilesThatAreNoMp3AreRefusedByName)
{
    TempDir Folder;
    for (const std::string& Path :
         {WriteFile(Folder, "text.mp3", "not a tune at all\n"), WriteFile(Folder, "empty.mp3", ""),
          WriteFile(Folder, "wave.mp3", std::string("RIFF\x24\x08\0\0WAVEfmt ", 16) + std::string(4000, '\0')),
          Folder.Path + "/missing.mp3"}) {
        ChildResult Run = OpenTune("dummy", Path);
        EXPECT_EQ(Run.ExitCode, 0) << Path << ": " << Run.Stderr;
        EXPECT_EQ(Run.Stdout.rfind("0 can't play \"" + Path + "\": ", 0), 0u) << Run.Stdout;
    }
}

TEST(SdlTune, NoAudioDeviceIsSaid)
{
    ChildResult Run = OpenTune("none", BuiltTune);
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout.rfind("0 no audio: ", 0), 0u) << Run.Stdout;
}
