#include "core/Quit.h"

#include <cstdio>
#include <cstdlib>

#include "log/Log.h"

namespace {

// Few modules start: the log, the screen, the tune.
constexpr int MaxSteps = 8;

struct QuitSteps {
    QuitStep Steps[MaxSteps];
    int Count;
} Shutdown;

}  // namespace

void AtQuit(QuitStep Step)
{
    for (int i = 0; i < Shutdown.Count; ++i)
        if (Shutdown.Steps[i] == Step)
            return;
    if (Shutdown.Count == MaxSteps) {
        std::fprintf(stderr, "vorlune: too many shutdown steps\n");
        std::abort();
    }
    Shutdown.Steps[Shutdown.Count++] = Step;
}

void RunQuitSteps()
{
    // A step may end in Quit again: take each off the list before it runs.
    while (Shutdown.Count > 0)
        Shutdown.Steps[--Shutdown.Count]();
    // Every module writes to the log: it closes last.
    CloseLog();
}

void Quit(int Code)
{
    RunQuitSteps();
    std::exit(Code);
}

void FailAndExit(const char* Reason)
{
    std::fprintf(stderr, "vorlune: %s\n", Reason);
    LogPrint("Error!! %s\n", Reason);
    Quit(1);
}
