#pragma once

#include <functional>
#include <string>

#include "key_script.h"
#include "units.h"

class Game;

// A session recorded through the real Game and EventLoop, as `vantorel-replay record`
// records one, but from scripted keys and a scripted clock: the clock moves by
// frameTime(frame) at the start of each frame and never sleeps.
struct ScriptedSession {
  unsigned seed = 1;
  int frames = 0;
  KeyScript keys;
  std::function<Millis(int)> frameTime = [](int) { return Millis{16}; };
  // Pushes more keys before each frame, from what it sees of the world.
  std::function<void(int, const Game&)> player;
  // Runs after each frame has been recorded.
  std::function<void(int, const Game&)> afterFrame;
  // A player ends a session with Escape, in the last frame.
  bool escapeAtEnd = true;
};

// Records the session into path; returns the file's error, or empty.
std::string recordScriptedSession(const std::string& path, const ScriptedSession& session);
