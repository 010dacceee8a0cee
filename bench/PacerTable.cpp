// vorlune-pacer-table: the whole demo on simulated displays of 60, 75, 100,
// 144 and 165 Hz, with the original timing and with the pacer. The headless
// backend stands in for a real machine (its clock the real clock, its
// present waiting for the display's next refresh) and the demo paces itself
// over it as it does live. One line per run: the demo's length in real
// time, on the show's own clock, and the effect calls of slots 9, 13 and
// 14; with the pacer, its stats line before it. Run by hand; not a test.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Clock.h"
#include "demo/MainLoop.h"
#include "platform/Headless.h"

namespace {

uint32_t Calls[EffectCount];

void Count(uint8_t Slot, int32_t)
{
    ++Calls[Slot];
}

// The demo in a fresh folder holding the generated pictures and tune.
int Play(uint32_t MilliHz, bool Original)
{
    std::string Folder = std::filesystem::temp_directory_path() / ("vorlune-pacer-" + std::to_string(getpid()));
    std::filesystem::create_directories(Folder);
    for (const char* Name : {"Data", "Brumalid.mp3"})
        std::filesystem::create_symlink(std::string(ASSET_FOLDER) + "/" + Name, Folder + "/" + Name);
    if (chdir(Folder.c_str()) != 0)
        return 1;
    HeadlessSetRefresh(MilliHz);
    EffectCallHook = Count;
    DemoMain(Settings{.Pace = Original ? Timing::Original : Timing::Exact, .Stats = true});
    std::fflush(stderr);
    std::printf("%7.2f Hz %-8s whole demo %7.2f s real, %7.2f s of the show; calls of slots 9, 13, 14: %u, %u, %u\n",
                MilliHz / 1000.0, Original ? "original" : "pacer", HeadlessNow() / 1e6,
                GetTickCount() / 1000.0, Calls[9], Calls[13], Calls[14]);
    std::fflush(stdout);
    std::filesystem::remove_all(Folder);
    return 0;
}

}  // namespace

int main()
{
    for (uint32_t MilliHz : {60000u, 75000u, 100000u, 144000u, 165000u})
        for (bool Original : {true, false}) {
            std::fflush(stdout);
            pid_t Child = fork();
            if (Child == 0)
                std::_Exit(Play(MilliHz, Original));
            int Status;
            waitpid(Child, &Status, 0);
        }
    return 0;
}
