// The viewer's controls on the headless backend standing in for a real 60 Hz
// display (HeadlessSetRefresh): the show played on its reference clock
// through the pacer, as live, with scripted keys. Every frame of a golden
// call made on the way (cued, replayed after a jump back, or shown) must
// hash as stored: a piece of state a jump forgets shows up here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

#include "core/Quit.h"
#include "core/Screen.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

std::set<std::string> GoldenNames()
{
    std::set<std::string> Names;
    std::ifstream List(GOLDEN_HASHES);
    for (std::string Line; std::getline(List, Line);)
        Names.insert(Line.substr(Line.find("  ") + 2));
    return Names;
}

std::string FrameName(unsigned Slot, unsigned Call)
{
    char Name[32];
    std::snprintf(Name, sizeof Name, "s%02u-c%06u.ppm", Slot, Call);
    return Name;
}

// As the capture tool writes a frame: each pixel's low 24 bits as R, G, B.
void WriteFrame(const std::string& Path, const uint32_t* Pixels, size_t Stride)
{
    std::string Bytes = "P6\n640 480\n255\n";
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const uint32_t P = Pixels[y * Stride + x];
            Bytes += {char(P >> 16), char(P >> 8), char(P)};
        }
    std::ofstream(Path, std::ios::binary) << Bytes;
}

// Each pass through the show (a jump back starts another) in its own folder.
struct Watch {
    std::set<std::string> Golden;
    int Pass = 0;
    uint8_t LastSlot = 0;
    uint32_t Calls[EffectCount] = {};
    size_t PicturesChecked = 0;
} W;

void KeepGoldenFrame(uint8_t Slot, int32_t)
{
    if (Slot < W.LastSlot) {
        ++W.Pass;
        std::fill(std::begin(W.Calls), std::end(W.Calls), 0);
    }
    W.LastSlot = Slot;
    const std::string Name = FrameName(Slot, ++W.Calls[Slot]);
    if (!W.Golden.count(Name))
        return;
    const std::string Folder = "pass" + std::to_string(W.Pass);
    std::filesystem::create_directories(Folder);
    WriteFrame(Folder + "/" + Name, MainScreen->Pixels, 640);
}

// A screenshot is the frame of the call it is named after: the buffer holds
// it until the next call.
void CheckScreenshot(uint8_t)
{
    const char* Path;
    const uint32_t* Picture = HeadlessSavedPicture(&Path);
    if (!Picture || W.PicturesChecked)
        return;
    W.PicturesChecked = 1;
    char Want[40];
    std::snprintf(Want, sizeof Want, "vorlune-s%02u-c%06u.png", unsigned(Place.FrameSlot),
                  unsigned(Place.FrameCall));
    const bool Same = std::equal(Picture, Picture + 640 * 480, MainScreen->Pixels);
    std::printf("screenshot %s of %s: %s\n", Path, Want, Same ? "the frame" : "another frame");
}

void NoteOverlay()
{
    static bool Seen = false;
    if (!Seen && std::string(HeadlessOverlay()).find("paused") != std::string::npos) {
        Seen = true;
        std::printf("overlay: %s\n", HeadlessOverlay());
    }
}

int PlayWithKeys(const Settings& Run)
{
    for (auto [AtMs, Type, Value] : {std::tuple{8000u, WindowEventType::KeyDown, KeyRight},
                                     {9000u, WindowEventType::Chapter, 9},
                                     {12000u, WindowEventType::KeyDown, KeyLeft},
                                     {14000u, WindowEventType::KeyDown, KeyP},
                                     {14500u, WindowEventType::KeyDown, KeyF12},
                                     {15000u, WindowEventType::KeyDown, KeyPause},
                                     {17000u, WindowEventType::KeyDown, KeyEscape}})
        HeadlessScriptEvent(AtMs, Type, Value);
    W.Golden = GoldenNames();
    HeadlessSetRefresh(60000);
    EffectCallHook = KeepGoldenFrame;
    EffectStartHook = CheckScreenshot;
    HeadlessSetPollHook(NoteOverlay);
    return DemoMain(Run);
}

