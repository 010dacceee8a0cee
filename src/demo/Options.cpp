#include "demo/Options.h"

#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/Quit.h"
#include "demo/Slots.h"
#include "platform/System.h"

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
    "      --log-dir DIR  write LogDemo.txt and VantuTimer.txt into DIR (made when\n"
    "                     missing) instead of the working folder\n"
    "      --user-logs    write them into this user's state folder, as the desktop\n"
    "                     menu's entry does: $XDG_STATE_HOME/vorlune (by default\n"
    "                     ~/.local/state/vorlune); on Windows %LOCALAPPDATA%\\vorlune\n"
    "      --timing exact|original\n"
    "                     exact: every frame at its own moment, in step with the\n"
    "                     tune; original: effects paced by the millisecond counter\n"
    "      --stats        print figures of the playback at the end\n"
    "      --start PART   start at a part: its number (0-15) or its name (any case,\n"
    "                     say rasterbars), exactly as the show reaches it\n"
    "      --crt          the look of a picture tube: scanlines, a shadow mask\n"
    "                     and a little glow, where the picture is scaled by 2 or\n"
    "                     more; the frames themselves stay exact\n"
    "  -h, --help         this text\n"
    "      --version      the name and version\n"
    "Keys: Escape ends the demo; Space writes a time mark into VantuTimer.txt;\n"
    "P or Pause pauses and resumes; Right or Page Down: the next part; Left or\n"
    "Page Up: the previous one; Home: from the start; F12: a screenshot (a PNG\n"
    "beside the logs); Alt+Enter or F11: fullscreen on and off.\n";

enum LongOnly {
    OptScale = 256,
    OptNoSound,
    OptData,
    OptLogDir,
    OptUserLogs,
    OptTiming,
    OptStats,
    OptStart,
    OptCrt,
    OptVersion
};

const option LongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, OptVersion},
    {"window", no_argument, nullptr, 'w'},
    {"scale", required_argument, nullptr, OptScale},
    {"no-sound", no_argument, nullptr, OptNoSound},
    {"data", required_argument, nullptr, OptData},
    {"log-dir", required_argument, nullptr, OptLogDir},
    {"user-logs", no_argument, nullptr, OptUserLogs},
    {"timing", required_argument, nullptr, OptTiming},
    {"stats", no_argument, nullptr, OptStats},
    {"start", required_argument, nullptr, OptStart},
    {"crt", no_argument, nullptr, OptCrt},
    {nullptr, 0, nullptr, 0},
};

constexpr int MaxScale = 16;

// The usage, then the parts from the slot table, a few to a line.
void PrintUsage(FILE* To)
{
    std::fputs(Usage, To);
    // The parts' names, the lines kept within 80 columns.
    int Column = std::fprintf(To, "The parts:");
    for (int i = 0; i < EffectCount; ++i) {
        char Item[64];
        const int Length = std::snprintf(Item, sizeof Item, " %d %s%s", i, SlotTable[i].Name,
                                         i + 1 < EffectCount ? "," : ".");
        if (Column + Length > 79)
            Column = std::fprintf(To, "\n ");
        Column += std::fprintf(To, "%s", Item);
    }
    std::fputs("\n", To);
}

[[noreturn]] void BadUsage(const std::string& Problem)
{
    std::fprintf(stderr, "vorlune: %s\n", Problem.c_str());
    PrintUsage(stderr);
    Quit(2);
}

bool SameLetters(const char* A, const char* B)
{
    for (; *A && *B; ++A, ++B)
        if (std::tolower(static_cast<unsigned char>(*A)) !=
            std::tolower(static_cast<unsigned char>(*B)))
            return false;
    return *A == *B;
}

int32_t ParseScale(const char* Text)
{
    char* End;
    long Scale = std::strtol(Text, &End, 10);
    if (*Text < '0' || *Text > '9' || *End != '\0' || Scale < 1 || Scale > MaxScale)
        BadUsage("--scale takes a whole number from 1 to " + std::to_string(MaxScale) + ", not \"" +
                 Text + "\"");
    return int32_t(Scale);
}

Timing ParseTiming(const char* Text)
{
    if (std::strcmp(Text, "exact") == 0)
        return Timing::Exact;
    if (std::strcmp(Text, "original") != 0)
        BadUsage(std::string("--timing takes exact or original, not \"") + Text + "\"");
    return Timing::Original;
}

// A slot's number or its name in the slot table, in any case.
int32_t ParseStart(const char* Text)
{
    char* End;
    long Number = std::strtol(Text, &End, 10);
    if (*Text >= '0' && *Text <= '9' && *End == '\0' && Number < EffectCount)
        return int32_t(Number);
    for (int32_t i = 0; i < EffectCount; ++i)
        if (SameLetters(Text, SlotTable[i].Name))
            return i;
    BadUsage(std::string("--start takes a part's number from 0 to ") +
             std::to_string(EffectCount - 1) + " or its name (see --help), not \"" + Text + "\"");
}

bool EnvironmentSays(const char* Name, const char* Value)
{
    const char* Set = std::getenv(Name);
    return Set && std::strcmp(Set, Value) == 0;
}

std::string UserLogFolder()
{
    const std::string State = PlatformUserStateFolder();
    if (State.empty())
        BadUsage("--user-logs: the environment names no folder for this user's state");
    return (std::filesystem::path(State) / "vorlune").string();
}

// Takes one option; the informational ones end the program here.
void TakeOption(int Option, int argc, char** argv, Settings* S)
{
    switch (Option) {
    case 'h': PrintUsage(stdout); Quit(0);
    case OptVersion: std::puts("vorlune " VORLUNE_VERSION); Quit(0);
    case 'w': S->Windowed = true; break;
    case OptScale:
        S->Windowed = true;
        S->Scale = ParseScale(optarg);
        break;
    case OptNoSound: S->Sound = false; break;
    case OptData: S->DataFolder = optarg; break;
    case OptLogDir: S->LogFolder = optarg; break;
    case OptUserLogs: S->LogFolder = UserLogFolder(); break;
    case OptTiming: S->Pace = ParseTiming(optarg); break;
    case OptStats: S->Stats = true; break;
    case OptStart: S->Start = ParseStart(optarg); break;
    case OptCrt: S->Crt = true; break;
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

}  // namespace

Settings ReadSettings(int argc, char** argv)
{
    Settings S;
    if (EnvironmentSays("VORLUNE_TIMING", "original"))
        S.Pace = Timing::Original;
    S.Stats = EnvironmentSays("VORLUNE_STATS", "1");
    opterr = 0;  // our own messages, without the program's path
    optind = 1;
    for (int Option; (Option = getopt_long(argc, argv, ":hw", LongOptions, nullptr)) != -1;)
        TakeOption(Option, argc, argv, &S);
    if (optind < argc)
        BadUsage(std::string("unexpected argument ") + argv[optind]);
    if (S.Start && S.Pace == Timing::Original)
        BadUsage("--start needs the exact timing, not --timing original");
    return S;
}
