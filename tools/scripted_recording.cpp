#include "scripted_recording.h"

#include <cstdlib>

#include "event_loop.h"
#include "game.h"
#include "scripted_play.h"
#include "session_recorder.h"

std::string recordScriptedSession(const std::string& path, const ScriptedSession& session) {
  Game game{Game::WithoutLoop{}};
  ScriptClock clock;
  SessionRecorder recorder(path, session.seed, clock);
  std::srand(session.seed);
  EventLoop loop(game, recorder.clock);
  recorder.begin();
  bool running = true;
  for (int frame = 0; frame < session.frames && running; ++frame) {
    pushKeysFor(session.keys, frame);
    if (session.player) session.player(frame, game);
    if (session.escapeAtEnd && frame == session.frames - 1) pushKey(SDL_SCANCODE_ESCAPE, true);
    clock.now += session.frameTime(frame);
    running = loop.runFrame();
    recorder.frameDone(game);
    if (session.afterFrame) session.afterFrame(frame, game);
  }
  if (!running) recorder.end(0);
  return recorder.error();
}
