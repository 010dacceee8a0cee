// vorlune-jump-time: how long the viewer waits for a jump. The demo plays on
// the headless backend standing in for a 60 Hz display, as live; at 4 s of
// the show (the first part) it is asked for the last part, and once there
// for the one before it, which replays the show from the first slot. One
// line per jump: the wall time from the request to the part's first frame
// on screen, and the processor time in it (what an idle machine would
// take: this one is shared), best of three runs. Run by hand; not a test.
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Quit.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"

namespace {

using WallClock = std::chrono::steady_clock;

struct Timing {
    int32_t Target = 15;  // the part asked for
    WallClock::time_point Asked;
    double AskedCpu;
    bool Waiting = false;
} T;

double ProcessorSeconds()
{
    timespec Now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Now);
    return double(Now.tv_sec) + double(Now.tv_nsec) / 1e9;
}

constexpr uint32_t AskAtMs = 4000;

void Ask(int32_t Part)
{
    T.Target = Part;
    T.Asked = WallClock::now();
    T.AskedCpu = ProcessorSeconds();
    T.Waiting = true;
    HeadlessScriptEvent(0, WindowEventType::Chapter, Part);
}

void OnPoll()
{
    if (!T.Waiting && T.Target == 15 && HeadlessNow() >= AskAtMs * 1000)
        Ask(15);
}

// The first frame of the part asked for is on screen.
void OnFlip(const uint8_t*, int32_t, uint64_t)
{
    if (!T.Waiting || Place.FrameSlot != T.Target || Place.FrameCall == 0)
        return;
    const double Seconds = std::chrono::duration<double>(WallClock::now() - T.Asked).count();
    std::printf("%d %.3f %.3f\n", int(T.Target), Seconds, ProcessorSeconds() - T.AskedCpu);
    std::fflush(stdout);
    T.Waiting = false;
    if (T.Target == 15)
        Ask(14);
    else
        Quit(0);
}

int Play()
{
    std::string Folder =
        std::filesystem::temp_directory_path() / ("vorlune-jump-" + std::to_string(getpid()));
    std::filesystem::create_directories(Folder);
    for (const char* Name : {"Data", "Brumalid.mp3"})
        std::filesystem::create_symlink(std::string(ASSET_FOLDER) + "/" + Name,
                                        Folder + "/" + Name);
    if (chdir(Folder.c_str()) != 0)
        return 1;
    AtQuit([] { std::filesystem::remove_all(std::filesystem::current_path()); });
    HeadlessSetRefresh(60000);
    HeadlessSetPollHook(OnPoll);
    HeadlessSetFlipHook(OnFlip);
    return DemoMain(Settings{});
}

}  // namespace

int main()
{
    double Best[2] = {1e9, 1e9}, BestCpu[2] = {1e9, 1e9};
    for (int Run = 0; Run < 3; ++Run) {
        int Pipe[2];
        if (pipe(Pipe) != 0)
            return 1;
        pid_t Child = fork();
        if (Child == 0) {
            dup2(Pipe[1], 1);
            std::_Exit(Play());
        }
        close(Pipe[1]);
        FILE* From = fdopen(Pipe[0], "r");
        int Part;
        double Seconds, Cpu;
        while (std::fscanf(From, "%d %lf %lf", &Part, &Seconds, &Cpu) == 3) {
            const int Which = Part == 15 ? 0 : 1;
            Best[Which] = std::min(Best[Which], Seconds);
            BestCpu[Which] = std::min(BestCpu[Which], Cpu);
        }
        std::fclose(From);
        waitpid(Child, nullptr, 0);
    }
    std::printf(
        "jump from part 0 to part 15: %.2f s (processor %.2f s); back from 15 to 14, a replay from "
        "the start: %.2f s (processor %.2f s)\n",
        Best[0], BestCpu[0], Best[1], BestCpu[1]);
    return 0;
}
