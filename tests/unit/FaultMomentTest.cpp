// Escape and a close request at twenty moments spread over the whole demo
// with the generated assets, the blocking waits included, with Space pressed
// all along. One run plays the demo; at each moment it forks two copies of
// itself that carry on from there in folders of their own, one given Escape
// and one a close request: forty faults for the price of one whole run, so
// the sanitizer build runs them all too. A copy is the run a fresh start
// with that event scripted would make: the virtual clock is exact, and the
// fork comes at the first poll at or after the moment, the one that would
// have handed the event over.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "demo/MainLoop.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

// The effect calls that block the pump, and the pause before loading.
enum class Block { None, StartPause, LoadingHold, Flash, BlackHold };

struct Moment {
    uint32_t AtMs;
    int Slot;  // of the last effect call before the end; -1: none yet
    Block During;
};

// With the generated assets; the test checks that each block moment lies in its block.
const Moment Moments[] = {
    {0, -1, Block::None},            // the first present, before anything is loaded
    {1000, -1, Block::StartPause},   // the pause before loading
    {4000, 0, Block::None},          // the bar grows over the loading picture
    {7500, 0, Block::LoadingHold},   // the full bar's 2 s hold
    {11000, 1, Block::None},         // the first word zooms
    {17000, 2, Block::None},         // a word blurs away
    {21000, 3, Block::None},
    {32000, 5, Block::None},
    {38000, 6, Block::None},         // the side doors shut
    {42000, 7, Block::None},         // the vertical doors
    {44850, 8, Block::Flash},        // the white flash before the letterbox
    {46000, 8, Block::None},         // the closed doors held
    {60000, 9, Block::None},         // the plasma
    {90000, 10, Block::None},        // the snow
    {115000, 11, Block::None},       // the light blobs
    {130000, 12, Block::None},       // the fade
    {131900, 12, Block::BlackHold},  // the fade's busy-wait on black
    {160000, 13, Block::None},       // the raster bars
    {210000, 14, Block::None},       // the greetings
    {234600, 15, Block::None},       // the switch-off line
};
constexpr size_t MomentCount = std::size(Moments);

constexpr uint64_t FrameUs = 16667;  // from one pump to the next at most, outside the blocks
constexpr uint64_t SlackUs = 100;    // the tick reads from a call's end to the next pump
constexpr uint64_t PauseEndUs = 2500000;  // the first present comes at once, then the pause

const char ClosingBanner[] =
    "+--------------------------------------------------------+\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "|        FIN   D U   F I C H I E R   D E   L O G         |\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "+--------------------------------------------------------+\n";

// Space at every moment (a copy's last mark comes right before its end)
// and every 10 s, twice at 0.
std::vector<uint32_t> SpacePresses()
{
    std::vector<uint32_t> Presses;
    for (const Moment& M : Moments)
        Presses.push_back(M.AtMs);
    for (uint32_t At = 0; At < 235000; At += 10000)
        Presses.push_back(At);
    std::sort(Presses.begin(), Presses.end());
    return Presses;
}

struct Fault {
    size_t MomentIndex;
    bool Escape;  // else a close request
    std::string Folder;
    pid_t Pid = -1;
};

// The playing run and, after a fork, the copy.
struct FaultRun {
    std::vector<Fault>* Faults = nullptr;  // in time order
    size_t Next = 0;
    bool InCopy = false;
    int LastSlot = -1;
    uint64_t FirstCallEnd[EffectCount] = {};
    uint64_t LastCallEnd[EffectCount] = {};
} Run;

void ReportCopyEnd()
{
    std::printf("exit %llu %d\n", static_cast<unsigned long long>(HeadlessNow()), Run.LastSlot);
}

void StartFault(const Fault& F)
{
    Run.InCopy = true;
    std::atexit(ReportCopyEnd);
    const uint32_t At = Moments[F.MomentIndex].AtMs;
    if (F.Escape)
        HeadlessScriptEvent(At, WindowEventType::KeyDown, KeyEscape);
    else
        HeadlessScriptEvent(At, WindowEventType::Close, 0);
}

// Forks the faults due at this poll: the copy's event is handed over by
// the poll that follows, as it would be had it been scripted from the start.
void ForkDueFaults()
{
    std::vector<Fault>& Faults = *Run.Faults;
    while (!Run.InCopy && Run.Next < Faults.size() &&
           HeadlessNow() >= uint64_t{Moments[Faults[Run.Next].MomentIndex].AtMs} * 1000) {
        Fault& F = Faults[Run.Next++];
        F.Pid = ForkInto(F.Folder);
        if (F.Pid == 0)
            StartFault(F);
    }
}

