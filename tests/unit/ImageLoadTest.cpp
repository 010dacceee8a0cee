// Pictures from PPM files and made in memory: the log lines of a load, the
// header rules, malformed and hostile headers, short reads, the key fill.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <string>
#include <vector>

#include "image/Image.h"
#include "support/ImageKit.h"

namespace {

using ImageLoad = LoggedTest;

std::string Pixels(size_t Count)
{
    std::string Bytes(Count, '\0');
    for (size_t i = 0; i < Count; ++i)
        Bytes[i] = char(i * 7 + 3);
    return Bytes;
}

std::string LoadLog(const std::string& Path, const std::vector<std::string>& Middle)
{
    std::string Log = "Load image <" + Path + ">\n";
    for (const std::string& Line : Middle)
        Log += Line + "\n";
    return Log;
}

const std::string SmallHeader = "P6\n# c\n2 2\n255\n";

// Headers that must be refused before any pixel buffer is made, with the
// last line each one logs.
struct BadHeader {
    std::string Bytes;
    std::string LastLine;
};

std::vector<BadHeader> BadHeaders()
{
    const std::string Early = "Error!! PPM header ends early\n";
    const std::string TooLong = "Error!! PPM header field longer than 255 bytes\n";
    auto Size = [](const std::string& X, const std::string& Y) {
        return "Error!! Bad image size : X = <" + X + "> : Y = <" + Y +
               "> (each side 1 to 16384, at most 67108864 bytes)\n";
    };
    std::vector<BadHeader> Cases;
    for (size_t Length = 2; Length < SmallHeader.size(); ++Length)
        Cases.push_back({SmallHeader.substr(0, Length), Early});
    Cases.push_back({"P6\n#" + std::string(300, 'c') + "\n2 2\n255\n", TooLong});
    Cases.push_back({"P6\n" + std::string(300, '0') + "2 2\n255\n", TooLong});
    Cases.push_back({"P6\n2 " + std::string(300, '0') + "2\n255\n", TooLong});
    Cases.push_back({"P6\n" + std::string(300, '#'), TooLong});
    Cases.push_back({"P6\n1431655766 1\n255\n\x01\x02", Size("1431655766", "1")});
    Cases.push_back({"P6\n-2 -2\n255\n" + std::string(12, 'x'), Size("-2", "-2")});
    Cases.push_back({"P6\n4294967297 1\n255\n", Size("out of range", "1")});
    Cases.push_back({"P6\n1 2147483648\n255\n", Size("1", "out of range")});
    Cases.push_back({"P6\n-2147483648 1\n255\n", Size("-2147483648", "1")});
    Cases.push_back({"P6\n99999999999999999999999 1\n255\n", Size("out of range", "1")});
    Cases.push_back({"P6\n0 1\n255\n", Size("0", "1")});
    Cases.push_back({"P6\n1 0\n255\n", Size("1", "0")});
    Cases.push_back({"P6\n16385 1\n255\n", Size("16385", "1")});
    Cases.push_back({"P6\n4096 5462\n255\n", Size("4096", "5462")});
    Cases.push_back({"P6\nabc 12\n255\n", Size("0", "12")});
    Cases.push_back({"P6\n2\t2 x\n255\n", Size("2", "0")});
    return Cases;
}

long PeakKilobytes()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

}  // namespace

TEST_F(ImageLoad, ReadsHeaderWithCommentsAndEveryLogLine)
{
    const std::string Data = Pixels(2880);
    WriteBytes("pic.ppm", "P6\n# made by hand\n# 32 x 30\n32 30\n255\n" + Data + "trailing bytes");
    Image* Img = nullptr;
    std::string Log = LoggedBy([&] { Img = LoadPPM("pic.ppm"); });
    ASSERT_NE(Img, nullptr);
    EXPECT_EQ(Log, LoadLog("pic.ppm", {"Image format <P6\n>", "Image size : X = <32> : Y = <30>",
                                       "BuffRead = <255>", "Image BPP <3>", "Loading <pic.ppm> OK"}));
    EXPECT_EQ(std::vector<int64_t>({Img->Width, Img->Width2, Img->Height, Img->Height2, Img->Bpp, Img->Size,
                                    Img->Transparent, Img->KeyColor, Img->Extra}),
              std::vector<int64_t>({32, 32, 30, 30, 3, 2880, 0, 0, 0}));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Img->Data), Img->Size), Data);
    FreeImage(Img);
}

