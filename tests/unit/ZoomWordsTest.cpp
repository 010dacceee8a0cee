// Slots 1 to 5: the zoom's sizes, places and log lines in both geometries,
// frames with no rows, the blur pass, the key, the end times of the five
// instances, and words that break the stated sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "effects/BlurPass.h"
#include "effects/Effects.h"
#include "effects/ZoomWords.h"
#include "support/EffectKit.h"

namespace {

constexpr uint32_t Behind = 0x203040;  // the view each instance freezes
constexpr uint32_t Grey = 0x808080;    // every byte equal: the blur keeps it

const Effect Slots[5] = {ZoomWordThis, ZoomWordProgressBar, ZoomWordIs, ZoomWordAPure, ZoomWordFake};
Image* ResourceSet::*const WordOf[5] = {&ResourceSet::TxtThis, &ResourceSet::TxtProgressBar, &ResourceSet::TxtIs,
                                        &ResourceSet::TxtAPure, &ResourceSet::TxtFake};

struct Box {
    int32_t Left, Top, Width, Height;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const Box& B)
{
    return Out << B.Width << " x " << B.Height << " at (" << B.Left << ", " << B.Top << ")";
}

// The ZoomFactor of every zoom line in Log.
std::vector<int32_t> ZoomFactors(const std::string& Log)
{
    std::vector<int32_t> Factors;
    const std::string Mark = " ZoomFactor = <";
    for (size_t At = Log.find(Mark); At != std::string::npos; At = Log.find(Mark, At + 1))
        Factors.push_back(std::atoi(Log.c_str() + At + Mark.size()));
    return Factors;
}

struct ZoomWordsTest : EffectTest {
    void SetUp() override
    {
        EffectTest::SetUp();
        std::fill_n(DrawOrigin, 640 * 480, Behind);
    }
    void TearDown() override
    {
        for (ZoomWordsState& S : ZoomWordsVars) {
            FreeImage(S.Backdrop);
            S.Backdrop = nullptr;
        }
        EffectTest::TearDown();
    }
    // The word of a slot, keyed on black as the resource set loads it.
    template <typename Fn>
    Image* Word(int Slot, uint16_t W, uint16_t H, Fn&& Colour)
    {
        Image* Img = Picture(W, H, Colour);
        Img->Transparent = 1;
        Img->KeyColor = 0;
        Resources.*WordOf[Slot] = Img;
        return Img;
    }
    Image* GreyWord(int Slot, uint16_t W, uint16_t H)
    {
        return Word(Slot, W, H, [](int, int) { return Grey; });
    }
    // The smallest rectangle holding every pixel that is not the backdrop.
    Box Drawn() const
    {
        int32_t L = 640, T = 480, R = -1, B = -1;
        for (int32_t y = 0; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x)
                if (ViewPixel(x, y) != Behind) {
                    L = std::min(L, x), T = std::min(T, y);
                    R = std::max(R, x), B = std::max(B, y);
                }
        return R < 0 ? Box{} : Box{L, T, R - L + 1, B - T + 1};
    }
    // One call 16 ms after the last; what it logged.
    std::string Frame(int Slot, int32_t* Result = nullptr)
    {
        return LoggedBy([&] {
            int32_t R = CallAfter(Slots[Slot], 16);
            if (Result)
                *Result = R;
        });
    }
    // Calls until a zoom frame at ZoomFactor Factor is drawn.
    void ZoomTo(int Slot, int32_t Factor)
    {
        for (int i = 0; i < 1000; ++i) {
            const std::vector<int32_t> Logged = ZoomFactors(Frame(Slot));
            if (Logged.size() == 1 && Logged[0] == Factor)
                return;
        }
        FAIL() << "no zoom frame at " << Factor;
    }
};

bool Blurring(const std::string& Log)
{
    return Log.find("FlagBlur = TRUE\n") != std::string::npos;
}

}  // namespace

TEST_F(ZoomWordsTest, IntegerGeometryZoomsByItsStepPastTheWidthThenRestsCentred)
{
    GreyWord(1, 400, 60);
    const std::string First = Frame(1);
    EXPECT_NE(First.find(" ZoomFactor = <10> : Ratio = <6> : Width = <400> : Height = <60> : CenterX = <315> : "
                         "CenterY = <239> : NewWidth = <10> : NewHeight = <1>\nPasX = <40> : PasY = <60>\n"),
              std::string::npos)
        << First;
    EXPECT_EQ(Drawn(), (Box{315, 239, 10, 1}));

    std::string Log = First;
    while (ZoomFactors(Log).back() != 402)
        Log += Frame(1);
    EXPECT_EQ(Drawn(), (Box{119, 206, 402, 67}));
    std::vector<int32_t> Expected;
    for (int32_t Factor = 10; Factor <= 402; Factor += 8)
        Expected.push_back(Factor);
    EXPECT_EQ(ZoomFactors(Log), Expected);
    EXPECT_FALSE(Blurring(Log));

    EXPECT_TRUE(Blurring(Frame(1)));
    EXPECT_EQ(Drawn(), (Box{120, 210, 400, 60}));
    EXPECT_TRUE(GuardsIntact());
}

