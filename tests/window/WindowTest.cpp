// The demo in a real window on an X server (ctest runs these under Xvfb at
// depths 24 and 16): what the screen shows, the keys, a close request and the
// termination signals, each in a child process, as a person would see them;
// the real tune player with a dummy audio device and with none.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include <png.h>

#include "CrtFrame.h"
#include "Desktop.h"
#include "Xwd.h"
#include "core/Clock.h"
#include "core/Quit.h"
#include "demo/MainLoop.h"
#include "display/Present.h"
#include "log/Log.h"
#include "platform/Clock.h"
#include "platform/Window.h"

namespace {

const char ClosingLine[] = "|        FIN   D U   F I C H I E R   D E   L O G         |\n";
constexpr int Width = 640, Height = 480;
constexpr int WaitMs = 30000;

#define NEEDS_X_DISPLAY()                                                                 \
    if (!std::getenv("DISPLAY"))                                                          \
    GTEST_SKIP() << "no X display: ctest runs these tests under Xvfb"

// A hash of the position: a pixel out of place or channels out of order show.
uint32_t PatternPixel(int x, int y)
{
    uint32_t Hash = uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u * 65537u;
    return (Hash ^ Hash >> 15) & 0xFFFFFF;
}

// Shows the pattern through the display's real present path until Escape,
// with the CRT look when asked, desktop fullscreen or in a window Scale
// times its size. (Without a window manager, only a window takes the size
// it asks for: desktop fullscreen stays the picture's size.)
int ShowPattern(bool Crt, int32_t Scale = 0)
{
    setenv("SDL_VIDEODRIVER", "x11", 1);
    WindowSetCrt(Crt);
    if (Scale)
        WindowChooseMode(true, Scale);
    OpenLog("LogDemo.txt");
    CreateScreen("Vorlune", Width, Height, FullView);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            MainScreen->Pixels[y * Width + x] = PatternPixel(x, y);
    for (;;) {
        PresentScreen();
        Sleep(15);
    }
}

// The whole demo; says so on stdout when it reaches its own end.
int PlayDemo(const Settings& Run)
{
    setenv("SDL_VIDEODRIVER", "x11", 1);
    int Code = DemoMain(Run);
    std::printf("the demo ran to its end\n");
    return Code;
}

// The bits a display of the shot's depth keeps of an 8-bit channel.
uint32_t Reduced(uint32_t Channel, uint32_t Mask)
{
    return Channel >> (8 - std::popcount(Mask));
}

uint32_t Field(uint32_t Pixel, uint32_t Mask)
{
    return (Pixel & Mask) >> std::countr_zero(Mask);
}

// "" when the shot shows Frame as the display's depth can, else the first
// difference and the number of differing pixels.
std::string Difference(const Screenshot& Shot, uint32_t (*Frame)(int, int))
{
    if (Shot.Width != Width || Shot.Height != Height)
        return "the screen is " + std::to_string(Shot.Width) + " x " + std::to_string(Shot.Height);
    std::string First;
    int Count = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint32_t Want = Frame(x, y), Got = Shot.Pixels[size_t(y) * Width + x];
            bool Same = Field(Got, Shot.RedMask) == Reduced(Want >> 16 & 0xFF, Shot.RedMask) &&
                        Field(Got, Shot.GreenMask) == Reduced(Want >> 8 & 0xFF, Shot.GreenMask) &&
                        Field(Got, Shot.BlueMask) == Reduced(Want & 0xFF, Shot.BlueMask);
            if (!Same && Count++ == 0) {
                char Text[96];
                std::snprintf(Text, sizeof Text, "pixel (%d, %d) is %#x, the frame has %#06x", x,
                              y, Got, Want);
                First = Text;
            }
        }
    return Count ? First + " (" + std::to_string(Count) + " pixels differ)" : "";
}

// Polls the screen until Compare finds no difference; the last difference
// when it never does.
std::string WaitForPicture(const std::function<std::string(const Screenshot&)>& Compare)
{
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitMs);
    std::string Last;
    while (std::chrono::steady_clock::now() < Deadline) {
        Last = Compare(CaptureRoot());
        if (Last.empty())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Last;
}

