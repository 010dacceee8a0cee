#pragma once
// What a person does at the desktop, for the real-window tests: start the
// program, find its window, press keys, ask it to close, signal it, wait.
#include <string>

#include "support/Child.h"

// A fresh folder to run the demo in, with the pictures and the tune where the
// build has made them, so that a demo which loads them still runs until the
// test ends it.
struct DemoFolder : TempDir {
    DemoFolder();
};

// The exit status and output of a shell command.
int RunCommand(const std::string& Command, std::string* Output = nullptr);

// Waits up to TimeoutSeconds until no visible window is titled exactly
// Title: the X server closes a finished run's window a moment after it ends.
bool WaitForNoWindow(const char* Title, int TimeoutSeconds);

// The id of the visible window titled exactly Title, waiting up to
// TimeoutSeconds for it to appear; 0 when it does not.
unsigned long WaitForWindow(const char* Title, int TimeoutSeconds);

// Gives Window the keyboard focus and waits until it has it. Without a
// window manager the focus is wherever the last program left it: SDL takes
// it when its window appears, but a moment after the window shows, and a
// closed window leaves it nowhere.
bool FocusWindow(unsigned long Window, int TimeoutSeconds);

// Sends the window manager's close request (WM_DELETE_WINDOW) to Window.
bool RequestClose(unsigned long Window);
