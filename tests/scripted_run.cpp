// Runs the real game, its own loop and clock included, while a timer thread types a
// seeded random script of keys, then Escape. Used to check whole runs under memcheck.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "game.h"

namespace {

constexpr SDL_Scancode kKeys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                                  SDL_SCANCODE_DOWN, SDL_SCANCODE_X,     SDL_SCANCODE_Z,
                                  SDL_SCANCODE_A};

struct Script {
  std::mt19937 random;
  int ticksLeft;
};

void push(SDL_Scancode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

Uint32 type(Uint32 interval, void* param) {
  Script& script = *static_cast<Script*>(param);
  if (script.ticksLeft-- <= 0) {
    push(SDL_SCANCODE_ESCAPE, true);
    return interval;  // until the loop has seen it
  }
  const SDL_Scancode key = kKeys[script.random() % (sizeof kKeys / sizeof kKeys[0])];
  push(key, script.random() % 2 == 0);
  return interval;
}

}  // namespace

// Arguments: number of 16 ms script steps (default 300), seed (default 1).
int main(int argc, char** argv) {
  Script script{std::mt19937(argc > 2 ? std::atoi(argv[2]) : 1),
                argc > 1 ? std::atoi(argv[1]) : 300};
  SDL_AddTimer(16, type, &script);
  { Game game; }
  return 0;
}