// Starts Body and waits until its window is up and has the keyboard focus;
// the window is mapped once and for good, so keys sent from then on reach
// it. The window of the run before must be gone first, or it could be taken
// for this one.
void StartWithWindow(RunningChild* Child, const TempDir& Folder, const std::function<int()>& Body,
                     unsigned long* Window)
{
    ASSERT_TRUE(WaitForNoWindow("Vorlune", WaitMs / 1000)) << "an earlier run's window stays";
    StartChild(Child, Folder.Path, Body);
    *Window = WaitForWindow("Vorlune", WaitMs / 1000);
    ASSERT_NE(*Window, 0u) << "no window appeared";
    ASSERT_TRUE(FocusWindow(*Window, WaitMs / 1000)) << "the window never took the focus";
}

// Ended at once, from inside the present, with code 0 and the log closed.
void ExpectEndedAtOnce(const ChildResult& Run, const TempDir& Folder)
{
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, "") << "the run was not cut short";
    std::string Log = Folder.Read("LogDemo.txt");
    EXPECT_EQ(CountOf(Log, ClosingLine), 1) << "LogDemo.txt was not closed:\n" << Log;
}

// The "Debut" line, then Marks marks numbered from 1, in time order, each
// line ended by a line feed.
void ExpectTimingLog(const std::string& Text, int Marks)
{
    std::istringstream Lines(Text);
    std::string Line;
    long Seconds, Millis, Last = 0;
    char Extra;
    ASSERT_TRUE(std::getline(Lines, Line)) << "VantuTimer.txt is empty";
    EXPECT_EQ(std::sscanf(Line.c_str(), "Debut= <0> : <%ld>%c", &Millis, &Extra), 1) << Line;
    for (int k = 1; k <= Marks; ++k) {
        ASSERT_TRUE(std::getline(Lines, Line)) << "mark " << k << " is missing:\n" << Text;
        std::string Format = "Effet N\xB0" + std::to_string(k) + " = <%ld> : <%ld>%c";
        ASSERT_EQ(std::sscanf(Line.c_str(), Format.c_str(), &Seconds, &Millis, &Extra), 2) << Line;
        EXPECT_TRUE(Millis >= 0 && Millis < 1000) << Line;
        EXPECT_LE(Last, Seconds * 1000 + Millis) << "marks out of time order:\n" << Text;
        Last = Seconds * 1000 + Millis;
    }
    EXPECT_FALSE(std::getline(Lines, Line)) << "more lines than marks:\n" << Text;
    EXPECT_EQ(Text.back(), '\n');
}

}  // namespace

// At a factor of 1 the CRT look leaves the picture exactly as it is.
TEST(RealWindow, ShowsTheFrameExactlyAtTheScreensDepth)
{
    NEEDS_X_DISPLAY();
    for (bool Crt : {false, true}) {
        SCOPED_TRACE(Crt ? "with the CRT look" : "without the CRT look");
        DemoFolder Folder;
        RunningChild Child;
        unsigned long Window;
        StartWithWindow(&Child, Folder, [=] { return ShowPattern(Crt); }, &Window);
        auto Exact = [](const Screenshot& Shot) { return Difference(Shot, PatternPixel); };
        EXPECT_EQ(WaitForPicture(Exact), "") << "the screen never showed the frame";
        EXPECT_EQ(RunCommand("xdotool key Escape"), 0);
        ExpectEndedAtOnce(WaitForChild(&Child, WaitMs), Folder);
    }
}

