#pragma once
// The run's settings: what the viewer asked for on the command line (or in
// the page's address) and in the environment. The program's entry fills
// them once; DemoMain hands each to the part that owns it.
#include <cstdint>
#include <optional>
#include <string>

#include "core/Clock.h"

struct Settings {
    bool Windowed = false;                  // a window instead of desktop fullscreen
    int32_t Scale = 0;                      // the window's whole factor; 0: the largest that fits
    bool Sound = true;                      // false: the audio device is never opened
    std::optional<std::string> DataFolder;  // holds Data/ and the tune; else looked for
    std::string LogFolder;  // both logs go here, made when missing; "" is the working folder
    Timing Pace = Timing::Exact;
    bool Stats = false;            // the playback's figures on stderr at the end
    std::optional<int32_t> Start;  // the slot to start at, exactly as the show reaches it
    bool Crt = false;              // the CRT look where the picture is scaled by 2 or more
};
