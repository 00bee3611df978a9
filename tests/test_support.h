#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "graphics.h"
#include "key_script.h"
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

// Records every renderer copy the Graphics makes while it lives, and stops on the way
// out, so a failed assertion cannot leave the Graphics writing into a vector long gone.
class BlitRecorder {
 public:
  explicit BlitRecorder(Graphics& graphics) : graphics(graphics) { graphics.recording = &blits; }
  ~BlitRecorder() { graphics.recording = nullptr; }
  BlitRecorder(const BlitRecorder&) = delete;
  BlitRecorder& operator=(const BlitRecorder&) = delete;

  std::vector<BlitRecord> blits;

 private:
  Graphics& graphics;
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

// A sheet read once from its file, so a test can compare many pixels against it.
class SheetImage {
 public:
  explicit SheetImage(const std::string& sheet);
  ~SheetImage();
  SheetImage(const SheetImage&) = delete;
  SheetImage& operator=(const SheetImage&) = delete;

  // As 0xRRGGBB; 0xFFFFFFFF, no colour at all, where the sheet could not be read.
  std::uint32_t at(int x, int y) const;
  // The pixels of a cell that are not the transparent black.
  int visiblePixels(const SDL_Rect& cell) const;

 private:
  SDL_Surface* surface;
};

// How many times line stands in text.
std::size_t countOf(const std::string& text, const std::string& line);

// A file of its own in /tmp, named after prefix, removed again when it goes.
class TempFile {
 public:
  explicit TempFile(const std::string& prefix);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::string path;
};

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
