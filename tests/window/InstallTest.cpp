// The demo as a viewer installs it: `cmake --install` into a fresh DESTDIR,
// then the installed program started from a third folder, in a window
// without sound, finds its pictures in ../share/vorlune beside itself,
// shows the title and ends on Escape. ctest runs it under Xvfb at depth 24.
#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "Desktop.h"
#include "Xwd.h"

namespace {

constexpr int WaitMs = 30000;
// The title above the loading bar, which the first effect leaves alone.
constexpr int TitleRows = 300;

uint32_t Field(uint32_t Pixel, uint32_t Mask)
{
    return (Pixel & Mask) >> std::countr_zero(Mask);
}

// Whether the screen's top rows are the picture's, at 8 bits a channel.
bool ShowsTitle(const Screenshot& Shot, const std::string& Ppm)
{
    const std::string Header = "P6\n640 480\n255\n";
    if (Shot.Width != 640 || Ppm.compare(0, Header.size(), Header) != 0)
        return false;
    for (int i = 0; i < 640 * TitleRows; ++i) {
        const char* Rgb = Ppm.data() + Header.size() + 3 * i;
        uint32_t Got = Shot.Pixels[size_t(i)];
        if (Field(Got, Shot.RedMask) != uint8_t(Rgb[0]) || Field(Got, Shot.GreenMask) != uint8_t(Rgb[1]) ||
            Field(Got, Shot.BlueMask) != uint8_t(Rgb[2]))
            return false;
    }
    return true;
}

bool WaitForTitle(const std::string& Ppm)
{
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitMs);
    while (std::chrono::steady_clock::now() < Deadline) {
        if (ShowsTitle(CaptureRoot(), Ppm))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace

TEST(Installed, RunsFromAThirdFolderAndEndsOnEscape)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: ctest runs this test under Xvfb";
    TempDir Root, Folder;
    ASSERT_EQ(RunCommand("DESTDIR='" + Root.Path + "' " CMAKE_COMMAND_PATH " --install " VORLUNE_BUILD_DIR
                         " --prefix /usr/local >/dev/null"),
              0);
    const std::string Program = Root.Path + "/usr/local/bin/vorlune";
    const std::string Title = Root.Read("usr/local/share/vorlune/Data/Loading.ppm");

    ASSERT_TRUE(WaitForNoWindow("Vorlune", WaitMs / 1000)) << "an earlier run's window stays";
    RunningChild Child;
    StartChild(&Child, Folder.Path, [&] {
        execl(Program.c_str(), "vorlune", "--window", "--no-sound", static_cast<char*>(nullptr));
        return 127;
    });
    unsigned long Window = WaitForWindow("Vorlune", WaitMs / 1000);
    ASSERT_NE(Window, 0u) << "no window appeared";
    ASSERT_TRUE(FocusWindow(Window, WaitMs / 1000));
    EXPECT_TRUE(WaitForTitle(Title)) << "the title picture never showed";
    EXPECT_EQ(RunCommand("xdotool key Escape"), 0);
    ChildResult Run = WaitForChild(&Child, WaitMs);
    EXPECT_EQ(Run.ExitCode, 0) << Run.Stderr;
    EXPECT_EQ(Run.Stderr, "") << "no sound was asked for, so none is missed";
    EXPECT_NE(Folder.Read("LogDemo.txt").find("Load image <" + Root.Path + "/usr/local/share/vorlune/Data/Loading.ppm>"),
              std::string::npos);
}
