// Slot 9: the plasma's unmasked pixel values, the eased doors and the frame
// they leave on, and the timeline's flash windows, miniature and fade.
#include <gtest/gtest.h>

#include <vector>

#include "effects/Effects.h"
#include "effects/PlasmaDoors.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF, Upper = 0x0000C0, Lower = 0x0000D0;

struct PlasmaDoorsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(1);
        Plasma = PlasmaState{};
    }
    // Door halves of the given height; blue, which the plasma never has.
    void Doors(uint16_t Height, uint32_t UpperColour, uint32_t LowerColour)
    {
        Resources.HUDoor = Picture(640, Height, [=](int, int) { return UpperColour; });
        Resources.HBDoor = Picture(640, Height, [=](int, int) { return LowerColour; });
        Resources.HUDoor->Transparent = Resources.HBDoor->Transparent = 1;
        Resources.HUDoor->KeyColor = Resources.HBDoor->KeyColor = Magenta;
    }
    // A call at exactly Ms on the EffectTimer.
    int32_t CallAt(uint32_t Ms)
    {
        HeadlessSetTime(uint64_t(EffectTimer->StartTick + Ms) * 1000);
        return PlasmaDoors(&Step);
    }
    bool Flashed() const { return ViewPixel(0, 0) == 0xFFFFFF && ViewPixel(639, 339) == 0xFFFFFF; }
    // The white frame around the plasma's miniature.
    bool Inset() const
    {
        return ViewPixel(458, 20) == 0xFFFFFF && ViewPixel(619, 116) == 0xFFFFFF && ViewPixel(500, 60) != 0xFFFFFF;
    }
};

}  // namespace

TEST_F(PlasmaDoorsTest, PixelValuesAreStoredUnmasked)
{
    Doors(170, Magenta, Magenta);  // wholly keyed: the plasma shows everywhere
    CallAfter(PlasmaDoors, 0);
    // All indices 0: q = 1020, and q/2 carries a bit into the red byte.
    EXPECT_EQ(ViewPixel(0, 0), 0x003FFE00u);
    EXPECT_EQ(Plasma.RowPhaseA, 5);
    EXPECT_EQ(Plasma.ColPhaseA, 3);
    EXPECT_EQ(Plasma.ColPhaseB, 248);

    // All indices 128 give -1020, divided to q = -16: the top bits fill.
    Plasma.RowPhaseA = Plasma.RowPhaseB = Plasma.ColPhaseA = Plasma.ColPhaseB = 128;
    Plasma.PlasmaDivisor = 63.75f;
    CallAfter(PlasmaDoors, 16);
    EXPECT_EQ(ViewPixel(0, 0), 0xFFFFF800u);
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(PlasmaDoorsTest, DoorsOpenWithAnEasedSwing)
{
    Doors(400, Upper, Lower);  // too tall to leave within these frames
    const std::vector<int32_t> Expected = {0,    -23,  -45,  -66,  -86,  -104, -121, -136, -149, -160, -169,
                                           -177, -183, -187, -189, -190, -189, -187, -184, -180, -175, -170};
    std::vector<int32_t> Seen;
    for (size_t i = 0; i < Expected.size(); ++i) {
        Seen.push_back(Plasma.DoorOffset);
        CallAfter(PlasmaDoors, 16);
    }
    EXPECT_EQ(Seen, Expected);
}

TEST_F(PlasmaDoorsTest, HalvesOf170RowsAreDrawnForElevenFramesThenGone)
{
    Doors(170, Upper, Lower);
    for (int Frame = 0; Frame < 11; ++Frame) {
        const int32_t Offset = Plasma.DoorOffset;
        EXPECT_EQ(CallAfter(PlasmaDoors, 16), 0);
        EXPECT_EQ(ViewPixel(9, Offset + 169), Upper) << Offset;
        EXPECT_EQ(ViewPixel(9, 170 - Offset), Lower) << Offset;
    }
    EXPECT_EQ(Plasma.DoorOffset, -177);
    CallAfter(PlasmaDoors, 16);
    for (int Y = 0; Y < 340; ++Y)
        ASSERT_EQ(ViewPixel(9, Y) & 0xFF, 0u) << Y;  // plasma only: no blue
    EXPECT_EQ(Plasma.DoorOffset, -177);
}

TEST_F(PlasmaDoorsTest, TimelineFlashesShowsTheMiniatureAndEnds)
{
    Doors(170, Upper, Lower);
    CallAt(0);
    Plasma.DoorOffset = -170;  // the doors are gone
    struct Moment {
        uint32_t Ms;
        bool Flash, Inset;
    };
    const Moment Moments[] = {
        {7000, false, false},  {7001, true, false},   {7079, true, false},   {7080, false, false},
        {12000, false, false}, {12001, true, false},  {12079, true, false},  {12080, false, true},
        {20000, false, true},  {20001, true, false},  {20280, false, true},  {20281, true, false},
        {20559, false, true},  {20639, true, false},  {20640, false, true},  {23999, false, true},
    };
    for (const Moment& M : Moments) {
        EXPECT_EQ(CallAt(M.Ms), 0) << M.Ms;
        EXPECT_EQ(Flashed(), M.Flash) << M.Ms;
        EXPECT_EQ(Inset(), M.Inset) << M.Ms;
    }
    EXPECT_EQ(CallAt(24000), 1);
    EXPECT_TRUE(Inset());
}

TEST_F(PlasmaDoorsTest, FadeGrowsTheDivisorAfterTheLastFlash)
{
    Doors(170, Upper, Lower);
    CallAt(0);
    Plasma.DoorOffset = -170;
    CallAt(20640);
    EXPECT_EQ(Plasma.PlasmaDivisor, 1.0f);
    uint32_t Ms = 20641;
    float Expected = 1.0f;
    for (int Frame = 0; Frame < 36; ++Frame, Ms += 16) {
        CallAt(Ms);
        Expected = float(Expected + 0.4);
        ASSERT_EQ(Plasma.PlasmaDivisor, Expected) << Frame;
    }
    EXPECT_GT(Plasma.PlasmaDivisor, 15.0f);
    for (int Frame = 0; Frame < 34; ++Frame, Ms += 16)
        CallAt(Ms);
    EXPECT_GT(Plasma.PlasmaDivisor, 1020.0f);
    CallAt(Ms);
    for (int Y = 0; Y < 340; ++Y)
        for (int X = 0; X < 458; ++X)  // left of the miniature
            ASSERT_EQ(ViewPixel(X, Y), 0u) << X << "," << Y;
}
