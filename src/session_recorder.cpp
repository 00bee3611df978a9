#include "session_recorder.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "event_loop.h"
#include "game.h"
#include "stop_signals.h"
#include "world_digest.h"

Millis RecordingClock::ticks() {
  const Millis reading = inner.ticks();
  readings.push_back(reading);
  return reading;
}

void RecordingClock::delay(Millis duration) { inner.delay(duration); }

SessionRecorder::SessionRecorder(const std::string& path, unsigned seed, Clock& clock)
    : clock(clock), writer(path), seed(seed), keys(), frames(0) {
  SDL_AddEventWatch(watchEvent, this);
}

SessionRecorder::~SessionRecorder() { SDL_DelEventWatch(watchEvent, this); }

int SessionRecorder::watchEvent(void* recorder, SDL_Event* event) {
  if (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP) {
    static_cast<SessionRecorder*>(recorder)->keys.push_back(
        {event->type == SDL_KEYDOWN, static_cast<std::uint32_t>(event->key.keysym.scancode),
         event->key.repeat != 0});
  }
  return 1;
}

void SessionRecorder::begin() {
  RecordingHeader header;
  header.gameVersion = thisGameVersion();
  header.platform = thisPlatform();
  header.seed = seed;
  header.setUpReadings.swap(clock.readings);
  writer.writeHeader(header);
}

void SessionRecorder::frameDone(const Game& game) {
  RecordedFrame frame;
  frame.readings.swap(clock.readings);
  frame.keys.swap(keys);
  frame.digest = digestWorld(game);
  frame.hasCheckpoint = frames % kCheckpointInterval == 0;
  if (frame.hasCheckpoint) frame.checkpoint = checkpointWorld(game);
  writer.writeFrame(frame);
  ++frames;
}

void SessionRecorder::end(int stopSignal) { writer.writeEnd(stopSignal); }

int recordGame(const std::string& path) {
  const unsigned seed = static_cast<unsigned>(std::time(nullptr));
  // As the game itself starts: the signals taken over before SDL starts.
  catchStopSignals();
  Game game{Game::WithoutLoop{}};
  Clock real_clock;
  SessionRecorder recorder(path, seed, real_clock);
  if (!recorder.error().empty()) {
    std::fprintf(stderr, "vantorel-replay: %s\n", recorder.error().c_str());
    return 1;
  }
  // Seeded after SDL starts and before the world is set up, where the game seeds too.
  std::srand(seed);
  {
    EventLoop loop(game, recorder.clock);
    recorder.begin();
    bool running = true;
    while (running) {
      running = loop.runFrame();
      recorder.frameDone(game);
    }
  }
  recorder.end(stopSignal());
  if (!recorder.error().empty()) {
    std::fprintf(stderr, "vantorel-replay: %s: %s\n", path.c_str(), recorder.error().c_str());
    return 1;
  }
  return exitStatusAfterStop();
}
