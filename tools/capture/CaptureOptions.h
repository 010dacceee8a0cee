#pragma once
// The capture tool's command line.
#include <cstdint>
#include <string>
#include <vector>

#include "Video.h"
#include "platform/Window.h"

struct ScriptedKey {
    uint32_t AtMs;  // virtual time
    WindowEventType Type;
    int32_t Value;
};

struct CallRange {
    uint32_t First, Last;  // inclusive, counted from 1
};

struct CaptureOptions {
    std::string VideoPath;          // --video
    int Scale = 2;                  // --scale
    bool Crt = false;               // --crt
    VideoAudio Audio = VideoAudio::Mp3;  // --audio
    std::string FramesDir;          // --frames
    std::vector<bool> Slots = std::vector<bool>(16);  // --slots
    std::vector<CallRange> Calls;   // --calls
    bool LastCall = false;          // --calls ...,last: the call that ends the slot
    std::string PngDir;             // --png
    uint32_t Every = 0;             // --every
    uint32_t StartTick = 0;         // --start-tick
    std::vector<ScriptedKey> Keys;  // --keys
    std::string DataDir;            // --data
    bool Help = false;
    bool Version = false;
};

extern const char CaptureUsage[];

// False with a message in Error when the command line is not understood.
bool ParseCaptureOptions(int argc, char** argv, CaptureOptions* Options, std::string* Error);

// Whether --frames wants the frame after this call of a chosen slot.
bool CallChosen(const CaptureOptions& Options, uint32_t Call, bool Finishing);

// Whether a file can be created at Path (it is removed again).
bool CanWriteFile(const std::string& Path);
// Makes Dir when missing; whether files can be written in it.
bool MakeWritableDir(const std::string& Dir);
