// The game's start-up and nothing after it: the shipped constructor's steps, the
// loop's set-up and one whole frame up to its present, then the same tear-down as
// after Escape. Timed against bare_startup, which draws with SDL alone.
#include <cstdlib>
#include <ctime>

#include "clock.h"
#include "event_loop.h"
#include "game.h"

namespace {

// The real clock, except that the frame's leftover is not slept: the process ends
// as soon as the frame is on the screen.
class NoWaitClock : public Clock {
 public:
  void delay(Millis) override {}
};

}  // namespace

int main(int, char**) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  Game game{Game::WithoutLoop{}};
  NoWaitClock clock;
  EventLoop loop(game, clock);
  loop.runFrame();
  return EXIT_SUCCESS;
}
