#include "Video.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr int32_t FrameWidth = 640, FrameHeight = 480;

struct VideoState {
    FILE* Pipe = nullptr;
    std::string Path, Silent;  // the result, and the stream without sound
    std::vector<uint8_t> Shown = std::vector<uint8_t>(FrameWidth * FrameHeight * 4, 0);
    uint64_t Next = 0;  // index of the next video frame to write
    bool Failed = false;
} Video;

// The k-th frame's moment, as the headless display's vsync counts it.
uint64_t FrameTime(uint64_t K)
{
    return K * 1000000 / 60;
}

// Writes the frame on show for every video frame that starts before Until.
void RepeatUntil(uint64_t Until)
{
    while (!Video.Failed && FrameTime(Video.Next) < Until) {
        if (std::fwrite(Video.Shown.data(), 1, Video.Shown.size(), Video.Pipe) != Video.Shown.size())
            Video.Failed = true;
        ++Video.Next;
    }
}

std::string Quoted(const std::string& Text)
{
    std::string Out = "'";
    for (char c : Text)
        Out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return Out + "'";
}

bool Run(const std::string& Command, std::string* Error, const char* What)
{
    if (std::system(Command.c_str()) == 0)
        return true;
    *Error = std::string(What) + " failed (is ffmpeg installed? see its messages above)";
    return false;
}

}  // namespace

bool StartVideo(const std::string& Path, int Scale, std::string* Error)
{
    Video.Path = Path;
    Video.Silent = Path + ".silent.mkv";
    std::string Size = std::to_string(FrameWidth) + "x" + std::to_string(FrameHeight);
    // Nearest-neighbour scaling keeps the pixels square; at 2x the 4:2:0
    // chroma lines up with the source pixels, so colours stay sharp.
    std::string Command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt bgr0 -s " + Size +
                          " -r 60 -i - -vf scale=iw*" + std::to_string(Scale) + ":ih*" +
                          std::to_string(Scale) +
                          ":flags=neighbor -c:v libx264 -preset veryfast -crf 14"
                          " -pix_fmt yuv420p " + Quoted(Video.Silent);
    std::signal(SIGPIPE, SIG_IGN);
    Video.Pipe = popen(Command.c_str(), "w");
    if (!Video.Pipe) {
        *Error = "can't start ffmpeg";
        return false;
    }
    return true;
}

void VideoFrame(const uint8_t* Pixels, int32_t Pitch, uint64_t At)
{
    RepeatUntil(At);
    for (int32_t y = 0; y < FrameHeight; ++y)
        std::memcpy(Video.Shown.data() + y * FrameWidth * 4, Pixels + y * Pitch, FrameWidth * 4);
}

bool FinishVideo(uint64_t End, const std::string& TunePath, uint64_t TuneAt, std::string* Error)
{
    RepeatUntil(End + 1);
    bool Closed = pclose(Video.Pipe) == 0 && !Video.Failed;
    Video.Pipe = nullptr;
    if (!Closed) {
        *Error = "ffmpeg could not encode the video (is it installed? is the output writable?)";
        return false;
    }
    std::string Length = std::to_string(double(Video.Next) / 60.0);
    std::string Tail = " -c:v copy -t " + Length + " -movflags +faststart " + Quoted(Video.Path);
    std::string Plain = "ffmpeg -loglevel error -y -i " + Quoted(Video.Silent);
    bool Muxed = false;
    if (!TunePath.empty()) {
        std::string WithTune = Plain + " -i " + Quoted(TunePath) +
                               " -map 0:v -map 1:a -c:a aac -b:a 192k -af adelay=" +
                               std::to_string(TuneAt / 1000) + ":all=1" + Tail;
        Muxed = std::system(WithTune.c_str()) == 0;
        if (!Muxed)
            std::fprintf(stderr, "vorlune-capture: can't read the tune; the video is silent\n");
    }
    if (!Muxed)
        Muxed = Run(Plain + Tail, Error, "writing the video");
    std::filesystem::remove(Video.Silent);
    return Muxed;
}

uint64_t VideoFrameCount()
{
    return Video.Next;
}