void AfterCall(uint8_t Slot, int32_t Result)
{
    if (Run.LastSlot != Slot)
        Run.FirstCallEnd[Slot] = HeadlessNow();
    if (Result == 1)
        Run.LastCallEnd[Slot] = HeadlessNow();
    Run.LastSlot = Slot;
}

// Plays the demo forking the faults; then prints each copy's exit code and
// the ends of the slots' first and last calls.
int PlayForking(std::vector<Fault>& Faults)
{
    Run.Faults = &Faults;
    for (uint32_t At : SpacePresses())
        HeadlessScriptEvent(At, WindowEventType::KeyDown, KeySpace);
    EffectCallHook = AfterCall;
    HeadlessSetPollHook(ForkDueFaults);
    int Code = DemoMain(Settings{});
    for (const Fault& F : Faults)
        std::printf("%d ", WaitForExit(F.Pid, 60000));
    std::printf("\n");
    for (int Slot = 0; Slot < EffectCount; ++Slot)
        std::printf("%llu %llu ", static_cast<unsigned long long>(Run.FirstCallEnd[Slot]),
                    static_cast<unsigned long long>(Run.LastCallEnd[Slot]));
    std::printf("\n");
    return Code;
}

// A fresh run with the fault scripted from the start, to hold a copy against.
int PlayWithFault(const Fault& F)
{
    for (uint32_t At : SpacePresses())
        HeadlessScriptEvent(At, WindowEventType::KeyDown, KeySpace);
    EffectCallHook = AfterCall;
    StartFault(F);
    return DemoMain(Settings{});
}

struct Span {
    uint64_t Begin, End;  // us
};

// Where the blocks lie in the playing run.
struct Timeline {
    uint64_t FirstCallEnd[EffectCount], LastCallEnd[EffectCount];

    Span Of(Block B) const
    {
        switch (B) {
        case Block::StartPause: return {1, PauseEndUs};
        case Block::LoadingHold: return {LastCallEnd[0] - 2000000, LastCallEnd[0]};
        case Block::Flash: return {FirstCallEnd[8] - 100000, FirstCallEnd[8]};
        case Block::BlackHold: return {LastCallEnd[12] - 1000000, LastCallEnd[12]};
        case Block::None: break;
        }
        return {0, 0};
    }

    // The pump that hands over an event due at AtMs: the next frame's, or
    // the first after the block it falls in.
    Span Delivery(uint32_t AtMs) const
    {
        const uint64_t At = uint64_t{AtMs} * 1000;
        for (Block B : {Block::StartPause, Block::LoadingHold, Block::Flash, Block::BlackHold}) {
            Span S = Of(B);
            // The pause ends with loading, and the main loop pumps before its first call.
            if (At >= S.Begin && At < S.End)
                return B == Block::StartPause ? Span{S.End, FirstCallEnd[0]} : Span{S.End, S.End + SlackUs};
        }
        return {At, At + FrameUs + SlackUs};
    }
};

std::vector<std::string> Lines(const std::string& Text)
{
    std::vector<std::string> Result;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);)
        Result.push_back(Line + "\n");
    return Result;
}

// The timing log of the playing run: one mark per press, each made at the
// pump that handed the press over.
void ExpectEveryMark(const std::string& Timing, const Timeline& Times)
{
    const std::vector<uint32_t> Presses = SpacePresses();
    const std::vector<std::string> Marks = Lines(Timing);
    ASSERT_EQ(Marks.size(), Presses.size() + 1) << Timing;
    EXPECT_EQ(Marks[0], "Debut= <0> : <0>\n");
    for (size_t k = 1; k < Marks.size(); ++k) {
        long Seconds = -1, Millis = -1;
        const std::string Format = "Effet N\xB0" + std::to_string(k) + " = <%ld> : <%ld>";
        ASSERT_EQ(std::sscanf(Marks[k].c_str(), Format.c_str(), &Seconds, &Millis), 2) << Marks[k];
        const Span When = Times.Delivery(Presses[k - 1]);
        const long Ms = Seconds * 1000 + Millis;
        EXPECT_GE(Ms, long(When.Begin / 1000)) << "press at " << Presses[k - 1] << " ms: " << Marks[k];
        EXPECT_LE(Ms, long(When.End / 1000)) << "press at " << Presses[k - 1] << " ms: " << Marks[k];
    }
}

