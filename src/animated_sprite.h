#pragma once

#include <string>

#include "sprite.h"
#include "timer.h"
#include "units.h"

// A sprite stepping along a row of equally wide frames, wrapping and counting loops.
class AnimatedSprite : public Sprite {
 public:
  AnimatedSprite(Graphics& graphics, const std::string& fileName, PixelUnit sourceX,
                 PixelUnit sourceY, PixelUnit width, PixelUnit height, Fps fps,
                 FrameIndex numFrames);

  void update() override;
  unsigned numCompletedLoops() const { return completedLoops; }

  Timer frameTimer;
  FrameIndex numFrames;
  FrameIndex currentFrame;
  unsigned completedLoops;
};
