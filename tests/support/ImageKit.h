#pragma once
// Helpers for the image tests: files written from bytes, the log read back,
// and a screen whose frame buffer is fenced by guard pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "display/Present.h"
#include "image/Image.h"
#include "log/Log.h"
#include "support/Child.h"

inline void WriteBytes(const std::string& Path, const std::string& Bytes)
{
    std::ofstream(Path, std::ios::binary) << Bytes;
}

// The opening banner: seven lines of 58 characters and two empty lines.
constexpr size_t LogBannerSize = 7 * 59 + 2;

// Runs in a fresh folder with "LogDemo.txt" open; Logged() is everything
// written after the banner so far (every message is flushed).
struct LoggedTest : testing::Test {
    InTempDir Folder;
    void SetUp() override { ASSERT_EQ(OpenLog("LogDemo.txt"), 1); }
    void TearDown() override { CloseLog(); }
    std::string Logged() const { return Folder.Dir.Read("LogDemo.txt").substr(LogBannerSize); }
    // Only what the calls in Body write.
    template <typename Fn>
    std::string LoggedBy(Fn&& Body) const
    {
        size_t Before = Logged().size();
        Body();
        return Logged().substr(Before);
    }
};

// A 640 x 480 screen on the headless backend whose buffer sits between
// GuardPixels of GuardValue on each side.
struct ViewTest : LoggedTest {
    static constexpr size_t GuardPixels = 4096;
    static constexpr uint32_t GuardValue = 0xA5A5A5A5;
    std::vector<uint32_t> Fenced = std::vector<uint32_t>(640 * 480 + 2 * GuardPixels, GuardValue);
    uint32_t* OwnPixels = nullptr;

    void SetUp() override
    {
        LoggedTest::SetUp();
        ASSERT_EQ(CreateScreen("Vorlune", 640, 480, FullView), 1);
        OwnPixels = MainScreen->Pixels;
        MainScreen->Pixels = Fenced.data() + GuardPixels;
        SetScreenMode(FullView);
    }
    void TearDown() override
    {
        MainScreen->Pixels = OwnPixels;
        DestroyScreen();
        LoggedTest::TearDown();
    }
    int32_t VW() const { return MainScreen->ViewWidth; }
    int32_t VH() const { return MainScreen->ViewHeight; }
    uint32_t& ViewPixel(int32_t X, int32_t Y) const { return DrawOrigin[Y * VW() + X]; }
    bool GuardsIntact() const
    {
        for (size_t i = 0; i < GuardPixels; ++i)
            if (Fenced[i] != GuardValue || Fenced[Fenced.size() - 1 - i] != GuardValue)
                return false;
        return true;
    }
};

// An image of the given size whose pixel (x, y) has colour Colour(x, y).
template <typename Fn>
Image* PaintedImage(uint16_t Width, uint16_t Height, Fn&& Colour)
{
    Image* Img = CreateImage(0, 0, 0, Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint32_t C = Colour(x, y);
            uint8_t* P = Img->Data + (y * Width + x) * 3;
            P[0] = uint8_t(C >> 16);
            P[1] = uint8_t(C >> 8);
            P[2] = uint8_t(C);
        }
    return Img;
}
