#include "Desktop.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/FakeData.h"

DemoFolder::DemoFolder()
{
    LinkAssets(VORLUNE_BUILD_DIR, Path);
}

int RunCommand(const std::string& Command, std::string* Output)
{
    FILE* Pipe = popen(Command.c_str(), "r");
    if (!Pipe)
        return -1;
    std::string Text;
    char Buffer[4096];
    for (size_t Got; (Got = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0;)
        Text.append(Buffer, Got);
    int Result = pclose(Pipe);
    if (Output)
        *Output = Text;
    return WIFEXITED(Result) ? WEXITSTATUS(Result) : -1;
}

bool WaitForNoWindow(const char* Title, int TimeoutSeconds)
{
    std::string Command = std::string("xdotool search --onlyvisible --name '^") + Title +
                          "$' >/dev/null 2>&1";
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TimeoutSeconds);
    while (RunCommand(Command) == 0)
        if (std::chrono::steady_clock::now() > Deadline)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return true;
}

// Polled rather than left to xdotool's --sync, which gives up at the first
// X error: a window that goes while xdotool reads it (SDL's renderer may
// replace the window it starts with) ends the search.
unsigned long WaitForWindow(const char* Title, int TimeoutSeconds)
{
    std::string Command = std::string("xdotool search --onlyvisible --name '^") + Title + "$' 2>/dev/null";
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TimeoutSeconds);
    do {
        std::string Ids;
        if (RunCommand(Command, &Ids) == 0 && !Ids.empty())
            return std::strtoul(Ids.c_str(), nullptr, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < Deadline);
    return 0;
}

bool RequestClose(unsigned long Window)
{
    Display* X = XOpenDisplay(nullptr);
    if (!X)
        return false;
    XEvent Event{};
    Event.xclient.type = ClientMessage;
    Event.xclient.window = Window;
    Event.xclient.message_type = XInternAtom(X, "WM_PROTOCOLS", False);
    Event.xclient.format = 32;
    Event.xclient.data.l[0] = long(XInternAtom(X, "WM_DELETE_WINDOW", False));
    Event.xclient.data.l[1] = CurrentTime;
    int Sent = XSendEvent(X, Window, False, NoEventMask, &Event);
    XCloseDisplay(X);
    return Sent != 0;
}

bool FocusWindow(unsigned long Window, int TimeoutSeconds)
{
    return RunCommand("timeout " + std::to_string(TimeoutSeconds) + " xdotool windowfocus --sync " +
                      std::to_string(Window) + " 2>/dev/null") == 0;
}
