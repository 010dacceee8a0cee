#pragma once
// What the operating system gives every backend alike: where the program
// lies, and a place for its messages. Knows nothing of the demo.
#include <string>

// The folder that holds the running program; "" when the system can't say.
std::string PlatformProgramFolder();
// The user's folder for what programs keep between runs: $XDG_STATE_HOME,
// else ~/.local/state; %LOCALAPPDATA% on Windows. "" when the environment
// doesn't say.
std::string PlatformUserStateFolder();

// Sends stdout and stderr where a person sees them. A Windows program with
// a window has no console of its own: it writes into the console it was
// started from, if any, and otherwise keeps its messages for
// PlatformShowFailure. Nothing to do elsewhere. Call first thing.
void PlatformOpenConsole();
// Shows the messages of a run that failed when no console shows them
// (started from the Windows desktop): in a message box. Else does nothing.
void PlatformShowFailure();
