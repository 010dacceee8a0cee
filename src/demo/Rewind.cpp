#include "demo/Rewind.h"

#include <algorithm>
#include <vector>

#include "core/Clock.h"
#include "core/Random.h"
#include "core/Screen.h"
#include "demo/Resources.h"
#include "effects/Effects.h"
#include "image/Image.h"
#include "log/Log.h"

namespace {

struct ShowStart {
    bool Kept;
    VirtualClock Clock;
    FrameTimer Pace, Effect;
    uint32_t Random;
    ViewMode Mode;
    std::vector<uint32_t> Pixels;
    std::vector<std::vector<uint8_t>> Pictures;  // in ResourcePictures' order
    uint64_t LogLength;
} Start;

}  // namespace

void KeepFirstSlotStart(const FrameTimer* PaceTimer)
{
    VirtualClock* Clock = PlayedClock();
    if (!Clock || Start.Kept)
        return;
    Start.Kept = true;
    Start.Clock = *Clock;
    Start.Pace = *PaceTimer;
    Start.Effect = *EffectTimer;
    Start.Random = RandomState;
    Start.Mode = MainScreen->Mode;
    Start.Pixels.assign(MainScreen->Pixels,
                        MainScreen->Pixels + size_t(MainScreen->Width) * MainScreen->Height);
    for (const Image* Picture : ResourcePictures())
        Start.Pictures.emplace_back(Picture->Data, Picture->Data + Picture->Size);
    Start.LogLength = LogLength();
}

void RewindToFirstSlotStart(FrameTimer* PaceTimer)
{
    *PlayedClock() = Start.Clock;
    *PaceTimer = Start.Pace;
    *EffectTimer = Start.Effect;
    RandomState = Start.Random;
    SetScreenMode(Start.Mode);
    std::copy(Start.Pixels.begin(), Start.Pixels.end(), MainScreen->Pixels);
    const std::vector<Image*> Pictures = ResourcePictures();
    for (size_t i = 0; i < Pictures.size(); ++i)
        std::copy(Start.Pictures[i].begin(), Start.Pictures[i].end(), Pictures[i]->Data);
    ResetEffects();
    CutLog(Start.LogLength);
}
