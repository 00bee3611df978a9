#include <gtest/gtest.h>

#include <memory>

#include "timer.h"

TEST(Timer, StartsExpiredUnlessAskedAndDoesNotAdvanceWhileExpired) {
  Timer idle(100);
  Timer running(100, true);
  EXPECT_TRUE(idle.expired());
  EXPECT_TRUE(running.active());
  Timer::updateAll(40);
  EXPECT_EQ(idle.currentTime(), 100u);
  EXPECT_EQ(running.currentTime(), 40u);
}

TEST(Timer, AdvancesWholeStepsWithoutClamping) {
  struct Case { Millis first; Millis second; bool active; Millis counted; };
  for (const Case& c : std::vector<Case>{{100, 0, false, 100}, {99, 16, false, 115},
                                         {50, 49, true, 99}, {99, 0, true, 99}}) {
    Timer timer(100);
    timer.reset();
    Timer::updateAll(c.first);
    Timer::updateAll(c.second);
    EXPECT_EQ(timer.active(), c.active) << c.first << " then " << c.second;
    EXPECT_EQ(timer.currentTime(), c.counted) << c.first << " then " << c.second;
  }
}

TEST(Timer, ExpiredTimerStopsCountingUntilReset) {
  Timer timer(10, true);
  Timer::updateAll(16);
  Timer::updateAll(16);
  EXPECT_EQ(timer.currentTime(), 16u);
  timer.reset();
  EXPECT_TRUE(timer.active());
  EXPECT_EQ(timer.currentTime(), 0u);
}

TEST(Timer, ZeroExpirationIsNeverActive) {
  Timer timer(0, true);
  EXPECT_FALSE(timer.active());
  timer.reset();
  EXPECT_FALSE(timer.active());
}

TEST(Timer, RegistryHoldsExactlyTheLiveTimers) {
  const size_t baseline = Timer::timers.size();
  auto first = std::make_unique<Timer>(100, true);
  Timer second(100, true);
  Timer copy(second);
  EXPECT_EQ(Timer::timers.size(), baseline + 3);
  first.reset();
  EXPECT_EQ(Timer::timers.size(), baseline + 2);
  Timer::updateAll(30);
  EXPECT_EQ(second.currentTime(), 30u);
  EXPECT_EQ(copy.currentTime(), 30u);
}
