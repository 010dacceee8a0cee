// Slot 9: the plasma's unmasked pixel values, the eased doors and the frame
// they leave on, and the timeline's flash windows, miniature and fade.
#include <gtest/gtest.h>

#include <vector>

#include "effects/Effects.h"
#include "effects/PlasmaDoors.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF, Upper = 0x0000C0, Lower = 0x0000D0;  // blue: never plasma

struct PlasmaDoorsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        SetScreenMode(LetterboxView);
        PlasmaDoorsVars = PlasmaDoorsState{};
    }
    void Doors(uint16_t Height, uint32_t UpperColour, uint32_t LowerColour)
    {
        Resources.HUDoor = Picture(640, Height, [=](int, int) { return UpperColour; });
        Resources.HBDoor = Picture(640, Height, [=](int, int) { return LowerColour; });
        Resources.HUDoor->Transparent = Resources.HBDoor->Transparent = 1;
        Resources.HUDoor->KeyColor = Resources.HBDoor->KeyColor = Magenta;
    }
    int32_t CallAt(uint32_t Ms)  // at exactly Ms on the EffectTimer
    {
        HeadlessSetTime(uint64_t(EffectTimer->StartTick + Ms) * 1000);
        return PlasmaDoors(&Step);
    }
};

}  // namespace

TEST_F(PlasmaDoorsTest, PixelValuesAreStoredUnmasked)
{
    Doors(170, Magenta, Magenta);  // wholly keyed
    CallAt(0);
    EXPECT_EQ(ViewPixel(0, 0), 0x003FFE00u);  // q = 1020: q/2 carries into red
    // All indices 128 give -1020, divided to q = -16: the top bits fill.
    PlasmaDoorsVars.RowPhaseA = PlasmaDoorsVars.RowPhaseB = PlasmaDoorsVars.ColPhaseA = PlasmaDoorsVars.ColPhaseB = 128;
    PlasmaDoorsVars.PlasmaDivisor = 63.75f;
    CallAt(16);
    EXPECT_EQ(ViewPixel(0, 0), 0xFFFFF800u);
}

// Rows and columns past 256 repeat the indices: every pixel of both view
// sizes must still be its own four cosines, divided and packed.
TEST_F(PlasmaDoorsTest, EveryPixelIsItsFourCosines)
{
    Doors(170, Magenta, Magenta);
    CallAt(0);
    for (ViewMode Mode : {LetterboxView, FullView}) {
        SetScreenMode(Mode);
        PlasmaDoorsVars.RowPhaseA = 17;
        PlasmaDoorsVars.RowPhaseB = 200;
        PlasmaDoorsVars.ColPhaseA = 91;
        PlasmaDoorsVars.ColPhaseB = 5;
        PlasmaDoorsVars.PlasmaDivisor = 3.7f;
        CallAt(16);
        int Wrong = 0;
        for (int y = 0; y < MainScreen->ViewHeight; ++y)
            for (int x = 0; x < 640; ++x) {
                const int32_t V = CosTable[uint8_t(17 + 2 * y)] + CosTable[uint8_t(200 + y)] +
                                  CosTable[uint8_t(91 + x)] + CosTable[uint8_t(5 + 3 * x)];
                const int32_t Q = int32_t(float(V) / 3.7f);
                Wrong += ViewPixel(x, y) != (uint32_t(Q >> 4) << 16 | uint32_t(Q >> 1) << 8);
            }
        EXPECT_EQ(Wrong, 0) << "view of " << MainScreen->ViewHeight << " rows";
    }
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(PlasmaDoorsTest, DoorsSwingOpenAndHalvesOf170RowsLeaveOnTheTwelfthFrame)
{
    Doors(170, Upper, Lower);
    std::vector<int32_t> Offsets;
    for (int Frame = 0; Frame < 11; ++Frame) {
        const int32_t Offset = PlasmaDoorsVars.DoorOffset;
        Offsets.push_back(Offset);
        CallAt(16 * Frame);
        EXPECT_EQ(ViewPixel(9, Offset + 169), Upper) << Offset;
        EXPECT_EQ(ViewPixel(9, 170 - Offset), Lower) << Offset;
    }
    CallAt(176);
    for (int Y = 0; Y < 340; ++Y)
        ASSERT_EQ(ViewPixel(9, Y) & 0xFF, 0u) << Y;
    EXPECT_EQ(PlasmaDoorsVars.DoorOffset, -177);

    // Taller halves stay, so the offsets run on.
    Doors(400, Upper, Lower);
    for (int Frame = 0; Frame < 10; ++Frame) {
        Offsets.push_back(PlasmaDoorsVars.DoorOffset);
        CallAt(192 + 16 * Frame);
    }
    EXPECT_EQ(Offsets, (std::vector<int32_t>{0, -23, -45, -66, -86, -104, -121, -136, -149, -160, -169, -177,
                                             -183, -187, -189, -190, -189, -187, -184, -180, -175}));
}

TEST_F(PlasmaDoorsTest, TimelineFlashesShowsTheMiniatureFadesAndEnds)
{
    Doors(170, Upper, Lower);
    CallAt(0);
    PlasmaDoorsVars.DoorOffset = -170;  // gone
    auto Flashed = [this] { return ViewPixel(300, 200) == 0xFFFFFF; };
    auto Inset = [this] { return ViewPixel(458, 20) == 0xFFFFFF && ViewPixel(500, 60) != 0xFFFFFF; };
    struct Moment {
        uint32_t Ms;
        bool Flash, Inset;
    } const Moments[] = {{7000, false, false},  {7001, true, false},  {7079, true, false},
                         {7080, false, false},  {12000, false, false}, {12001, true, false},
                         {12080, false, true},  {20001, true, false}, {20280, false, true},
                         {20639, true, false},  {20640, false, true}};
    for (const Moment& M : Moments) {
        EXPECT_EQ(CallAt(M.Ms), 0) << M.Ms;
        EXPECT_EQ(Flashed(), M.Flash) << M.Ms;
        EXPECT_EQ(Inset(), M.Inset) << M.Ms;
    }
    EXPECT_EQ(PlasmaDoorsVars.PlasmaDivisor, 1.0f);
    // The fade: +0.4 per frame up to 15, then +30 until all is black.
    float Expected = 1.0f;
    for (uint32_t Ms = 20641; Expected <= 15.0f; Ms += 16) {
        CallAt(Ms);
        Expected = float(Expected + 0.4);
        ASSERT_EQ(PlasmaDoorsVars.PlasmaDivisor, Expected);
    }
    for (uint32_t Ms = 21300; PlasmaDoorsVars.PlasmaDivisor <= 1020.0f; Ms += 16)
        CallAt(Ms);
    EXPECT_EQ(CallAt(23999), 0);
    EXPECT_EQ(ViewPixel(0, 339), 0u);
    EXPECT_EQ(CallAt(24000), 1);
}
