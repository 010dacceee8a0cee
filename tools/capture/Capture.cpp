// vorlune-capture: plays the demo on the headless backend with its virtual
// clock, with "Data/" and "Brumalid.mp3" found as the demo finds them, and
// writes what a viewer would see: a video, chosen frames, screenshots.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CaptureOptions.h"
#include "Snapshots.h"
#include "Video.h"
#include "core/Screen.h"
#include "demo/DataFolder.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"

namespace {

using Clock = std::chrono::steady_clock;

struct CaptureState {
    CaptureOptions Options;
    Clock::time_point WallStart, LastProgress;
    bool ShowProgress = false;
    uint8_t Slot = 0;
    uint32_t Calls[EffectCount] = {};
    std::vector<Chapter> Chapters;
} Capture;

double WallSeconds()
{
    return std::chrono::duration<double>(Clock::now() - Capture.WallStart).count();
}

[[noreturn]] void Fail(const std::string& Message)
{
    std::fprintf(stderr, "vorlune-capture: %s\n", Message.c_str());
    std::_Exit(1);
}

void ShowProgress()
{
    double Virtual = double(HeadlessNow()) / 1e6, Wall = WallSeconds();
    std::fprintf(stderr, "\rslot %2d %-20s %7.2f s  %6u frames  %5.1fx real time ", Capture.Slot,
                 SlotTable[Capture.Slot].Name, Virtual, HeadlessFlipCount(),
                 Wall > 0 ? Virtual / Wall : 0.0);
}

// Chapter 0 opens the video, start-up pause included; every later one
// starts where the demo enters its slot: when the slot before it finishes.
void MarkChapter(uint8_t Slot, int32_t Result)
{
    if (Capture.Chapters.empty())
        Capture.Chapters.push_back({0, SlotTable[0].Title});
    if (Result == 1 && Slot + 1 < EffectCount)
        Capture.Chapters.push_back({HeadlessNow(), SlotTable[Slot + 1].Title});
}

void AfterEffectCall(uint8_t Slot, int32_t Result)
{
    Capture.Slot = Slot;
    MarkChapter(Slot, Result);
    uint32_t Call = ++Capture.Calls[Slot];
    const CaptureOptions& O = Capture.Options;
    if (O.FramesDir.empty() || !O.Slots[Slot] || !CallChosen(O, Call, Result == 1))
        return;
    char Name[32];
    std::snprintf(Name, sizeof Name, "/s%02u-c%06u.ppm", unsigned(Slot), Call);
    if (!WriteFramePPM(O.FramesDir + Name, MainScreen->Pixels))
        Fail("can't write " + O.FramesDir + Name);
}

void AfterFlip(const uint8_t* Pixels, int32_t Pitch, uint64_t At)
{
    const CaptureOptions& O = Capture.Options;
    if (!O.VideoPath.empty())
        VideoFrame(Pixels, Pitch, At);
    uint32_t Flips = HeadlessFlipCount();
    if (!O.PngDir.empty() && Flips % O.Every == 0) {
        char Name[32];
        std::snprintf(Name, sizeof Name, "/f%06u.png", Flips);
        if (!WriteFramePNG(O.PngDir + Name, Pixels, Pitch))
            Fail("can't write " + O.PngDir + Name);
    }
    if (Capture.ShowProgress && Clock::now() - Capture.LastProgress > std::chrono::milliseconds(200)) {
        Capture.LastProgress = Clock::now();
        ShowProgress();
    }
}

// Runs when the demo ends, by returning or from inside (Escape, close, a
// fatal error), since both go through exit.
void Finish()
{
    if (Capture.ShowProgress) {
        ShowProgress();
        std::fputc('\n', stderr);
    }
    const CaptureOptions& O = Capture.Options;
    if (!O.VideoPath.empty()) {
        uint64_t TuneAt = 0;
        const std::string TunePath = DataPath("Brumalid.mp3");
        bool Tune = HeadlessTuneStarted(&TuneAt) && std::filesystem::exists(TunePath);
        std::string Error;
        VideoEnding Ending{HeadlessNow(), Tune ? TunePath : "", TuneAt, O.Audio, Capture.Chapters};
        if (!FinishVideo(Ending, &Error))
            Fail(Error);
    }
    double Virtual = double(HeadlessNow()) / 1e6, Wall = WallSeconds();
    std::printf("virtual %.2f s, wall %.2f s, %.1fx real time\n", Virtual, Wall,
                Wall > 0 ? Virtual / Wall : 0.0);
    std::fflush(stdout);
}

void Prepare(const CaptureOptions& O)
{
    std::string Error;
    if (!O.VideoPath.empty()) {
        if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
            Fail("ffmpeg not found: install it (scripts/install-deps video) to write a video");
        if (!CanWriteFile(O.VideoPath))
            Fail("can't write " + O.VideoPath);
        if (!StartVideo(O.VideoPath, O.Scale, O.Crt, &Error))
            Fail(Error);
    }
    for (const std::string& Dir : {O.FramesDir, O.PngDir})
        if (!Dir.empty() && !MakeWritableDir(Dir))
            Fail("can't write into " + Dir);
    for (const ScriptedKey& Key : O.Keys)
        HeadlessScriptEvent(Key.AtMs, Key.Type, Key.Value);
    HeadlessSetStartTick(O.StartTick);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string Error;
    if (!ParseCaptureOptions(argc, argv, &Capture.Options, &Error)) {
        std::fprintf(stderr, "vorlune-capture: %s\n%s", Error.c_str(), CaptureUsage);
        return 2;
    }
    if (Capture.Options.Help) {
        std::fputs(CaptureUsage, stdout);
        return 0;
    }
    if (Capture.Options.Version) {
        std::puts("vorlune-capture " VORLUNE_VERSION);
        return 0;
    }
    Prepare(Capture.Options);
    Capture.ShowProgress = isatty(2);
    Capture.WallStart = Capture.LastProgress = Clock::now();
    EffectCallHook = AfterEffectCall;
    HeadlessSetFlipHook(AfterFlip);
    std::atexit(Finish);
    Settings Run;
    if (!Capture.Options.DataDir.empty())
        Run.DataFolder = Capture.Options.DataDir;
    return DemoMain(Run);
}
