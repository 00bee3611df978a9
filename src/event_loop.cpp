#include "event_loop.h"

#include <SDL.h>

#include <algorithm>

#include "clock.h"
#include "game.h"
#include "stop_signals.h"

EventLoop::EventLoop(Game& game, Clock& clock)
    : game(game),
      clock(clock),
      graphics(),
      input(),
      particleTools{game.frontParticleSystem, game.entityParticleSystem, graphics},
      running(false),
      lastUpdateTime(0) {
  game.populateWorld(graphics, particleTools);
  running = true;
  lastUpdateTime = clock.ticks();
}

namespace {

// SDL hands these over with a string that the receiver frees: dropping the event must
// not drop the string with it.
void releaseEventData(const SDL_Event& event) {
  if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) SDL_free(event.drop.file);
#if SDL_VERSION_ATLEAST(2, 0, 22)
  if (event.type == SDL_TEXTEDITING_EXT) SDL_free(event.editExt.text);
#endif
}

}  // namespace

bool EventLoop::runFrame() {
  const Millis start_time = clock.ticks();
  input.beginNewFrame();
  // Everything but keys is dropped, the window's close request included: only
  // Escape ends the game.
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN)
      input.keyDownEvent(event);
    else if (event.type == SDL_KEYUP)
      input.keyUpEvent(event);
    else
      releaseEventData(event);
  }
  if (input.wasKeyPressed(SDL_SCANCODE_ESCAPE) || stopSignal() != 0) running = false;
  game.handleCommands(input);

  const Millis current_time = clock.ticks();
  game.update(std::min(current_time - lastUpdateTime, Game::kMaxFrameTime), graphics);
  lastUpdateTime = current_time;
  game.draw(graphics);

  const Millis duration = clock.ticks() - start_time;
  if (duration < Game::kFrameTime) clock.delay(Game::kFrameTime - duration);
  return running;
}

void EventLoop::run() {
  while (running) runFrame();
}
