// Frame timers on the virtual clock, across the counter's wrap-around too.
#include <gtest/gtest.h>

#include "core/FrameTimer.h"
#include "platform/Headless.h"

namespace {

// Puts the tick counter at Tick, at the start of that millisecond.
void SetTick(uint32_t Tick)
{
    HeadlessSetTime(0);
    HeadlessSetStartTick(Tick);
}

}  // namespace

TEST(FrameTimer, DueFromSixteenMilliseconds)
{
    FrameTimer Timer{1000, 0};
    SetTick(1015);
    EXPECT_EQ(FrameDue(&Timer), 0);
    EXPECT_EQ(Timer.LastTick, 1015u);
    EXPECT_EQ(Timer.StartTick, 1000u);
    SetTick(1016);
    EXPECT_EQ(FrameDue(&Timer), 1);
    EXPECT_EQ(Timer.StartTick, 1000u);  // not restarted
}

TEST(FrameTimer, WrapAroundIsHarmless)
{
    FrameTimer Timer{0xFFFFFFF8u, 0};
    SetTick(7);
    EXPECT_EQ(FrameDue(&Timer), 0);
    SetTick(8);
    EXPECT_EQ(FrameDue(&Timer), 1);
    EXPECT_EQ(ReadTimer(&Timer), 16u);
}

TEST(FrameTimer, CreateAndRestartStartNow)
{
    SetTick(5000);
    FrameTimer* Timer = CreateTimer();
    ASSERT_NE(Timer, nullptr);
    EXPECT_EQ(Timer->StartTick, 5000u);
    EXPECT_EQ(Timer->LastTick, 0u);
    SetTick(9000);
    ReadTimer(Timer);
    RestartTimer(Timer);
    EXPECT_EQ(Timer->StartTick, 9000u);
    EXPECT_EQ(Timer->LastTick, 0u);
    delete Timer;
}
