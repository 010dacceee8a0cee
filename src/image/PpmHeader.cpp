#include "image/PpmHeader.h"

#include <string>

#include "log/Log.h"

namespace {

constexpr size_t FieldCapacity = 256;  // the header buffer, terminator included

enum class FieldStatus { Ok, EndsEarly, TooLong };

struct Field {
    char Text[FieldCapacity];
    size_t Length;
};

FieldStatus Append(Field& F, int Byte)
{
    if (Byte == EOF)
        return FieldStatus::EndsEarly;
    if (F.Length + 1 >= FieldCapacity)
        return FieldStatus::TooLong;
    F.Text[F.Length++] = static_cast<char>(Byte);
    F.Text[F.Length] = '\0';
    return FieldStatus::Ok;
}

// Appends bytes up to Stop; Stop itself is consumed and kept when Keep.
FieldStatus ReadUntil(FILE* File, Field& F, char Stop, bool Keep)
{
    for (;;) {
        int Byte = std::fgetc(File);
        if (Byte == Stop && !Keep)
            return FieldStatus::Ok;
        if (FieldStatus S = Append(F, Byte); S != FieldStatus::Ok)
            return S;
        if (Byte == Stop)
            return FieldStatus::Ok;
    }
}

// Comment lines start right after the magic; the byte that ends them is
// the first byte of the width.
FieldStatus SkipComments(FILE* File, int* First)
{
    int Byte = std::fgetc(File);
    while (Byte == '#') {
        Field Comment{{'#', '\0'}, 1};
        if (FieldStatus S = ReadUntil(File, Comment, '\n', true); S != FieldStatus::Ok)
            return S;
        Byte = std::fgetc(File);
    }
    *First = Byte;
    return FieldStatus::Ok;
}

FieldStatus ReadSizeFields(FILE* File, Field& Width, Field& Height)
{
    int First;
    FieldStatus S = SkipComments(File, &First);
    if (S == FieldStatus::Ok)
        S = Append(Width, First);
    if (S == FieldStatus::Ok)
        S = ReadUntil(File, Width, ' ', false);
    if (S == FieldStatus::Ok)
        S = ReadUntil(File, Height, '\n', false);
    return S;
}

bool LogFieldFailure(FieldStatus S)
{
    if (S == FieldStatus::EndsEarly)
        LogPrint("Error!! PPM header ends early\n");
    else if (S == FieldStatus::TooLong)
        LogPrint("Error!! PPM header field longer than %d bytes\n", int32_t{FieldCapacity - 1});
    return S == FieldStatus::Ok;
}

bool IsSpace(char C)
{
    return C == ' ' || (C >= '\t' && C <= '\r');
}

std::string SideText(bool Parsed, int32_t Value)
{
    return Parsed ? std::to_string(Value) : "out of range";
}

bool SizeAccepted(int32_t Width, int32_t Height)
{
    return Width >= 1 && Width <= MaxImageSide && Height >= 1 && Height <= MaxImageSide &&
           int64_t{Width} * Height * 3 <= MaxImageBytes;
}

}  // namespace

bool ParsePpmNumber(const char* Text, int32_t* Value)
{
    while (IsSpace(*Text))
        ++Text;
    const bool Negative = *Text == '-';
    if (*Text == '-' || *Text == '+')
        ++Text;
    int64_t Magnitude = 0;
    for (; *Text >= '0' && *Text <= '9'; ++Text) {
        Magnitude = Magnitude * 10 + (*Text - '0');
        if (Magnitude > 2147483648)
            return false;
    }
    const int64_t Signed = Negative ? -Magnitude : Magnitude;
    if (Signed > INT32_MAX)
        return false;
    *Value = static_cast<int32_t>(Signed);
    return true;
}

bool ReadPpmSize(FILE* File, int32_t* Width, int32_t* Height)
{
    Field WidthText{{}, 0}, HeightText{{}, 0};
    if (!LogFieldFailure(ReadSizeFields(File, WidthText, HeightText)))
        return false;
    int32_t W = 0, H = 0;
    const bool WidthParsed = ParsePpmNumber(WidthText.Text, &W);
    const bool HeightParsed = ParsePpmNumber(HeightText.Text, &H);
    if (!WidthParsed || !HeightParsed || !SizeAccepted(W, H)) {
        LogPrint("Error!! Bad image size : X = <%s> : Y = <%s> (each side 1 to %d, at most %d bytes)\n",
                 SideText(WidthParsed, W).c_str(), SideText(HeightParsed, H).c_str(), MaxImageSide,
                 static_cast<int32_t>(MaxImageBytes));
        return false;
    }
    *Width = W;
    *Height = H;
    return true;
}

bool ReadPpmMaxValue(FILE* File, char Text[4])
{
    char Bytes[4] = {};
    if (std::fread(Bytes, 1, 4, File) != 4)
        return LogFieldFailure(FieldStatus::EndsEarly);
    Text[0] = Bytes[0];
    Text[1] = Bytes[1];
    Text[2] = Bytes[2];
    Text[3] = '\0';
    return true;
}
