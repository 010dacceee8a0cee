// The log file: banners, the formatter's pairs, flushing, opening and closing.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "log/Log.h"
#include "support/Child.h"

#pragma GCC diagnostic ignored "-Wformat"
#pragma GCC diagnostic ignored "-Wformat-extra-args"

namespace {

const std::string Opening =
    "+--------------------------------------------------------+\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "|     D E B U T   D U   F I C H I E R   D E   L O G      |\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "+--------------------------------------------------------+\n\n\n";

const std::string Closing =
    "+--------------------------------------------------------+\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "|        FIN   D U   F I C H I E R   D E   L O G         |\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "+--------------------------------------------------------+\n";

// What a run of LogPrint calls leaves between the banners.
template <typename Print>
std::string Logged(Print&& Body)
{
    TempDir Dir;
    std::string Name = Dir.Path + "/log.txt";
    EXPECT_EQ(OpenLog(Name.c_str()), 1);
    Body();
    CloseLog();
    std::string All = Dir.Read("log.txt");
    EXPECT_EQ(All.substr(0, Opening.size()), Opening);
    EXPECT_EQ(All.substr(All.size() - Closing.size()), Closing);
    return All.substr(Opening.size(), All.size() - Opening.size() - Closing.size());
}

}  // namespace

TEST(Log, BannersAreSevenLinesOf58Characters)
{
    for (const std::string* Banner : {&Opening, &Closing})
        for (size_t Line = 0; Line < 7; ++Line)
            EXPECT_EQ(Banner->find('\n', Line * 59), Line * 59 + 58);
    EXPECT_EQ(Logged([] {}), "");
}

TEST(Log, FormatterPairs)
{
    EXPECT_EQ(Logged([] { LogPrint("Image size : X = <%d> : Y = <%d>\n", 640, 480); }),
              "Image size : X = <640> : Y = <480>\n");
    EXPECT_EQ(Logged([] { LogPrint("%d%%", 5); }), "5%");
    EXPECT_EQ(Logged([] { LogPrint("a%qb"); }), "ab");
    EXPECT_EQ(Logged([] { LogPrint("%s", "100%d"); }), "100%d");
    EXPECT_EQ(Logged([] { LogPrint("%5d|%ld", 7, 8); }), "d|d");
    EXPECT_EQ(Logged([] { LogPrint("%i %d %d", -2147483647 - 1, 0, 2147483647); }),
              "-2147483648 0 2147483647");
    EXPECT_EQ(Logged([] { LogPrint("%c%c", 0x141, 'k'); }), "Ak");
    EXPECT_EQ(Logged([] { LogPrint("%f %f", 1.5, -0.0000004); }), "1.500000 -0.000000");
    EXPECT_EQ(Logged([] { LogPrint("end%"); }), "end");
    EXPECT_EQ(Logged([] { LogPrint("%s", static_cast<const char*>(nullptr)); }), "(null)");
}

TEST(Log, LongMessagesAndHugeNumbersAreWrittenWhole)
{
    std::string Long(100000, 'x');
    EXPECT_EQ(Logged([&] { LogPrint("<%s>", Long.c_str()); }), "<" + Long + ">");
    std::string Huge = Logged([] { LogPrint("%f", 1e300); });
    EXPECT_EQ(Huge.size(), 301u + 7u);
    EXPECT_EQ(Huge.substr(Huge.size() - 7), ".000000");
}

TEST(Log, EveryMessageIsFlushedAtOnce)
{
    TempDir Dir;
    std::string Name = Dir.Path + "/log.txt";
    OpenLog(Name.c_str());
    LogPrint("Load image <%s>\n", "Data/Loading.ppm");
    EXPECT_EQ(Dir.Read("log.txt"), Opening + "Load image <Data/Loading.ppm>\n");
    CloseLog();
}

TEST(Log, OpeningTruncatesAndClosingTwiceWritesOneBanner)
{
    TempDir Dir;
    std::string Name = Dir.Path + "/log.txt";
    OpenLog(Name.c_str());
    LogPrint("old run\n");
    CloseLog();
    OpenLog(Name.c_str());
    CloseLog();
    CloseLog();
    EXPECT_EQ(Dir.Read("log.txt"), Opening + Closing);
}

TEST(Log, ClosedLogDropsMessages)
{
    LogPrint("nowhere %d\n", 1);
    CloseLog();
    TempDir Dir;
    std::string Name = Dir.Path + "/log.txt";
    OpenLog(Name.c_str());
    CloseLog();
    LogPrint("after the end\n");
    EXPECT_EQ(Dir.Read("log.txt"), Opening + Closing);
}

TEST(Log, UncreatableFileSaysSoOnStderr)
{
    TempDir Dir;
    std::filesystem::create_directory(Dir.Path + "/LogDemo.txt");
    ChildResult Run = RunInChild(Dir.Path, [] {
        int Opened = OpenLog("LogDemo.txt");
        LogPrint("dropped\n");
        CloseLog();
        return Opened;
    });
    EXPECT_EQ(Run.ExitCode, 0);
    EXPECT_EQ(Run.Stderr, " ERREUR !!! - Impossible de creer le fichier LogDemo.txt\n");
}

TEST(Log, EmptyNameIsTheLocalTime)
{
    TempDir Dir;
    ChildResult Run = RunInChild(Dir.Path, [] {
        std::time_t Before = std::time(nullptr);
        OpenLog("");
        CloseLog();
        // Two candidates, in case the second turned meanwhile.
        for (std::time_t t : {Before, Before + 1}) {
            std::tm Local{};
            localtime_r(&t, &Local);
            std::string Name = "Log--" + std::to_string(Local.tm_hour) + "-" +
                               std::to_string(Local.tm_min) + "-" +
                               std::to_string(Local.tm_sec) + ".txt";
            if (std::filesystem::exists(Name))
                return 0;
        }
        return 1;
    });
    EXPECT_EQ(Run.ExitCode, 0);
}
