// Plays about eight scripted seconds of the real game headless and writes them as a
// looping GIF: every second frame, scaled 2x, each changed region only.
//
// The game reads its sheets from ../content, so run it from a folder beside content/:
//   cd build && ./tools/vantorel_play_gif ../docs/play.gif
// or let CMake do it, with the still screenshot: cmake --build build --target screenshot
#include <cstdio>
#include <string>

#include "gif_animation.h"
#include "play_capture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.gif (run from a folder beside content/)\n", argv[0]);
    return 2;
  }
  const GifAnimation animation = capturePlay();
  const int expected = kPlayFrames / kPlayFrameStep;
  if (animation.frameCount() != expected) {
    std::fprintf(stderr, "kept %d of %d frames: the picture has more colours than a GIF holds\n",
                 animation.frameCount(), expected);
    return 1;
  }
  const std::string error = animation.write(argv[1]);
  if (!error.empty()) {
    std::fprintf(stderr, "could not write %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::printf("Wrote %s: %d frames\n", argv[1], animation.frameCount());
  return 0;
}
