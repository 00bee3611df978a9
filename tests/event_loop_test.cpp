#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include "event_loop.h"
#include "game.h"
#include "sheet_names.h"
#include "test_support.h"
#include "timer.h"

namespace {

// The real set-up and frames of the shipped loop, with the clock in the test's hands.
class EventLoopTest : public testing::Test {
 protected:
  Game game{Game::WithoutLoop{}};
  ManualClock clock;
  EventLoop loop{game, clock};
  // Observes the elapsed time each update hands to the timers.
  Timer probe{1000000};

  // One frame whose three clock readings are start, update time and end.
  bool frame(Millis start, Millis update, Millis end) {
    clock.script = {start, update, end};
    probe.reset();
    return loop.runFrame();
  }
};

}  // namespace

TEST_F(EventLoopTest, UpdatesReceiveTheElapsedTimeCappedAt83) {
  struct Case { Millis start; Millis update; Millis elapsed; };
  // The loop read 0 as its start; each frame's update reads the next time.
  for (const Case& c : std::vector<Case>{{0, 16, 16}, {16, 516, 83}, {516, 530, 14},
                                         {530, 530, 0}, {530, 531, 1}}) {
    frame(c.start, c.update, c.update);
    EXPECT_EQ(probe.currentTime(), c.elapsed) << "update at " << c.update;
  }
}

TEST_F(EventLoopTest, SleepsOnlyTheRestOfSixteenMilliseconds) {
  frame(100, 100, 105);
  frame(105, 105, 125);
  frame(125, 125, 141);
  frame(141, 141, 141);
  EXPECT_EQ(clock.delays, (std::vector<Millis>{11, 16}));
}

TEST_F(EventLoopTest, CloseRequestDoesNotEndTheLoop) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_TRUE(frame(0, 16, 16));
  EXPECT_TRUE(loop.running);
}

TEST_F(EventLoopTest, EscapeEndsTheLoopAfterTheFrameRuns) {
  frame(0, 16, 16);
  pushKey(SDL_SCANCODE_ESCAPE, true);
  EXPECT_FALSE(frame(16, 32, 20));
  EXPECT_EQ(probe.currentTime(), 16u);  // that frame still updated
  EXPECT_EQ(clock.delays, (std::vector<Millis>{12}));  // and still paced itself
  EXPECT_FALSE(loop.running);
}

TEST_F(EventLoopTest, KeyEventsReachTheInputOfTheirFrame) {
  pushKey(SDL_SCANCODE_Z, true);
  pushKey(SDL_SCANCODE_LEFT, true);
  pushKey(SDL_SCANCODE_LEFT, false);
  frame(0, 16, 16);
  EXPECT_TRUE(loop.input.wasKeyPressed(SDL_SCANCODE_Z));
  EXPECT_TRUE(loop.input.isKeyHeld(SDL_SCANCODE_Z));
  EXPECT_TRUE(loop.input.wasKeyReleased(SDL_SCANCODE_LEFT));
  EXPECT_FALSE(loop.input.isKeyHeld(SDL_SCANCODE_LEFT));
  frame(16, 32, 32);
  EXPECT_FALSE(loop.input.wasKeyPressed(SDL_SCANCODE_Z));
  EXPECT_TRUE(loop.input.isKeyHeld(SDL_SCANCODE_Z));
}

namespace {

Uint32 pushQuit(Uint32, void*) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  return 0;
}

// Repeats until the loop sees it, however slow the start-up.
Uint32 pushEscape(Uint32 interval, void*) {
  pushKey(SDL_SCANCODE_ESCAPE, true);
  pushKey(SDL_SCANCODE_ESCAPE, false);
  return interval;
}

// Shots make the first particles, which need the last sheet.
Uint32 pushFire(Uint32 interval, void*) {
  pushKey(SDL_SCANCODE_X, true);
  pushKey(SDL_SCANCODE_X, false);
  return interval;
}

}  // namespace

TEST(Game, RealLoopRunsUntilEscapeAndExitsCleanly) {
  const auto start = std::chrono::steady_clock::now();
  const ChildResult result = runInChild([] {
    SDL_AddTimer(50, pushFire, nullptr);
    SDL_AddTimer(100, pushQuit, nullptr);
    SDL_AddTimer(300, pushEscape, nullptr);
    { Game game; }
    return 0;
  });
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // The close request at 100 ms did not end it; the Escape from 300 ms on did.
  EXPECT_GE(elapsed, std::chrono::milliseconds(300));
  // Each sheet is read once, however many sprites and shots use it; nothing else is said.
  for (const char* sheet : kSheetNames) {
    const std::string line =
        std::string("Loading sprite: ../content/sprites/umbercrag/") + sheet + ".pbm\n";
    const size_t at = result.out.find(line);
    EXPECT_NE(at, std::string::npos) << sheet;
    EXPECT_EQ(result.out.find(line, at + 1), std::string::npos) << sheet << " twice";
  }
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 9) << result.out;
}

TEST(Game, NoVideoDeviceGivesOneClearLineAndAFailingExit) {
  const ChildResult result = runInChild([] {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    { Game game; }
    return 0;
  });
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.find("Vantorel: could not start SDL video: "), 0u) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
}
