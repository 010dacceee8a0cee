// vorlune-bench-convert: one 640 x 480 frame through each of the eight row
// converters, against SDL_ConvertPixels and pixman for the same byte layout
// and against a plain memcpy of the frame, the floor. Ends with a table of
// each median CPU time as a multiple of memcpy's in the same run.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "display/Convert.h"
#include "display/ConvertPaths.h"

namespace {

constexpr int Width = 640, Height = 480;
constexpr size_t FrameBytes = size_t{Width} * Height * 4;

struct Layout {
    const char* Name;
    uint32_t Bits, Red, Green, Blue;
    RowConverter ConverterSet::*Field;
    pixman_format_code_t Pixman;
    double Goal;  // at most this many times memcpy's time
};

const Layout Layouts[] = {
    {"RGB32", 32, 0xFF0000, 0xFF00, 0xFF, &ConverterSet::RGB32, PIXMAN_x8r8g8b8, 1.1},
    {"BGR32", 32, 0xFF, 0xFF00, 0xFF0000, &ConverterSet::BGR32, PIXMAN_x8b8g8r8, 1.5},
    {"RGB24", 24, 0xFF0000, 0xFF00, 0xFF, &ConverterSet::RGB24, PIXMAN_r8g8b8, 2.5},
    {"BGR24", 24, 0xFF, 0xFF00, 0xFF0000, &ConverterSet::BGR24, PIXMAN_b8g8r8, 2.5},
    {"RGB565", 16, 0xF800, 0x7E0, 0x1F, &ConverterSet::RGB565, PIXMAN_r5g6b5, 1.5},
    {"BGR565", 16, 0x1F, 0x7E0, 0xF800, &ConverterSet::BGR565, PIXMAN_b5g6r5, 1.5},
    {"RGB555", 16, 0x7C00, 0x3E0, 0x1F, &ConverterSet::RGB555, PIXMAN_x1r5g5b5, 1.5},
    {"BGR555", 16, 0x1F, 0x3E0, 0x7C00, &ConverterSet::BGR555, PIXMAN_x1b5g5r5, 1.5},
};

std::vector<uint32_t> Frame(size_t{Width} * Height);
std::vector<uint8_t> Output(FrameBytes);

// SDL's format with this byte layout, found by masks: its names for the
// 24-bit layouts are the reverse of their byte order.
Uint32 SdlFormatOf(const Layout& L)
{
    const Uint32 Candidates[] = {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_XBGR8888,
                                 SDL_PIXELFORMAT_RGB24,    SDL_PIXELFORMAT_BGR24,
                                 SDL_PIXELFORMAT_RGB565,   SDL_PIXELFORMAT_BGR565,
                                 SDL_PIXELFORMAT_XRGB1555, SDL_PIXELFORMAT_XBGR1555};
    for (Uint32 Format : Candidates) {
        int Bpp;
        Uint32 R, G, B, A;
        SDL_PixelFormatEnumToMasks(Format, &Bpp, &R, &G, &B, &A);
        if (SDL_BYTESPERPIXEL(Format) * 8u == L.Bits && R == L.Red && G == L.Green && B == L.Blue)
            return Format;
    }
    return SDL_PIXELFORMAT_UNKNOWN;
}

void ConvertRows(RowConverter Convert, uint32_t Bytes)
{
    for (int y = 0; y < Height; ++y)
        Convert(Frame.data() + y * Width, Output.data() + size_t{Bytes} * Width * y, Width);
}

void SdlConvert(const Layout& L)
{
    SDL_ConvertPixels(Width, Height, SDL_PIXELFORMAT_XRGB8888, Frame.data(), Width * 4,
                      SdlFormatOf(L), Output.data(), int(L.Bits / 8) * Width);
}

struct PixmanPair {
    pixman_image_t* Source;
    pixman_image_t* Dest;
};

PixmanPair PixmanImages(const Layout& L)
{
    return {pixman_image_create_bits(PIXMAN_x8r8g8b8, Width, Height, Frame.data(), Width * 4),
            pixman_image_create_bits(L.Pixman, Width, Height,
                                     reinterpret_cast<uint32_t*>(Output.data()),
                                     int(L.Bits / 8) * Width)};
}

void PixmanConvert(const PixmanPair& Images)
{
    pixman_image_composite32(PIXMAN_OP_SRC, Images.Source, nullptr, Images.Dest, 0, 0, 0, 0, 0, 0,
                             Width, Height);
}

// The colour bits of a converted frame; the spare bits are left out, since
// SDL does not write the top byte of its 32-bit layouts.
std::vector<uint8_t> ColourBits(const Layout& L)
{
    std::vector<uint8_t> Bits(Output.begin(), Output.begin() + size_t{L.Bits / 8} * Width * Height);
    for (size_t i = 0; i < Bits.size(); ++i) {
        if (L.Bits == 32 && i % 4 == 3)
            Bits[i] = 0;
        if (L.Bits == 16 && L.Green == 0x3E0 && i % 2 == 1)
            Bits[i] &= 0x7F;
    }
    return Bits;
}

// Runs Convert once into a cleared buffer and tells whether it gives the
// plain loops' colours.
template <typename Body>
bool SameAsPlain(const Layout& L, Body Convert)
{
    std::fill(Output.begin(), Output.end(), 0);
    ConvertRows(ConvertersOf(ConvertPath::Plain)->*L.Field, L.Bits / 8);
    std::vector<uint8_t> Want = ColourBits(L);
    std::fill(Output.begin(), Output.end(), 0);
    Convert();
    return ColourBits(L) == Want;
}

std::map<std::string, bool> Differs;

// The table takes each benchmark's median: the machine is shared.
constexpr int Repetitions = 5;

template <typename Body>
void Register(const std::string& Name, const Layout& L, Body Convert)
{
    Differs[Name] = !SameAsPlain(L, Convert);
    benchmark::RegisterBenchmark(Name.c_str(), [Convert](benchmark::State& State) {
        for (auto _ : State) {
            Convert();
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);
}

const char* PathName(ConvertPath Path)
{
    const char* Names[] = {"plain", "sse2", "ssse3", "avx2"};
    return Names[int(Path)];
}

void RegisterAll()
{
    benchmark::RegisterBenchmark("memcpy", [](benchmark::State& State) {
        for (auto _ : State) {
            std::memcpy(Output.data(), Frame.data(), FrameBytes);
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);
    for (const Layout& L : Layouts) {
        std::string Name = L.Name;
        RowConverter Ours = SelectConverter(L.Bits, L.Red, L.Green, L.Blue);
        Register(Name + "/ours", L, [Ours, &L] { ConvertRows(Ours, L.Bits / 8); });
        for (ConvertPath Path : {ConvertPath::Plain, ConvertPath::Sse2, ConvertPath::Ssse3,
                                 ConvertPath::Avx2})
            if (ConvertersOf(Path))
                    Register(Name + "/" + PathName(Path), L, [Path, &L] {
                    ConvertRows(ConvertersOf(Path)->*L.Field, L.Bits / 8);
                });
        Register(Name + "/SDL", L, [&L] { SdlConvert(L); });
        PixmanPair Images = PixmanImages(L);
        Register(Name + "/pixman", L, [Images] { PixmanConvert(Images); });
    }
}

// Keeps the median (or the single run) of every benchmark as it is shown.
class TableReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Micros;

    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs) {
            bool Median = R.run_type == Run::RT_Aggregate && R.aggregate_name == "median";
            if (R.run_type == Run::RT_Iteration || Median)
                Micros[R.run_name.function_name] = R.GetAdjustedCPUTime();
        }
    }
};

void PrintTable(const std::map<std::string, double>& Micros)
{
    auto Memcpy = Micros.find("memcpy");
    if (Memcpy == Micros.end())
        return;
    std::printf("\nTime per 640 x 480 frame as a multiple of memcpy of %zu bytes (%.1f us);\n"
                "ours = the converter SelectConverter gives (the %s path here).\n\n",
                FrameBytes, Memcpy->second, PathName(BestConvertPath()));
    std::printf("| Layout | ours | goal | plain loop | SSE2 | SDL | pixman |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Layout& L : Layouts) {
        std::printf("| %s |", L.Name);
        for (const char* Column : {"ours", "goal", "plain", "sse2", "SDL", "pixman"}) {
            std::string Name = std::string(L.Name) + "/" + Column;
            auto Time = Micros.find(Name);
            if (std::string(Column) == "goal")
                std::printf(" <= %.1f |", L.Goal);
            else if (Time == Micros.end())
                std::printf(" - |");
            else
                std::printf(" %.2f%s |", Time->second / Memcpy->second,
                            Differs[Name] ? " (differs)" : "");
        }
        std::printf("\n");
    }
    std::printf("\n(differs): that converter's colours are not the plain loops'; the top byte "
                "of 32 bits and the spare bit of 5-5-5 are not compared.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    std::mt19937 Random(2024);
    for (uint32_t& Pixel : Frame)
        Pixel = Random() & 0x00FFFFFF;
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    TableReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintTable(Reporter.Micros);
    benchmark::Shutdown();
    return 0;
}