namespace {

// "" when a shot of the whole screen is Want (XRGB8888 of the screen's
// size) within a renderer's rounding: the filters and blends of a GPU, or
// of Mesa's, round their own way, by a few steps at most.
std::string CrtDifference(const Screenshot& Shot, const std::vector<uint32_t>& Want)
{
    if (size_t(Shot.Width) * size_t(Shot.Height) != Want.size())
        return "the screen is " + std::to_string(Shot.Width) + " x " + std::to_string(Shot.Height);
    int Largest = 0;
    double Sum = 0;
    for (size_t i = 0; i < Want.size(); ++i) {
        const uint32_t Got = Shot.Pixels[i];
        const int Steps[] = {int(Field(Got, Shot.RedMask)) - int(Want[i] >> 16 & 0xFF),
                             int(Field(Got, Shot.GreenMask)) - int(Want[i] >> 8 & 0xFF),
                             int(Field(Got, Shot.BlueMask)) - int(Want[i] & 0xFF)};
        for (int Step : Steps) {
            Largest = std::max(Largest, std::abs(Step));
            Sum += std::abs(Step);
        }
    }
    const double Mean = Sum / double(Want.size() * 3);
    if (Largest <= 4 && Mean <= 1.0)
        return "";
    return "largest difference " + std::to_string(Largest) + ", mean " + std::to_string(Mean);
}

}  // namespace

// A window of twice the picture's size shows the picture through the mask
// with the glow, as the capture tool renders it.
TEST(CrtLook, ScanlinesMaskAndGlowOverThePictureScaledByTwo)
{
    NEEDS_X_DISPLAY();
    std::vector<uint32_t> Frame(size_t(Width) * Height), Want;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            Frame[size_t(y) * Width + x] = PatternPixel(x, y);
    CrtFrame(reinterpret_cast<const uint8_t*>(Frame.data()), Width * 4, 2, &Want);
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, [] { return ShowPattern(true, 2); }, &Window);
    auto Look = [&](const Screenshot& Shot) { return CrtDifference(Shot, Want); };
    EXPECT_EQ(WaitForPicture(Look), "") << "the screen never showed the look";
    EXPECT_EQ(RunCommand("xdotool key Escape"), 0);
    ExpectEndedAtOnce(WaitForChild(&Child, WaitMs), Folder);
}

TEST(RealWindow, SpaceMarksTheTimingLogAndEscapeEnds)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, [] { return PlayDemo(Settings{}); }, &Window);
    EXPECT_EQ(RunCommand("xdotool key space a space space Escape"), 0);
    ExpectEndedAtOnce(WaitForChild(&Child, WaitMs), Folder);
    ExpectTimingLog(Folder.Read("VantuTimer.txt"), 3);
}

TEST(RealWindow, CloseRequestEndsAtOnce)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, [] { return PlayDemo(Settings{}); }, &Window);
    EXPECT_TRUE(RequestClose(Window));
    ExpectEndedAtOnce(WaitForChild(&Child, WaitMs), Folder);
    ExpectTimingLog(Folder.Read("VantuTimer.txt"), 0);
}

TEST(RealWindow, TerminationSignalsEndLikeACloseRequest)
{
    NEEDS_X_DISPLAY();
    for (int Signal : {SIGTERM, SIGINT}) {
        DemoFolder Folder;
        RunningChild Child;
        unsigned long Window;
        StartWithWindow(&Child, Folder, [] { return PlayDemo(Settings{}); }, &Window);
        kill(Child.Pid, Signal);
        ExpectEndedAtOnce(WaitForChild(&Child, WaitMs), Folder);
        ExpectTimingLog(Folder.Read("VantuTimer.txt"), 0);
    }
}

namespace {

// Waits until LogDemo.txt holds Text: the demo got that far.
bool WaitForLog(const TempDir& Folder, const std::string& Text)
{
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitMs);
    while (Folder.Read("LogDemo.txt").find(Text) == std::string::npos)
        if (std::chrono::steady_clock::now() > Deadline)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return true;
}

// The whole demo with SDL_AUDIODRIVER set to Driver; SDL's disk driver
// writes what it plays to "out.raw" in the demo's folder.
std::function<int()> PlayDemoOn(const char* Driver, const Settings& Run = {})
{
    return [=] {
        setenv("SDL_AUDIODRIVER", Driver, 1);
        setenv("SDL_DISKAUDIOFILE", "out.raw", 1);
        return PlayDemo(Run);
    };
}

// The loudest sample of raw signed 16-bit output.
int Loudest(const std::string& Raw)
{
    int Peak = 0;
    for (size_t i = 0; i + 1 < Raw.size(); i += 2)
        Peak = std::max(Peak, std::abs(int(int16_t(uint8_t(Raw[i]) | uint8_t(Raw[i + 1]) << 8))));
    return Peak;
}

}  // namespace

