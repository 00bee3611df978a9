// Runs the shipped loop's frames on the real world, typing a seeded random script of
// keys among every other kind of event a desktop sends, then Escape. Used to check
// whole runs under memcheck: the clock is set by hand, so a run has the same frames
// however slowly memcheck lets it go.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "event_loop.h"
#include "cave_bat.h"
#include "desktop_events.h"
#include "game.h"
#include "test_support.h"

namespace {

constexpr SDL_Scancode kKeys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                                  SDL_SCANCODE_DOWN, SDL_SCANCODE_X,     SDL_SCANCODE_Z,
                                  SDL_SCANCODE_A};

void push(SDL_Scancode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

}  // namespace

// Arguments: number of frames (default 300), seed (default 1).
int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
  std::mt19937 random(seed);
  // A generator of their own keeps the keys the same whatever else arrives.
  std::mt19937 others(seed);
  std::srand(seed);
  Game game{Game::WithoutLoop{}};
  ManualClock clock;
  EventLoop loop(game, clock);
  const Uint32 window = SDL_GetWindowID(loop.graphics.window);
  for (int frame = 0; frame < frames; ++frame) {
    pushDesktopEvent(others, window);
    // Random keys rarely bring the player up beside the bat, so halfway through it
    // takes a hit as from a shot: its death and drops then run under memcheck too.
    if (frame == frames / 2 && game.bat) game.bat->takeDamage(1);
    if (random() % 4 == 0) {
      const SDL_Scancode key = kKeys[random() % (sizeof kKeys / sizeof kKeys[0])];
      push(key, random() % 2 == 0);
    }
    // Mostly whole frames, now and then a short one or a stall the loop caps.
    const unsigned roll = random() % 100;
    clock.now += roll == 0 ? 2000 : roll < 20 ? random() % 84 : 16;
    if (!loop.runFrame()) return EXIT_FAILURE;
  }
  push(SDL_SCANCODE_ESCAPE, true);
  clock.now += 16;
  if (loop.runFrame()) return EXIT_FAILURE;
  return game.bat ? EXIT_FAILURE : EXIT_SUCCESS;
}