// A copy's logs: the playing run's up to its end, then closed.
void ExpectLogsOfCopy(const TempDir& Folder, uint64_t EndUs, const std::string& Log, const std::string& Timing)
{
    const std::string CopyLog = Folder.Read("LogDemo.txt");
    const size_t Banner = std::string(ClosingBanner).size();
    ASSERT_GE(CopyLog.size(), Banner);
    EXPECT_EQ(CopyLog.substr(CopyLog.size() - Banner), ClosingBanner) << "LogDemo.txt not closed";
    EXPECT_EQ(Log.compare(0, CopyLog.size() - Banner, CopyLog, 0, CopyLog.size() - Banner), 0)
        << "LogDemo.txt is not the playing run's up to the end";

    const std::vector<uint32_t> Presses = SpacePresses();
    const size_t Marked = std::count_if(Presses.begin(), Presses.end(),
                                        [&](uint32_t At) { return uint64_t{At} * 1000 <= EndUs; });
    const std::vector<std::string> All = Lines(Timing);
    ASSERT_LE(Marked + 1, All.size());
    std::string Expected;
    for (size_t i = 0; i <= Marked; ++i)
        Expected += All[i];
    EXPECT_EQ(Folder.Read("VantuTimer.txt"), Expected) << "VantuTimer.txt lacks marks or was not closed";
}

// Every Stride-th poll of a whole run: a copy is forked and given Escape or,
// every other time, a close request at that very poll; the run waits for
// it at once. The copies write into the run's own logs, so only their ends
// are checked: at that poll, with exit code 0 and nothing on stderr.
struct EveryPoll {
    unsigned Stride = 1, Polls = 0, Copies = 0;
    std::string Output;  // the copy's stdout and stderr, one copy at a time
    std::string Failures;
} Sweep;

std::string ReadFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(In)), {});
}

void ReportSweepCopyEnd()
{
    std::printf("%llu", static_cast<unsigned long long>(HeadlessNow()));
}

void ForkAtPoll()
{
    if (Run.InCopy || ++Sweep.Polls % Sweep.Stride != 0)
        return;
    std::fflush(nullptr);
    pid_t Copy = fork();
    if (Copy == 0) {
        Run.InCopy = true;
        for (int Fd : {1, 2}) {
            int File = open((Sweep.Output + (Fd == 1 ? "/stdout" : "/stderr")).c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(File, Fd);
            close(File);
        }
        std::atexit(ReportSweepCopyEnd);
        const uint32_t Now = uint32_t(HeadlessNow() / 1000);
        if (++Sweep.Copies % 2)
            HeadlessScriptEvent(Now, WindowEventType::KeyDown, KeyEscape);
        else
            HeadlessScriptEvent(Now, WindowEventType::Close, 0);
        return;
    }
    ++Sweep.Copies;
    const int Code = WaitForExit(Copy, 60000);
    const std::string At = std::to_string(HeadlessNow()), Ended = ReadFile(Sweep.Output + "/stdout"),
                      Said = ReadFile(Sweep.Output + "/stderr");
    if (Code != 0 || Ended != At || !Said.empty())
        Sweep.Failures += "poll " + std::to_string(Sweep.Polls) + " at " + At + " us: exit code " +
                          std::to_string(Code) + ", ended at " + Ended + " us, " + Said + "\n";
}

}  // namespace

