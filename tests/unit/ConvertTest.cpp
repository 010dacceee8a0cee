// The row converters: the values each layout must give, the choice by bit
// count and masks, and every block path against the per-pixel loops at every
// row length and at unaligned addresses.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "display/Convert.h"
#include "display/ConvertPaths.h"

namespace {

struct Layout {
    const char* Name;
    RowConverter ConverterSet::*Field;
    RowConverter Public;
    uint32_t Bytes;  // per pixel
    std::vector<uint8_t> Of123456, OfWhite;
};

const Layout Layouts[] = {
    {"RGB32", &ConverterSet::RGB32, ConvRGB32, 4, {0x56, 0x34, 0x12, 0}, {0xFF, 0xFF, 0xFF, 0}},
    {"BGR32", &ConverterSet::BGR32, ConvBGR32, 4, {0x12, 0x34, 0x56, 0}, {0xFF, 0xFF, 0xFF, 0}},
    {"RGB24", &ConverterSet::RGB24, ConvRGB24, 3, {0x56, 0x34, 0x12}, {0xFF, 0xFF, 0xFF}},
    {"BGR24", &ConverterSet::BGR24, ConvBGR24, 3, {0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}},
    {"RGB565", &ConverterSet::RGB565, ConvRGB565, 2, {0xAA, 0x11}, {0xFF, 0xFF}},
    {"BGR565", &ConverterSet::BGR565, ConvBGR565, 2, {0xA2, 0x51}, {0xFF, 0xFF}},
    {"RGB555", &ConverterSet::RGB555, ConvRGB555, 2, {0xCA, 0x08}, {0xFF, 0x7F}},
    {"BGR555", &ConverterSet::BGR555, ConvBGR555, 2, {0xC2, 0x28}, {0xFF, 0x7F}},
};

const char* const PathNames[] = {"Plain", "Sse2", "Ssse3", "Avx2"};

const ConvertPath AllPaths[] = {ConvertPath::Plain, ConvertPath::Sse2, ConvertPath::Ssse3,
                                ConvertPath::Avx2};

// Converts Count copies of Pixel and checks that every pixel reads Expected.
void ExpectEveryPixel(RowConverter Convert, const Layout& L, uint32_t Count, uint32_t Pixel,
                      const std::vector<uint8_t>& Expected, const std::string& Where)
{
    std::vector<uint32_t> Row(Count, Pixel);
    std::vector<uint8_t> Out(Count * L.Bytes, 0xEE);
    Convert(Row.data(), Out.data(), Count);
    for (uint32_t i = 0; i < Count; ++i)
        ASSERT_EQ(std::vector<uint8_t>(Out.begin() + i * L.Bytes, Out.begin() + (i + 1) * L.Bytes),
                  Expected)
            << Where << " " << L.Name << ", pixel " << i << " of " << Count;
}

}  // namespace

// Names the path in test output (found by argument-dependent lookup).
static void PrintTo(ConvertPath Path, std::ostream* Out)
{
    *Out << PathNames[int(Path)];
}

// 5 pixels are all tail; 37 are blocks of every size used, then a tail.
TEST(Convert, EveryLayoutGivesItsValuesOnEveryPath)
{
    for (ConvertPath Path : AllPaths) {
        const ConverterSet* Set = ConvertersOf(Path);
        if (!Set)
            continue;
        std::string Where = std::string(PathNames[int(Path)]) + " path,";
        for (const Layout& L : Layouts)
            for (uint32_t Count : {1u, 5u, 37u}) {
                ExpectEveryPixel(Set->*L.Field, L, Count, 0x00123456, L.Of123456, Where);
                ExpectEveryPixel(Set->*L.Field, L, Count, 0x00FFFFFF, L.OfWhite, Where);
            }
    }
}

TEST(Convert, OnlyTheStraightCopyKeepsTheTopByte)
{
    for (const Layout& L : Layouts) {
        std::vector<uint8_t> Expected = L.Of123456;
        if (L.Public == ConvRGB32)
            Expected[3] = 0xAB;
        ExpectEveryPixel(L.Public, L, 37, 0xAB123456, Expected, "public");
    }
}