// The tune playing and reaching the output (SDL's disk driver writes it in
// real time), the mixer's thread running, when a close request or a
// termination signal ends the demo.
TEST(RealAudio, EndsAtOnceWhileTheTunePlays)
{
    NEEDS_X_DISPLAY();
    for (bool Signal : {false, true}) {
        DemoFolder Folder;
        RunningChild Child;
        unsigned long Window;
        StartWithWindow(&Child, Folder, PlayDemoOn("disk"), &Window);
        ASSERT_TRUE(WaitForLog(Folder, "PosX = <")) << "the first effect never drew";
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        if (Signal)
            kill(Child.Pid, SIGTERM);
        else
            EXPECT_TRUE(RequestClose(Window));
        ChildResult Run = WaitForChild(&Child, WaitMs);
        ExpectEndedAtOnce(Run, Folder);
        EXPECT_EQ(Run.Stderr.find("without sound"), std::string::npos) << Run.Stderr;
        EXPECT_GT(Loudest(Folder.Read("out.raw")), 1000) << "the tune never reached the output";
    }
}

TEST(RealAudio, NoAudioDeviceRunsSilent)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, PlayDemoOn("none"), &Window);
    ASSERT_TRUE(WaitForLog(Folder, "PosX = <")) << "the first effect never drew";
    EXPECT_TRUE(RequestClose(Window));
    ChildResult Run = WaitForChild(&Child, WaitMs);
    ExpectEndedAtOnce(Run, Folder);
    EXPECT_NE(Run.Stderr.find("vorlune: playing without sound: no audio: "), std::string::npos) << Run.Stderr;
    EXPECT_NE(Folder.Read("LogDemo.txt").find("Warning!! Playing without sound: no audio: "), std::string::npos);
}

// Without any display, and with DISPLAY naming a server that is not there.
TEST(NoDisplay, EndsWithCodeOneAndSaysSo)
{
    for (const char* Display : {"", ":4093"}) {
        SCOPED_TRACE(std::string("DISPLAY=") + Display);
        DemoFolder Folder;
        RunningChild Child;
        StartChild(&Child, Folder.Path, [&] {
            for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"})
                unsetenv(Name);
            if (*Display)
                setenv("DISPLAY", Display, 1);
            return DemoMain(Settings{});
        });
        ChildResult Run = WaitForChild(&Child, WaitMs);
        EXPECT_EQ(Run.ExitCode, 1);
        EXPECT_NE(Run.Stderr.find("vorlune: can't open the display: no display found"), std::string::npos)
            << Run.Stderr;
        std::string Log = Folder.Read("LogDemo.txt");
        EXPECT_NE(Log.find("Error!! Can't initialize the display\n"), std::string::npos);
        EXPECT_EQ(CountOf(Log, ClosingLine), 1);
    }
}

namespace {

// The log from the first picture load to the closing banner: what the show
// wrote, without the opening banner's date.
std::string ShowLog(const std::string& Log)
{
    size_t From = Log.find("Load image <");
    size_t Closing = Log.rfind(ClosingLine);
    size_t To = Closing == std::string::npos ? Log.size() : Log.rfind("+---", Closing);
    return From == std::string::npos || To < From ? "" : Log.substr(From, To - From);
}

// The show's log of a headless run ended by Escape at AtMs of its clock.
std::string HeadlessShowLog(uint32_t AtMs)
{
    DemoFolder Folder;
    std::string Command = "cd '" + Folder.Path + "' && " CAPTURE_PATH " --keys " +
                          std::to_string(AtMs) + ":escape >/dev/null 2>&1";
    EXPECT_EQ(RunCommand(Command), 0) << Command;
    return ShowLog(Folder.Read("LogDemo.txt"));
}

// Where two texts first differ, with the lines around it.
std::string FirstDifference(const std::string& Want, const std::string& Got)
{
    size_t At = 0;
    while (At < Want.size() && At < Got.size() && Want[At] == Got[At])
        ++At;
    size_t From = At > 200 ? At - 200 : 0;
    return "at byte " + std::to_string(At) + "; headless:\n" + Want.substr(From, 400) +
           "\nlive:\n" + Got.substr(From, 400);
}

std::function<int()> PlayDemoWith(Timing Pace)
{
    return PlayDemoOn("disk", Settings{.Pace = Pace, .Stats = true});
}

}  // namespace

