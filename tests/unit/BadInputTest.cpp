// The whole program with bad inputs, end to end on the headless backend: no
// "Data/", pictures missing, cut short, of odd sizes, not PPMs, with huge
// headers; no tune or not an MP3; no audio device; logs that can't be made.
// Each run either plays (to the end, or until a close request at 10 s once
// the point is made) or ends with code 1 and a message naming the problem,
// before the display opens when pictures are missing;
// the exit code, the whole of stderr and the logs are checked. No display:
// DemoRunTest here, tests/window on the real backend.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "demo/MainLoop.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const char ClosingLine[] = "|        FIN   D U   F I C H I E R   D E   L O G         |\n";
const char AllSlots[] = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ";
const char Refused[] = "vorlune: can't play without its pictures\n";

// In load order.
const char* const PictureNames[] = {
    "Loading",   "RasterR",  "RasterG",  "RasterB",         "RasterV",   "RasterY",
    "ScrollText", "Corridor", "BackgroundRaster", "ProgressBar", "Fonte2", "Txt-This",
    "Txt-Is",    "Txt-ProgressBar", "Txt-APure", "Txt-Fake", "PorteVG",  "PorteVD",
    "HU-Door",   "HB-Door",  "Flower",   "FireFonte",
};

enum class Ending {
    Missing,   // code 1 before the display opens: nothing shown, no pause
    Refused,   // code 1 before the first effect
    Closed,    // plays until the close request at 10 s: slot 0 finished
    WholeRun,  // plays every slot and ends by itself
};

using Spoiler = std::function<void(const std::string& Folder)>;

struct BadInput {
    std::string Name;
    Spoiler Spoil;
    Ending Ends;
    std::string Stderr;             // all of it
    std::vector<std::string> Log;   // lines of LogDemo.txt, in this order
    bool LogMade = true;
    const char* AudioFailure = nullptr;
};

std::string PicturePath(const std::string& Name)
{
    return "Data/" + Name + ".ppm";
}

void WriteFile(const std::string& Path, const std::string& Bytes)
{
    std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
}

Spoiler Remove(const std::string& Relative)
{
    return [=](const std::string& Folder) { fs::remove_all(Folder + "/" + Relative); };
}

Spoiler Replace(const std::string& Relative, const std::string& Bytes)
{
    return [=](const std::string& Folder) { WriteFile(Folder + "/" + Relative, Bytes); };
}

Spoiler Resize(const std::string& Name, int Width, int Height)
{
    return [=](const std::string& Folder) {
        WritePPM(Folder + "/" + PicturePath(Name), Width, Height,
                 [](int x, int y) { return uint32_t(x * 5 + y * 3) & 0xFF ? 0x80C040u : 0; });
    };
}

Spoiler Folder(const std::string& Name)
{
    return [=](const std::string& Folder) {
        fs::remove_all(Folder + "/" + Name);
        fs::create_directory(Folder + "/" + Name);
    };
}

Spoiler Both(Spoiler First, Spoiler Second)
{
    return [=](const std::string& Folder) {
        First(Folder);
        Second(Folder);
    };
}

// A file copied half-way: each picture keeps its header and 300 bytes.
void CutEveryPictureShort(const std::string& Folder)
{
    for (const char* Name : PictureNames) {
        const std::string Path = Folder + "/" + PicturePath(Name);
        std::ifstream In(Path, std::ios::binary);
        std::string Bytes((std::istreambuf_iterator<char>(In)), {});
        size_t HeaderEnd = 0;
        for (int Line = 0; Line < 3; ++Line)
            HeaderEnd = Bytes.find('\n', HeaderEnd) + 1;
        WriteFile(Path, Bytes.substr(0, HeaderEnd + 300));
    }
}

