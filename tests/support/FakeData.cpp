#include "support/FakeData.h"

#include <filesystem>
#include <fstream>
#include <vector>

void WritePPM(const std::string& Path, int Width, int Height,
              const std::function<uint32_t(int, int)>& Color)
{
    std::ofstream File(Path, std::ios::binary);
    File << "P6\n" << Width << " " << Height << "\n255\n";
    std::vector<char> Row(size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            uint32_t c = Color(x, y);
            Row[3 * x] = char(c >> 16);
            Row[3 * x + 1] = char(c >> 8);
            Row[3 * x + 2] = char(c);
        }
        File.write(Row.data(), std::streamsize(Row.size()));
    }
}

void WriteFakeData(const std::string& Folder)
{
    struct Picture {
        const char* Name;
        int Width, Height;
    };
    static const Picture Pictures[] = {
        {"Loading", 640, 480},  {"RasterR", 640, 24},       {"RasterG", 640, 24},
        {"RasterB", 640, 24},   {"RasterV", 640, 24},       {"RasterY", 640, 24},
        {"ScrollText", 900, 32}, {"Corridor", 640, 480},    {"BackgroundRaster", 800, 600},
        {"ProgressBar", 260, 16}, {"Fonte2", 320, 90},      {"Txt-This", 200, 50},
        {"Txt-Is", 100, 50},    {"Txt-ProgressBar", 400, 40}, {"Txt-APure", 240, 60},
        {"Txt-Fake", 240, 60},  {"PorteVG", 320, 480},      {"PorteVD", 320, 480},
        {"HU-Door", 640, 240},  {"HB-Door", 640, 240},      {"Flower", 640, 340},
        {"FireFonte", 320, 99},
    };
    std::filesystem::create_directories(Folder + "/Data");
    for (const Picture& P : Pictures)
        WritePPM(Folder + "/Data/" + P.Name + ".ppm", P.Width, P.Height,
                 [](int x, int y) { return uint32_t(x * 7 + y * 13) & 0xFF ? 0x406080u : 0; });
    std::ofstream(Folder + "/Brumalid.mp3", std::ios::binary) << "ID3\3";
}

void LinkAssets(const std::string& From, const std::string& Folder)
{
    namespace fs = std::filesystem;
    for (const char* Name : {"Data", "Brumalid.mp3"})
        fs::create_symlink(fs::path(From) / Name, fs::path(Folder) / Name);
}
