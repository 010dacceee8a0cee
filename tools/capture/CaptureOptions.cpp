#include "CaptureOptions.h"

#include <cstdio>
#include <filesystem>
#include <limits>

const char CaptureUsage[] =
    "usage: vorlune-capture [options]\n"
    "Plays the demo headless and frame-exact on a virtual clock and writes what\n"
    "a viewer sees. It reads Data/ and Brumalid.mp3 where the demo finds them and\n"
    "writes LogDemo.txt and VantuTimer.txt in the current folder.\n"
    "  --video FILE.mp4     the demo at 60 frames a second with its tune and one\n"
    "                       chapter per effect (ffmpeg)\n"
    "  --scale N            video scale, nearest-neighbour (default 2: 1280 x 960)\n"
    "  --crt                the video with the live window's CRT look (scanlines, a\n"
    "                       shadow mask, a little glow) at scales of 2 and more\n"
    "  --audio mp3|aac      the tune's MP3 stream copied as it is (default), or\n"
    "                       re-encoded to AAC\n"
    "  --frames DIR         the frame buffer after chosen effect calls, as\n"
    "                       DIR/sSS-cCCCCCC.ppm (slot, call); needs --slots and --calls\n"
    "  --slots LIST         slots for --frames, e.g. 0,3,9-11\n"
    "  --calls LIST         call numbers for --frames, from 1, e.g. 1-3,7,100-;\n"
    "                       last is the call that ends the slot\n"
    "  --png DIR            a PNG of the display every N presents, as\n"
    "                       DIR/fFFFFFF.png; needs --every\n"
    "  --every N\n"
    "  --start-tick T       start the tick counter at T (e.g. 4294957296)\n"
    "  --keys LIST          scripted keys at virtual times in ms, e.g.\n"
    "                       \"5000:space,61000:escape,90000:close\"\n"
    "  --data DIR           the folder that holds Data/ and Brumalid.mp3\n"
    "  -h, --help           this text\n"
    "  --version            the name and version\n"
    "At the end it prints the demo's virtual length and the wall time.\n"
    "Its exit code is the demo's.\n";

namespace {

// A whole decimal number from 0 to Max, nothing else.
bool ParseNumber(const std::string& Text, uint64_t Max, uint64_t* Value)
{
    if (Text.empty() || Text.size() > 19)
        return false;
    *Value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9')
            return false;
        *Value = *Value * 10 + uint64_t(c - '0');
    }
    return *Value <= Max;
}

// "A", "A-B" or "A-" (to the end); both ends inclusive, A <= B.
bool ParseRange(const std::string& Text, uint64_t Max, uint64_t* First, uint64_t* Last)
{
    size_t Dash = Text.find('-');
    if (Dash == std::string::npos)
        return ParseNumber(Text, Max, First) && (*Last = *First, true);
    if (!ParseNumber(Text.substr(0, Dash), Max, First))
        return false;
    std::string End = Text.substr(Dash + 1);
    if (End.empty())
        return (*Last = Max, true);
    return ParseNumber(End, Max, Last) && *First <= *Last;
}

template <typename Fn>
bool ForEachItem(const std::string& List, Fn&& Item)
{
    size_t At = 0;
    while (At <= List.size()) {
        size_t Comma = List.find(',', At);
        if (Comma == std::string::npos)
            Comma = List.size();
        if (!Item(List.substr(At, Comma - At)))
            return false;
        At = Comma + 1;
    }
    return true;
}

bool ParseSlots(const std::string& List, std::vector<bool>* Slots)
{
    return ForEachItem(List, [&](const std::string& Item) {
        uint64_t First, Last;
        if (!ParseRange(Item, 15, &First, &Last))
            return false;
        for (uint64_t s = First; s <= Last; ++s)
            (*Slots)[s] = true;
        return true;
    });
}

bool ParseCalls(const std::string& List, CaptureOptions* O)
{
    return ForEachItem(List, [&](const std::string& Item) {
        if (Item == "last")
            return (O->LastCall = true);
        uint64_t First, Last;
        if (!ParseRange(Item, std::numeric_limits<uint32_t>::max(), &First, &Last) || First < 1)
            return false;
        O->Calls.push_back({uint32_t(First), uint32_t(Last)});
        return true;
    });
}