// Every picture whose size the demo leaves free, at its smallest and at a
// large size, and the others at the limits of what they must be: the words
// at the widest and the tallest a zoom can take, the sheets at the narrowest
// and the flattest that hold 26 letters.
Spoiler OddSizes(bool Large)
{
    struct Size {
        const char* Name;
        int Small[2], Big[2];
    };
    static const Size Sizes[] = {
        {"RasterR", {1, 1}, {640, 400}},      {"RasterG", {1, 1}, {2, 341}},
        {"RasterB", {1, 1}, {900, 30}},       {"RasterV", {1, 1}, {641, 2}},
        {"RasterY", {1, 1}, {3, 500}},        {"ScrollText", {1, 1}, {700, 400}},
        {"ProgressBar", {1, 1}, {450, 169}},  {"BackgroundRaster", {640, 340}, {1200, 900}},
        {"Fonte2", {32, 780}, {2000, 30}},    {"FireFonte", {34, 858}, {900, 33}},
        {"Txt-This", {1, 1}, {633, 1}},       {"Txt-Is", {1, 1}, {473, 473}},
        {"Txt-ProgressBar", {2, 2}, {633, 2}}, {"Txt-APure", {3, 1}, {600, 3}},
        {"Txt-Fake", {1, 1}, {632, 4}},     {"PorteVG", {1, 1}, {1000, 700}},
        {"PorteVD", {1, 1}, {1000, 700}},     {"HU-Door", {1, 1}, {1000, 600}},
        {"HB-Door", {1, 1}, {1000, 600}},
    };
    return [=](const std::string& Folder) {
        for (const Size& S : Sizes) {
            const int* WH = Large ? S.Big : S.Small;
            Resize(S.Name, WH[0], WH[1])(Folder);
        }
    };
}

// The log lines of a picture refused at load, and the refusal.
std::vector<std::string> RefusedLog(const std::string& Path, const std::vector<std::string>& LoadLines,
                                    const std::string& Problem)
{
    std::vector<std::string> Lines = LoadLines;
    Lines.push_back("Error!! " + Path + ": " + Problem + "\n");
    Lines.push_back("Error!! can't play without its pictures\n");
    return Lines;
}

BadInput RefusedPicture(const std::string& Case, const std::string& Name, Spoiler Spoil,
                        const std::string& Problem, const std::vector<std::string>& LoadLines)
{
    const std::string Path = PicturePath(Name);
    return {Name + "_" + Case, Spoil, Problem == "missing" ? Ending::Missing : Ending::Refused,
            "vorlune: " + Path + ": " + Problem + "\n" + Refused, RefusedLog(Path, LoadLines, Problem)};
}

// Each of a few pictures (the first loaded, a word, a door, the sheet loaded
// on its own after the cut) broken in every way the loader refuses.
void AddRefusedPictures(std::vector<BadInput>& Cases)
{
    const std::string Unreadable = "can't be read as a picture (see LogDemo.txt)";
    const std::string TooBig = "Error!! Bad image size : X = <16384> : Y = <16384> (each side 1 to 16384, "
                               "at most 67108864 bytes)\n";
    for (const std::string Name : {"Loading", "Txt-APure", "HB-Door", "FireFonte"}) {
        const std::string Path = PicturePath(Name);
        const std::string Load = "Load image <" + Path + ">\n";
        Cases.push_back(RefusedPicture("Missing", Name, Remove(Path), "missing", {}));
        Cases.push_back(RefusedPicture("NotAPpm", Name, Replace(Path, "GIF89a\x01\x00\x01\x00"s), Unreadable,
                                       {Load, "Error!! Image is not a PPM format\n"}));
        Cases.push_back(RefusedPicture("CutInItsHeader", Name, Replace(Path, "P6\n640 4"), Unreadable,
                                       {Load, "Image format <P6\n>\n", "Error!! PPM header ends early\n"}));
        Cases.push_back(RefusedPicture("HugeHeader", Name,
                                       Replace(Path, "P6\n#" + std::string(100000, '~') + "\n2 2\n255\n"),
                                       Unreadable, {Load, "Error!! PPM header field longer than 255 bytes\n"}));
        Cases.push_back(RefusedPicture("HugeSize", Name, Replace(Path, "P6\n16384 16384\n255\n\x7f\x7f\x7f"),
                                       Unreadable, {Load, TooBig}));
    }
    Cases.push_back(RefusedPicture("IsAFolder", "Corridor", Folder("Data/Corridor.ppm"), Unreadable,
                                   {"Load image <Data/Corridor.ppm>\n", "Error!! Image is not a PPM format\n"}));
    Cases.push_back(RefusedPicture("WrongSize", "Loading", Resize("Loading", 639, 480),
                                   "is 639 x 480, must be 640 x 480", {"Image size : X = <639> : Y = <480>\n"}));
    Cases.push_back(RefusedPicture("WrongSize", "Txt-APure", Resize("Txt-APure", 60, 61),
                                   "is 60 x 61, must be at least as wide as high",
                                   {"Image size : X = <60> : Y = <61>\n"}));
    Cases.push_back(RefusedPicture("WrongSize", "FireFonte", Resize("FireFonte", 33, 2000),
                                   "is 33 x 2000, too small for the 26 letters",
                                   {"Image size : X = <33> : Y = <2000>\n"}));
    // The sheet cut and released before the others load: said once only.
    Cases.push_back(RefusedPicture("Missing", "Fonte2", Remove("Data/Fonte2.ppm"), "missing", {}));
}

