// vorlune-bench-effects: the wall time of every effect call of the whole
// demo, played on the headless backend with the generated pictures and the
// log written to a real file, as the demo runs. Each run is a fresh child
// process (effect state and the random sequence start as at program start);
// the calls are timed between the main loop's hooks and replayed into one
// benchmark per slot with manual timing: its time is the slot's mean call,
// its counter worst_ms the slowest call of the run; cpu_ms and worst_cpu_ms
// are the same in processor time, which preemption does not inflate.
//
// Excluded, and named as such: the sleeps of slots 0 (2000 ms) and 8
// (100 ms) cost nothing on the virtual clock, and slot 12's one-second
// busy-wait, which spins on GetTickCount (1 us of virtual time a read), is
// timed from the present before it to the call's return and reported on its own.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "demo/MainLoop.h"
#include "platform/Headless.h"

namespace {

constexpr int Runs = 5;
constexpr uint8_t FadeSlot = 12;

using Clock = std::chrono::steady_clock;

struct CallSample {
    uint8_t Slot;
    double Seconds;      // the call's wall time, busy-wait excluded
    double WaitSeconds;  // slot 12's busy-wait, else 0
    double CpuSeconds;   // the thread's processor time in the call, busy-wait excluded
};

// Processor time of this thread: wall time well above it means the call
// was preempted by another process on the shared machine.
double ThreadSeconds()
{
    timespec T;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
    return double(T.tv_sec) + double(T.tv_nsec) * 1e-9;
}

// The child's view of the run in progress.
struct Timing {
    std::vector<CallSample> Samples;
    Clock::time_point Start, LastFlip;
    double CpuStart = 0, LastFlipCpu = 0;
    uint32_t FlipsBefore = 0;
} Run;

void BeforeCall(uint8_t)
{
    Run.FlipsBefore = HeadlessFlipCount();
    Run.CpuStart = ThreadSeconds();
    Run.Start = Clock::now();
}

void AfterCall(uint8_t Slot, int32_t Result)
{
    const Clock::time_point End = Clock::now();
    const double CpuEnd = ThreadSeconds();
    double Wait = 0, CpuWait = 0;
    // The busy-wait follows the present of the black frame.
    if (Slot == FadeSlot && Result == 1 && HeadlessFlipCount() != Run.FlipsBefore) {
        Wait = std::chrono::duration<double>(End - Run.LastFlip).count();
        CpuWait = CpuEnd - Run.LastFlipCpu;
    }
    const double Whole = std::chrono::duration<double>(End - Run.Start).count();
    Run.Samples.push_back({Slot, Whole - Wait, Wait, CpuEnd - Run.CpuStart - CpuWait});
}

void AfterFlip(const uint8_t*, int32_t, uint64_t)
{
    Run.LastFlipCpu = ThreadSeconds();
    Run.LastFlip = Clock::now();
}

// In the child: plays the demo and writes its samples to Out.
[[noreturn]] void PlayAndReport(int Out)
{
    HeadlessSetFlipHook(AfterFlip);
    EffectStartHook = BeforeCall;
    EffectCallHook = AfterCall;
    const int Code = DemoMain(Settings{});
    if (Code != 0) {
        std::fprintf(stderr, "vorlune-bench-effects: demo ended with %d\n", Code);
        _exit(1);
    }
    const char* Bytes = reinterpret_cast<const char*>(Run.Samples.data());
    size_t Left = Run.Samples.size() * sizeof(CallSample);
    while (Left > 0) {
        const ssize_t Written = write(Out, Bytes, Left);
        if (Written <= 0)
            _exit(1);
        Bytes += Written;
        Left -= size_t(Written);
    }
    _exit(0);
}

bool PlayInChild(std::vector<CallSample>* Samples)
{
    int Pipe[2];
    if (pipe(Pipe) != 0)
        return false;
    std::fflush(nullptr);
    const pid_t Child = fork();
    if (Child < 0)
        return false;
    if (Child == 0) {
        close(Pipe[0]);
        PlayAndReport(Pipe[1]);
    }
    close(Pipe[1]);
    std::vector<char> Bytes;
    char Buffer[65536];
    ssize_t Got;
    while ((Got = read(Pipe[0], Buffer, sizeof Buffer)) > 0)
        Bytes.insert(Bytes.end(), Buffer, Buffer + Got);
    close(Pipe[0]);
    int Status = 0;
    waitpid(Child, &Status, 0);
    if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0 || Bytes.size() % sizeof(CallSample) != 0)
        return false;
    Samples->resize(Bytes.size() / sizeof(CallSample));
    std::copy(Bytes.begin(), Bytes.end(), reinterpret_cast<char*>(Samples->data()));
    return true;
}

