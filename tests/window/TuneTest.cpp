// The tune on SDL2_mixer, heard through SDL's disk audio driver, which
// writes the mixed output (signed 16-bit stereo, 44.1 kHz) to a file in real
// time: loading plays nothing, playing reaches the output, and a missing,
// broken or unplayable tune leaves the demo silent but running.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "Desktop.h"
#include "platform/Tune.h"
#include "runtime/MainLoop.h"

namespace {

const std::string Tune = std::string(VORLUNE_BUILD_DIR) + "/Brumalid.mp3";

// The loudest sample of the raw output so far.
int Loudest(const std::string& Raw)
{
    int Peak = 0;
    for (size_t i = 0; i + 1 < Raw.size(); i += 2)
        Peak = std::max(Peak, std::abs(int(int16_t(uint8_t(Raw[i]) | uint8_t(Raw[i + 1]) << 8))));
    return Peak;
}

void Wait(int Ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Waits up to TimeoutMs until File holds Text.
bool WaitForText(const TempDir& Folder, const std::string& File, const std::string& Text, int TimeoutMs)
{
    for (int Waited = 0; Waited < TimeoutMs; Waited += 50, Wait(50))
        if (Folder.Read(File).find(Text) != std::string::npos)
            return true;
    return false;
}

void UseDiskAudio(const std::string& Folder)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (Folder + "/out.raw").c_str(), 1);
}

}  // namespace

TEST(SdlTune, LoadingPlaysNothingAndPlayingReachesTheOutput)
{
    if (!std::filesystem::exists(Tune))
        GTEST_SKIP() << "no generated tune in the build folder";
    TempDir Folder;
    // Exit codes: 0 fine, 1 no open, 2 sound before play, 3 silence after.
    ChildResult Run = RunInChild(Folder.Path, [&] {
        UseDiskAudio(Folder.Path);
        if (!TuneOpen(Tune.c_str()))
            return 1;
        Wait(400);
        if (Loudest(Folder.Read("out.raw")) != 0)
            return 2;
        TunePlay();
        Wait(800);
        TuneClose();
        return Loudest(Folder.Read("out.raw")) > 1000 ? 0 : 3;
    });
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_GT(Folder.Read("out.raw").size(), 44100u * 4 / 2) << "the output did not run in real time";
}

TEST(SdlTune, RefusesWhatItCannotPlay)
{
    TempDir Folder;
    std::ofstream(Folder.Path + "/garbage.mp3") << std::string(5000, 'x');
    ChildResult Run = RunInChild(Folder.Path, [&] {
        UseDiskAudio(Folder.Path);
        bool Missing = TuneOpen("missing.mp3");
        std::string MissingWhy = TuneError();
        TuneClose();
        bool Garbage = TuneOpen("garbage.mp3");
        TunePlay();  // with nothing loaded, does nothing
        TuneClose();
        setenv("SDL_AUDIODRIVER", "none", 1);
        bool NoDevice = TuneOpen(Tune.c_str());
        std::printf("%d %d %d %s", Missing, Garbage, NoDevice, MissingWhy.c_str());
        return 0;
    });
    EXPECT_EQ(Run.Stdout.substr(0, 6), "0 0 0 ") << Run.Stdout;
    EXPECT_NE(Run.Stdout.find("missing.mp3"), std::string::npos) << Run.Stdout;
}

TEST(RealWindow, TheTuneStartsWithTheEffects)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: ctest runs these tests under Xvfb";
    DemoFolder Folder;
    ASSERT_TRUE(WaitForNoWindow("Vorlune", 30));
    RunningChild Child;
    StartChild(&Child, Folder.Path, [&] {
        setenv("SDL_VIDEODRIVER", "x11", 1);
        UseDiskAudio(Folder.Path);
        return DemoMain();
    });
    // The first effect's first blit is in the log once the loading is done.
    bool Playing = WaitForText(Folder, "LogDemo.txt", "PosX = <0> : PosY = <0>\n", 30000);
    Wait(500);
    kill(Child.Pid, SIGTERM);
    ChildResult Run = WaitForChild(&Child, 30000);
    EXPECT_TRUE(Playing) << "the first effect never ran";
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_GT(Loudest(Folder.Read("out.raw")), 1000) << "the tune never reached the output";
}

TEST(RealWindow, WithoutAnAudioDeviceTheDemoRunsSilent)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: ctest runs these tests under Xvfb";
    DemoFolder Folder;
    ASSERT_TRUE(WaitForNoWindow("Vorlune", 30));
    RunningChild Child;
    StartChild(&Child, Folder.Path, [&] {
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "none", 1);
        return DemoMain();
    });
    bool Playing = WaitForText(Folder, "LogDemo.txt", "PosX = <0> : PosY = <0>\n", 30000);
    kill(Child.Pid, SIGTERM);
    ChildResult Run = WaitForChild(&Child, 30000);
    EXPECT_TRUE(Playing) << "the first effect never ran";
    EXPECT_EQ(Run.ExitCode, 0);
    EXPECT_NE(Run.Stderr.find("vorlune: playing without sound: no audio"), std::string::npos) << Run.Stderr;
    EXPECT_NE(Folder.Read("LogDemo.txt").find("Warning!! Playing without sound: no audio"),
              std::string::npos);
}