TEST_F(ImageLoad, HeaderFieldsAsTheReaderTakesThem)
{
    // The width may start with blanks and a sign; each number stops at its
    // first non-digit; the byte after "P6" and after "255" is not checked.
    WriteBytes("pic.ppm", "P6x +2abc 3 junk\n255Z" + Pixels(18));
    Image* Img = LoadPPM("pic.ppm");
    ASSERT_NE(Img, nullptr);
    EXPECT_EQ(Img->Width, 2);
    EXPECT_EQ(Img->Height, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Img->Data), 18), Pixels(18));
    FreeImage(Img);

    // A comment or field of 255 bytes still fits the header buffer; only a
    // space ends the width, so other blanks may lead it.
    WriteBytes("long.ppm", "P6\n#" + std::string(253, 'c') + "\n" + std::string(254, '\t') + "1 1\n255\n" + "abc");
    Img = LoadPPM("long.ppm");
    ASSERT_NE(Img, nullptr);
    EXPECT_EQ(Img->Width, 1);
    FreeImage(Img);
}

TEST_F(ImageLoad, RefusesOtherFormatsAndMissingFiles)
{
    for (const char* Magic : {"P3", "P5", "p6", "P", ""}) {
        WriteBytes("pic.ppm", std::string(Magic) + "\n2 2\n255\n" + Pixels(12));
        Image* Img = nullptr;
        EXPECT_EQ(LoggedBy([&] { Img = LoadPPM("pic.ppm"); }),
                  LoadLog("pic.ppm", {"Error!! Image is not a PPM format"}))
            << Magic;
        EXPECT_EQ(Img, nullptr);
    }

    WriteBytes("deep.ppm", "P6\n2 2\n65535\n" + Pixels(24));
    EXPECT_EQ(LoggedBy([] { EXPECT_EQ(LoadPPM("deep.ppm"), nullptr); }),
              LoadLog("deep.ppm", {"Image format <P6\n>", "Image size : X = <2> : Y = <2>",
                                   "BAD Byte per pixel <655>"}));

    EXPECT_EQ(LoggedBy([] { EXPECT_EQ(LoadPPM("Data/None.ppm"), nullptr); }),
              "Error!! Loading '<Data/None.ppm>' failed 'LoadPPM()' Func\n");
}

TEST_F(ImageLoad, ShortPixelDataIsLoggedAndLeftBlack)
{
    const std::string Data = Pixels(100);
    WriteBytes("short.ppm", "P6\n32 30\n255\n" + Data);
    Image* Img = nullptr;
    std::string Log = LoggedBy([&] { Img = LoadPPM("short.ppm"); });
    ASSERT_NE(Img, nullptr);
    EXPECT_NE(Log.find("Image BPP <3>\nError! len loading datafile PPM = <100>\nLoading <short.ppm> OK\n"),
              std::string::npos);
    ASSERT_EQ(Img->Size, 2880u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Img->Data), 100), Data);
    for (uint32_t i = 100; i < Img->Size; ++i)
        ASSERT_EQ(Img->Data[i], 0) << i;
    FreeImage(Img);

    WriteBytes("empty.ppm", "P6\n1 1\n255\n");
    EXPECT_NE(LoggedBy([&] { FreeImage(LoadPPM("empty.ppm")); }).find("datafile PPM = <0>"), std::string::npos);
    WriteBytes("one-short.ppm", "P6\n2 2\n255\n" + Pixels(11));
    EXPECT_NE(LoggedBy([&] { FreeImage(LoadPPM("one-short.ppm")); }).find("datafile PPM = <11>"), std::string::npos);
}

