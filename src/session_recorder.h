#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "clock.h"
#include "recording_format.h"
#include "units.h"

class Game;

// The loop's clock, passed through, with every reading kept for the recording.
class RecordingClock : public Clock {
 public:
  explicit RecordingClock(Clock& inner) : inner(inner) {}
  Millis ticks() override;
  void delay(Millis duration) override;

  Clock& inner;
  std::vector<Millis> readings;
};

// Records the session of one EventLoop: build it before the loop, hand the loop its
// clock, call begin once the loop has set the world up and frameDone after each frame.
// Key events are taken as they enter SDL's queue; the loop drains all of them in the
// frame that follows, so they belong to the next frameDone.
class SessionRecorder {
 public:
  SessionRecorder(const std::string& path, unsigned seed, Clock& clock);
  ~SessionRecorder();
  SessionRecorder(const SessionRecorder&) = delete;
  SessionRecorder& operator=(const SessionRecorder&) = delete;

  void begin();
  void frameDone(const Game& game);
  // The loop has ended, by Escape (0) or by the stop signal named.
  void end(int stopSignal);
  // Empty while the file takes every record; otherwise why it did not.
  const std::string& error() const { return writer.error; }

  RecordingClock clock;

 private:
  static int watchEvent(void* recorder, SDL_Event* event);

  RecordingWriter writer;
  unsigned seed;
  std::vector<RecordedKey> keys;
  int frames;
};

// vantorel-replay record: the real game with the real clock and keyboard, recorded
// into path as it runs. Returns the exit status.
int recordGame(const std::string& path);
