#pragma once

#include <SDL.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "event_loop.h"
#include "game.h"
#include "key_script.h"
#include "session_recorder.h"
#include "test_support.h"

// The real Game, set up and run frame by frame by the shipped loop's own code, with
// fixed elapsed times and a seeded rand(); the world can be inspected between frames.
// Given a path, it records every frame it runs there, for vantorel-replay.
class GameHarness {
 public:
  explicit GameHarness(unsigned seed = 1, const std::string& recordingPath = "")
      : seeding(seed),
        recorder(recordingPath.empty()
                     ? nullptr
                     : std::make_unique<SessionRecorder>(recordingPath, seed, clock)),
        loop(game, recorder ? recorder->clock : static_cast<Clock&>(clock)) {
    if (recorder) recorder->begin();
  }

  // Advances the clock by elapsed and runs one whole frame: events, commands,
  // update, draw. Returns whether the loop would go on.
  bool frame(Millis elapsed = 16) {
    clock.now += elapsed;
    clock.delays.clear();
    const bool running = loop.runFrame();
    if (recorder) recorder->frameDone(game);
    return running;
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
  std::unique_ptr<SessionRecorder> recorder;
  EventLoop loop;
};

// Plays a script of keys on a harness in 16 ms frames, as the tools do.
class ScriptedPlay {
 public:
  ScriptedPlay(GameHarness& harness, KeyScript script)
      : harness(harness), script(std::move(script)) {}

  void frame() {
    pushKeysFor(script, next);
    harness.frame(16);
    ++next;
  }

  void until(int frame) {
    while (next < frame) this->frame();
  }

  GameHarness& harness;
  KeyScript script;
  int next = 0;
};