TEST_F(ImageLoad, PixelBytesThatLookLikeTextSurvive)
{
    // Line feeds, returns, end-of-file and comment marks inside the data are
    // plain pixels: the file is read in binary.
    const std::string Tricky("\x0A\x0D\x1A\x20\x23\x00\xFF\x0A\x0D", 9);
    const std::string Data = Tricky + Pixels(30) + Tricky;
    ASSERT_EQ(Data.size(), 48u);
    WriteBytes("tricky.ppm", "P6\n4 4\n255\n" + Data);
    Image* Img = LoadPPM("tricky.ppm");
    ASSERT_NE(Img, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Img->Data), Img->Size), Data);
    FreeImage(Img);
}

TEST_F(ImageLoad, MalformedHeadersAreRefusedWithOneLine)
{
    for (const BadHeader& Case : BadHeaders()) {
        WriteBytes("bad.ppm", Case.Bytes);
        Image* Img = nullptr;
        std::string Log = LoggedBy([&] { Img = LoadPPM("bad.ppm"); });
        EXPECT_EQ(Img, nullptr) << Case.Bytes.substr(0, 40);
        ASSERT_GE(Log.size(), Case.LastLine.size());
        EXPECT_EQ(Log.substr(Log.size() - Case.LastLine.size()), Case.LastLine) << Case.Bytes.substr(0, 40);
        EXPECT_EQ(Log.find("Image BPP"), std::string::npos) << Case.Bytes.substr(0, 40);
    }
}

TEST(ImageLoadMemory, MalformedHeadersAllocateNothingLarge)
{
    // In a child, whose peak memory starts near its size at the fork.
    TempDir Dir;
    ChildResult Result = RunInChild(Dir.Path, [] {
        long Before = PeakKilobytes();
        for (const BadHeader& Case : BadHeaders()) {
            WriteBytes("bad.ppm", Case.Bytes);
            if (LoadPPM("bad.ppm"))
                return 1;
        }
        return PeakKilobytes() - Before < 16 * 1024 ? 0 : 2;
    });
    EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
}

TEST_F(ImageLoad, CreateImageFillsWithTheKeyOnlyForFlagOne)
{
    Image* Keyed = CreateImage(1, 0xFF00FF, 7, 2, 1);
    ASSERT_NE(Keyed, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(Keyed->Data, Keyed->Data + Keyed->Size),
              std::vector<uint8_t>({0xFF, 0, 0xFF, 0xFF, 0, 0xFF}));
    EXPECT_EQ(Keyed->Transparent, 1);
    EXPECT_EQ(Keyed->KeyColor, 0xFF00FFu);
    EXPECT_EQ(Keyed->Extra, 7);
    EXPECT_EQ(Keyed->Width2, 2);
    EXPECT_EQ(Keyed->Height2, 1);
    FreeImage(Keyed);

    Image* Black = CreateImage(2, 0xFF00FF, 0, 2, 1);
    ASSERT_NE(Black, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(Black->Data, Black->Data + Black->Size), std::vector<uint8_t>(6, 0));
    FreeImage(Black);

    Image* Empty = CreateImage(1, 0xFF00FF, 0, 0, 5);
    ASSERT_NE(Empty, nullptr);
    EXPECT_EQ(Empty->Size, 0u);
    EXPECT_NE(Empty->Data, nullptr);
    FreeImage(Empty);
    FreeImage(nullptr);
}

TEST_F(ImageLoad, CreateImageRefusesSizesBeyondThirtyTwoBits)
{
    EXPECT_EQ(LoggedBy([] { EXPECT_EQ(CreateImage(0, 0, 0, 65535, 65535), nullptr); }),
              "Error!! Allocate failed file <Utils> line <370>\n");
}
