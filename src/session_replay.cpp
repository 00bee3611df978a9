#include "session_replay.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "clock.h"
#include "event_loop.h"
#include "game.h"
#include "recording_format.h"
#include "stop_signals.h"
#include "world_digest.h"

namespace {

// The recorded readings, handed out in turn. Verify never sleeps; play waits until the
// real time since the start has caught up with the recorded time of each reading.
class ReplayClock : public Clock {
 public:
  explicit ReplayClock(bool paced) : paced(paced) {}

  void expect(const std::vector<Millis>& frameReadings) {
    readings = frameReadings;
    next = 0;
    extra = 0;
  }

  Millis ticks() override {
    if (next == readings.size()) {
      ++extra;
      return last;
    }
    last = readings[next++];
    if (paced) keepPace();
    return last;
  }

  void delay(Millis) override {}

  bool allRead() const { return next == readings.size() && extra == 0; }
  std::size_t taken() const { return next + extra; }
  std::size_t recorded() const { return readings.size(); }

 private:
  void keepPace() {
    if (!started) {
      started = true;
      recordedStart = last;
      realStart = SDL_GetTicks();
    }
    const std::int64_t ahead = static_cast<std::int64_t>(last - recordedStart) -
                               static_cast<std::int64_t>(SDL_GetTicks() - realStart);
    // A recorded clock that went back would ask for days; it gets no wait at all.
    if (ahead > 0 && ahead < kLongestWait) SDL_Delay(static_cast<Uint32>(ahead));
  }

  static constexpr std::int64_t kLongestWait = 60000;

  bool paced;
  std::vector<Millis> readings;
  std::size_t next = 0;
  std::size_t extra = 0;
  Millis last = 0;
  bool started = false;
  Millis recordedStart = 0;
  Uint32 realStart = 0;
};

// In play only what the replay pushes gets through, and the real Escape.
struct KeyGate {
  static int filter(void* gate, SDL_Event* event) {
    auto& self = *static_cast<KeyGate*>(gate);
    if ((event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) || self.pushing) return 1;
    if (event->key.keysym.scancode != SDL_SCANCODE_ESCAPE) return 0;
    if (event->type == SDL_KEYDOWN) self.escaped = true;
    return 1;
  }

  bool pushing = false;
  bool escaped = false;
};

void pushKeys(const std::vector<RecordedKey>& keys, KeyGate& gate) {
  gate.pushing = true;
  for (const RecordedKey& key : keys) {
    SDL_Event event{};
    event.type = key.down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = key.down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = key.repeat ? 1 : 0;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(key.scancode);
    SDL_PushEvent(&event);
  }
  gate.pushing = false;
}

// Where the world first parted from the recording, and what its checkpoint says.
struct Difference {
  int frame = -1;
  int part = 0;
  std::string detail;
  int checkpointFrame = -1;

  std::string line() const {
    std::string text = "differs at frame " + std::to_string(frame) + ", in " +
                       worldPartName(part);
    if (checkpointFrame < 0) return text + " (no checkpoint follows to say how)";
    if (detail.empty())
      return text + " (the checkpoint of frame " + std::to_string(checkpointFrame) +
             " shows none of it)";
    text += ": " + detail;
    if (checkpointFrame != frame)
      text += " (at the checkpoint of frame " + std::to_string(checkpointFrame) + ")";
    return text;
  }
};

const SDL_Rect kNowhere = {0, 0, 0, 0};

class Replay {
 public:
  Replay(const std::string& path, const ReplayOptions& options)
      : path(path), options(options), clock(options.paced) {}

  ReplayResult run() {
    if (!reader.open(path)) return failed(reader.error);
    if (reader.header.platform != thisPlatform())
      return failed("recorded on " + reader.header.platform + ", and this is " + thisPlatform() +
                    ": the C library's rand() differs between platforms, so it cannot replay "
                    "here");
    Game game{Game::WithoutLoop{}};
    std::srand(reader.header.seed);
    if (options.paced) SDL_SetEventFilter(KeyGate::filter, &gate);
    ReplayResult result = replay(game);
    if (options.paced) SDL_SetEventFilter(nullptr, nullptr);
    return result;
  }