// Call times per run and slot: wall and processor time.
std::vector<double> Calls[Runs][EffectCount];
std::vector<double> CpuCalls[Runs][EffectCount];
double BusyWait[Runs];

void Sort(const std::vector<CallSample>& Samples, int R)
{
    for (const CallSample& S : Samples) {
        Calls[R][S.Slot].push_back(S.Seconds);
        CpuCalls[R][S.Slot].push_back(S.CpuSeconds);
        BusyWait[R] += S.WaitSeconds;
    }
}

// Each repetition replays one run's calls of the slot.
void ReplaySlot(benchmark::State& State, int Slot)
{
    static int Repetition[EffectCount];
    const int R = Repetition[Slot]++ % Runs;
    const std::vector<double>& Times = Calls[R][Slot];
    const std::vector<double>& Cpu = CpuCalls[R][Slot];
    size_t i = 0;
    for (auto _ : State)
        State.SetIterationTime(Times[i++]);
    double CpuSum = 0;
    for (double T : Cpu)
        CpuSum += T;
    State.counters["worst_ms"] = *std::max_element(Times.begin(), Times.end()) * 1e3;
    State.counters["cpu_ms"] = CpuSum / double(Cpu.size()) * 1e3;
    State.counters["worst_cpu_ms"] = *std::max_element(Cpu.begin(), Cpu.end()) * 1e3;
    State.counters["calls"] = double(Times.size());
}

void ReplayBusyWait(benchmark::State& State)
{
    static int Repetition;
    const double Wait = BusyWait[Repetition++ % Runs];
    for (auto _ : State)
        State.SetIterationTime(Wait);
}

void RegisterAll()
{
    for (int Slot = 0; Slot < EffectCount; ++Slot) {
        char Name[64];
        std::snprintf(Name, sizeof Name, "EffectCall/%02d-%s", Slot, SlotTable[Slot].Name);
        benchmark::RegisterBenchmark(Name, ReplaySlot, Slot)
            ->UseManualTime()
            ->Iterations(int64_t(Calls[0][Slot].size()))
            ->Repetitions(Runs)
            ->DisplayAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Excluded/12-FadeToBlack-busy-wait-1000ms", ReplayBusyWait)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(Runs)
        ->DisplayAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}

// The demo reads "Data/" and "Brumalid.mp3" from its working folder and
// writes its logs there: a scratch folder that links the generated assets.
bool EnterScratchFolder(std::string* Folder)
{
    *Folder = (std::filesystem::temp_directory_path() / "vorlune-bench-XXXXXX").string();
    if (!mkdtemp(Folder->data()))
        return false;
    const std::filesystem::path Assets = ASSET_FOLDER;
    std::error_code Error;
    std::filesystem::create_directory_symlink(Assets / "Data", *Folder + "/Data", Error);
    if (!Error)
        std::filesystem::create_symlink(Assets / "Brumalid.mp3", *Folder + "/Brumalid.mp3", Error);
    return !Error && chdir(Folder->c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::string Folder;
    if (!EnterScratchFolder(&Folder)) {
        std::fprintf(stderr, "vorlune-bench-effects: can't set up a folder with the assets of %s\n",
                     ASSET_FOLDER);
        return 1;
    }
    for (int R = 0; R < Runs; ++R) {
        std::vector<CallSample> Samples;
        if (!PlayInChild(&Samples)) {
            std::fprintf(stderr, "vorlune-bench-effects: the demo run failed\n");
            return 1;
        }
        Sort(Samples, R);
    }
    // The virtual clock makes every run call each slot equally often.
    for (int R = 1; R < Runs; ++R)
        for (int Slot = 0; Slot < EffectCount; ++Slot)
            if (Calls[R][Slot].size() != Calls[0][Slot].size() || Calls[0][Slot].empty()) {
                std::fprintf(stderr, "vorlune-bench-effects: runs differ in slot %d\n", Slot);
                return 1;
            }
    std::filesystem::remove_all(Folder);
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