TEST_F(ZoomWordsTest, FloatGeometryDrawsFractionalRowsAndTheBlurStaysWhereTheZoomEnded)
{
    GreyWord(0, 400, 60);
    const std::string First = Frame(0);
    EXPECT_NE(First.find(" ZoomFactor = <10> : Ratio = <6> : Width = <400> : Height = <60> : CenterX = <315> : "
                         "CenterY = <239> : NewWidth = <10> : NewHeight = <1>\nPasX = <40> : PasY = <36>\n"),
              std::string::npos)
        << First;
    EXPECT_EQ(Drawn(), (Box{315, 239, 10, 2}));  // 1.666... rows

    std::string Log = First;
    while (!Blurring(Log))
        Log += Frame(0);
    EXPECT_EQ(ZoomFactors(Log).size(), 131u);
    EXPECT_EQ(ZoomFactors(Log).back(), 400);
    // The frozen final zoom: 66.666... rows, CenterY = trunc(413.333... * 0.5).
    EXPECT_EQ(Drawn(), (Box{120, 206, 400, 60}));
}

TEST_F(ZoomWordsTest, ZoomNarrowerThanTheRatioHasNoRowsAndLogsPasYAsZero)
{
    GreyWord(1, 500, 40);  // Ratio 12
    const std::string First = Frame(1);
    EXPECT_NE(First.find("NewWidth = <10> : NewHeight = <0>\nPasX = <50> : PasY = <0>\n"), std::string::npos)
        << First;
    EXPECT_EQ(Drawn(), Box{});
    Frame(1);
    EXPECT_EQ(Drawn(), (Box{311, 239, 18, 1}));
}

TEST_F(ZoomWordsTest, BlurPassMixesInterleavedNeighboursInPlaceAndKeepsTheBorder)
{
    Image* Small = Picture(2, 3, [](int, int) { return 0u; });
    Small->Data[6 + 2] = 100;
    BlurPass(Small);
    const uint8_t Middle[6] = {0, 20, 24, 4, 0, 0};
    EXPECT_EQ(std::memcmp(Small->Data + 6, Middle, 6), 0);
    EXPECT_EQ(std::count(Small->Data, Small->Data + 6, 0), 6);
    EXPECT_EQ(std::count(Small->Data + 12, Small->Data + 18, 0), 6);

    Image* Flat = Picture(7, 5, [](int, int) { return 0x4D4D4Du; });
    BlurPass(Flat);
    EXPECT_EQ(std::count(Flat->Data, Flat->Data + Flat->Size, 0x4D), 7 * 5 * 3);

    // Any size, several passes: byte by byte in row order, border kept, on
    // every path (the wide one blurs bands of 14 rows).
    for (uint16_t W : {1, 2, 5, 37, 474})
        for (uint16_t H : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16, 17, 30, 31, 79}) {
            Image* Busy = Picture(W, H, [](int x, int y) { return uint32_t(x * 0x3B1F07 + y * 0x1D5311) & 0xFFFFFF; });
            std::vector<uint8_t> Plain(Busy->Data, Busy->Data + Busy->Size);
            std::vector<uint8_t> Rows = Plain, Wide = Plain;
            Image RowsCopy = *Busy, WideCopy = *Busy;
            RowsCopy.Data = Rows.data();
            WideCopy.Data = Wide.data();
            bool HasWide = true;
            const int RowBytes = 3 * W;
            for (int Pass = 0; Pass < 3; ++Pass) {
                BlurPass(Busy);
                BlurPassPlain(&RowsCopy);
                HasWide = BlurPassWide(&WideCopy);
                for (int y = 1; y < H - 1; ++y)
                    for (int p = 1; p <= RowBytes - 3; ++p) {
                        uint8_t* B = &Plain[y * RowBytes + p];
                        *B = uint8_t((B[-1] + B[0] + B[1] + B[RowBytes] + B[-RowBytes]) / 5);
                    }
            }
            ASSERT_TRUE(std::equal(Plain.begin(), Plain.end(), Busy->Data)) << W << " x " << H;
            ASSERT_EQ(Rows, Plain) << "plain, " << W << " x " << H;
            if (HasWide) {
                ASSERT_EQ(Wide, Plain) << "wide, " << W << " x " << H;
            }
        }
}

TEST_F(ZoomWordsTest, PureBlackIsNeverDrawnAndTheDarkestBlueIs)
{
    // Left half pure black, right half 0x000001.
    Image* W = Word(2, 40, 20, [](int x, int) { return x < 20 ? 0u : 1u; });
    int32_t Result = 0;
    std::string Log;
    while (!Blurring(Log)) {
        Log = Frame(2, &Result);
        if (Blurring(Log))
            break;
        const int64_t Blue = std::count(DrawOrigin, DrawOrigin + 640 * 480, 1u);
        EXPECT_GT(Blue, 0);
        EXPECT_EQ(Blue + std::count(DrawOrigin, DrawOrigin + 640 * 480, Behind), 640 * 480);
    }
    // Blurred frames: the word's own pixels, or the backdrop where they are black.
    for (int Frames = 0; Result != 1; ++Frames, Frame(2, &Result)) {
        ASSERT_LT(Frames, 1000);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) {
                const uint8_t* P = W->Data + (y * 40 + x) * 3;
                const uint32_t Pixel = uint32_t(P[0]) << 16 | uint32_t(P[1]) << 8 | P[2];
                ASSERT_EQ(ViewPixel(300 + x, 230 + y), Pixel ? Pixel : Behind) << x << "," << y;
            }
    }
}

