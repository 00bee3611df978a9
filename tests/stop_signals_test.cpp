#include <gtest/gtest.h>

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game.h"
#include "stop_signals.h"
#include "test_support.h"

namespace {

Uint32 sendSignal(Uint32, void* signal_number) {
  kill(getpid(), *static_cast<int*>(signal_number));
  return 0;
}

}  // namespace

// The whole program as main runs it, stopped by each signal once its loop is going.
TEST(StopSignals, EndTheGameLikeEscapeWithTheShellsExitStatus) {
  struct Case { int signal; int status; };
  for (Case c : std::vector<Case>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    const ChildResult result = runInChild([&c] {
      SDL_AddTimer(300, sendSignal, &c.signal);
      { Game game; }
      return exitStatusAfterStop();
    });
    EXPECT_EQ(result.killedBy, 0) << strsignal(c.signal);
    EXPECT_EQ(result.exitCode, c.status) << strsignal(c.signal) << "\n" << result.err;
    EXPECT_EQ(result.err, "") << strsignal(c.signal);
    // Set-up ran through to the loop: every sheet was loaded.
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 8) << result.out;
  }
}

TEST(StopSignals, ARepeatEndsTheProcessAtOnce) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const ChildResult result = runInChild([signal_number] {
      catchStopSignals();
      raise(signal_number);
      if (stopSignal() != signal_number) return 2;
      raise(signal_number);
      return 0;
    });
    EXPECT_EQ(result.killedBy, signal_number) << strsignal(signal_number);
  }
}

TEST(StopSignals, TheFirstSignalDecidesTheStatus) {
  const ChildResult result = runInChild([] {
    catchStopSignals();
    raise(SIGTERM);
    raise(SIGINT);
    return exitStatusAfterStop();
  });
  EXPECT_EQ(result.exitCode, 143);
}
