// vorlune-capture end to end: its options, frames, screenshots, the video's
// length, its tune and its chapters, and the same output on every run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Headless.h"
#include "demo/MainLoop.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

// Runs a shell command, gives its exit code and its stdout.
int Shell(const std::string& Command, std::string* Out = nullptr)
{
    FILE* Pipe = popen(Command.c_str(), "r");
    std::string Text;
    char Buffer[4096];
    size_t n;
    while ((n = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0)
        Text.append(Buffer, n);
    int Status = pclose(Pipe);
    if (Out)
        *Out = Text;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

// Runs the tool in Dir with Args; the output, stderr and exit code.
struct Capture {
    int Code;
    std::string Out, Err;
};

Capture RunCapture(const TempDir& Dir, const std::string& Args)
{
    std::string Err = Dir.Path + "/capture.err";
    std::string Out;
    int Code = Shell("cd '" + Dir.Path + "' && " CAPTURE_COMMAND " " + Args + " 2>'" + Err + "'", &Out);
    return {Code, Out, Dir.Read("capture.err")};
}

struct CaptureTest : testing::Test {
    TempDir Dir;
    void SetUp() override { WriteFakeData(Dir.Path); }
};

}  // namespace

TEST_F(CaptureTest, FramesOfChosenCallsAndScreenshots)
{
    Capture Run = RunCapture(Dir, "--frames fr --slots 0,2-3 --calls 1-3 --png shots --every 5 --keys 20500:escape");
    ASSERT_EQ(Run.Code, 0) << Run.Err;
    EXPECT_EQ(Run.Out.rfind("virtual ", 0), 0u);
    EXPECT_NE(Run.Out.find("x real time\n"), std::string::npos);
    for (const char* Name : {"s00-c000001.ppm", "s02-c000001.ppm", "s03-c000001.ppm"}) {
        std::string Frame = Dir.Read(std::string("fr/") + Name);
        EXPECT_EQ(Frame.size(), 15u + 640 * 480 * 3) << Name;
        EXPECT_EQ(Frame.substr(0, 15), "P6\n640 480\n255\n") << Name;
    }
    EXPECT_FALSE(std::filesystem::exists(Dir.Path + "/fr/s01-c000001.ppm"));
    EXPECT_TRUE(std::filesystem::exists(Dir.Path + "/shots/f000005.png"));
    EXPECT_EQ(Dir.Read("shots/f000005.png").substr(1, 3), "PNG");
}

TEST_F(CaptureTest, SameInputsGiveTheSameOutputs)
{
    // Every call of every real effect would be gigabytes: the first calls of
    // each slot, and the log, which records every blit of the run.
    std::string Args = "--frames fr --slots 0-15 --calls 1-8 --keys 2600:space,2700:space";
    ASSERT_EQ(RunCapture(Dir, Args).Code, 0);
    std::filesystem::rename(Dir.Path + "/fr", Dir.Path + "/first");
    std::string Log = Dir.Read("LogDemo.txt"), Timing = Dir.Read("VantuTimer.txt");
    ASSERT_EQ(RunCapture(Dir, Args).Code, 0);
    EXPECT_EQ(Dir.Read("LogDemo.txt"), Log);
    EXPECT_EQ(Dir.Read("VantuTimer.txt"), Timing);
    EXPECT_EQ(Shell("diff -r '" + Dir.Path + "/first' '" + Dir.Path + "/fr'"), 0);
}

TEST_F(CaptureTest, RefusesWhatItCannotDo)
{
    Capture Unknown = RunCapture(Dir, "--fast");
    EXPECT_EQ(Unknown.Code, 2);
    EXPECT_NE(Unknown.Err.find("unknown option or missing value: --fast"), std::string::npos);
    EXPECT_NE(Unknown.Err.find("usage: vorlune-capture"), std::string::npos);
    EXPECT_EQ(RunCapture(Dir, "--frames fr --calls 1").Code, 2);
    EXPECT_EQ(RunCapture(Dir, "--png shots").Code, 2);
    EXPECT_EQ(RunCapture(Dir, "--keys 100:enter").Code, 2);
    EXPECT_EQ(RunCapture(Dir, "--start-tick 4294967296").Code, 2);
    EXPECT_EQ(RunCapture(Dir, "--audio wav").Code, 2);
    Capture Help = RunCapture(Dir, "--help");
    EXPECT_EQ(Help.Code, 0);
    EXPECT_EQ(Help.Out.rfind("usage: vorlune-capture", 0), 0u);
    // The names it writes, as the help gives them.
    EXPECT_NE(Help.Out.find("DIR/sSS-cCCCCCC.ppm"), std::string::npos);
    EXPECT_NE(Help.Out.find("DIR/fFFFFFF.png"), std::string::npos);
    Capture Version = RunCapture(Dir, "--version");
    EXPECT_EQ(Version.Code, 0);
    EXPECT_EQ(Version.Out, "vorlune-capture " VORLUNE_VERSION "\n");

    std::ofstream(Dir.Path + "/file") << "x";
    Capture Unwritable = RunCapture(Dir, "--video file/out.mp4");
    EXPECT_EQ(Unwritable.Code, 1);
    EXPECT_NE(Unwritable.Err.find("can't write file/out.mp4"), std::string::npos);
    EXPECT_EQ(RunCapture(Dir, "--frames file/fr --slots 0 --calls 1").Code, 1);
}

TEST_F(CaptureTest, ReadsTheDataWhereItIsToldAndLogsWhereItRuns)
{
    TempDir Elsewhere;
    Capture Run = RunCapture(Elsewhere, "--data '" + Dir.Path + "' --keys 3000:escape");
    ASSERT_EQ(Run.Code, 0) << Run.Err;
    EXPECT_NE(Elsewhere.Read("LogDemo.txt").find("Load image <" + Dir.Path + "/Data/Loading.ppm>"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Dir.Path + "/LogDemo.txt"));
}

TEST_F(CaptureTest, VideoKeepsTheDemosTimeAndItsTune)
{
    // A second of tone stands in for the tune, re-encoded as AAC.
    ASSERT_EQ(Shell("ffmpeg -loglevel error -y -f lavfi -i sine=frequency=440:duration=1 "
                    "-c:a libmp3lame '" + Dir.Path + "/Brumalid.mp3'"), 0);
    Capture Run = RunCapture(Dir, "--video out.mp4 --scale 1 --audio aac --keys 4000:escape");
    ASSERT_EQ(Run.Code, 0) << Run.Err;
    double Virtual = std::atof(Run.Out.c_str() + 8);  // "virtual 4.02 s, ..."

    std::string Probe;
    Shell("ffprobe -v error -select_streams v -count_frames -show_entries "
          "stream=nb_read_frames,width,height -of csv=p=0 '" + Dir.Path + "/out.mp4'", &Probe);
    int Width = 0, Height = 0, Frames = 0;
    ASSERT_EQ(std::sscanf(Probe.c_str(), "%d,%d,%d", &Width, &Height, &Frames), 3) << Probe;
    EXPECT_EQ(Width, 640);
    EXPECT_EQ(Height, 480);
    EXPECT_NEAR(Frames, Virtual * 60, 1.5);

    // The tone starts where the program started the tune: after the 2.5 s
    // pause and the loading, at the first present after it.
    std::string Silence;
    Shell("ffmpeg -v info -i '" + Dir.Path + "/out.mp4' -af silencedetect=n=-40dB:d=0.5 "
          "-f null - 2>&1 | grep silence_end", &Silence);
    size_t At = Silence.find("silence_end: ");
    ASSERT_NE(At, std::string::npos) << "no audio, or no sound in it";
    EXPECT_NEAR(std::atof(Silence.c_str() + At + 13), 2.5167, 0.03);
}

namespace {

// The moments the demo enters slots 1 to 15, then the tune's start, in us,
// from a headless run of the program itself.
std::vector<double> SlotStartsAndTune(const std::string& Folder)
{
    ChildResult Run = RunInChild(Folder, [] {
        EffectCallHook = [](uint8_t Slot, int32_t Result) {
            if (Result == 1 && Slot < 15)
                std::printf("%llu\n", (unsigned long long)HeadlessNow());
        };
        int Code = DemoMain(Settings{});
        uint64_t TuneAt = 0;
        HeadlessTuneStarted(&TuneAt);
        std::printf("%llu\n", (unsigned long long)TuneAt);
        return Code;
    });
    std::vector<double> Seconds;
    std::istringstream Lines(Run.Stdout);
    for (double Us; Lines >> Us;)
        Seconds.push_back(Us / 1e6);
    return Seconds;
}

}  // namespace

TEST(CaptureVideo, OneChapterPerSlotAtItsStartAndTheTunesOwnStream)
{
    // The plain fake pictures encode fast; a second of tone is the tune.
    TempDir Reference, Video;
    WriteFakeData(Reference.Path);
    WriteFakeData(Video.Path);
    ASSERT_EQ(Shell("ffmpeg -loglevel error -y -f lavfi -i sine=frequency=440:duration=1 "
                    "-c:a libmp3lame '" + Video.Path + "/Brumalid.mp3'"), 0);
    std::vector<double> Expected = SlotStartsAndTune(Reference.Path);
    ASSERT_EQ(Expected.size(), 16u);
    Capture Run = RunCapture(Video, "--video out.mp4 --scale 1");
    ASSERT_EQ(Run.Code, 0) << Run.Err;

    std::string Probe, Path = "'" + Video.Path + "/out.mp4'";
    Shell("ffprobe -v error -show_entries chapter=start_time:chapter_tags=title -of csv=p=0 " + Path, &Probe);
    std::istringstream Lines(Probe);
    std::vector<std::string> Chapters;
    for (std::string Line; std::getline(Lines, Line);)
        Chapters.push_back(Line);
    ASSERT_EQ(Chapters.size(), 16u) << Probe;
    // The first chapter opens the video, start-up pause included.
    EXPECT_EQ(Chapters[0], "0.000000,the loading screen");
    for (size_t i = 1; i < 16; ++i)
        EXPECT_NEAR(std::atof(Chapters[i].c_str()), Expected[i - 1], 1.0 / 60) << Chapters[i];
    EXPECT_NE(Chapters[15].find(",switch-off"), std::string::npos);

    // The MP3 frames are copied with their encoder's lead-in, which the
    // file's own start time skips: the tune is heard from where it started.
    std::string Lead;
    Shell("ffprobe -v error -show_entries stream=start_time -of csv=p=0 '" + Video.Path + "/Brumalid.mp3'", &Lead);
    Shell("ffprobe -v error -select_streams a -show_entries stream=codec_name,start_time -of csv=p=0 " + Path,
          &Probe);
    EXPECT_EQ(Probe.substr(0, 4), "mp3,") << Probe;
    EXPECT_NEAR(std::atof(Probe.c_str() + 4) + std::atof(Lead.c_str()), Expected[15], 1.0 / 60) << Probe;
}

// The CRT look goes into the video only: the frames after the calls and the
// log stay exact, while the video's lines of the picture alternate with
// darker gaps.
TEST_F(CaptureTest, CrtLookInTheVideoOnly)
{
    const std::string Args = "--frames fr --slots 0 --calls 1-300 --keys 4000:escape";
    ASSERT_EQ(RunCapture(Dir, Args).Code, 0);
    std::filesystem::rename(Dir.Path + "/fr", Dir.Path + "/plain");
    const std::string Log = Dir.Read("LogDemo.txt");
    Capture Run = RunCapture(Dir, Args + " --video out.mp4 --crt");
    ASSERT_EQ(Run.Code, 0) << Run.Err;
    EXPECT_EQ(Dir.Read("LogDemo.txt"), Log);
    EXPECT_EQ(Shell("diff -r '" + Dir.Path + "/plain' '" + Dir.Path + "/fr'"), 0);

    std::string Gray;
    Shell("ffmpeg -v error -ss 3.5 -i '" + Dir.Path + "/out.mp4' -frames:v 1 -f rawvideo -pix_fmt gray -",
          &Gray);
    ASSERT_EQ(Gray.size(), 1280u * 960) << "not one frame at twice the size";
    double Lines = 0, Gaps = 0;
    for (size_t y = 0; y < 960; ++y)
        for (size_t x = 0; x < 1280; ++x)
            (y % 2 ? Gaps : Lines) += uint8_t(Gray[y * 1280 + x]);
    EXPECT_GT(Lines, 20.0 * 640 * 1280) << "the picture is too dark to tell";
    EXPECT_LT(Gaps, 0.85 * Lines) << "no scanlines";
}
