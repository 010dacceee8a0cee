#pragma once
// The one way out of the program. Each module registers its shutdown step
// when it starts; the steps run in reverse order, once, however the program
// ends: at the end of the show, on Escape or a close request, or after a
// failure that leaves nothing to show.
#include <cstdint>

using QuitStep = void (*)();

// Registers Step to run at shutdown; a step already registered stays where
// it is, so a module that starts again does not run its step twice.
void AtQuit(QuitStep Step);
// Runs the registered steps, last registered first, and forgets them;
// then closes the log.
void RunQuitSteps();
// Runs the steps and ends the process with Code.
[[noreturn]] void Quit(int Code);
// The one failure path: Message to stderr after "vorlune: ", LogLine to the
// log, then Quit(1).
[[noreturn]] void FailAndExit(const char* Message, const char* LogLine);
// The same Reason to both: "vorlune: Reason" and "Error!! Reason".
[[noreturn]] void FailAndExit(const char* Reason);
