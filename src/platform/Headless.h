#pragma once
// Control of the headless backend, for tests and the capture tool.
//
// Its clock is the virtual clock of platform/VirtualClock.h: every
// PlatformTicks read advances it by 1 us, PlatformSleep(n) by n ms, and every
// present to the next 1/60 s boundary (the k-th at floor(k * 1000000 / 60)
// us). Golden outputs rest on this.
#include <cstddef>
#include <cstdint>

#include "platform/Window.h"

// Offset added to the tick count, to run across the 32-bit wrap-around.
void HeadlessSetStartTick(uint32_t Tick);
// Virtual time since the start, in microseconds.
uint64_t HeadlessNow();
// Sets the virtual time, for tests that need an exact tick count.
void HeadlessSetTime(uint64_t Us);
// Makes the clock stand for a real one and the display refresh MilliHz / 1000
// times a second: the demo then paces itself over it as on a real machine.
// For measuring the pacer on displays of other rates; call before the demo
// first reads its clock.
void HeadlessSetRefresh(uint32_t MilliHz);
// Queues an event, delivered by the first poll at or after AtMs of virtual time.
void HeadlessScriptEvent(uint32_t AtMs, WindowEventType Type, int32_t Value);
// The back buffer's format; XRGB8888 unless set before the window opens.
void HeadlessSetPixelFormat(const PixelFormat& Format);
// Makes VideoOpen fail with Reason, as on a machine without a display.
void HeadlessFailVideo(const char* Reason);
// The back buffer as last flipped, with its pitch in bytes; null before.
const uint8_t* HeadlessFrontBuffer(int32_t* Pitch);
// Number of flips so far.
uint32_t HeadlessFlipCount();
// Called after every flip with the back buffer, its pitch and the virtual
// time (us) from which the display shows it.
using FlipHook = void (*)(const uint8_t* Pixels, int32_t Pitch, uint64_t At);
void HeadlessSetFlipHook(FlipHook Hook);
// Called on every poll for events, before the poll looks at the script: a
// test may script an event there for this very poll.
using PollHook = void (*)();
void HeadlessSetPollHook(PollHook Hook);
// Makes TuneOpen fail with Reason, as on a machine without an audio device.
void HeadlessFailAudio(const char* Reason);
// Whether the tune was started, and at which virtual time (us).
bool HeadlessTuneStarted(uint64_t* At);
// Each pause, resume and seek of the tune, in order.
struct TuneMove {
    enum { Pause, Resume, Seek } Kind;
    uint64_t At;  // virtual us
    uint64_t To;  // Seek: us from the tune's start
};
const TuneMove* HeadlessTuneMoves(size_t* Count);
// The window's overlay text now ("" when none or expired), and the
// chapter last shown (-1 before any).
const char* HeadlessOverlay();
int32_t HeadlessChapter();
// The last picture saved with SavePicture (null before any) and its path.
const uint32_t* HeadlessSavedPicture(const char** Path);
