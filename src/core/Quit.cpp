#include "core/Quit.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "log/Log.h"
#include "platform/System.h"

namespace {

// Few modules start: the screen, the resource set, the playback's figures.
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
    // With the window closed, or a box could hide behind it.
    if (Code != 0)
        PlatformShowFailure();
    std::exit(Code);
}

void FailAndExit(const char* Message, const char* LogLine)
{
    std::fprintf(stderr, "vorlune: %s\n", Message);
    LogPrint("%s\n", LogLine);
    Quit(1);
}

void FailAndExit(const char* Reason)
{
    const std::string LogLine = std::string("Error!! ") + Reason;
    FailAndExit(Reason, LogLine.c_str());
}
