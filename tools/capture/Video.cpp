#include "Video.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "CrtFrame.h"
#include "platform/CrtLook.h"
#include "platform/LibC.h"

namespace {

constexpr int32_t FrameWidth = 640, FrameHeight = 480;

struct VideoState {
    FILE* Pipe = nullptr;
    std::string Path, Silent;  // the result, and the stream without sound
    int Scale = 1;
    bool Crt = false;  // frames scaled here with the look, not by ffmpeg
    std::vector<uint32_t> Shown = std::vector<uint32_t>(FrameWidth * FrameHeight, 0);
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
        if (std::fwrite(Video.Shown.data(), 4, Video.Shown.size(), Video.Pipe) != Video.Shown.size())
            Video.Failed = true;
        ++Video.Next;
    }
}

bool Run(const std::string& Command, std::string* Error, const char* What)
{
    if (std::system(Command.c_str()) == 0)
        return true;
    *Error = std::string(What) + " failed (is ffmpeg installed? see its messages above)";
    return false;
}

std::string Seconds(uint64_t Us)
{
    char Text[32];
    std::snprintf(Text, sizeof Text, "%.6f", double(Us) / 1e6);
    return Text;
}

// ffmpeg's metadata format wants these escaped in values.
std::string EscapedTitle(const std::string& Title)
{
    std::string Out;
    for (char c : Title) {
        if (c == '=' || c == ';' || c == '#' || c == '\\' || c == '\n')
            Out += '\\';
        Out += c;
    }
    return Out;
}

bool WriteChapters(const std::string& Path, const std::vector<Chapter>& Chapters, uint64_t Length)
{
    FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File)
        return false;
    std::fprintf(File, ";FFMETADATA1\n");
    for (size_t i = 0; i < Chapters.size(); ++i) {
        uint64_t End = i + 1 < Chapters.size() ? Chapters[i + 1].Start : Length;
        std::fprintf(File, "[CHAPTER]\nTIMEBASE=1/1000000\nSTART=%llu\nEND=%llu\ntitle=%s\n",
                     (unsigned long long)Chapters[i].Start, (unsigned long long)End,
                     EscapedTitle(Chapters[i].Title).c_str());
    }
    return std::fclose(File) == 0;
}

// The tune as the second input, starting where the program started it:
// the MP3 frames copied with their start moved, or AAC after a silence.
std::string TuneInput(const VideoEnding& Ending)
{
    std::string Map = " -map 0:v -map 2:a";
    if (Ending.Audio == VideoAudio::Mp3)
        return " -itsoffset " + Seconds(Ending.TuneAt) + " -i " + ShellQuoted(Ending.TunePath) + Map + " -c:a copy";
    return " -i " + ShellQuoted(Ending.TunePath) + Map + " -c:a aac -b:a 192k -af adelay=" +
           std::to_string(Ending.TuneAt / 1000) + ":all=1";
}

// Nearest-neighbour scaling keeps the pixels square; at 2x the 4:2:0
// chroma lines up with the source pixels, so colours stay sharp.
std::string Scaling()
{
    if (Video.Crt)
        return "";
    const std::string Factor = std::to_string(Video.Scale);
    return " -vf scale=iw*" + Factor + ":ih*" + Factor + ":flags=neighbor";
}

}  // namespace

bool StartVideo(const std::string& Path, int Scale, bool Crt, std::string* Error)
{
    Video.Path = Path;
    Video.Silent = Path + ".silent.mkv";
    Video.Scale = Scale;
    Video.Crt = Crt && Scale >= CrtMinScale;
    const int Input = Video.Crt ? Scale : 1;
    Video.Shown.assign(size_t(FrameWidth) * FrameHeight * Input * Input, 0);
    std::string Size = std::to_string(FrameWidth * Input) + "x" + std::to_string(FrameHeight * Input);
    std::string Command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt bgr0 -s " + Size +
                          " -r 60 -i -" + Scaling() +
                          " -c:v libx264 -preset veryfast -crf 14 -pix_fmt yuv420p " +
                          ShellQuoted(Video.Silent);
    Video.Pipe = OpenPipeTo(Command);
    if (!Video.Pipe) {
        *Error = "can't start ffmpeg";
        return false;
    }
    return true;
}

void VideoFrame(const uint8_t* Pixels, int32_t Pitch, uint64_t At)
{
    RepeatUntil(At);
    if (Video.Crt) {
        CrtFrame(Pixels, Pitch, Video.Scale, &Video.Shown);
        return;
    }
    for (int32_t y = 0; y < FrameHeight; ++y)
        std::memcpy(Video.Shown.data() + y * FrameWidth, Pixels + y * Pitch, FrameWidth * 4);
}

bool FinishVideo(const VideoEnding& Ending, std::string* Error)
{
    RepeatUntil(Ending.End + 1);
    bool Closed = ClosePipe(Video.Pipe) == 0 && !Video.Failed;
    Video.Pipe = nullptr;
    if (!Closed) {
        *Error = "ffmpeg could not encode the video (is it installed? is the output writable?)";
        return false;
    }
    uint64_t Length = FrameTime(Video.Next);
    std::string Chapters = Video.Path + ".chapters.txt";
    if (!WriteChapters(Chapters, Ending.Chapters, Length)) {
        *Error = "can't write " + Chapters;
        return false;
    }
    std::string Plain = "ffmpeg -loglevel error -y -i " + ShellQuoted(Video.Silent) + " -i " + ShellQuoted(Chapters);
    std::string Tail = " -map_chapters 1 -c:v copy -t " + Seconds(Length) + " -movflags +faststart " +
                       ShellQuoted(Video.Path);
    bool Muxed = false;
    if (!Ending.TunePath.empty()) {
        Muxed = std::system((Plain + TuneInput(Ending) + Tail).c_str()) == 0;
        if (!Muxed)
            std::fprintf(stderr, "vorlune-capture: can't read the tune; the video is silent\n");
    }
    if (!Muxed)
        Muxed = Run(Plain + " -map 0:v" + Tail, Error, "writing the video");
    std::filesystem::remove(Video.Silent);
    std::filesystem::remove(Chapters);
    return Muxed;
}

uint64_t VideoFrameCount()
{
    return Video.Next;
}