TEST_F(ZoomWordsTest, EachInstanceHasItsOwnWordStepBlurAndEndTime)
{
    struct Expect {
        int32_t Step, Passes;
        uint32_t EndMs;
    };
    const Expect Instances[5] = {{3, 12, 5000}, {8, 12, 6000}, {3, 6, 4000}, {4, 6, 6000}, {5, 10, 6000}};
    for (int Slot = 0; Slot < 5; ++Slot) {
        // A dot on grey, a different width for each word.
        const uint16_t Width = uint16_t(60 + 10 * Slot);
        for (int Other = 0; Other < 5; ++Other)
            GreyWord(Other, 20, 10);
        Image* W = Word(Slot, Width, 20, [](int x, int y) { return x == 9 && y == 9 ? 0xFFFFFFu : Grey; });
        Step = 0;
        std::string Log;
        while (!Blurring(Log)) {
            Image Copy = *W;
            std::vector<uint8_t> Before(W->Data, W->Data + W->Size);
            Log += Frame(Slot);
            if (Blurring(Log)) {
                Copy.Data = Before.data();
                for (int i = 0; i < Instances[Slot].Passes; ++i)
                    BlurPass(&Copy);
                EXPECT_TRUE(std::equal(Before.begin(), Before.end(), W->Data)) << "slot " << Slot + 1;
            }
        }
        EXPECT_NE(Log.find("Width = <" + std::to_string(Width) + ">"), std::string::npos);
        const std::vector<int32_t> Factors = ZoomFactors(Log);
        ASSERT_EQ(Factors.size(), size_t((Width - 10 + Instances[Slot].Step - 1) / Instances[Slot].Step + 1));
        EXPECT_EQ(Factors[1] - Factors[0], Instances[Slot].Step) << "slot " << Slot + 1;

        // Runs on until the first call at or past its end time.
        int32_t Result = 0;
        while (Result != 1) {
            Sleep(16);
            const uint32_t Elapsed = EffectMs();
            Result = Slots[Slot](&Step);
            ASSERT_EQ(Result, Elapsed >= Instances[Slot].EndMs ? 1 : 0) << "slot " << Slot + 1 << " at " << Elapsed;
        }
        EXPECT_EQ(ZoomWordsVars[Slot].Backdrop, nullptr);
    }
}

TEST_F(ZoomWordsTest, InstancePastItsEndTimeFinishesTheZoomAndEndsOnTheFirstBlurFrame)
{
    GreyWord(2, 400, 60);  // 131 zoom frames at 40 ms: past 4000 ms
    int32_t Result = 0;
    std::string Log;
    for (int Call = 1; Result != 1; ++Call) {
        ASSERT_LE(Call, 132);
        Log += LoggedBy([&] { Result = CallAfter(ZoomWordIs, 40); });
        EXPECT_EQ(Result, Call == 132 ? 1 : 0);
    }
    EXPECT_EQ(ZoomFactors(Log).size(), 131u);
    EXPECT_EQ(CountOf(Log, "FlagBlur = TRUE\n"), 1);
}

TEST_F(ZoomWordsTest, WordsTooLargeForTheViewAreClippedToIt)
{
    // 636 wide: the last zoom frame is 642 wide, one column past each side.
    GreyWord(1, 636, 30);
    ZoomTo(1, 634);
    const std::string Last = Frame(1);
    EXPECT_NE(Last.find("CenterX = <2147483647>"), std::string::npos) << Last;  // the unsigned wrap, as logged
    for (int32_t x = 0; x < 640; ++x) {
        ASSERT_EQ(ViewPixel(x, 224), Behind) << x;
        ASSERT_EQ(ViewPixel(x, 225), Grey) << x;
        ASSERT_EQ(ViewPixel(x, 254), Grey) << x;
        ASSERT_EQ(ViewPixel(x, 255), Behind) << x;
    }
    EXPECT_TRUE(GuardsIntact());

    // Taller than wide: Ratio 0. The float zoom has infinitely many rows and
    // the integer zoom none; both stay in the frame buffer and end.
    FreeImage(ZoomWordsVars[1].Backdrop);
    for (int Slot : {0, 1}) {
        GreyWord(Slot, 30, 60);
        std::fill_n(DrawOrigin, 640 * 480, Behind);
        Step = 0;
        int32_t Result = 0;
        for (int Calls = 0; Result != 1; ++Calls) {
            ASSERT_LT(Calls, 1000);
            if (!Blurring(Frame(Slot, &Result)) && Slot == 1) {
                ASSERT_EQ(Drawn(), Box{});
            }
        }
        EXPECT_TRUE(GuardsIntact());
    }
}
