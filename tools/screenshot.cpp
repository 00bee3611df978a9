// Plays a few scripted seconds of the real game headless and writes the frame in which
// the shot hits the bat as a 640x480 PNG: the room, the player, the bat with its number,
// the crystals, the shot and the HUD all show in that one frame.
//
// The game reads its sheets from ../content, so run it from a folder beside content/:
//   cd build && ./tools/vantorel_screenshot ../docs/screenshot.png
// or let CMake do it: cmake --build build --target screenshot
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "cave_bat.h"
#include "clock.h"
#include "event_loop.h"
#include "game.h"
#include "key_script.h"
#include "png_file.h"

namespace {

// Time moves only when the script says so, and nothing sleeps.
struct ScriptClock : Clock {
  Millis ticks() override { return now; }
  void delay(Millis) override {}
  Millis now = 0;
};

const int kMaxFrames = 300;

// The whole window as it was presented, scaling included.
RgbImage readWindow(SDL_Renderer* renderer) {
  RgbImage image;
  SDL_GetRendererOutputSize(renderer, &image.width, &image.height);
  // With a logical size set, reading covers only the logical viewport.
  SDL_RenderSetLogicalSize(renderer, 0, 0);
  image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB24, image.rgb.data(),
                       image.width * 3);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png (run from a folder beside content/)\n", argv[0]);
    return 2;
  }
  // No window on screen, and the software renderer, whose pixels read back exactly.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // The same crystals every time.
  std::srand(1);

  Game game{Game::WithoutLoop{}};
  ScriptClock clock;
  EventLoop loop(game, clock);
  for (int frame = 0; frame < kMaxFrames; ++frame) {
    pushKeysFor(hopAndShootTheBat(), frame);
    clock.now += Game::kFrameTime;
    loop.runFrame();
    if (game.bat && !game.bat->alive) {
      const RgbImage picture = readWindow(loop.graphics.renderer);
      if (!writePng(argv[1], picture)) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
      }
      std::printf("Wrote %s: frame %d, %dx%d\n", argv[1], frame, picture.width, picture.height);
      return 0;
    }
  }
  std::fprintf(stderr, "the scripted shot missed the bat in %d frames\n", kMaxFrames);
  return 1;
}
