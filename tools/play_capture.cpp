#include "play_capture.h"

#include <SDL.h>

#include "game.h"
#include "gif_animation.h"
#include "graphics.h"
#include "key_script.h"
#include "scripted_play.h"
#include "units.h"

namespace {

const PixelUnit kLogicalWidth = tileToPixel(Game::kScreenWidth);
const PixelUnit kLogicalHeight = tileToPixel(Game::kScreenHeight);
constexpr int kGifScale = 2;

}  // namespace

std::vector<std::uint32_t> logicalPicture(Graphics& graphics) {
  int width = 0;
  int height = 0;
  SDL_GetRendererOutputSize(graphics.renderer, &width, &height);
  // Reading covers only the logical viewport while a logical size is set.
  SDL_RenderSetLogicalSize(graphics.renderer, 0, 0);
  std::vector<std::uint32_t> window(static_cast<std::size_t>(width) * height);
  SDL_RenderReadPixels(graphics.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, window.data(),
                       width * 4);
  SDL_RenderSetLogicalSize(graphics.renderer, kLogicalWidth, kLogicalHeight);
  const int scale_x = width / kLogicalWidth;
  const int scale_y = height / kLogicalHeight;
  std::vector<std::uint32_t> picture(static_cast<std::size_t>(kLogicalWidth) * kLogicalHeight);
  for (int y = 0; y < kLogicalHeight; ++y) {
    for (int x = 0; x < kLogicalWidth; ++x) {
      picture[static_cast<std::size_t>(y) * kLogicalWidth + x] =
          window[static_cast<std::size_t>(y * scale_y) * width + x * scale_x] & 0xFFFFFFu;
    }
  }
  return picture;
}

GifAnimation capturePlay(const std::function<void(int, const Game&, Graphics&)>& also) {
  GifAnimation animation(kLogicalWidth, kLogicalHeight, kGifScale);
  playScript(showTheGameOff(), kPlayFrames, [&](int frame, const Game& game, Graphics& graphics) {
    if (frame % kPlayFrameStep == 0)
      animation.addFrame(logicalPicture(graphics), kPlayFrameStep * Game::kFrameTime);
    if (also) also(frame, game, graphics);
    return true;
  });
  return animation;
}
