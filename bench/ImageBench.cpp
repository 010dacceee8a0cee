// PutImage per call, with the log going to a real file and with it closed,
// and the keyed copy against SDL_BlitSurface with a colour key for the same
// 24-bit picture onto a 32-bit surface.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "display/Present.h"
#include "image/Image.h"
#include "log/Log.h"

namespace {

constexpr uint32_t Key = 0xFF00FF;

// Roughly a third of the keyed picture is key, in runs as in the demo's
// doors and text plates.
uint32_t PictureColour(int X, int Y, bool Keyed)
{
    if (Keyed && ((X / 40 + Y / 30) % 3 == 0))
        return Key;
    return (uint32_t(X * 2654435761u) ^ uint32_t(Y * 40503u)) & 0xFFFFFF;
}

Image* MakePicture(uint16_t Width, uint16_t Height, bool Keyed)
{
    Image* Img = CreateImage(Keyed ? 1 : 0, Key, 0, Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint32_t C = PictureColour(x, y, Keyed);
            uint8_t* P = Img->Data + (y * Width + x) * 3;
            P[0] = uint8_t(C >> 16);
            P[1] = uint8_t(C >> 8);
            P[2] = uint8_t(C);
        }
    return Img;
}

// Arg 1: the log is open on "LogDemo.txt" (truncated at every start so it
// stays small); arg 0: closed, so LogPrint returns at once.
void SetLogging(bool On)
{
    CloseLog();
    if (On)
        OpenLog("LogDemo.txt");
}

void RunPutImage(benchmark::State& State, Image* Img, int32_t Y, float Divisor)
{
    SetLogging(State.range(0) != 0);
    for (auto _ : State) {
        PutImage(Img, 0, Y, Divisor);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * Img->Width * Img->Height);
    CloseLog();
    FreeImage(Img);
}

void OpaqueCopy640x480(benchmark::State& State)
{
    RunPutImage(State, MakePicture(640, 480, false), 0, 0.0f);
}

void KeyedCopy640x340(benchmark::State& State)
{
    RunPutImage(State, MakePicture(640, 340, true), 70, 0.0f);
}

void Blend640x480(benchmark::State& State)
{
    RunPutImage(State, MakePicture(640, 480, false), 0, 2.0f);
}

void KeyedBlend640x340(benchmark::State& State)
{
    RunPutImage(State, MakePicture(640, 340, true), 70, 2.0f);
}

// The most frequent call in the demo: one keyed glyph of a font.
void KeyedGlyph32x30(benchmark::State& State)
{
    RunPutImage(State, MakePicture(32, 30, true), 100, 0.0f);
}

// SDL's colour-keyed blit of the same bytes into the frame buffer itself.
void SdlKeyedBlit640x340(benchmark::State& State)
{
    Image* Img = MakePicture(640, 340, true);
    SDL_Surface* Source =
        SDL_CreateRGBSurfaceWithFormatFrom(Img->Data, 640, 340, 24, 640 * 3, SDL_PIXELFORMAT_RGB24);
    SDL_Surface* Target =
        SDL_CreateRGBSurfaceWithFormatFrom(MainScreen->Pixels, 640, 480, 32, 640 * 4, SDL_PIXELFORMAT_XRGB8888);
    SDL_SetColorKey(Source, SDL_TRUE, SDL_MapRGB(Source->format, 0xFF, 0x00, 0xFF));
    SDL_Rect At{0, 70, 640, 340};
    for (auto _ : State) {
        SDL_BlitSurface(Source, nullptr, Target, &At);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * 640 * 340);
    SDL_FreeSurface(Source);
    SDL_FreeSurface(Target);
    FreeImage(Img);
}

// Both blits must write the same pixels, or the comparison means nothing.
bool SameAsSdl()
{
    Image* Img = MakePicture(640, 340, true);
    const size_t Count = size_t{640} * 480;
    std::fill_n(MainScreen->Pixels, Count, 0x123456u);
    PutImage(Img, 0, 70, 0.0f);
    std::string Ours(reinterpret_cast<char*>(MainScreen->Pixels), Count * 4);
    std::fill_n(MainScreen->Pixels, Count, 0x123456u);
    SDL_Surface* Source =
        SDL_CreateRGBSurfaceWithFormatFrom(Img->Data, 640, 340, 24, 640 * 3, SDL_PIXELFORMAT_RGB24);
    SDL_Surface* Target =
        SDL_CreateRGBSurfaceWithFormatFrom(MainScreen->Pixels, 640, 480, 32, 640 * 4, SDL_PIXELFORMAT_XRGB8888);
    SDL_SetColorKey(Source, SDL_TRUE, SDL_MapRGB(Source->format, 0xFF, 0x00, 0xFF));
    SDL_Rect At{0, 70, 640, 340};
    SDL_BlitSurface(Source, nullptr, Target, &At);
    SDL_FreeSurface(Source);
    SDL_FreeSurface(Target);
    FreeImage(Img);
    return std::memcmp(Ours.data(), MainScreen->Pixels, Count * 4) == 0;
}

}  // namespace

BENCHMARK(OpaqueCopy640x480)->Arg(1)->Arg(0);
BENCHMARK(KeyedCopy640x340)->Arg(1)->Arg(0);
BENCHMARK(Blend640x480)->Arg(1)->Arg(0);
BENCHMARK(KeyedBlend640x340)->Arg(1)->Arg(0);
BENCHMARK(KeyedGlyph32x30)->Arg(1)->Arg(0);
BENCHMARK(SdlKeyedBlit640x340);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // The log and the timing log go to a scratch folder on disk.
    std::string Folder = (std::filesystem::temp_directory_path() / "vorlune-bench-XXXXXX").string();
    if (!mkdtemp(Folder.data()) || chdir(Folder.c_str()) != 0)
        return 1;
    CreateScreen("Vorlune", 640, 480, FullView);
    if (!SameAsSdl()) {
        std::fprintf(stderr, "vorlune-bench-image: PutImage and SDL_BlitSurface disagree\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    DestroyScreen();
    std::filesystem::remove_all(Folder);
    return 0;
}
