#include "scripted_play.h"

#include <cstdlib>

#include "event_loop.h"
#include "game.h"

void playScript(const KeyScript& script, int frames,
                const std::function<bool(int, const Game&, Graphics&)>& after) {
  // No window on screen, and the software renderer, whose pixels read back exactly.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // The same crystals every time.
  std::srand(1);
  Game game{Game::WithoutLoop{}};
  ScriptClock clock;
  EventLoop loop(game, clock);
  for (int frame = 0; frame < frames; ++frame) {
    pushKeysFor(script, frame);
    clock.now += Game::kFrameTime;
    loop.runFrame();
    if (!after(frame, game, loop.graphics)) return;
  }
}