// The live run plays the headless show: its log, as far as it got in 20 s
// from its window's appearance, is the headless log byte for byte, and it
// got at least as far as the headless run does in 18 s of its clock (two
// seconds' grace for the start-up on a busy machine, as the web test has).
TEST(LivePlayback, PlaysTheHeadlessShowInTime)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, PlayDemoWith(Timing::Exact), &Window);
    // The show's clock starts at the first present, as the window appears.
    std::this_thread::sleep_for(std::chrono::seconds(20));
    EXPECT_EQ(RunCommand("xdotool key Escape"), 0);
    ChildResult Run = WaitForChild(&Child, WaitMs);
    ExpectEndedAtOnce(Run, Folder);
    EXPECT_NE(Run.Stderr.find("vorlune: frames drawn "), std::string::npos) << Run.Stderr;
    std::printf("%s", Run.Stderr.c_str());

    std::string Live = ShowLog(Folder.Read("LogDemo.txt"));
    std::string Headless = HeadlessShowLog(40000);
    ASSERT_GT(Headless.size(), Live.size()) << "the headless run ended first";
    EXPECT_TRUE(Headless.compare(0, Live.size(), Live) == 0) << FirstDifference(Headless, Live);
    size_t InTime = HeadlessShowLog(18000).size();
    std::printf("the live log: %zu bytes; the headless one in 18 s: %zu\n", Live.size(), InTime);
    EXPECT_GE(Live.size(), InTime) << "the live run fell behind the headless one";
}

// The PNG's pixels as 0x00RRGGBB; empty when it can't be read.
std::vector<uint32_t> ReadPng(const std::string& Path)
{
    png_image Png{};
    Png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&Png, Path.c_str()))
        return {};
    Png.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> Pixels(size_t(Png.width) * Png.height);
    if (!png_image_finish_read(&Png, nullptr, Pixels.data(), 0, nullptr))
        return {};
    for (uint32_t& P : Pixels)
        P &= 0xFFFFFF;
    return Pixels;
}

// The capture tool's frame of that slot and call, as 0x00RRGGBB.
std::vector<uint32_t> CapturedFrame(int Slot, int Call)
{
    DemoFolder Folder;
    std::string Command = "cd '" + Folder.Path + "' && " CAPTURE_PATH " --frames frames --slots " +
                          std::to_string(Slot) + " --calls " + std::to_string(Call) +
                          " >/dev/null 2>&1";
    EXPECT_EQ(RunCommand(Command), 0) << Command;
    char Name[32];
    std::snprintf(Name, sizeof Name, "frames/s%02d-c%06d.ppm", Slot, Call);
    const std::string Ppm = Folder.Read(Name);
    const size_t Header = std::string("P6\n640 480\n255\n").size();
    std::vector<uint32_t> Pixels;
    for (size_t i = Header; i + 2 < Ppm.size(); i += 3)
        Pixels.push_back(uint32_t(uint8_t(Ppm[i])) << 16 | uint32_t(uint8_t(Ppm[i + 1])) << 8 |
                         uint8_t(Ppm[i + 2]));
    return Pixels;
}

// The screenshot the run's stderr names is the capture tool's frame of the
// slot and call in its name, pixel for pixel.
void ExpectScreenshotIsTheCapturedFrame(const ChildResult& Run, const TempDir& Folder)
{
    int Slot = -1, Call = -1;
    const size_t Line = Run.Stderr.find("vorlune: screenshot ");
    ASSERT_NE(Line, std::string::npos) << Run.Stderr;
    const char* Named = Run.Stderr.c_str() + Line;
    ASSERT_EQ(std::sscanf(Named, "vorlune: screenshot vorlune-s%d-c%d.png", &Slot, &Call), 2);
    char Name[40];
    std::snprintf(Name, sizeof Name, "/vorlune-s%02d-c%06d.png", Slot, Call);
    const std::vector<uint32_t> Shot = ReadPng(Folder.Path + Name);
    ASSERT_EQ(Shot.size(), size_t(Width) * Height) << Name;
    EXPECT_TRUE(Shot == CapturedFrame(Slot, Call)) << Name << " is not the capture tool's frame";
}

