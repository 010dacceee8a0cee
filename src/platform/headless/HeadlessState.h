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
    // Where the tune stands: TunePlayed us in at virtual time TuneSince, on
    // from there unless paused.
    uint64_t TunePlayed = 0, TuneSince = 0;
    bool TunePaused = false;
    std::vector<TuneMove> TuneMoves;
    std::string Overlay;
    uint64_t OverlayUntil = 0;  // virtual us; 0: until replaced
    int32_t Chapter = -1;
    std::string PicturePath;  // the last picture saved, and its pixels
    std::vector<uint32_t> Picture;
};

extern HeadlessBackend Headless;
