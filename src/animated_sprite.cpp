#include "animated_sprite.h"

#include "failure.h"

namespace {

Millis frameTime(Fps fps) {
  GAME_ASSERT(fps > 0);
  return 1000 / fps;
}

}  // namespace

// Frames start expired so the first update shows frame 1 at once.
AnimatedSprite::AnimatedSprite(Graphics& graphics, const std::string& fileName,
                               PixelUnit sourceX, PixelUnit sourceY, PixelUnit width,
                               PixelUnit height, Fps fps, FrameIndex numFrames)
    : Sprite(graphics, fileName, sourceX, sourceY,
             width * static_cast<PixelUnit>(numFrames > 0 ? numFrames : 1), height),
      frameTimer(frameTime(fps)),
      numFrames(numFrames),
      currentFrame(0),
      completedLoops(0) {
  GAME_ASSERT(numFrames > 0);
  sourceRect.w = width;
}

void AnimatedSprite::update() {
  if (frameTimer.active()) return;
  ++currentFrame;
  frameTimer.reset();
  if (currentFrame < numFrames) {
    sourceRect.x += sourceRect.w;
  } else {
    sourceRect.x -= static_cast<PixelUnit>(numFrames - 1) * sourceRect.w;
    currentFrame = 0;
    ++completedLoops;
  }
}
