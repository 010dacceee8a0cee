// vorlune-capture: plays the demo on the headless backend with its virtual
// clock, from a working folder that holds "Data/" and "Brumalid.mp3".
#include <chrono>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Headless.h"
#include "runtime/MainLoop.h"

namespace {

const char Usage[] =
    "usage: vorlune-capture [options]\n"
    "Plays the demo headless, frame-exact on a virtual clock, in the current folder.\n"
    "  --start-tick T   start the virtual tick counter at T (e.g. 4294957296)\n"
    "  --keys LIST      scripted keys, e.g. \"5000:space,61000:escape,90000:close\"\n"
    "  --help           this text\n";

std::chrono::steady_clock::time_point WallStart;

void PrintSummary()
{
    double Virtual = double(HeadlessNow()) / 1e6;
    double Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - WallStart).count();
    std::printf("virtual %.2f s, wall %.2f s, %.1fx real time\n", Virtual, Wall,
                Wall > 0 ? Virtual / Wall : 0.0);
    std::fflush(stdout);
}

bool ParseNumber(const char* Text, unsigned long long Max, unsigned long long* Value)
{
    char* End;
    errno = 0;
    *Value = std::strtoull(Text, &End, 10);
    return *Text && *End == '\0' && errno == 0 && *Value <= Max && Text[0] != '-';
}

// "ms:key" items separated by commas; keys are space, escape and close.
bool ParseKeys(const std::string& List)
{
    size_t At = 0;
    while (At < List.size()) {
        size_t Comma = List.find(',', At);
        std::string Item = List.substr(At, Comma == std::string::npos ? std::string::npos : Comma - At);
        At = Comma == std::string::npos ? List.size() : Comma + 1;
        size_t Colon = Item.find(':');
        unsigned long long Ms;
        if (Colon == std::string::npos || !ParseNumber(Item.substr(0, Colon).c_str(), UINT32_MAX, &Ms))
            return false;
        std::string Key = Item.substr(Colon + 1);
        uint32_t At32 = static_cast<uint32_t>(Ms);
        if (Key == "space")
            HeadlessScriptEvent(At32, WindowEventType::KeyDown, KeySpace);
        else if (Key == "escape")
            HeadlessScriptEvent(At32, WindowEventType::KeyDown, KeyEscape);
        else if (Key == "close")
            HeadlessScriptEvent(At32, WindowEventType::Close, 0);
        else
            return false;
    }
    return true;
}

int UsageError(const char* Message, const char* Detail)
{
    std::fprintf(stderr, "vorlune-capture: %s%s\n%s", Message, Detail, Usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string Option = argv[i];
        if (Option == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (i + 1 >= argc)
            return UsageError("missing value or unknown option: ", argv[i]);
        const char* Value = argv[++i];
        unsigned long long Tick;
        if (Option == "--start-tick" && ParseNumber(Value, UINT32_MAX, &Tick))
            HeadlessSetStartTick(static_cast<uint32_t>(Tick));
        else if (Option == "--keys" && ParseKeys(Value))
            continue;
        else
            return UsageError("bad option: ", (Option + " " + Value).c_str());
    }
    WallStart = std::chrono::steady_clock::now();
    // Escape and close end the process from inside the demo: report then too.
    std::atexit(PrintSummary);
    return DemoMain();
}
