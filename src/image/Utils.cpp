// The Image record: loading from PPM, making and releasing.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "image/Image.h"
#include "image/PpmHeader.h"
#include "log/Log.h"

namespace {

struct ImageDeleter {
    void operator()(Image* Img) const { FreeImage(Img); }
};
using OwnedImage = std::unique_ptr<Image, ImageDeleter>;

void SetSize(Image& Img, int32_t Width, int32_t Height, uint32_t Size)
{
    Img.Width = Img.Width2 = Width;
    Img.Height = Img.Height2 = Height;
    Img.Bpp = 3;
    Img.Size = Size;
}

// Reads what follows the magic: the size, the maximum value and the pixels.
Image* ReadPpmBody(FILE* File)
{
    OwnedImage Img(new (std::nothrow) Image{});
    if (!Img) {
        LogPlaced("Error!! Allocate failed : file <%s> : line <%d>\n", 255);
        return nullptr;
    }
    int32_t Width, Height;
    if (!ReadPpmSize(File, &Width, &Height))
        return nullptr;
    LogPrint("Image size : X = <%d> : Y = <%d>\n", Width, Height);

    char MaxValue[4];
    if (!ReadPpmMaxValue(File, MaxValue))
        return nullptr;
    if (std::strcmp(MaxValue, "255") != 0) {
        LogPrint("BAD Byte per pixel <%s>\n", MaxValue);
        return nullptr;
    }
    LogPrint("BuffRead = <%s>\n", MaxValue);

    // ReadPpmSize bounds the sides, so this cannot wrap.
    SetSize(*Img, Width, Height, static_cast<uint32_t>(Height * Width * 3));
    LogPrint("Image BPP <%d>\n", int32_t{Img->Bpp});
    Img->Data = new (std::nothrow) uint8_t[Img->Size]();
    if (!Img->Data) {
        LogFailedAllocation(322);
        return nullptr;
    }
    const size_t Read = std::fread(Img->Data, 1, Img->Size, File);
    if (Read < Img->Size)
        LogPrint("Error! len loading datafile PPM = <%d>\n", static_cast<int32_t>(Read));
    return Img.release();
}

Image* ReadPpm(FILE* File, const char* Path)
{
    LogPrint("Load image <%s>\n", Path);
    char Magic[4] = {};
    // A file shorter than the magic leaves zeros, which are not "P6".
    static_cast<void>(std::fread(Magic, 1, 3, File));
    if (Magic[0] != 'P' || Magic[1] != '6') {
        LogPrint("Error!! Image is not a PPM format\n");
        return nullptr;
    }
    LogPrint("Image format <%s>\n", Magic);
    return ReadPpmBody(File);
}

}  // namespace

Image* LoadPPM(const char* Path)
{
    FILE* File = std::fopen(Path, "rb");
    if (!File) {
        LogPrint("Error!! Loading '<%s>' failed 'LoadPPM()' Func\n", Path);
        return nullptr;
    }
    Image* Img = ReadPpm(File, Path);
    std::fclose(File);
    if (Img)
        LogPrint("Loading <%s> OK\n", Path);
    return Img;
}

Image* CreateImage(int32_t Transparent, uint32_t KeyColor, uint8_t Extra, uint16_t Width, uint16_t Height)
{
    OwnedImage Img(new (std::nothrow) Image{});
    if (!Img) {
        LogFailedAllocation(354);
        return nullptr;
    }
    Img->Transparent = Transparent;
    Img->KeyColor = KeyColor;
    Img->Extra = Extra;
    // 65535 x 65535 x 3 does not fit the 32-bit Size: refused as unallocatable.
    const uint64_t Bytes = uint64_t{Height} * Width * 3;
    SetSize(*Img, Width, Height, static_cast<uint32_t>(Bytes));
    if (Bytes <= UINT32_MAX)
        Img->Data = new (std::nothrow) uint8_t[Bytes];
    if (!Img->Data) {
        LogFailedAllocation(370);
        return nullptr;
    }
    if (Transparent != 1) {
        std::memset(Img->Data, 0, Img->Size);
        return Img.release();
    }
    for (uint32_t i = 0; i < Img->Size; i += 3) {
        Img->Data[i] = uint8_t(KeyColor >> 16);
        Img->Data[i + 1] = uint8_t(KeyColor >> 8);
        Img->Data[i + 2] = uint8_t(KeyColor);
    }
    return Img.release();
}

void FreeImage(Image* Img)
{
    if (!Img)
        return;
    delete[] Img->Data;
    delete Img;
}
