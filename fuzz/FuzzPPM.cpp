// libFuzzer target: the input is written to a file and loaded with LoadPPM;
// the picture is then blitted at positions taken from the input's last
// bytes (negative and far-off ones included) and a rectangle is cut out of
// it. Run with -malloc_limit_mb=256: any allocation a header value drives
// beyond the loader's limits then counts as a crash.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Screen.h"
#include "image/Image.h"
#include "log/Log.h"

namespace {

// Taken from the end of the input, so that seed files stay plain PPMs.
struct Params {
    int32_t X, Y;           // anywhere
    int16_t NearX, NearY;   // scaled down to a few view widths around the view
    uint16_t Left, Top, Width, Height;
    uint32_t DivisorBits;   // any float: NaN, infinities, tiny values
    uint32_t KeyColor;
    uint8_t Flags;          // 1 letterbox, 2 keyed, 4 rectangle unreduced
};

char Folder[] = "/tmp/vorlune-fuzz-XXXXXX";
std::string InputPath;
Screen FuzzScreen;

void RemoveFolder()
{
    std::remove(InputPath.c_str());
    rmdir(Folder);
}

Params ParamsOf(const uint8_t* Data, size_t Size)
{
    Params P{};
    if (Size >= sizeof P)
        std::memcpy(&P, Data + Size - sizeof P, sizeof P);
    return P;
}

bool WriteInput(const uint8_t* Data, size_t Size)
{
    FILE* File = std::fopen(InputPath.c_str(), "wb");
    if (!File)
        return false;
    std::fwrite(Data, 1, Size, File);
    std::fclose(File);
    return true;
}

// Nothing may land in the letterbox bars.
void CheckBars()
{
    if (FuzzScreen.Mode != LetterboxView)
        return;
    const size_t Bar = size_t{70} * 640;
    for (size_t i = 0; i < Bar; ++i)
        if (FuzzScreen.Pixels[i] != 0 || FuzzScreen.Pixels[640 * 480 - 1 - i] != 0)
            std::abort();
}

uint16_t Reduced(uint16_t Value, int32_t Limit, bool Raw)
{
    return Raw ? Value : static_cast<uint16_t>(Value % (Limit + 2));
}

void Exercise(Image* Img, const Params& P)
{
    float Divisor;
    std::memcpy(&Divisor, &P.DivisorBits, sizeof Divisor);
    Img->Transparent = P.Flags & 2;
    Img->KeyColor = P.KeyColor;
    SetScreenMode(ViewMode(P.Flags & 1));
    const int32_t NearX = P.NearX / 16, NearY = P.NearY / 16;
    PutImage(Img, P.X, P.Y, 0.0f);
    PutImage(Img, NearX, NearY, 0.0f);
    PutImage(Img, NearX, NearY, Divisor);
    PutImage(Img, P.Y, P.X, Divisor);
    CheckBars();

    const bool Raw = P.Flags & 4;
    Image* Cut = BlockCut(Img, Reduced(P.Left, Img->Width, Raw), Reduced(P.Top, Img->Height, Raw),
                          Reduced(P.Width, Img->Width, Raw), Reduced(P.Height, Img->Height, Raw));
    if (Cut) {
        Cut->Transparent = Img->Transparent;
        PutImage(Cut, NearY, NearX, Divisor);
        CheckBars();
        FreeImage(Cut);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!mkdtemp(Folder))
        std::abort();
    InputPath = std::string(Folder) + "/input.ppm";
    std::atexit(RemoveFolder);
    // The formatter runs on every line; nothing is kept.
    OpenLog("/dev/null");
    // On the heap, so that the sanitizer sees writes on either side.
    FuzzScreen = {640, 480, 640, 480, FullView, new uint32_t[640 * 480]()};
    MainScreen = &FuzzScreen;
    SetScreenMode(FullView);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (!WriteInput(Data, Size))
        return 0;
    Image* Img = LoadPPM(InputPath.c_str());
    if (!Img)
        return 0;
    Exercise(Img, ParamsOf(Data, Size));
    FreeImage(Img);
    return 0;
}
