#include "demo/Resources.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/Clock.h"
#include "core/FrameTimer.h"
#include "core/Layout.h"
#include "core/Quit.h"
#include "demo/DataFolder.h"
#include "image/Image.h"
#include "log/Log.h"
#include "platform/Tune.h"

const FontCells Fonte2Cells{32, 30, 32, 30, 0};
const FontCells FireFonteCells{31, 33, 32, 33, 2};

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Magenta = 0xFF00FF;

// What the effects need of a picture beyond being there.
enum class Need { Any, FullScreen, LetterboxView, CoversView, BarOverLoading, Word };

struct PictureEntry {
    const char* Path;
    Image* ResourceSet::*Member;  // null for the Fonte2 sheet, which is not kept
    bool Keyed;                   // false: the loader's default, opaque
    uint32_t KeyColor;
    Need Needs;
};

const char Fonte2Path[] = "Data/Fonte2.ppm";
const char FireFontePath[] = "Data/FireFonte.ppm";
const char TunePath[] = "Brumalid.mp3";

// In load order; the FireFonte sheet follows once the Fonte2 glyphs are cut.
const PictureEntry Pictures[] = {
    {"Data/Loading.ppm", &ResourceSet::Loading, false, 0, Need::FullScreen},
    {"Data/RasterR.ppm", &ResourceSet::RasterR, false, 0, Need::Any},
    {"Data/RasterG.ppm", &ResourceSet::RasterG, false, 0, Need::Any},
    {"Data/RasterB.ppm", &ResourceSet::RasterB, false, 0, Need::Any},
    {"Data/RasterV.ppm", &ResourceSet::RasterV, false, 0, Need::Any},
    {"Data/RasterY.ppm", &ResourceSet::RasterY, false, 0, Need::Any},
    {"Data/ScrollText.ppm", &ResourceSet::ScrollText, true, Black, Need::Any},
    {"Data/Corridor.ppm", &ResourceSet::Corridor, false, 0, Need::FullScreen},
    {"Data/BackgroundRaster.ppm", &ResourceSet::BackgroundRaster, false, 0, Need::CoversView},
    {"Data/ProgressBar.ppm", &ResourceSet::ProgressBar, false, 0, Need::BarOverLoading},
    {Fonte2Path, nullptr, true, Black, Need::Any},
    {"Data/Txt-This.ppm", &ResourceSet::TxtThis, true, Black, Need::Word},
    {"Data/Txt-Is.ppm", &ResourceSet::TxtIs, true, Black, Need::Word},
    {"Data/Txt-ProgressBar.ppm", &ResourceSet::TxtProgressBar, true, Black, Need::Word},
    {"Data/Txt-APure.ppm", &ResourceSet::TxtAPure, true, Black, Need::Word},
    {"Data/Txt-Fake.ppm", &ResourceSet::TxtFake, true, Black, Need::Word},
    {"Data/PorteVG.ppm", &ResourceSet::PorteVG, true, White, Need::Any},
    {"Data/PorteVD.ppm", &ResourceSet::PorteVD, true, White, Need::Any},
    {"Data/HU-Door.ppm", &ResourceSet::HUDoor, true, Magenta, Need::Any},
    {"Data/HB-Door.ppm", &ResourceSet::HBDoor, true, Magenta, Need::Any},
    {"Data/Flower.ppm", &ResourceSet::Flower, true, Black, Need::LetterboxView},
};
const PictureEntry FireFonteSheet{FireFontePath, &ResourceSet::FireFonteSheet, false, 0, Need::Any};

// The view sizes, and the widest step by which a word's zoom can pass its width.
constexpr int32_t ViewW = 640, ViewH = 480, LetterboxH = LetterboxViewRows;
constexpr int32_t WidestZoomStep = 8;

int Problems = 0;
bool SoundOff = false;

void Report(const std::string& Path, const std::string& Problem)
{
    ++Problems;
    std::fprintf(stderr, "vorlune: %s: %s\n", Path.c_str(), Problem.c_str());
    LogPrint("Error!! %s: %s\n", Path.c_str(), Problem.c_str());
}

std::string SizeOf(const Image* Picture)
{
    return std::to_string(Picture->Width) + " x " + std::to_string(Picture->Height);
}

void CheckExactly(const std::string& Path, const Image* Picture, int32_t W, int32_t H)
{
    if (Picture->Width != W || Picture->Height != H)
        Report(Path, "is " + SizeOf(Picture) + ", must be " + std::to_string(W) + " x " +
                         std::to_string(H));
}

// A word is zoomed up to its width plus a step, with its height following
// the whole-number ratio of width to height; all of it must fit the view.
void CheckWord(const std::string& Path, const Image* Word)
{
    if (Word->Width < Word->Height) {
        Report(Path, "is " + SizeOf(Word) + ", must be at least as wide as high");
        return;
    }
    int32_t Widest = Word->Width + WidestZoomStep - 1;
    int32_t Ratio = Word->Width / Word->Height;
    if (Widest > ViewW || (Widest + Ratio - 1) / Ratio > ViewH)
        Report(Path, "is " + SizeOf(Word) + ", too large to zoom within 640 x 480");
}

