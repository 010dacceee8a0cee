// The resource set: the cell scan of the font sheets, the cosine table, the
// keys after loading, what the end releases, and pictures the demo refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "demo/MainLoop.h"
#include "demo/Resources.h"
#include "image/Image.h"
#include "log/Log.h"
#include "platform/Headless.h"
#include "support/Child.h"
#include "support/FakeData.h"

namespace {

std::string Positions(const std::vector<CellCut>& Cuts, bool Used)
{
    std::string Text;
    for (const CellCut& c : Cuts)
        if (c.Used == Used)
            Text += std::to_string(c.X) + "," + std::to_string(c.Y) + " ";
    return Text;
}

std::string Row(int FirstX, int Y, int Count)
{
    std::string Text;
    for (int i = 0; i < Count; ++i)
        Text += std::to_string(FirstX + 32 * i) + "," + std::to_string(Y) + " ";
    return Text;
}

}  // namespace

TEST(CellScan, Fonte2SheetOf320And330)
{
    for (int Width : {320, 330}) {
        std::vector<CellCut> Cuts = ScanCells(Width, Fonte2Cells);
        EXPECT_EQ(Cuts.size(), 28u);
        EXPECT_EQ(Positions(Cuts, true), Row(0, 0, 10) + Row(0, 30, 10) + Row(0, 60, 6));
        EXPECT_EQ(Positions(Cuts, false), "320,0 320,30 ");
    }
}

TEST(CellScan, FireFonteSheetOf320)
{
    std::vector<CellCut> Cuts = ScanCells(320, FireFonteCells);
    EXPECT_EQ(Positions(Cuts, true), Row(2, 0, 9) + Row(0, 33, 10) + Row(0, 66, 7));
    EXPECT_EQ(Positions(Cuts, false), "290,0 320,33 ");
}

TEST(CellScan, SheetTooNarrowForACellHasNoScan)
{
    EXPECT_TRUE(ScanCells(31, Fonte2Cells).empty());
    EXPECT_TRUE(ScanCells(33, FireFonteCells).empty());
    EXPECT_EQ(ScanCells(32, Fonte2Cells).size(), 26u * 2 - 1);
}

TEST(CellScan, GlyphsAreTheSheetsCellsKeyedBlack)
{
    InTempDir Folder;
    WritePPM("sheet.ppm", 320, 90, [](int x, int y) { return uint32_t(x << 8 | y) + 1; });
    OpenLog("log.txt");
    Image* Sheet = LoadPPM("sheet.ppm");
    ASSERT_NE(Sheet, nullptr);
    Image* Glyphs[26] = {};
    CutGlyphs(Sheet, Fonte2Cells, 0, Glyphs);
    CloseLog();
    std::string Log = Folder.Dir.Read("log.txt");
    EXPECT_EQ(CountOf(Log, "BlockCut Entry\n"), 28);
    EXPECT_NE(Log.find("BeginX = <320> : BeginY = <30> : Width = <32> : Height = <30>"),
              std::string::npos);
    for (int k = 0; k < 26; ++k) {
        ASSERT_NE(Glyphs[k], nullptr);
        EXPECT_EQ(Glyphs[k]->Width, 32);
        EXPECT_EQ(Glyphs[k]->Height, 30);
        EXPECT_EQ(Glyphs[k]->Transparent, 1);
        EXPECT_EQ(Glyphs[k]->KeyColor, 0u);
        int x0 = 32 * (k % 10), y0 = 30 * (k / 10);
        const uint8_t* p = Glyphs[k]->Data + (29 * 32 + 31) * 3;  // bottom-right pixel
        EXPECT_EQ(p[0] << 8 | p[1], x0 + 31) << "letter " << k;
        EXPECT_EQ(p[2], y0 + 29 + 1) << "letter " << k;
        FreeImage(Glyphs[k]);
    }
    FreeImage(Sheet);
}

TEST(CosTable, ValuesAndSymmetry)
{
    BuildCosTable();
    const std::pair<int, int32_t> Known[] = {{0, 255},   {1, 254},    {32, 180}, {60, 24},
                                             {64, 0},    {68, -24},   {96, -180}, {128, -255},
                                             {160, -180}, {192, 0},   {224, 180}, {255, 254}};
    for (auto [i, Value] : Known)
        EXPECT_EQ(CosTable[i], Value) << "entry " << i;
    for (int i = 1; i < 128; ++i) {
        EXPECT_EQ(CosTable[256 - i], CosTable[i]) << i;
        EXPECT_EQ(CosTable[128 + i], -CosTable[i]) << i;
    }
}

