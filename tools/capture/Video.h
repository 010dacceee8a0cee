#pragma once
// The demo as a viewer sees it, 60 frames a second of virtual time, piped
// to ffmpeg; the tune is laid under it at the end.
#include <cstdint>
#include <string>

// Starts ffmpeg writing the frames, scaled Scale times, to a temporary
// file beside Path. False (with Error) when ffmpeg can't be started.
bool StartVideo(const std::string& Path, int Scale, std::string* Error);
// Takes a presented frame (XRGB8888 rows of Pitch bytes), shown from At us.
void VideoFrame(const uint8_t* Pixels, int32_t Pitch, uint64_t At);
// Repeats the last frame up to End us, closes the stream and muxes the
// tune in from TuneAt us (no tune when TunePath is empty). False on failure.
bool FinishVideo(uint64_t End, const std::string& TunePath, uint64_t TuneAt, std::string* Error);
// Frames written so far.
uint64_t VideoFrameCount();
