#include "demo/Resources.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "core/FrameTimer.h"
#include "core/Layout.h"
#include "core/PictureFiles.h"
#include "core/Playback.h"
#include "core/Quit.h"
#include "demo/DataFolder.h"
#include "image/Image.h"
#include "log/Log.h"
#include "platform/Tune.h"

const FontCells Fonte2Cells{32, 30, 32, 30, 0};
const FontCells FireFonteCells{31, 33, 32, 33, 2};

namespace {

// What the effects need of a picture beyond being there.
enum class Need { Any, FullScreen, LetterboxView, CoversView, BarOverLoading, Word };

// Where each picture of PictureFiles goes and what it must be, in the same
// order: the load order.
struct PictureEntry {
    Image* ResourceSet::*Member;  // null for the Fonte2 sheet, which is not kept
    Need Needs;
};

const PictureEntry Pictures[] = {
    {&ResourceSet::Loading, Need::FullScreen},
    {&ResourceSet::RasterR, Need::Any},
    {&ResourceSet::RasterG, Need::Any},
    {&ResourceSet::RasterB, Need::Any},
    {&ResourceSet::RasterV, Need::Any},
    {&ResourceSet::RasterY, Need::Any},
    {&ResourceSet::ScrollText, Need::Any},
    {&ResourceSet::Corridor, Need::FullScreen},
    {&ResourceSet::BackgroundRaster, Need::CoversView},
    {&ResourceSet::ProgressBar, Need::BarOverLoading},
    {nullptr, Need::Any},  // the Fonte2 sheet, cut into glyphs
    {&ResourceSet::TxtThis, Need::Word},
    {&ResourceSet::TxtIs, Need::Word},
    {&ResourceSet::TxtProgressBar, Need::Word},
    {&ResourceSet::TxtAPure, Need::Word},
    {&ResourceSet::TxtFake, Need::Word},
    {&ResourceSet::PorteVG, Need::Any},
    {&ResourceSet::PorteVD, Need::Any},
    {&ResourceSet::HUDoor, Need::Any},
    {&ResourceSet::HBDoor, Need::Any},
    {&ResourceSet::Flower, Need::LetterboxView},
    {&ResourceSet::FireFonteSheet, Need::Any},
};
static_assert(std::size(Pictures) == PictureCount);
// The FireFonte sheet loads last, after the Fonte2 glyphs are cut.
constexpr int Fonte2Index = PictureIndex("Fonte2"), FireFonteIndex = PictureIndex("FireFonte");
static_assert(FireFonteIndex == PictureCount - 1);

const char TunePath[] = "Brumalid.mp3";

std::string PicturePath(int Index)
{
    return DataPath((std::string("Data/") + PictureFiles[Index].Name + ".ppm").c_str());
}

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

std::string Size(int32_t W, int32_t H)
{
    return std::to_string(W) + " x " + std::to_string(H);
}

std::string SizeOf(const Image* Picture)
{
    return Size(Picture->Width, Picture->Height);
}

void CheckExactly(const std::string& Path, const Image* Picture, int32_t W, int32_t H)
{
    if (Picture->Width != W || Picture->Height != H)
        Report(Path, "is " + SizeOf(Picture) + ", must be " + Size(W, H));
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
        Report(Path, "is " + SizeOf(Word) + ", too large to zoom within " + Size(ViewW, ViewH));
}

void CheckNeeds(const PictureEntry& Entry, const std::string& Path, const Image* Picture)
{
    switch (Entry.Needs) {
    case Need::Any: break;
    case Need::FullScreen: CheckExactly(Path, Picture, ViewW, ViewH); break;
    case Need::LetterboxView: CheckExactly(Path, Picture, ViewW, LetterboxH); break;
    case Need::CoversView:
        if (Picture->Width < ViewW || Picture->Height < LetterboxH)
            Report(Path, "is " + SizeOf(Picture) + ", must be at least " + Size(ViewW, LetterboxH));
        break;
    case Need::BarOverLoading:
        if (ProgressBarX + Picture->Width > ViewW || ProgressBarY + Picture->Height > ViewH)
            Report(Path, "is " + SizeOf(Picture) + ", must fit in " +
                             Size(ViewW - ProgressBarX, ViewH - ProgressBarY));
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

// The FireFonte sheet is kept opaque: only the glyphs cut from it are keyed.
Image* LoadPicture(int Index)
{
    const std::string Path = PicturePath(Index);
    Image* Picture = LoadPPM(Path.c_str());
    if (!Picture) {
        ReportUnloadable(Path);
        return nullptr;
    }
    if (PictureFiles[Index].Keyed && Index != FireFonteIndex) {
        Picture->Transparent = 1;
        Picture->KeyColor = PictureFiles[Index].Key;
    }
    CheckNeeds(Pictures[Index], Path, Picture);
    return Picture;
}

// Cuts a sheet's glyphs when the scan's 26 cells lie inside it. A sheet
// that did not load has been reported already.
void CutFont(const Image* Sheet, int Index, const FontCells& Cells, Image* Glyphs[26])
{
    if (!Sheet)
        return;
    std::vector<CellCut> Cuts = ScanCells(Sheet->Width, Cells);
    if (Cuts.empty() || Cuts.back().Y + Cells.Height > Sheet->Height) {
        Report(PicturePath(Index), "is " + SizeOf(Sheet) + ", too small for the 26 letters");
        return;
    }
    CutGlyphs(Sheet, Cells, PictureFiles[Index].Key, Glyphs);
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
    for (int i = 0; i < PictureCount; ++i)
        if (!std::filesystem::exists(PicturePath(i), Error))
            Report(PicturePath(i), "missing");
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
    for (int i = 0; i < FireFonteIndex; ++i) {
        Image* Picture = LoadPicture(i);
        (Pictures[i].Member ? Resources.*Pictures[i].Member : Fonte2Sheet) = Picture;
    }
    CutFont(Fonte2Sheet, Fonte2Index, Fonte2Cells, Resources.Fonte2);
    FreeImage(Fonte2Sheet);
    Resources.FireFonteSheet = LoadPicture(FireFonteIndex);
    CutFont(Resources.FireFonteSheet, FireFonteIndex, FireFonteCells, Resources.FireFonte);
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

std::vector<Image*> ResourcePictures()
{
    std::vector<Image*> All;
    for (const PictureEntry& Entry : Pictures)
        if (Entry.Member && Resources.*Entry.Member)
            All.push_back(Resources.*Entry.Member);
    for (Image* const* Glyphs : {Resources.Fonte2, Resources.FireFonte})
        for (int i = 0; i < 26; ++i)
            if (Glyphs[i])
                All.push_back(Glyphs[i]);
    return All;
}
