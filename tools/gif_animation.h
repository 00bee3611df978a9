#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A looping GIF of same-sized frames drawn from few colours, written through giflib. The
// game draws from one small palette, so one global colour table holds every frame exactly:
// no quantising, no dithering. Each frame stores only the rectangle that changed since
// the one before, with its unchanged pixels left transparent, and is scaled up by a whole
// factor with nearest-neighbour when written.
class GifAnimation {
 public:
  // A GIF's colour table holds 256 entries; one is kept for transparency.
  static constexpr int kMaxColours = 255;

  // width and height are the frames' own size; the file shows them scale times larger.
  GifAnimation(int width, int height, int scale);

  // pixels holds width * height colours, 0xRRGGBB, row by row from the top. The frame is
  // shown for delay milliseconds; GIF delays are in hundredths of a second, so each delay
  // is rounded such that the running total stays true (32 ms frames get 3, 3, 4, 3, 3).
  // Returns false, keeping nothing of the frame, when its size or delay is wrong or it
  // brings the colours past kMaxColours.
  bool addFrame(const std::vector<std::uint32_t>& pixels, int delay);

  // Returns an empty string on success, else what went wrong.
  std::string write(const std::string& path) const;

  int frameCount() const { return static_cast<int>(frames.size()); }

 private:
  // One stored frame: the changed rectangle, in frame pixels, as colour-table indices.
  struct Frame {
    int left;
    int top;
    int width;
    int height;
    int delay;  // hundredths of a second
    std::vector<std::uint8_t> indices;
  };

  int width;
  int height;
  int scale;
  int elapsed;  // milliseconds shown by the frames so far
  std::vector<std::uint32_t> colours;
  std::vector<std::uint32_t> previous;
  std::vector<Frame> frames;
};
