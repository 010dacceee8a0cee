// The main loop's contract with the effects: order, first-call flag, what
// ends an effect, when the EffectTimer restarts, and presents between calls.
#include <gtest/gtest.h>

#include <vector>

#include "core/Clock.h"
#include "demo/MainLoop.h"
#include "display/Present.h"
#include "platform/Headless.h"
#include "support/Child.h"

namespace {

struct Call {
    int Slot;
    int32_t StepSeen;
    uint32_t Tick;          // when the call began
    uint32_t TimerStart;    // the EffectTimer's StartTick then
    uint32_t Flips;         // presents made before the call
};

std::vector<Call> Calls;
int CallsOf[EffectCount];

// Slots 0, 3, 6, ... return 0, 2 and -1 first (anything but 1 goes on).
template <int Slot>
int32_t Recorder(int32_t* Step)
{
    Calls.push_back({Slot, *Step, GetTickCount(), EffectTimer->StartTick, HeadlessFlipCount()});
    *Step = 1;
    static const int32_t Results[] = {0, 2, -1};
    int n = CallsOf[Slot]++;
    return (Slot % 3 == 0 && n < 3) ? Results[n] : 1;
}

template <int... Slots>
void FillRecorders(std::integer_sequence<int, Slots...>)
{
    ((EffectTable[Slots] = Recorder<Slots>), ...);
}

struct MainLoopTest : testing::Test {
    InTempDir Folder;
    FrameTimer* Pace = nullptr;
    void SetUp() override
    {
        Calls.clear();
        std::fill(std::begin(CallsOf), std::end(CallsOf), 0);
        CreateScreen("Vorlune", 640, 480, FullView);
        EffectTimer = CreateTimer();
        Pace = CreateTimer();
        FillRecorders(std::make_integer_sequence<int, EffectCount>());
    }
    void TearDown() override
    {
        DestroyScreen();
        delete EffectTimer;
        delete Pace;
    }
};

}  // namespace

TEST_F(MainLoopTest, SlotsRunInOrderEachStartingWithStepZero)
{
    RunEffects(Pace);
    std::vector<int> Slots, Expected;
    for (const Call& c : Calls) {
        bool First = Slots.empty() || Slots.back() != c.Slot;
        EXPECT_EQ(c.StepSeen, First ? 0 : 1) << "slot " << c.Slot;
        Slots.push_back(c.Slot);
    }
    for (int s = 0; s < EffectCount; ++s)
        Expected.insert(Expected.end(), s % 3 == 0 ? 4 : 1, s);
    EXPECT_EQ(Slots, Expected);
    // After the last effect finishes, exactly one more present.
    EXPECT_EQ(Calls.back().Flips + 1, HeadlessFlipCount());
}

TEST_F(MainLoopTest, EffectTimerRestartsWhenAnEffectFinishes)
{
    uint32_t Loaded = EffectTimer->StartTick;
    RunEffects(Pace);
    // Slot 0 sees the timer as started at loading.
    EXPECT_EQ(Calls.front().TimerStart, Loaded);
    for (size_t i = 1; i < Calls.size(); ++i) {
        const Call& Before = Calls[i - 1];
        const Call& After = Calls[i];
        EXPECT_GE(After.Tick - Before.Tick, 16u);
        if (After.Slot != Before.Slot) {
            // Restarted between the finishing call and the next slot's first.
            EXPECT_GE(After.TimerStart, Before.Tick);
            EXPECT_LE(After.TimerStart, After.Tick);
            EXPECT_LT(After.Tick - After.TimerStart, 20u);
        } else {
            EXPECT_EQ(After.TimerStart, Before.TimerStart);
        }
    }
}

TEST_F(MainLoopTest, PresentsWhileNoFrameIsDue)
{
    // A 40 ms call: the pace timer restarts after it returns, so the next
    // call comes 16 ms after its end, with presents of the same frame between.
    EffectTable[0] = [](int32_t* Step) -> int32_t {
        Calls.push_back({0, *Step, GetTickCount(), 0, HeadlessFlipCount()});
        *Step = 1;
        Sleep(40);
        return Calls.size() == 3 ? 1 : 0;
    };
    RunEffects(Pace);
    ASSERT_GE(Calls.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_GE(Calls[i].Tick - Calls[i - 1].Tick, 40u + 16u);
        EXPECT_GE(Calls[i].Flips - Calls[i - 1].Flips, 1u);
    }
}