// The viewer's keys on the live show: two parts on, one back, a pause of a
// second with a screenshot in it, then Escape. The log is the straight
// headless run's up to where it ended, and the screenshot is the capture
// tool's frame of the call it is named after, pixel for pixel.
TEST(LivePlayback, JumpsPauseAndScreenshotStayExact)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    StartWithWindow(&Child, Folder, PlayDemoWith(Timing::Exact), &Window);
    ASSERT_TRUE(WaitForLog(Folder, "PosX = <")) << "the first effect never drew";
    for (const char* Keys : {"Right", "Next", "Left", "p", "F12", "Pause", "Escape"}) {
        EXPECT_EQ(RunCommand(std::string("xdotool key ") + Keys), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    }
    ChildResult Run = WaitForChild(&Child, WaitMs);
    ExpectEndedAtOnce(Run, Folder);
    std::printf("%s", Run.Stderr.c_str());

    const std::string Live = ShowLog(Folder.Read("LogDemo.txt"));
    const std::string Headless = HeadlessShowLog(120000);
    ASSERT_GT(Headless.size(), Live.size()) << "the headless run ended first";
    EXPECT_TRUE(Headless.compare(0, Live.size(), Live) == 0) << FirstDifference(Headless, Live);

    ExpectScreenshotIsTheCapturedFrame(Run, Folder);
}

// The CRT look is drawn at presentation only: a screenshot taken under it,
// the picture scaled by 2, is still the frame buffer.
TEST(CrtLook, ScreenshotsStayTheExactFrame)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    const Settings Crt{.Windowed = true, .Scale = 2, .Crt = true};
    StartWithWindow(&Child, Folder, PlayDemoOn("disk", Crt), &Window);
    ASSERT_TRUE(WaitForLog(Folder, "PosX = <")) << "the first effect never drew";
    for (const char* Key : {"F12", "Escape"}) {
        EXPECT_EQ(RunCommand(std::string("xdotool key ") + Key), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    ChildResult Run = WaitForChild(&Child, WaitMs);
    ExpectEndedAtOnce(Run, Folder);
    ExpectScreenshotIsTheCapturedFrame(Run, Folder);
}

// The original timing plays on the platform's real clock: at the end the
// demo's tick count is the platform's, not the reference clock's few
// seconds since the start.
TEST(LivePlayback, OriginalTimingRunsOnTheRealClock)
{
    NEEDS_X_DISPLAY();
    DemoFolder Folder;
    RunningChild Child;
    unsigned long Window;
    const auto PlayAndTellTheClocks = [] {
        AtQuit([] { std::fprintf(stderr, "ticks %u platform %u\n", GetTickCount(), PlatformTicks()); });
        return PlayDemoWith(Timing::Original)();
    };
    StartWithWindow(&Child, Folder, PlayAndTellTheClocks, &Window);
    ASSERT_TRUE(WaitForLog(Folder, "PosX = <")) << "the first effect never drew";
    EXPECT_EQ(RunCommand("xdotool key Escape"), 0);
    ChildResult Run = WaitForChild(&Child, WaitMs);
    ExpectEndedAtOnce(Run, Folder);
    EXPECT_NE(Run.Stderr.find("vorlune: original timing: frames drawn "), std::string::npos) << Run.Stderr;
    unsigned Ticks = 0, Platform = 0;
    const size_t Clocks = Run.Stderr.find("ticks ");
    ASSERT_NE(Clocks, std::string::npos) << Run.Stderr;
    ASSERT_EQ(std::sscanf(Run.Stderr.c_str() + Clocks, "ticks %u platform %u", &Ticks, &Platform), 2);
    EXPECT_LT(Platform - Ticks, 1000u) << "the demo's clock is not the platform's";
}
