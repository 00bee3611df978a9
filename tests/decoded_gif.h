#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A GIF read back through giflib, as a viewer shows it.
struct DecodedGif {
  struct Frame {
    int left;
    int top;
    int width;
    int height;
    int delay;  // hundredths of a second
    int disposal;
    int transparent;  // colour index, or -1
    int clearPixels;  // how many of its pixels are transparent
    bool localColours;
  };

  std::string error;  // empty when the file decoded
  int width = 0;
  int height = 0;
  bool loopsForever = false;
  std::vector<Frame> frames;
};

// Decodes path and composes its frames in order onto one canvas, each left in place for
// the next; shown(index, canvas) sees the whole picture, 0xRRGGBB row by row, after each.
DecodedGif decodeGif(const std::string& path,
                     const std::function<void(int, const std::vector<std::uint32_t>&)>& shown =
                         nullptr);