void AddNoDataFolder(std::vector<BadInput>& Cases)
{
    BadInput Case{"NoDataFolder", Remove("Data"), Ending::Missing, "", {}};
    for (const char* Name : PictureNames) {
        Case.Stderr += "vorlune: " + PicturePath(Name) + ": missing\n";
        Case.Log.push_back("Error!! " + PicturePath(Name) + ": missing\n");
    }
    Case.Stderr += Refused;
    Case.Log.push_back("Error!! can't play without its pictures\n");
    Cases.push_back(Case);
    // Without a log, stderr alone tells what is wrong.
    Cases.push_back({"NoDataFolderAndNoLog", Both(Remove("Data"), Folder("LogDemo.txt")), Ending::Missing,
                     " ERREUR !!! - Impossible de creer le fichier LogDemo.txt\n" + Case.Stderr, {}, false});
}

void AddPlayingCases(std::vector<BadInput>& Cases)
{
    std::vector<std::string> ShortReads;
    for (const char* Name : PictureNames) {
        ShortReads.push_back("Load image <" + PicturePath(Name) + ">\n");
        ShortReads.push_back("Error! len loading datafile PPM = <300>\n");
        ShortReads.push_back("Loading <" + PicturePath(Name) + "> OK\n");
    }
    // Black data reads the same bytes as any other: the whole runs are the sizes'.
    Cases.push_back({"EveryPictureCutShortPlaysWithBlack", CutEveryPictureShort, Ending::Closed, "", ShortReads});
    Cases.push_back({"SmallestSizesPlay", OddSizes(false), Ending::WholeRun, "", {"Loading <Data/FireFonte.ppm> OK\n"}});
    Cases.push_back({"LargeSizesPlay", OddSizes(true), Ending::WholeRun, "", {"Loading <Data/FireFonte.ppm> OK\n"}});

    const std::string Silent = "vorlune: playing without sound: ";
    Cases.push_back({"NoTunePlaysSilent", Remove("Brumalid.mp3"), Ending::Closed,
                     Silent + "can't play \"Brumalid.mp3\": no such file\n",
                     {"Warning!! Playing without sound: can't play \"Brumalid.mp3\": no such file\n"}});
    Cases.push_back({"TuneNotAnMp3PlaysSilent", Replace("Brumalid.mp3", "RIFF\x24\x08\x00\x00WAVEfmt "s),
                     Ending::Closed, Silent + "can't play \"Brumalid.mp3\": not an MP3 file\n",
                     {"Warning!! Playing without sound: can't play \"Brumalid.mp3\": not an MP3 file\n"}});
    Cases.push_back({"NoAudioDevicePlaysSilent", [](const std::string&) {}, Ending::Closed,
                     Silent + "no audio device: no card\n", {"Warning!! Playing without sound: no audio device: no card\n"},
                     true, "no audio device: no card"});
    Cases.push_back({"LogThatCannotBeMadePlays", Folder("LogDemo.txt"), Ending::Closed,
                     " ERREUR !!! - Impossible de creer le fichier LogDemo.txt\n", {}, false});
    Cases.push_back({"TimingLogThatCannotBeMadePlays", Folder("VantuTimer.txt"), Ending::Closed,
                     "vorlune: can't create VantuTimer.txt (Is a directory): Space marks are not kept\n",
                     {"Warning!! Can't create VantuTimer.txt (Is a directory): Space marks are not kept\n",
                      "Load image <Data/Loading.ppm>\n"}});
}

