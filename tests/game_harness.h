#pragma once

#include <SDL.h>

#include <cstdlib>

#include "event_loop.h"
#include "game.h"
#include "test_support.h"

// The real Game, set up and run frame by frame by the shipped loop's own code, with
// fixed elapsed times and a seeded rand(); the world can be inspected between frames.
class GameHarness {
 public:
  explicit GameHarness(unsigned seed = 1) : seeding(seed) {}

  // Advances the clock by elapsed and runs one whole frame: events, commands,
  // update, draw. Returns whether the loop would go on.
  bool frame(Millis elapsed = 16) {
    clock.now += elapsed;
    clock.delays.clear();
    return loop.runFrame();
  }

  void press(SDL_Scancode key) { pushKey(key, true); }
  void release(SDL_Scancode key) { pushKey(key, false); }

 private:
  struct Seeding {
    explicit Seeding(unsigned seed) { std::srand(seed); }
  } seeding;

 public:
  Game game{Game::WithoutLoop{}};
  ManualClock clock;
  EventLoop loop{game, clock};
};
