#pragma once

#include <string>

#include "sprite.h"
#include "units.h"

class Graphics;

// A bar cut off on the right at a fraction of its full width, never scaled.
class VaryingWidthSprite : public Sprite {
 public:
  VaryingWidthSprite(Graphics& graphics, const std::string& fileName, PixelUnit sourceX,
                     PixelUnit sourceY, PixelUnit maxWidth, PixelUnit initialWidth,
                     PixelUnit height);

  void setPercentage(float percentage);

  PixelUnit maxWidth;
};
