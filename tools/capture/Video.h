#pragma once
// The demo as a viewer sees it, 60 frames a second of virtual time, piped
// to ffmpeg; the tune and the chapters are laid in at the end.
#include <cstdint>
#include <string>
#include <vector>

struct Chapter {
    uint64_t Start;  // us of virtual time
    std::string Title;
};

// The tune's MP3 stream as it is, or re-encoded to AAC.
enum class VideoAudio { Mp3, Aac };

struct VideoEnding {
    uint64_t End;           // us: the last frame is shown up to here
    std::string TunePath;   // empty: no tune
    uint64_t TuneAt;        // us: where the program started the tune
    VideoAudio Audio;
    std::vector<Chapter> Chapters;  // in order; each ends where the next starts
};

// Starts ffmpeg writing the frames, scaled Scale times (with the CRT look
// when Crt is set and Scale is 2 or more), to a temporary file beside Path.
// False (with Error) when ffmpeg can't be started.
bool StartVideo(const std::string& Path, int Scale, bool Crt, std::string* Error);
// Takes a presented frame (XRGB8888 rows of Pitch bytes), shown from At us.
void VideoFrame(const uint8_t* Pixels, int32_t Pitch, uint64_t At);
// Repeats the last frame up to the end, closes the stream, and muxes the
// tune and the chapters in. False (with Error) on failure.
bool FinishVideo(const VideoEnding& Ending, std::string* Error);
// Frames written so far.
uint64_t VideoFrameCount();