bool ParseKeys(const std::string& List, std::vector<ScriptedKey>* Keys)
{
    return ForEachItem(List, [&](const std::string& Item) {
        size_t Colon = Item.find(':');
        uint64_t Ms;
        if (Colon == std::string::npos ||
            !ParseNumber(Item.substr(0, Colon), std::numeric_limits<uint32_t>::max(), &Ms))
            return false;
        std::string Key = Item.substr(Colon + 1);
        uint32_t At = uint32_t(Ms);
        if (Key == "space")
            Keys->push_back({At, WindowEventType::KeyDown, KeySpace});
        else if (Key == "escape")
            Keys->push_back({At, WindowEventType::KeyDown, KeyEscape});
        else if (Key == "close")
            Keys->push_back({At, WindowEventType::Close, 0});
        else
            return false;
        return true;
    });
}

bool ParseValue(const std::string& Option, const std::string& Value, CaptureOptions* O)
{
    uint64_t N;
    if (Option == "--video")
        return !(O->VideoPath = Value).empty();
    if (Option == "--scale")
        return ParseNumber(Value, 8, &N) && N >= 1 && (O->Scale = int(N), true);
    if (Option == "--frames")
        return !(O->FramesDir = Value).empty();
    if (Option == "--slots")
        return ParseSlots(Value, &O->Slots);
    if (Option == "--calls")
        return ParseCalls(Value, O);
    if (Option == "--png")
        return !(O->PngDir = Value).empty();
    if (Option == "--every")
        return ParseNumber(Value, std::numeric_limits<uint32_t>::max(), &N) && N >= 1 &&
               (O->Every = uint32_t(N), true);
    if (Option == "--start-tick")
        return ParseNumber(Value, std::numeric_limits<uint32_t>::max(), &N) &&
               (O->StartTick = uint32_t(N), true);
    if (Option == "--keys")
        return ParseKeys(Value, &O->Keys);
    if (Option == "--audio" && (Value == "mp3" || Value == "aac"))
        return (O->Audio = Value == "mp3" ? VideoAudio::Mp3 : VideoAudio::Aac, true);
    if (Option == "--data")
        return !(O->DataDir = Value).empty();
    return false;
}

bool SlotChosen(const CaptureOptions& O)
{
    for (bool Chosen : O.Slots)
        if (Chosen)
            return true;
    return false;
}

}  // namespace

bool ParseCaptureOptions(int argc, char** argv, CaptureOptions* O, std::string* Error)
{
    for (int i = 1; i < argc; ++i) {
        std::string Option = argv[i];
        if (Option == "--help" || Option == "-h") {
            O->Help = true;
            return true;
        }
        if (Option == "--version") {
            O->Version = true;
            return true;
        }
        if (Option == "--crt") {
            O->Crt = true;
            continue;
        }
        if (Option.rfind("--", 0) != 0 || i + 1 >= argc) {
            *Error = "unknown option or missing value: " + Option;
            return false;
        }
        std::string Value = argv[++i];
        if (!ParseValue(Option, Value, O)) {
            *Error = "bad option: " + Option + " " + Value;
            return false;
        }
    }
    if (!O->FramesDir.empty() && (!SlotChosen(*O) || (O->Calls.empty() && !O->LastCall))) {
        *Error = "--frames needs --slots and --calls";
        return false;
    }
    if (O->PngDir.empty() != (O->Every == 0)) {
        *Error = "--png and --every go together";
        return false;
    }
    return true;
}

bool CallChosen(const CaptureOptions& O, uint32_t Call, bool Finishing)
{
    if (Finishing && O.LastCall)
        return true;
    for (const CallRange& Range : O.Calls)
        if (Call >= Range.First && Call <= Range.Last)
            return true;
    return false;
}

bool CanWriteFile(const std::string& Path)
{
    bool Existed = std::filesystem::exists(Path);
    FILE* File = std::fopen(Path.c_str(), "ab");
    if (!File)
        return false;
    std::fclose(File);
    if (!Existed)
        std::filesystem::remove(Path);
    return true;
}

bool MakeWritableDir(const std::string& Dir)
{
    std::error_code Ignored;
    std::filesystem::create_directories(Dir, Ignored);
    return CanWriteFile(Dir + "/.vorlune-capture-check");
}
