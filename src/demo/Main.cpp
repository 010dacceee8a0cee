// The program entry: the command line, then the demo. Bad usage ends here,
// with code 2, before anything is opened or written.
#include <getopt.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/Quit.h"
#include "demo/DataFolder.h"
#include "demo/MainLoop.h"
#include "demo/Resources.h"
#include "platform/Window.h"

namespace {

const char Usage[] =
    "usage: vorlune [options]\n"
    "Plays the demo: sixteen effects to its tune, desktop fullscreen.\n"
    "  -w, --window       in a window, 640 x 480 times the largest whole factor\n"
    "                     that fits the desktop; resizable\n"
    "      --scale N      in a window, 640 x 480 times N\n"
    "      --no-sound     play silently, without opening the audio device\n"
    "      --data DIR     the folder that holds Data/ and Brumalid.mp3; by default\n"
    "                     the working folder, else the program's own folder, else\n"
    "                     ../share/vorlune beside the program\n"
    "      --timing exact|original\n"
    "                     exact: every frame at its own moment, in step with the\n"
    "                     tune; original: effects paced by the millisecond counter\n"
    "      --stats        print figures of the playback at the end\n"
    "  -h, --help         this text\n"
    "      --version      the name and version\n"
    "Escape ends the demo; Space writes a time mark into VantuTimer.txt.\n"
    "LogDemo.txt and VantuTimer.txt are written in the working folder.\n";

enum LongOnly { OptScale = 256, OptNoSound, OptData, OptTiming, OptStats, OptVersion };

const option LongOptions[] = {
    {"help", no_argument, nullptr, 'h'},         {"version", no_argument, nullptr, OptVersion},
    {"window", no_argument, nullptr, 'w'},       {"scale", required_argument, nullptr, OptScale},
    {"no-sound", no_argument, nullptr, OptNoSound}, {"data", required_argument, nullptr, OptData},
    {"timing", required_argument, nullptr, OptTiming}, {"stats", no_argument, nullptr, OptStats},
    {nullptr, 0, nullptr, 0},
};

constexpr int MaxScale = 16;

struct Options {
    bool Windowed = false;
    int Scale = 0;  // 0: the largest that fits
    bool NoSound = false;
    std::optional<std::string> Data;  // --data, else looked for
    std::string Timing;  // "" when not given
    bool Stats = false;
};

[[noreturn]] void BadUsage(const std::string& Problem)
{
    std::fprintf(stderr, "vorlune: %s\n%s", Problem.c_str(), Usage);
    Quit(2);
}

int ParseScale(const char* Text)
{
    char* End;
    long Scale = std::strtol(Text, &End, 10);
    if (*Text < '0' || *Text > '9' || *End != '\0' || Scale < 1 || Scale > MaxScale)
        BadUsage("--scale takes a whole number from 1 to " + std::to_string(MaxScale) + ", not \"" +
                 Text + "\"");
    return int(Scale);
}

// Takes one option; the informational ones end the program here.
void TakeOption(int Option, int argc, char** argv, Options* O)
{
    switch (Option) {
    case 'h': std::fputs(Usage, stdout); Quit(0);
    case OptVersion: std::puts("vorlune " VORLUNE_VERSION); Quit(0);
    case 'w': O->Windowed = true; break;
    case OptScale: O->Windowed = true; O->Scale = ParseScale(optarg); break;
    case OptNoSound: O->NoSound = true; break;
    case OptData: O->Data = optarg; break;
    case OptTiming:
        O->Timing = optarg;
        if (O->Timing != "exact" && O->Timing != "original")
            BadUsage("--timing takes exact or original, not \"" + O->Timing + "\"");
        break;
    case OptStats: O->Stats = true; break;
    case ':': BadUsage(std::string(argv[optind - 1]) + " needs a value");
    default: {
        // A long option is the word just taken; a short one may sit in a group.
        std::string Word = argv[std::min(optind, argc) - 1];
        if (Word.rfind("--", 0) != 0)
            Word = std::string("-") + char(optopt);
        BadUsage("unknown option " + Word);
    }
    }
}

Options ParseOptions(int argc, char** argv)
{
    Options O;
    opterr = 0;  // our own messages, without the program's path
    for (int Option; (Option = getopt_long(argc, argv, ":hw", LongOptions, nullptr)) != -1;)
        TakeOption(Option, argc, argv, &O);
    if (optind < argc)
        BadUsage(std::string("unexpected argument ") + argv[optind]);
    return O;
}

}  // namespace

int main(int argc, char** argv)
{
    Options O = ParseOptions(argc, argv);
    SetDataFolder(O.Data ? *O.Data : FindDataFolder());
    WindowChooseMode(O.Windowed, O.Scale);
    if (O.NoSound)
        TurnSoundOff();
    // The live playback reads its settings from the environment, where they
    // can also be set without the options.
    if (!O.Timing.empty())
        setenv("VORLUNE_TIMING", O.Timing.c_str(), 1);
    if (O.Stats)
        setenv("VORLUNE_STATS", "1", 1);
    return DemoMain();
}