TEST(Resources, KeysAfterLoadingAndWhatTheEndReleases)
{
    InTempDir Folder;
    WriteFakeData(Folder.Dir.Path);
    OpenLog("LogDemo.txt");
    LoadResources();
    EXPECT_EQ(Resources.Loading->Transparent, 0);
    EXPECT_EQ(Resources.ScrollText->Transparent, 1);
    EXPECT_EQ(Resources.PorteVD->KeyColor, 0xFFFFFFu);
    EXPECT_EQ(Resources.HBDoor->KeyColor, 0xFF00FFu);
    EXPECT_EQ(Resources.Flower->KeyColor, 0u);
    EXPECT_EQ(Resources.FireFonteSheet->Transparent, 0);
    for (int k = 0; k < 26; ++k) {
        for (Image* Glyph : {Resources.Fonte2[k], Resources.FireFonte[k]}) {
            ASSERT_NE(Glyph, nullptr);
            EXPECT_EQ(Glyph->Transparent, 1);
            EXPECT_EQ(Glyph->KeyColor, 0u);
        }
    }
    EXPECT_EQ(Resources.FireFonte[0]->Width, 31);
    ASSERT_NE(EffectTimer, nullptr);
    uint64_t TuneAt;
    EXPECT_TRUE(HeadlessTuneStarted(&TuneAt));

    ReleaseResources();
    EXPECT_EQ(Resources.Loading, nullptr);
    EXPECT_EQ(Resources.FireFonteSheet, nullptr);
    EXPECT_EQ(Resources.ProgressBar, nullptr);
    EXPECT_NE(Resources.Corridor, nullptr);
    EXPECT_NE(Resources.Fonte2[25], nullptr);
    CloseLog();
    std::string Log = Folder.Dir.Read("LogDemo.txt");
    EXPECT_LT(Log.find("Load image <Data/Loading.ppm>"), Log.find("Load image <Data/RasterR.ppm>"));
    EXPECT_LT(Log.find("Load image <Data/Flower.ppm>"), Log.find("Load image <Data/FireFonte.ppm>"));
    EXPECT_EQ(CountOf(Log, "BlockCut Entry\n"), 28 + 28);
}

namespace {

// Runs the demo in a folder of fake data that Spoil has damaged.
ChildResult RunWith(const std::function<void(const std::string&)>& Spoil, TempDir& Dir)
{
    WriteFakeData(Dir.Path);
    Spoil(Dir.Path);
    return RunInChild(Dir.Path, [] { return DemoMain(Settings{}); });
}

}  // namespace

TEST(Resources, RefusedPicturesEndTheProgramNamingTheFile)
{
    struct Case {
        const char* Name;
        std::function<void(const std::string&)> Spoil;
        const char* Message;
    };
    const Case Cases[] = {
        {"missing", [](const std::string& d) { std::filesystem::remove(d + "/Data/Corridor.ppm"); },
         "vorlune: Data/Corridor.ppm: missing\n"},
        {"small", [](const std::string& d) { WritePPM(d + "/Data/Flower.ppm", 320, 200, [](int, int) { return 0u; }); },
         "vorlune: Data/Flower.ppm: is 320 x 200, must be 640 x 340"},
        {"tall word", [](const std::string& d) { WritePPM(d + "/Data/Txt-Is.ppm", 40, 50, [](int, int) { return 1u; }); },
         "vorlune: Data/Txt-Is.ppm: is 40 x 50, must be at least as wide as high"},
        {"short sheet", [](const std::string& d) { WritePPM(d + "/Data/FireFonte.ppm", 320, 98, [](int, int) { return 1u; }); },
         "vorlune: Data/FireFonte.ppm: is 320 x 98, too small for the 26 letters"},
        {"bar", [](const std::string& d) { WritePPM(d + "/Data/ProgressBar.ppm", 451, 16, [](int, int) { return 1u; }); },
         "vorlune: Data/ProgressBar.ppm: is 451 x 16, must fit in 450 x 169"},
    };
    for (const Case& c : Cases) {
        TempDir Dir;
        ChildResult Run = RunWith(c.Spoil, Dir);
        EXPECT_EQ(Run.ExitCode, 1) << c.Name;
        EXPECT_NE(Run.Stderr.find(c.Message), std::string::npos) << c.Name << ": " << Run.Stderr;
        std::string Log = Dir.Read("LogDemo.txt");
        EXPECT_NE(Log.find(std::string("Error!! ") + (c.Message + 9)), std::string::npos) << c.Name;
        EXPECT_EQ(CountOf(Log, "FIN   D U   F I C H I E R"), 1) << c.Name;
    }
}

TEST(Resources, NoTunePlaysSilently)
{
    TempDir Dir;
    WriteFakeData(Dir.Path);
    std::filesystem::remove(Dir.Path + "/Brumalid.mp3");
    ChildResult Run = RunInChild(Dir.Path, [] {
        HeadlessScriptEvent(3000, WindowEventType::Close, 0);
        return DemoMain(Settings{});
    });
    EXPECT_EQ(Run.ExitCode, 0);
    EXPECT_NE(Run.Stderr.find("vorlune: playing without sound: can't play \"Brumalid.mp3\""),
              std::string::npos) << Run.Stderr;
    EXPECT_NE(Dir.Read("LogDemo.txt").find("Warning!! Playing without sound:"), std::string::npos);
}
