#pragma once
// Helpers for the effect tests: a fenced screen with the log open, the
// EffectTimer, the virtual clock in hand, pictures made in the test, and
// frames saved for a person to look at.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "demo/MainLoop.h"
#include "demo/Resources.h"
#include "platform/Headless.h"
#include "support/ImageKit.h"

struct EffectTest : ViewTest {
    int32_t Step = 0;                // the effect's EffectStep
    std::vector<Image*> Owned;       // pictures made by the test

    void SetUp() override
    {
        ViewTest::SetUp();
        HeadlessSetTime(0);
        HeadlessSetStartTick(0);
        EffectTimer = CreateTimer();
        BuildCosTable();
        Resources = ResourceSet{};
    }
    void TearDown() override
    {
        for (Image* Img : Owned)
            FreeImage(Img);
        Resources = ResourceSet{};
        delete EffectTimer;
        EffectTimer = nullptr;
        // Whole-program runs forked later in the same process start at 0.
        HeadlessSetTime(0);
        ViewTest::TearDown();
    }
    // A picture owned by the test, freed at the end.
    template <typename Fn>
    Image* Picture(uint16_t Width, uint16_t Height, Fn&& Colour)
    {
        Owned.push_back(PaintedImage(Width, Height, Colour));
        return Owned.back();
    }
    // One effect call, Ms after the previous one (as the main loop spaces them).
    int32_t CallAfter(Effect Fx, uint32_t Ms)
    {
        Sleep(Ms);
        return Fx(&Step);
    }
    // Milliseconds on the EffectTimer without reading it.
    static uint32_t EffectMs() { return static_cast<uint32_t>(HeadlessNow() / 1000) - EffectTimer->StartTick; }
};

// Writes the whole 640 x 480 frame buffer as a binary PPM, to look at.
inline void SaveFrame(const std::string& Path)
{
    FILE* File = std::fopen(Path.c_str(), "wb");
    std::fprintf(File, "P6\n640 480\n255\n");
    for (int i = 0; i < 640 * 480; ++i) {
        uint32_t P = MainScreen->Pixels[i];
        unsigned char Rgb[3] = {uint8_t(P >> 16), uint8_t(P >> 8), uint8_t(P)};
        std::fwrite(Rgb, 1, 3, File);
    }
    std::fclose(File);
}
