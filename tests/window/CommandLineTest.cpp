// The program's command line, run as a viewer runs it and with no display
// at all: the informational options and bad usage end before anything is
// opened or written; from any folder the program finds the data beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Desktop.h"

namespace {

struct ProgramRun {
    int Code;
    std::string Out, Err;
};

// The built program with Args (and the variables Env), in Folder, without
// any display; its stderr is kept elsewhere so that the folder shows what
// the program wrote.
ProgramRun RunProgram(const TempDir& Folder, const std::string& Args, const std::string& Env = "")
{
    TempDir Output;
    ProgramRun Result;
    Result.Code = RunCommand("cd '" + Folder.Path + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                                 Env + " " VORLUNE_PATH " " + Args + " 2>'" + Output.Path + "/err'",
                             &Result.Out);
    Result.Err = Output.Read("err");
    return Result;
}

bool IsEmpty(const TempDir& Folder)
{
    return std::filesystem::is_empty(Folder.Path);
}

}  // namespace

TEST(CommandLine, InformsOrRefusesWithoutOpeningOrWritingAnything)
{
    struct Case {
        const char* Args;
        int Code;
        const char* Out;  // the start of stdout
        const char* Err;  // the first line of stderr
    };
    const Case Cases[] = {
        {"--help", 0, "usage: vorlune [options]\n", ""},
        {"-w -h", 0, "usage: vorlune [options]\n", ""},
        {"--version", 0, "vorlune " VORLUNE_VERSION "\n", ""},
        {"--fullscreen", 2, "", "vorlune: unknown option --fullscreen\n"},
        {"-x", 2, "", "vorlune: unknown option -x\n"},
        {"--data", 2, "", "vorlune: --data needs a value\n"},
        {"--scale 0", 2, "", "vorlune: --scale takes a whole number from 1 to 16, not \"0\"\n"},
        {"--timing fast", 2, "", "vorlune: --timing takes exact or original, not \"fast\"\n"},
        {"Data", 2, "", "vorlune: unexpected argument Data\n"},
        {"--start 16", 2, "",
         "vorlune: --start takes a part's number from 0 to 15 or its name (see --help), not \"16\"\n"},
        {"--start 3 --timing original", 2, "",
         "vorlune: --start needs the exact timing, not --timing original\n"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Args);
        TempDir Folder;
        ProgramRun R = RunProgram(Folder, C.Args);
        EXPECT_EQ(R.Code, C.Code);
        EXPECT_EQ(R.Out.substr(0, std::string(C.Out).size()), C.Out);
        EXPECT_EQ(R.Err.substr(0, R.Err.find('\n') + 1), C.Err);
        if (C.Code == 2) {
            EXPECT_NE(R.Err.find("usage: vorlune [options]\n"), std::string::npos) << R.Err;
        }
        EXPECT_TRUE(IsEmpty(Folder)) << "the run wrote into its folder";
    }
}

// The build folder holds Data/ beside the program: a run from an empty
// folder gets past the pictures and stops only for want of a display, its
// logs in the folder it runs in.
TEST(CommandLine, RunFromAnotherFolderFindsTheDataBesideTheProgram)
{
    TempDir Folder;
    ProgramRun R = RunProgram(Folder, "--no-sound");
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err.find("missing"), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("vorlune: can't open the display: no display found"), std::string::npos) << R.Err;
    EXPECT_NE(Folder.Read("LogDemo.txt").find("Error!! Can't initialize the display\n"), std::string::npos);

    // Given a folder without the data, it says what is missing from there.
    R = RunProgram(Folder, "--data " + Folder.Path);
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err.substr(0, R.Err.find('\n') + 1), "vorlune: " + Folder.Path + "/Data/Loading.ppm: missing\n");
}

// --log-dir makes its folder and both logs go there, not into the working
// folder; --user-logs takes the state folder of the XDG base directories.
TEST(CommandLine, LogsGoWhereTheyAreAsked)
{
    TempDir Folder;
    ProgramRun R = RunProgram(Folder, "--no-sound --log-dir logs/run");
    EXPECT_EQ(R.Code, 1);
    EXPECT_NE(Folder.Read("logs/run/LogDemo.txt").find("Error!! Can't initialize the display\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path + "/LogDemo.txt"));

    R = RunProgram(Folder, "--no-sound --user-logs", "XDG_STATE_HOME='" + Folder.Path + "/state'");
    EXPECT_EQ(R.Code, 1);
    EXPECT_TRUE(std::filesystem::exists(Folder.Path + "/state/vorlune/LogDemo.txt")) << R.Err;
}
