// The whole demo to its last frame on the headless backend: the closing
// effects as the main loop plays them, and the run's virtual duration.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/Random.h"
#include "core/Screen.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

const char ClosingLine[] = "|        FIN   D U   F I C H I E R   D E   L O G         |\n";

// What the child saw, printed to its stdout at the end of the run.
struct Watch {
    std::ostringstream Slots;  // "slot:end-us " per finished slot
    int WhiteGreetings = 0;    // all-white views drawn by the greetings
    bool RasterEndsBlack = false;
    bool EndsBlack = false;
    uint32_t AfterBlobs = 0;       // the generator's state after 50 draws
    bool RasterContinuesBlobs = false;
    int RasterCalls = 0;
};
Watch Seen;

bool BufferIs(uint32_t C, const uint32_t* From, size_t Count)
{
    for (size_t i = 0; i < Count; ++i)
        if (From[i] != C)
            return false;
    return true;
}

void WatchCall(uint8_t Slot, int32_t Result)
{
    const size_t View = size_t{MainScreen->ViewWidth} * MainScreen->ViewHeight;
    // The raster bars draw nothing on their first call: the generator is
    // where the blobs left it.
    if (Slot == 13 && ++Seen.RasterCalls == 1)
        Seen.RasterContinuesBlobs = RandomState == Seen.AfterBlobs;
    if (Slot == 14 && BufferIs(0xFFFFFF, DrawOrigin, View))
        ++Seen.WhiteGreetings;
    if (Result != 1)
        return;
    Seen.Slots << int(Slot) << ":" << HeadlessNow() << " ";
    if (Slot == 13)
        Seen.RasterEndsBlack = BufferIs(0, DrawOrigin, View);
    if (Slot == 15)
        Seen.EndsBlack = BufferIs(0, MainScreen->Pixels, size_t{MainScreen->Width} * MainScreen->Height);
}

int RunWatched()
{
    // As at program start, whatever tests ran before in this process.
    RandomState = 1;
    for (int i = 0; i < 50; ++i)
        NextRandom();
    Seen.AfterBlobs = RandomState;
    RandomState = 1;
    EffectCallHook = WatchCall;
    int Code = DemoMain(Settings{});
    std::printf("%s\n%d %d %d %d %llu\n", Seen.Slots.str().c_str(), Seen.WhiteGreetings, Seen.RasterEndsBlack,
                Seen.EndsBlack, Seen.RasterContinuesBlobs, static_cast<unsigned long long>(HeadlessNow()));
    return Code;
}

// The length of an MP3 file as ffprobe reads it; 0 when it can't.
double Mp3Seconds(const std::string& Path)
{
    FILE* Probe = popen(("ffprobe -v error -show_entries format=duration -of csv=p=0 '" + Path + "'").c_str(), "r");
    double Seconds = 0;
    if (Probe) {
        if (std::fscanf(Probe, "%lf", &Seconds) != 1)
            Seconds = 0;
        pclose(Probe);
    }
    return Seconds;
}

struct DemoEnd : testing::TestWithParam<bool> {};

}  // namespace

// Played with the small stand-in pictures and with the generated ones.
INSTANTIATE_TEST_SUITE_P(Data, DemoEnd, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& Info) { return Info.param ? "Generated" : "Fake"; });

TEST_P(DemoEnd, PlaysToTheSwitchOffAndReportsItsVirtualDuration)
{
    TempDir Dir;
    if (GetParam())
        LinkAssets(ASSET_FOLDER, Dir.Path);
    else
        WriteFakeData(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, RunWatched);
    ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;

    std::istringstream Out(Run.Stdout);
    std::string SlotLine;
    std::getline(Out, SlotLine);
    int WhiteGreetings = 0, RasterEndsBlack = 0, EndsBlack = 0, RasterContinuesBlobs = 0;
    unsigned long long TotalUs = 0;
    Out >> WhiteGreetings >> RasterEndsBlack >> EndsBlack >> RasterContinuesBlobs >> TotalUs;

    // Every slot finishes, in order; each finished at its end time.
    std::istringstream Slots(SlotLine);
    std::vector<unsigned long long> EndUs;
    std::string Item;
    while (Slots >> Item) {
        EXPECT_EQ(Item.substr(0, Item.find(':')), std::to_string(EndUs.size()));
        EndUs.push_back(std::stoull(Item.substr(Item.find(':') + 1)));
    }
    ASSERT_EQ(EndUs.size(), 16u);

    // Lower bounds from the closing effects' own timers: 151 fade steps of
    // 50 ms at least; 85 steps of 50 ms for the first text and 84 for each
    // of the nine others, whose first step comes at once; 50 ms of white and
    // 24 frames of the line; all after the 2.5 s pause before loading.
    EXPECT_GE(EndUs[13] - EndUs[12], 151 * 50000u);
    EXPECT_GE(EndUs[14] - EndUs[13], (85 + 9 * 84) * 50000u);
    EXPECT_GE(EndUs[15] - EndUs[14], 50000u + 24 * 16000u);
    EXPECT_GE(EndUs[15], 2500000 + (151 + 85 + 9 * 84 + 1) * 50000u);
    EXPECT_GE(TotalUs, EndUs[15]);

    EXPECT_TRUE(RasterContinuesBlobs);
    EXPECT_TRUE(RasterEndsBlack);
    EXPECT_EQ(WhiteGreetings, 2);  // the ends of text 7 and text 8
    EXPECT_TRUE(EndsBlack);
    const std::string Log = Dir.Read("LogDemo.txt");
    EXPECT_EQ(CountOf(Log, ClosingLine), 1);
    EXPECT_EQ(Log.substr(Log.size() - 59), std::string(58, '+').replace(1, 56, 56, '-') + "\n");

    if (GetParam()) {
        // The tune outlasts the demo by ten seconds, to end after it musically.
        EXPECT_GE(Mp3Seconds(Dir.Path + "/Brumalid.mp3"), double(TotalUs) / 1e6 + 10.0);
    }

    char Seconds[32];
    std::snprintf(Seconds, sizeof Seconds, "%.3f", double(TotalUs) / 1e6);
    RecordProperty("VirtualSeconds", Seconds);
    std::printf("whole demo, %s pictures: virtual %s s (slot 13 %.3f s, slot 14 %.3f s, slot 15 %.3f s)\n",
                GetParam() ? "generated" : "fake", Seconds,
                double(EndUs[13] - EndUs[12]) / 1e6, double(EndUs[14] - EndUs[13]) / 1e6,
                double(EndUs[15] - EndUs[14]) / 1e6);
}
