// The whole program on the headless backend, in a child process: start-up,
// every slot in order, shut-down, Escape and close, the wrap-around, and a
// display that cannot be opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/MainLoop.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

const char OpeningLine[] = "|     D E B U T   D U   F I C H I E R   D E   L O G      |\n";
const char ClosingLine[] = "|        FIN   D U   F I C H I E R   D E   L O G         |\n";

std::string SlotsSeen;

void RecordSlot(uint8_t Slot, int32_t Result)
{
    if (Result == 1)
        SlotsSeen += std::to_string(Slot) + " ";
}

// Runs the demo; on a normal end prints the finished slots to stdout.
int RunDemo()
{
    EffectCallHook = RecordSlot;
    int Code = DemoMain(Settings{});
    std::printf("%s", SlotsSeen.c_str());
    return Code;
}

const char AllSlots[] = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ";

void ExpectClosedLogs(const TempDir& Dir)
{
    std::string Log = Dir.Read("LogDemo.txt");
    EXPECT_EQ(Log.find(OpeningLine), 59u * 3);
    EXPECT_EQ(CountOf(Log, ClosingLine), 1);
    EXPECT_EQ(Log.substr(Log.size() - 59), std::string(58, '+').replace(1, 56, 56, '-') + "\n");
    EXPECT_EQ(Dir.Read("VantuTimer.txt").substr(0, 6), "Debut=");
}

}  // namespace

TEST(DemoRun, PlaysEverySlotInOrderAndEndsCleanly)
{
    TempDir Dir;
    WriteFakeData(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, RunDemo);
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, AllSlots);
    ExpectClosedLogs(Dir);
}

TEST(DemoRun, PlaysAcrossTheTickCounterWrapAround)
{
    TempDir Dir;
    WriteFakeData(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, [] {
        HeadlessSetStartTick(0xFFFFFFFFu - 10000 + 1);  // 10 s before the wrap
        return RunDemo();
    });
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stdout, AllSlots);
    ExpectClosedLogs(Dir);
}

TEST(DemoRun, EscapeAndCloseEndAtOnceWithLogsClosed)
{
    for (WindowEvent Event : {WindowEvent{WindowEventType::KeyDown, KeyEscape},
                              WindowEvent{WindowEventType::Close, 0}}) {
        TempDir Dir;
        WriteFakeData(Dir.Path);
        ChildResult Run = RunInChild(Dir.Path, [&] {
            HeadlessScriptEvent(2600, Event.Type, Event.Value);
            return RunDemo();
        });
        EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
        EXPECT_EQ(Run.Stdout, "");  // the shut-down of the main loop never ran
        ExpectClosedLogs(Dir);
    }
}

TEST(DemoRun, SpaceWritesTimingMarks)
{
    TempDir Dir;
    WriteFakeData(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, [] {
        for (uint32_t At : {100u, 2600u, 2650u})
            HeadlessScriptEvent(At, WindowEventType::KeyDown, KeySpace);
        HeadlessScriptEvent(2625, WindowEventType::KeyDown, 'a');
        HeadlessScriptEvent(3000, WindowEventType::Close, 0);  // the marks are made by then
        return RunDemo();
    });
    EXPECT_EQ(Run.ExitCode, 0);
    // The 100 ms press waits for the first pump after the 2.5 s pause; the
    // others arrive at the vsync on their millisecond (2.6 s is frame 156),
    // before the letterbox flash blocks the pump for 100 ms.
    EXPECT_EQ(Dir.Read("VantuTimer.txt"),
              "Debut= <0> : <0>\n"
              "Effet N\xB0" "1 = <2> : <516>\n"
              "Effet N\xB0" "2 = <2> : <600>\n"
              "Effet N\xB0" "3 = <2> : <650>\n");
}

TEST(DemoRun, NoDisplayEndsWithCodeOneAndAReason)
{
    TempDir Dir;
    WriteFakeData(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, [] {
        HeadlessFailVideo("no display found");
        return RunDemo();
    });
    EXPECT_EQ(Run.ExitCode, 1);
    EXPECT_EQ(Run.Stderr, "vorlune: can't open the display: no display found\n");
    std::string Log = Dir.Read("LogDemo.txt");
    EXPECT_NE(Log.find("Error!! Can't initialize the display\n"), std::string::npos);
    EXPECT_EQ(CountOf(Log, ClosingLine), 1);
}
