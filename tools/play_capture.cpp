#include "play_capture.h"

#include <cstdlib>

#include "clock.h"
#include "event_loop.h"
#include "game.h"
#include "gif_animation.h"
#include "graphics.h"
#include "units.h"

namespace {

// Time moves only when the run says so, and nothing sleeps.
struct ScriptClock : Clock {
  Millis ticks() override { return now; }
  void delay(Millis) override {}
  Millis now = 0;
};

void pushKey(SDL_Scancode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

const PixelUnit kLogicalWidth = tileToPixel(Game::kScreenWidth);
const PixelUnit kLogicalHeight = tileToPixel(Game::kScreenHeight);
constexpr int kGifScale = 2;

}  // namespace

// The bat's bob takes 3000 ms, so every beat below is timed against it: the jump across
// lands the player in the bat's column as it comes down through the ledge, and the shot
// from the ledge's far end meets it rising back through the shot's height.
const std::vector<KeyChange> kPlayScript = {
    // A held jump with a short push left lands on the block by the chain.
    {2, SDL_SCANCODE_Z, true},
    {2, SDL_SCANCODE_LEFT, true},
    {14, SDL_SCANCODE_LEFT, false},
    {60, SDL_SCANCODE_Z, false},
    {75, SDL_SCANCODE_UP, true},
    {125, SDL_SCANCODE_UP, false},
    // Across to the ledge, two crystals on the way in: level 2 just before the bat hits.
    {130, SDL_SCANCODE_LEFT, true},
    {131, SDL_SCANCODE_Z, true},
    {135, SDL_SCANCODE_Z, false},
    // Blinking, the player walks on through three more crystals, then turns.
    {226, SDL_SCANCODE_LEFT, false},
    {240, SDL_SCANCODE_RIGHT, true},
    {241, SDL_SCANCODE_RIGHT, false},
    {268, SDL_SCANCODE_X, true},
    {269, SDL_SCANCODE_X, false},
    // Back towards the drops with a tapped jump, and a level-2 shot into the room.
    {300, SDL_SCANCODE_RIGHT, true},
    {312, SDL_SCANCODE_Z, true},
    {313, SDL_SCANCODE_Z, false},
    {330, SDL_SCANCODE_RIGHT, false},
    {350, SDL_SCANCODE_X, true},
    {351, SDL_SCANCODE_X, false},
    // A last held jump back along the ledge as the crystals blink out.
    {400, SDL_SCANCODE_LEFT, true},
    {401, SDL_SCANCODE_Z, true},
    {430, SDL_SCANCODE_LEFT, false},
    {440, SDL_SCANCODE_Z, false}};

void playScript(const std::function<void(int, const Game&, Graphics&)>& after) {
  // No window on screen, and the software renderer, whose pixels read back exactly.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  std::srand(kPlaySeed);
  Game game{Game::WithoutLoop{}};
  ScriptClock clock;
  EventLoop loop(game, clock);
  for (int frame = 0; frame < kPlayFrames; ++frame) {
    for (const KeyChange& change : kPlayScript) {
      if (change.frame == frame) pushKey(change.key, change.down);
    }
    clock.now += Game::kFrameTime;
    loop.runFrame();
    after(frame, game, loop.graphics);
  }
}

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
  playScript([&](int frame, const Game& game, Graphics& graphics) {
    if (frame % kPlayFrameStep == 0)
      animation.addFrame(logicalPicture(graphics), kPlayFrameStep * Game::kFrameTime);
    if (also) also(frame, game, graphics);
  });
  return animation;
}