std::vector<BadInput> Matrix()
{
    std::vector<BadInput> Cases;
    AddNoDataFolder(Cases);
    AddRefusedPictures(Cases);
    AddPlayingCases(Cases);
    return Cases;
}

// What the child has finished by the time it exits, however it exits.
std::string Finished;

void RecordSlot(uint8_t Slot, int32_t Result)
{
    if (Result == 1)
        Finished += std::to_string(Slot) + " ";
}

void PrintFinished()
{
    std::printf("%s", Finished.c_str());
}

int PlayDemo(const BadInput& Case)
{
    EffectCallHook = RecordSlot;
    std::atexit(PrintFinished);
    if (Case.AudioFailure)
        HeadlessFailAudio(Case.AudioFailure);
    HeadlessScriptEvent(5000, WindowEventType::KeyDown, KeySpace);
    if (Case.Ends == Ending::Closed)
        HeadlessScriptEvent(10000, WindowEventType::Close, 0);
    return DemoMain(Settings{});
}

void ExpectInOrder(const std::string& Log, const std::vector<std::string>& Lines)
{
    size_t At = 0;
    for (const std::string& Line : Lines) {
        size_t Found = Log.find(Line, At);
        ASSERT_NE(Found, std::string::npos) << "LogDemo.txt lacks, in its place: " << Line;
        At = Found + Line.size();
    }
}

void ExpectLogs(const BadInput& Case, const TempDir& Dir)
{
    if (!Case.LogMade) {
        EXPECT_TRUE(fs::is_directory(Dir.Path + "/LogDemo.txt"));
    } else {
        const std::string Log = Dir.Read("LogDemo.txt");
        ExpectInOrder(Log, Case.Log);
        EXPECT_EQ(CountOf(Log, ClosingLine), 1);
        EXPECT_EQ(Log.substr(Log.size() - 59), std::string(58, '+').replace(1, 56, 56, '-') + "\n");
    }
    const std::string Timing = Dir.Read("VantuTimer.txt");
    const std::string Marked = "Debut= <0> : <0>\nEffet N\xB0" "1 = <5> : <";
    if (fs::is_directory(Dir.Path + "/VantuTimer.txt"))
        EXPECT_EQ(Case.Name, "TimingLogThatCannotBeMadePlays");
    else if (Case.Ends == Ending::Missing)
        EXPECT_FALSE(fs::exists(Dir.Path + "/VantuTimer.txt")) << "the display was opened";
    else if (Case.Ends == Ending::Refused)
        EXPECT_EQ(Timing, "Debut= <0> : <0>\n");  // the Space at 5 s comes too late
    else
        EXPECT_EQ(Timing.substr(0, Marked.size()), Marked);
}

void PrintTo(const BadInput& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

struct BadInputTest : testing::TestWithParam<BadInput> {};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Matrix, BadInputTest, testing::ValuesIn(Matrix()),
                         [](const testing::TestParamInfo<BadInput>& Info) {
                             std::string Name = Info.param.Name;
                             for (char& C : Name)
                                 if (!std::isalnum(static_cast<unsigned char>(C)))
                                     C = '_';
                             return Name;
                         });

TEST_P(BadInputTest, PlaysOrEndsWithAMessageNamingTheProblem)
{
    const BadInput& Case = GetParam();
    TempDir Dir;
    WriteFakeData(Dir.Path);
    Case.Spoil(Dir.Path);
    ChildResult Run = RunInChild(Dir.Path, [&] { return PlayDemo(Case); });

    const bool Ended = Case.Ends == Ending::Missing || Case.Ends == Ending::Refused;
    const int Code = Ended ? 1 : 0;
    EXPECT_EQ(Run.ExitCode, Code) << Run.Stderr;
    EXPECT_EQ(Run.Stderr, Case.Stderr);
    const char* Slots = Ended ? "" : Case.Ends == Ending::Closed ? "0 " : AllSlots;
    EXPECT_EQ(Run.Stdout, Slots);
    ExpectLogs(Case, Dir);
}
