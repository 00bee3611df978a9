#include "player_walking_animation.h"

namespace {

const Millis kWalkFrameTime = 66;

}  // namespace

// The timer starts expired, so a fresh cycle steps in its first frame.
PlayerWalkingAnimation::PlayerWalkingAnimation()
    : frameTimer(kWalkFrameTime), currentIndex(0), forward(true) {}

void PlayerWalkingAnimation::update() {
  if (frameTimer.active()) return;
  frameTimer.reset();
  if (forward) {
    ++currentIndex;
    forward = currentIndex != 2;
  } else {
    --currentIndex;
    forward = currentIndex == 0;
  }
}

void PlayerWalkingAnimation::reset() {
  forward = true;
  currentIndex = 0;
  frameTimer.reset();
}

StrideType PlayerWalkingAnimation::stride() const {
  switch (currentIndex) {
    case 0: return STRIDE_START;
    case 2: return STRIDE_END;
    default: return STRIDE_MIDDLE;
  }
}
