// Plays a few scripted seconds of the real game headless and writes the frame in which
// the shot hits the bat as a 640x480 PNG: the room, the player, the bat with its number,
// the crystals, the shot and the HUD all show in that one frame.
//
// The game reads its sheets from ../content, so run it from a folder beside content/:
//   cd build && ./tools/vantorel_screenshot ../docs/screenshot.png
// or let CMake do it: cmake --build build --target screenshot
#include <SDL.h>

#include <cstdio>

#include "cave_bat.h"
#include "game.h"
#include "graphics.h"
#include "key_script.h"
#include "png_file.h"
#include "scripted_play.h"

namespace {

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
  RgbImage picture;
  int hit_frame = -1;
  playScript(hopAndShootTheBat(), kMaxFrames,
             [&](int frame, const Game& game, Graphics& graphics) {
               if (!game.bat || game.bat->alive) return true;
               picture = readWindow(graphics.renderer);
               hit_frame = frame;
               return false;
             });
  if (hit_frame < 0) {
    std::fprintf(stderr, "the scripted shot missed the bat in %d frames\n", kMaxFrames);
    return 1;
  }
  if (!writePng(argv[1], picture)) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  std::printf("Wrote %s: frame %d, %dx%d\n", argv[1], hit_frame, picture.width, picture.height);
  return 0;
}
