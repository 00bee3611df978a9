#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "graphics.h"
#include "timer.h"
#include "units.h"

// SDL's video subsystem for the length of a test.
struct SdlVideo {
  SdlVideo();
  ~SdlVideo();
};

// What the renderer holds now, read back in logical pixels.
struct Screen {
  explicit Screen(Graphics& graphics);
  std::uint32_t at(PixelUnit x, PixelUnit y) const;  // 0xRRGGBB
  int scale;
  int width;
  std::vector<std::uint32_t> pixels;
};

// A clock the test sets by hand; delays are recorded, not slept. Scripted readings
// are handed out first, one per call, and the last one read stays the time.
struct ManualClock : Clock {
  Millis ticks() override {
    if (!script.empty()) {
      now = script.front();
      script.pop_front();
    }
    return now;
  }
  void delay(Millis duration) override { delays.push_back(duration); }
  Millis now = 0;
  std::deque<Millis> script;
  std::vector<Millis> delays;
};

// The renderer copies that draw makes, recorded through the Graphics.
std::vector<BlitRecord> recordBlits(Graphics& graphics, const std::function<void()>& draw);

struct ChildResult {
  int exitCode;  // -1 when the child did not exit normally
  int killedBy;  // the signal that ended the child, or 0
  std::string out;
  std::string err;
};

// Runs body in a forked child with its output captured; the child exits with the
// body's result.
ChildResult runInChild(const std::function<int()>& body);

// Collects what the process writes to standard output while it lives.
class StdoutCapture {
 public:
  StdoutCapture();
  ~StdoutCapture();
  std::string text();

 private:
  int saved;
  int file;
};

void pushKey(SDL_Scancode key, bool down, bool repeat = false);

// The colour of one pixel of a sheet, read from the file, as 0xRRGGBB.
std::uint32_t sheetPixel(const std::string& sheet, int x, int y);

// Runs game frames on object as the game does, Timer::updateAll then its update, 16 ms
// at a time with a shorter last frame, until timer reads time or runs out. Returns the
// last update's result.
template <typename Updated, typename World>
bool runFramesUntil(Updated& object, const Timer& timer, Millis time, const World& world) {
  bool running = true;
  while (timer.currentTime() < time && timer.active()) {
    const Millis step = time - timer.currentTime() < 16 ? time - timer.currentTime() : 16;
    Timer::updateAll(step);
    running = object.update(step, world);
  }
  return running;
}
