// The run's settings from the command line and the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo/Options.h"

namespace {

Settings Read(std::vector<std::string> Args)
{
    Args.insert(Args.begin(), "vorlune");
    std::vector<char*> Argv;
    for (std::string& Arg : Args)
        Argv.push_back(Arg.data());
    Argv.push_back(nullptr);
    return ReadSettings(int(Args.size()), Argv.data());
}

// Sets a variable for the life of the object, then removes it.
struct Variable {
    Variable(const char* Name, const char* Value) : Name(Name) { setenv(Name, Value, 1); }
    ~Variable() { unsetenv(Name); }
    const char* Name;
};

}  // namespace

TEST(Options, TheOptionsWinOverTheEnvironment)
{
    Variable Timing("VORLUNE_TIMING", "original"), Stats("VORLUNE_STATS", "1");
    EXPECT_EQ(Read({}).Pace, Timing::Original);
    EXPECT_TRUE(Read({}).Stats);
    EXPECT_EQ(Read({"--timing", "exact"}).Pace, Timing::Exact);
    EXPECT_EQ(Read({"--timing=original", "--timing=exact"}).Pace, Timing::Exact);
}

TEST(Options, UserLogsGoToTheStateFolderOfTheBaseDirectories)
{
    Variable Home("HOME", "/home/viewer");
    {
        Variable State("XDG_STATE_HOME", "/var/state");
        EXPECT_EQ(Read({"--user-logs"}).LogFolder, "/var/state/vorlune");
    }
    {
        Variable Relative("XDG_STATE_HOME", "state");  // not absolute: ignored
        EXPECT_EQ(Read({"--user-logs"}).LogFolder, "/home/viewer/.local/state/vorlune");
    }
    EXPECT_EQ(Read({"--log-dir", "logs", "--window"}).LogFolder, "logs");
    EXPECT_EQ(Read({}).LogFolder, "");
}

TEST(Options, StartTakesAPartsNumberOrItsNameInAnyCase)
{
    EXPECT_EQ(Read({"--start", "0"}).Start, 0);
    EXPECT_EQ(Read({"--start=15"}).Start, 15);
    EXPECT_EQ(Read({"--start", "rasterBARS"}).Start, 13);
    EXPECT_FALSE(Read({}).Start);
}
