// The display on the headless backend: every layout through the real present
// path, formats that fail the open, inactivity, and the timing log's rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "display/ConvertPaths.h"
#include "display/Display.h"
#include "platform/Headless.h"
#include "support/Child.h"

namespace {

constexpr int32_t Width = 640, Height = 480;

struct DisplayTest : testing::Test {
    InTempDir Folder;
    void TearDown() override
    {
        CloseDisplay();
        HeadlessSetPixelFormat({32, 0xFF0000, 0xFF00, 0xFF});
        HeadlessSetStartTick(0);
        HeadlessSetTime(0);
    }
};

std::vector<uint32_t> RandomFrame()
{
    std::vector<uint32_t> Frame(size_t{Width} * Height);
    std::mt19937 Random(99);
    for (uint32_t& Pixel : Frame)
        Pixel = Random() & 0xFFFFFF;
    return Frame;
}

}  // namespace

TEST_F(DisplayTest, EveryLayoutReachesTheBackBufferRowByRow)
{
    struct Case {
        PixelFormat Format;
        RowConverter ConverterSet::*Reference;
    };
    const Case Cases[] = {
        {{32, 0xFF0000, 0xFF00, 0xFF}, &ConverterSet::RGB32},
        {{32, 0xFF, 0xFF00, 0xFF0000}, &ConverterSet::BGR32},
        {{24, 0xFF0000, 0xFF00, 0xFF}, &ConverterSet::RGB24},
        {{24, 0xFF, 0xFF00, 0xFF0000}, &ConverterSet::BGR24},
        {{16, 0xF800, 0x7E0, 0x1F}, &ConverterSet::RGB565},
        {{16, 0x1F, 0x7E0, 0xF800}, &ConverterSet::BGR565},
        {{16, 0x7C00, 0x3E0, 0x1F}, &ConverterSet::RGB555},
        {{16, 0x1F, 0x3E0, 0x7C00}, &ConverterSet::BGR555},
    };
    const ConverterSet* Plain = ConvertersOf(ConvertPath::Plain);
    std::vector<uint32_t> Frame = RandomFrame();
    for (const Case& C : Cases) {
        HeadlessSetPixelFormat(C.Format);
        ASSERT_EQ(OpenDisplay("Vorlune", Width, Height), 1);
        ASSERT_EQ(UpdateDisplay(Frame.data()), 1);
        int32_t Pitch;
        const uint8_t* Shown = HeadlessFrontBuffer(&Pitch);
        ASSERT_NE(Shown, nullptr);
        size_t RowBytes = size_t{C.Format.Bits / 8} * Width;
        std::vector<uint8_t> Want(RowBytes);
        for (int32_t y = 0; y < Height; ++y) {
            (Plain->*C.Reference)(Frame.data() + y * Width, Want.data(), Width);
            const uint8_t* Row = Shown + size_t(y) * Pitch;
            ASSERT_TRUE(std::equal(Want.begin(), Want.end(), Row))
                << C.Format.Bits << " bits, red mask " << std::hex << C.Format.RedMask << ", row "
                << std::dec << y;
            ASSERT_TRUE(std::all_of(Row + RowBytes, Row + Pitch, [](uint8_t b) { return b == 0; }))
                << "the row's padding was written, row " << y;
        }
        CloseDisplay();
    }
}

TEST_F(DisplayTest, FormatsWithoutAConverterFailTheOpen)
{
    const PixelFormat Unsupported[] = {
        {8, 0, 0, 0}, {16, 0xF800, 0x7E0, 0x3F}, {15, 0x7C00, 0x3E0, 0x1F}, {24, 0xF800, 0x7E0, 0x1F}};
    std::vector<uint32_t> Frame = RandomFrame();
    for (const PixelFormat& Format : Unsupported) {
        HeadlessSetPixelFormat(Format);
        EXPECT_EQ(OpenDisplay("Vorlune", Width, Height), 0) << Format.Bits << " bits";
        EXPECT_STREQ(DisplayError(), "the display's pixel format is not supported");
        EXPECT_FALSE(std::filesystem::exists("VantuTimer.txt"));
        uint32_t Flips = HeadlessFlipCount();
        EXPECT_EQ(UpdateDisplay(Frame.data()), 0);
        EXPECT_EQ(HeadlessFlipCount(), Flips);
        CloseDisplay();
    }
}

TEST_F(DisplayTest, InactiveDisplaySleepsAMillisecondAndDrawsNothing)
{
    std::vector<uint32_t> Frame = RandomFrame();
    ASSERT_EQ(OpenDisplay("Vorlune", Width, Height), 1);
    ASSERT_EQ(UpdateDisplay(Frame.data()), 1);
    uint32_t Flips = HeadlessFlipCount();
    ASSERT_GT(Flips, 0u);

    HeadlessScriptEvent(uint32_t(HeadlessNow() / 1000), WindowEventType::Activate, 0);
    for (int i = 0; i < 3; ++i) {
        uint64_t Before = HeadlessNow();
        EXPECT_EQ(UpdateDisplay(Frame.data()), 1);
        EXPECT_EQ(HeadlessNow() - Before, 1000u);
    }
    EXPECT_EQ(HeadlessFlipCount(), Flips);

    HeadlessScriptEvent(uint32_t(HeadlessNow() / 1000), WindowEventType::Activate, 1);
    EXPECT_EQ(UpdateDisplay(Frame.data()), 1);
    EXPECT_EQ(HeadlessFlipCount(), Flips + 1);
}

// Seconds come from the first of two tick reads and milliseconds from the
// second, in unsigned 32-bit arithmetic, so marks stay right across the
// counter's wrap-around; at a second's boundary the reads straddle it.
TEST_F(DisplayTest, TimingMarksCountFromTheLogsOpening)
{
    HeadlessSetStartTick(0xFFFFFFFFu - 30000);
    ASSERT_EQ(OpenDisplay("Vorlune", Width, Height), 1);
    std::vector<uint32_t> Frame = RandomFrame();
    for (uint64_t At : {61250000u, 61999999u}) {
        HeadlessSetTime(At);
        HeadlessScriptEvent(uint32_t(At / 1000), WindowEventType::KeyDown, KeySpace);
        HeadlessScriptEvent(uint32_t(At / 1000), WindowEventType::KeyDown, 'A');
        UpdateDisplay(Frame.data());
    }
    CloseDisplay();
    EXPECT_EQ(Folder.Dir.Read("VantuTimer.txt"),
              "Debut= <0> : <0>\n"
              "Effet N\xB0" "1 = <61> : <250>\n"
              "Effet N\xB0" "2 = <61> : <0>\n");
}

TEST_F(DisplayTest, TimingLogThatCannotBeMadeLeavesTheDisplayWorking)
{
    std::filesystem::create_directory("VantuTimer.txt");
    ASSERT_EQ(OpenDisplay("Vorlune", Width, Height), 1);
    HeadlessScriptEvent(0, WindowEventType::KeyDown, KeySpace);
    std::vector<uint32_t> Frame = RandomFrame();
    uint32_t Flips = HeadlessFlipCount();
    EXPECT_EQ(UpdateDisplay(Frame.data()), 1);
    EXPECT_EQ(HeadlessFlipCount(), Flips + 1);
}
