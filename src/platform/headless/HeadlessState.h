#pragma once
// State shared by the headless backend's files.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Headless.h"
#include "platform/VirtualClock.h"

struct ScriptedEvent {
    uint64_t At;  // us of virtual time
    WindowEvent Event;
};

struct HeadlessBackend {
    VirtualClock Clock;
    uint32_t RefreshMilliHz = 0;  // a simulated real display; 0: the virtual one
    std::vector<ScriptedEvent> Script;  // in the order queued
    PixelFormat Format{32, 0xFF0000, 0xFF00, 0xFF};
    std::string VideoFailure;  // non-empty: VideoOpen fails with it
    std::string Error;
    bool VideoUp = false;
    bool WindowUp = false;
    int32_t Width = 0, Height = 0, Pitch = 0;
    std::vector<uint8_t> BackBuffer;
    uint32_t Flips = 0;
    FlipHook OnFlip = nullptr;
    PollHook OnPoll = nullptr;
    std::string AudioFailure;  // non-empty: TuneOpen fails with it
    std::string TunePath;      // the loaded tune, empty when none
    std::string TuneError;
    bool TuneStarted = false;
    uint64_t TuneStart = 0;  // virtual time of the first play, us
};

extern HeadlessBackend Headless;