 private:
  ReplayResult replay(Game& game) {
    clock.expect(reader.header.setUpReadings);
    EventLoop loop(game, clock);
    if (!clock.allRead()) return misread("set-up");
    for (;;) {
      const int frame = reader.framesRead;
      RecordedFrame recorded;
      const RecordingReader::Next next = reader.next(recorded);
      if (next != RecordingReader::FRAME) return ended(next, frame);
      clock.expect(recorded.readings);
      pushKeys(recorded.keys, gate);
      SDL_RenderSetClipRect(loop.graphics.renderer, options.pictures ? nullptr : &kNowhere);
      const bool more = loop.runFrame();
      if (!clock.allRead()) return misread("frame " + std::to_string(frame));
      compare(game, recorded, frame);
      if (difference.frame >= 0 && difference.checkpointFrame >= 0)
        return failed(difference.line());
      if (options.afterFrame) options.afterFrame(frame, game, loop.graphics);
      lastFrameWentOn = more;
      if (!more) {
        if (gate.escaped) return stopped("Escape", frame);
        if (stopSignal() != 0) return stopped(stopSignalName(stopSignal()), frame);
        return loopEnded(frame);
      }
    }
  }

  void compare(const Game& game, const RecordedFrame& recorded, int frame) {
    if (difference.frame < 0) {
      const WorldDigest digest = digestWorld(game);
      for (int part = 0; part < kWorldParts && difference.frame < 0; ++part) {
        if (digest[part] != recorded.digest[part]) {
          difference.frame = frame;
          difference.part = part;
        }
      }
    }
    if (!recorded.hasCheckpoint) return;
    const CheckpointDifference found = firstDifference(recorded.checkpoint, checkpointWorld(game));
    // Should two digests ever agree by chance, the checkpoint still tells.
    if (difference.frame < 0 && found.part >= 0) {
      difference.frame = frame;
      difference.part = found.part;
    }
    if (difference.frame >= 0) {
      difference.detail = found.detail;
      difference.checkpointFrame = frame;
    }
  }

  // The loop ended by itself, as it does on a recorded Escape: the file must end here too.
  ReplayResult loopEnded(int frame) {
    RecordedFrame recorded;
    const RecordingReader::Next next = reader.next(recorded);
    if (next == RecordingReader::FRAME)
      return failed("the loop ended at frame " + std::to_string(frame) +
                    ", and the recording goes on");
    return ended(next, frame + 1);
  }

  // No more frames: frames is how many were replayed.
  ReplayResult ended(RecordingReader::Next next, int frames) {
    if (difference.frame >= 0) return failed(difference.line());
    const std::string replayed = frames == 0 ? "no frame to replay"
                                             : "frames 0 to " + std::to_string(frames - 1) +
                                                   " replay and every checkpoint matches";
    switch (next) {
      case RecordingReader::END:
        if (reader.stopSignal == 0 && lastFrameWentOn)
          return failed("the recording's loop ended after frame " + std::to_string(frames - 1) +
                        ", and the replayed one goes on");
        return {0, path + ": " + std::to_string(frames) + " frames, every checkpoint matches" +
                       (reader.stopSignal != 0
                            ? " (stopped by " + stopSignalName(reader.stopSignal) + ")"
                            : "")};
      case RecordingReader::STOPS:
        if (frames == 0)
          return {0, path + ": ends before its first frame, as a game stopped while it set up "
                            "leaves it"};
        return {0, path + ": ends at frame " + std::to_string(frames - 1) +
                       " with no end record, as a killed or crashed game leaves it; every "
                       "checkpoint up to it matches"};
      default:
        return failed(reader.error + "; " + replayed);
    }
  }

  ReplayResult stopped(const std::string& how, int frame) {
    if (difference.frame >= 0) return failed(difference.line());
    return {0, path + ": stopped by " + how + " at frame " + std::to_string(frame) +
                   ", every checkpoint up to it matches"};
  }

  ReplayResult misread(const std::string& where) {
    return failed(where + ": the loop read its clock " + std::to_string(clock.taken()) +
                  " times, the recording has " + std::to_string(clock.recorded()) +
                  " readings");
  }

  ReplayResult failed(const std::string& why) const { return {1, path + ": " + why}; }

  const std::string path;
  const ReplayOptions& options;
  RecordingReader reader;
  ReplayClock clock;
  KeyGate gate;
  Difference difference;
  bool lastFrameWentOn = false;
};

}  // namespace

ReplayResult replaySession(const std::string& path, const ReplayOptions& options) {
  return Replay(path, options).run();
}
