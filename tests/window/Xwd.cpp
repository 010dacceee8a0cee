#include "Xwd.h"

#include <cstdio>

namespace {

enum HeaderField {
    HeaderSize, FileVersion, PixmapFormat, PixmapDepth, PixmapWidth, PixmapHeight, XOffset,
    ByteOrder, BitmapUnit, BitmapBitOrder, BitmapPad, BitsPerPixel, BytesPerLine, VisualClass,
    RedMask, GreenMask, BlueMask, BitsPerRgb, ColormapEntries, ColorCount, FieldCount = 25
};

constexpr uint32_t ZPixmap = 2, MsbFirst = 1, ColorEntryBytes = 12;

uint32_t BigEndian32(const std::string& Bytes, size_t At)
{
    uint32_t Value = 0;
    for (size_t i = 0; i < 4; ++i)
        Value = Value << 8 | uint8_t(Bytes[At + i]);
    return Value;
}

uint32_t PixelAt(const std::string& Bytes, size_t At, uint32_t Size, bool MostFirst)
{
    uint32_t Value = 0;
    for (uint32_t i = 0; i < Size; ++i) {
        uint32_t Byte = uint8_t(Bytes[At + (MostFirst ? i : Size - 1 - i)]);
        Value = Value << 8 | Byte;
    }
    return Value;
}

}  // namespace

bool ReadXwd(const std::string& Bytes, Screenshot* Shot, std::string* Error)
{
    if (Bytes.size() < FieldCount * 4) {
        *Error = "shorter than an XWD header";
        return false;
    }
    uint32_t H[FieldCount];
    for (int i = 0; i < FieldCount; ++i)
        H[i] = BigEndian32(Bytes, size_t(i) * 4);
    uint32_t Size = H[BitsPerPixel] / 8;
    if (H[FileVersion] != 7 || H[PixmapFormat] != ZPixmap || H[BitsPerPixel] % 8 != 0 ||
        Size < 2 || Size > 4) {
        *Error = "not a 16, 24 or 32-bit XWD image in Z format";
        return false;
    }
    size_t Data = size_t{H[HeaderSize]} + size_t{H[ColorCount]} * ColorEntryBytes;
    if (Bytes.size() < Data + size_t{H[BytesPerLine]} * H[PixmapHeight] ||
        H[BytesPerLine] < H[PixmapWidth] * Size) {
        *Error = "XWD image shorter than its header says";
        return false;
    }
    Shot->Width = int(H[PixmapWidth]);
    Shot->Height = int(H[PixmapHeight]);
    Shot->RedMask = H[RedMask];
    Shot->GreenMask = H[GreenMask];
    Shot->BlueMask = H[BlueMask];
    Shot->Pixels.clear();
    for (uint32_t y = 0; y < H[PixmapHeight]; ++y)
        for (uint32_t x = 0; x < H[PixmapWidth]; ++x)
            Shot->Pixels.push_back(PixelAt(Bytes, Data + size_t{y} * H[BytesPerLine] + x * Size,
                                           Size, H[ByteOrder] == MsbFirst));
    return true;
}

Screenshot CaptureRoot()
{
    std::string Bytes;
    if (FILE* Pipe = popen("xwd -root -silent 2>/dev/null", "r")) {
        char Buffer[65536];
        for (size_t Got; (Got = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0;)
            Bytes.append(Buffer, Got);
        pclose(Pipe);
    }
    Screenshot Shot;
    std::string Error;
    if (!ReadXwd(Bytes, &Shot, &Error))
        return {};
    return Shot;
}