TEST(FaultsAtEveryMoment, EscapeAndCloseEndAtTheNextPumpWithTheLogsClosed)
{
    TempDir Dir;
    LinkAssets(ASSET_FOLDER, Dir.Path);
    std::vector<TempDir> Folders(2 * MomentCount);
    std::vector<Fault> Faults;
    for (size_t i = 0; i < Folders.size(); ++i) {
        LinkAssets(ASSET_FOLDER, Folders[i].Path);
        Faults.push_back({i / 2, i % 2 == 0, Folders[i].Path});
    }
    ChildResult Played = RunInChild(Dir.Path, [&] { return PlayForking(Faults); });
    ASSERT_EQ(Played.ExitCode, 0) << Played.Stderr;
    EXPECT_EQ(Played.Stderr, "");

    std::istringstream Out(Played.Stdout);
    std::vector<int> Codes(Faults.size());
    for (int& Code : Codes)
        Out >> Code;
    Timeline Times;
    for (int Slot = 0; Slot < EffectCount; ++Slot) {
        Out >> Times.FirstCallEnd[Slot] >> Times.LastCallEnd[Slot];
        ASSERT_GT(Times.LastCallEnd[Slot], 0u) << "slot " << Slot << " never finished";
    }
    const std::string Log = Dir.Read("LogDemo.txt");
    const std::string Timing = Dir.Read("VantuTimer.txt");
    EXPECT_EQ(Log.substr(Log.size() - std::string(ClosingBanner).size()), ClosingBanner);
    ExpectEveryMark(Timing, Times);

    for (size_t i = 0; i < Faults.size(); ++i) {
        const Moment& M = Moments[Faults[i].MomentIndex];
        SCOPED_TRACE((Faults[i].Escape ? "Escape at " : "close request at ") + std::to_string(M.AtMs) + " ms");
        if (M.During != Block::None) {
            Span Blocked = Times.Of(M.During);
            ASSERT_TRUE(M.AtMs * 1000ull >= Blocked.Begin && M.AtMs * 1000ull < Blocked.End)
                << "no longer inside its block, " << Blocked.Begin << " to " << Blocked.End
                << " us: have the assets changed?";
        }
        EXPECT_EQ(Codes[i], 0);
        EXPECT_EQ(Folders[i].Read("stderr"), "");
        unsigned long long EndUs = 0;
        int Slot = -2;
        ASSERT_EQ(std::sscanf(Folders[i].Read("stdout").c_str(), "exit %llu %d", &EndUs, &Slot), 2);
        const Span When = Times.Delivery(M.AtMs);
        EXPECT_GE(EndUs, When.Begin) << "ended before the moment";
        EXPECT_LE(EndUs, When.End) << "did not end at the next pump";
        EXPECT_EQ(Slot, M.Slot);
        ExpectLogsOfCopy(Folders[i], EndUs, Log, Timing);
    }

    // The copies stand for fresh runs: one made afresh ends the same way.
    const size_t Held = 6;  // Escape in the loading picture's hold
    ASSERT_TRUE(Faults[Held].Escape && Moments[Faults[Held].MomentIndex].During == Block::LoadingHold);
    TempDir Fresh;
    LinkAssets(ASSET_FOLDER, Fresh.Path);
    ChildResult Afresh = RunInChild(Fresh.Path, [&] { return PlayWithFault(Faults[Held]); });
    EXPECT_EQ(Afresh.ExitCode, 0);
    EXPECT_EQ(Afresh.Stdout, Folders[Held].Read("stdout"));
    EXPECT_TRUE(Fresh.Read("LogDemo.txt") == Folders[Held].Read("LogDemo.txt"));
    EXPECT_EQ(Fresh.Read("VantuTimer.txt"), Folders[Held].Read("VantuTimer.txt"));
}

// Long: set VORLUNE_FAULT_STRIDE to run it, 1 for every poll (13,761 copies
// with the generated assets: under 2 minutes in Release, 10 under the
// sanitizers).
TEST(FaultsAtEveryPoll, EscapeOrCloseAtAnyPollEndsCleanly)
{
    const char* Stride = std::getenv("VORLUNE_FAULT_STRIDE");
    if (!Stride)
        GTEST_SKIP() << "set VORLUNE_FAULT_STRIDE=N to fork a fault at every N-th poll";
    TempDir Dir, Output;
    LinkAssets(ASSET_FOLDER, Dir.Path);
    ChildResult Played = RunInChild(Dir.Path, [&] {
        Sweep.Output = Output.Path;
        Sweep.Stride = unsigned(std::max(1, std::atoi(Stride)));
        HeadlessSetPollHook(ForkAtPoll);
        int Code = DemoMain(Settings{});
        std::printf("%u %u\n%s", Sweep.Polls, Sweep.Copies, Sweep.Failures.c_str());
        return Code;
    }, 3600000);
    EXPECT_EQ(Played.ExitCode, 0) << Played.Stderr;
    unsigned Polls = 0, Copies = 0;
    std::istringstream Out(Played.Stdout);
    std::string Counts;
    std::getline(Out, Counts);
    std::istringstream(Counts) >> Polls >> Copies;
    std::string Failures((std::istreambuf_iterator<char>(Out)), {});
    EXPECT_EQ(Failures, "");
    EXPECT_GT(Copies, 0u);
    RecordProperty("Copies", std::to_string(Copies));
    std::printf("%u polls, %u copies forked\n", Polls, Copies);
}