TEST(Convert, SelectConverterMatchesBitCountAndMasksExactly)
{
    struct Case {
        uint32_t Bits, Red, Green, Blue;
        RowConverter Expected;
    };
    const Case Cases[] = {
        {32, 0xFF0000, 0xFF00, 0xFF, ConvRGB32},  {32, 0xFF, 0xFF00, 0xFF0000, ConvBGR32},
        {24, 0xFF0000, 0xFF00, 0xFF, ConvRGB24},  {24, 0xFF, 0xFF00, 0xFF0000, ConvBGR24},
        {16, 0xF800, 0x7E0, 0x1F, ConvRGB565},    {16, 0x1F, 0x7E0, 0xF800, ConvBGR565},
        {16, 0x7C00, 0x3E0, 0x1F, ConvRGB555},    {16, 0x1F, 0x3E0, 0x7C00, ConvBGR555},
        // The bit count comes first: 15 is not 16, 24-bit masks need 24 bits.
        {15, 0x7C00, 0x3E0, 0x1F, nullptr},       {32, 0xFF0000, 0xFF00, 0xFF, ConvRGB32},
        {24, 0xF800, 0x7E0, 0x1F, nullptr},       {16, 0xFF0000, 0xFF00, 0xFF, nullptr},
        {32, 0xFF000000, 0xFF0000, 0xFF00, nullptr}, {8, 0, 0, 0, nullptr},
        {16, 0x7C00, 0x7E0, 0x1F, nullptr},       {16, 0xF800, 0x3E0, 0x1F, nullptr},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(SelectConverter(C.Bits, C.Red, C.Green, C.Blue), C.Expected)
            << C.Bits << " bits, " << std::hex << C.Red << " " << C.Green << " " << C.Blue;
}

TEST(Convert, ThePublicConvertersRunTheFastestPath)
{
    const ConverterSet* Best = ConvertersOf(BestConvertPath());
    ASSERT_NE(Best, nullptr);
    std::vector<uint32_t> Row(67);
    std::mt19937 Random(7);
    for (uint32_t& P : Row)
        P = Random();
    for (const Layout& L : Layouts) {
        std::vector<uint8_t> Public(67 * L.Bytes), Direct(67 * L.Bytes);
        L.Public(Row.data(), Public.data(), 67);
        (Best->*L.Field)(Row.data(), Direct.data(), 67);
        EXPECT_EQ(Public, Direct) << L.Name;
    }
}

class BlockPath : public testing::TestWithParam<ConvertPath> {};

// Random rows, top bytes included, of every length from 0 to 67, from source
// rows at each of the 4 pixel offsets within 16 bytes, to destination rows at
// each of the 16 byte offsets; the bytes around the row must stay untouched.
TEST_P(BlockPath, MatchesThePlainLoopsAtEveryLengthAndOffset)
{
    const ConverterSet* Set = ConvertersOf(GetParam());
    if (!Set)
        GTEST_SKIP() << "this processor lacks the instructions of the "
                     << PathNames[int(GetParam())] << " path";
    const ConverterSet* Plain = ConvertersOf(ConvertPath::Plain);
    std::mt19937 Random(12345);
    alignas(16) uint32_t Source[67 + 4];
    alignas(16) uint8_t Got[16 + 67 * 4 + 32], Want[sizeof Got];
    for (const Layout& L : Layouts)
        for (uint32_t Count = 0; Count <= 67; ++Count)
            for (uint32_t From = 0; From < 4; ++From)
                for (uint32_t To = 0; To < 16; ++To) {
                    for (uint32_t& P : Source)
                        P = Random();
                    for (size_t i = 0; i < sizeof Got; ++i)
                        Got[i] = Want[i] = uint8_t(0xA5 ^ i);
                    (Set->*L.Field)(Source + From, Got + To, Count);
                    (Plain->*L.Field)(Source + From, Want + To, Count);
                    ASSERT_EQ(0, std::memcmp(Got, Want, sizeof Got))
                        << L.Name << ", " << Count << " pixels, source +" << From
                        << " pixels, destination +" << To << " bytes";
                }
}

std::string PathName(const testing::TestParamInfo<ConvertPath>& Info)
{
    return PathNames[int(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(Convert, BlockPath,
                         testing::Values(ConvertPath::Sse2, ConvertPath::Ssse3, ConvertPath::Avx2),
                         PathName);