// Every frame kept in each pass folder against the stored hashes.
int GoldenMismatches(const std::string& Folder, int* Passes)
{
    int Bad = 0;
    for (*Passes = 0; std::filesystem::exists(Folder + "/pass" + std::to_string(*Passes));
         ++*Passes) {
        const std::string Command = "cd '" + Folder + "/pass" + std::to_string(*Passes) +
                                    "' && sha256sum --quiet --ignore-missing -c " GOLDEN_HASHES;
        Bad += std::system(Command.c_str()) != 0;
    }
    return Bad;
}

std::string ShowLog(const std::string& Log)
{
    const size_t Closing = Log.rfind("+---", Log.rfind("FIN   D U"));
    return Log.substr(0, Closing);
}

}  // namespace

// Two jumps forward (a key, then the page's list), one back, a pause of a
// second with a screenshot in it, then Escape: every frame on the way is the
// reference run's, the log is the straight run's up to the end, the tune
// follows, and the pacer never skips a frame to catch up.
TEST(Controls, JumpsAndPauseKeepEveryFrameExact)
{
    TempDir Dir;
    LinkAssets(ASSET_FOLDER, Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, [] { return PlayWithKeys(Settings{.Stats = true}); });
    ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;

    int Passes = 0;
    EXPECT_EQ(GoldenMismatches(Dir.Path, &Passes), 0);
    EXPECT_EQ(Passes, 2) << "one jump back, one replay";
    EXPECT_NE(Run.Stdout.find("overlay: 08  flash, letterbox, closed doors  -  paused"),
              std::string::npos)
        << Run.Stdout;
    EXPECT_NE(Run.Stdout.find(": the frame"), std::string::npos) << Run.Stdout;
    EXPECT_NE(Run.Stderr.find("vorlune: screenshot vorlune-s08-c"), std::string::npos)
        << Run.Stderr;
    EXPECT_NE(Run.Stderr.find(" skipped 0,"), std::string::npos) << Run.Stderr;

    // The straight run's log, ended where this one was.
    TempDir Straight;
    LinkAssets(ASSET_FOLDER, Straight.Path);
    ChildResult Reference = RunInChild(Straight.Path, [] { return DemoMain(Settings{}); });
    ASSERT_EQ(Reference.ExitCode, 0);
    const std::string Log = ShowLog(Dir.Read("LogDemo.txt")), Whole = Straight.Read("LogDemo.txt");
    EXPECT_NE(Log.find("Load image <"), std::string::npos);
    EXPECT_EQ(Whole.compare(0, Log.size(), Log), 0) << "the log is not the straight run's";
}

// --start plays the reference run from the very start, unseen, and shows
// the part from its start: its first call's frame is the golden one, on
// screen, and the tune is moved to the same moment.
TEST(Controls, StartShowsThePartsGoldenFrame)
{
    TempDir Dir;
    LinkAssets(ASSET_FOLDER, Dir.Path);
    const auto ShowFirstFrameOf13 = [] {
        HeadlessSetFlipHook([](const uint8_t* Pixels, int32_t Pitch, uint64_t) {
            if (Place.FrameSlot != 13 || Place.FrameCall != 1)
                return;
            WriteFrame(FrameName(13, 1), reinterpret_cast<const uint32_t*>(Pixels),
                       size_t(Pitch) / 4);
            size_t Moves;
            const TuneMove* Move = HeadlessTuneMoves(&Moves);
            std::printf("tune moves %zu, first a seek: %d; chapter %d\n", Moves,
                        Moves && Move->Kind == TuneMove::Seek, HeadlessChapter());
            Quit(0);
        });
        HeadlessSetRefresh(60000);
        return DemoMain(Settings{.Start = 13});
    };
    ChildResult Run = RunInChild(Dir.Path, ShowFirstFrameOf13);
    ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, "tune moves 1, first a seek: 1; chapter 13\n");
    const std::string Command =
        "cd '" + Dir.Path + "' && sha256sum --quiet --ignore-missing -c " GOLDEN_HASHES;
    ASSERT_TRUE(std::filesystem::exists(Dir.Path + "/" + FrameName(13, 1)));
    EXPECT_EQ(std::system(Command.c_str()), 0);
}