void CheckNeeds(const PictureEntry& Entry, const std::string& Path, const Image* Picture)
{
    switch (Entry.Needs) {
    case Need::Any: break;
    case Need::FullScreen: CheckExactly(Path, Picture, ViewW, ViewH); break;
    case Need::LetterboxView: CheckExactly(Path, Picture, ViewW, LetterboxH); break;
    case Need::CoversView:
        if (Picture->Width < ViewW || Picture->Height < LetterboxH)
            Report(Path, "is " + SizeOf(Picture) + ", must be at least 640 x 340");
        break;
    case Need::BarOverLoading:
        if (ProgressBarX + Picture->Width > ViewW || ProgressBarY + Picture->Height > ViewH)
            Report(Path, "is " + SizeOf(Picture) + ", must fit in 450 x 169");
        break;
    case Need::Word: CheckWord(Path, Picture); break;
    }
}

// LoadPPM's log line says what is wrong with a file that is there.
void ReportUnloadable(const std::string& Path)
{
    std::error_code Error;
    if (std::filesystem::exists(Path, Error))
        Report(Path, "can't be read as a picture (see LogDemo.txt)");
    else
        Report(Path, "missing");
}

Image* LoadPicture(const PictureEntry& Entry)
{
    const std::string Path = DataPath(Entry.Path);
    Image* Picture = LoadPPM(Path.c_str());
    if (!Picture) {
        ReportUnloadable(Path);
        return nullptr;
    }
    if (Entry.Keyed) {
        Picture->Transparent = 1;
        Picture->KeyColor = Entry.KeyColor;
    }
    CheckNeeds(Entry, Path, Picture);
    return Picture;
}

// Cuts a sheet's glyphs when the scan's 26 cells lie inside it. A sheet
// that did not load has been reported already.
void CutFont(const Image* Sheet, const char* Path, const FontCells& Cells, Image* Glyphs[26])
{
    if (!Sheet)
        return;
    std::vector<CellCut> Cuts = ScanCells(Sheet->Width, Cells);
    if (Cuts.empty() || Cuts.back().Y + Cells.Height > Sheet->Height) {
        Report(DataPath(Path), "is " + SizeOf(Sheet) + ", too small for the 26 letters");
        return;
    }
    CutGlyphs(Sheet, Cells, Black, Glyphs);
}

void OpenTune()
{
    if (SoundOff || TuneOpen(DataPath(TunePath).c_str()))
        return;
    std::fprintf(stderr, "vorlune: playing without sound: %s\n", TuneError());
    LogPrint("Warning!! Playing without sound: %s\n", TuneError());
}

}  // namespace

void TurnSoundOff()
{
    SoundOff = true;
}

void CheckPicturesPresent()
{
    std::error_code Error;
    for (const PictureEntry& Entry : Pictures)
        if (!std::filesystem::exists(DataPath(Entry.Path), Error))
            Report(DataPath(Entry.Path), "missing");
    if (!std::filesystem::exists(DataPath(FireFonteSheet.Path), Error))
        Report(DataPath(FireFonteSheet.Path), "missing");
    if (Problems > 0)
        FailAndExit("can't play without its pictures");
}

std::vector<CellCut> ScanCells(int32_t SheetWidth, const FontCells& Cells)
{
    std::vector<CellCut> Cuts;
    if (SheetWidth < Cells.FirstX + Cells.StepX)
        return Cuts;  // no row would ever hold a cell
    int32_t X = Cells.FirstX, Y = 0;
    for (int Letter = 0; Letter < 26;) {
        int32_t Next = X + Cells.StepX;
        bool Used = Next <= SheetWidth;
        Cuts.push_back({static_cast<uint16_t>(X), static_cast<uint16_t>(Y), Used});
        if (Used) {
            X = Next;
            ++Letter;
        } else {
            X = 0;
            Y += Cells.StepY;
        }
    }
    return Cuts;
}

void CutGlyphs(const Image* Sheet, const FontCells& Cells, uint32_t KeyColor, Image* Glyphs[26])
{
    int Letter = 0;
    for (const CellCut& Cut : ScanCells(Sheet->Width, Cells)) {
        Image* Glyph = BlockCut(Sheet, Cut.X, Cut.Y, Cells.Width, Cells.Height);
        if (!Cut.Used) {
            FreeImage(Glyph);
            continue;
        }
        if (Glyph) {
            Glyph->Transparent = 1;
            Glyph->KeyColor = KeyColor;
        }
        Glyphs[Letter++] = Glyph;
    }
}

void LoadResources()
{
    Image* Fonte2Sheet = nullptr;
    for (const PictureEntry& Entry : Pictures) {
        Image* Picture = LoadPicture(Entry);
        (Entry.Member ? Resources.*Entry.Member : Fonte2Sheet) = Picture;
    }
    CutFont(Fonte2Sheet, Fonte2Path, Fonte2Cells, Resources.Fonte2);
    FreeImage(Fonte2Sheet);
    Resources.FireFonteSheet = LoadPicture(FireFonteSheet);
    CutFont(Resources.FireFonteSheet, FireFontePath, FireFonteCells, Resources.FireFonte);
    if (Problems > 0)
        FailAndExit("can't play without its pictures");

    AtQuit(ReleaseResources);
    OpenTune();
    BuildCosTable();
    EffectTimer = CreateTimer();
    if (!EffectTimer)
        FailAndExit("out of memory for the effect timer");
    PlayTuneOnTime();
}

void ReleaseResources()
{
    TuneClose();
    FreeImage(Resources.Loading);
    FreeImage(Resources.FireFonteSheet);
    FreeImage(Resources.ProgressBar);
    Resources.Loading = Resources.FireFonteSheet = Resources.ProgressBar = nullptr;
}
