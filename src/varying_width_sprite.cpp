#include "varying_width_sprite.h"

#include "failure.h"

VaryingWidthSprite::VaryingWidthSprite(Graphics& graphics, const std::string& fileName,
                                       PixelUnit sourceX, PixelUnit sourceY, PixelUnit maxWidth,
                                       PixelUnit initialWidth, PixelUnit height)
    : Sprite(graphics, fileName, sourceX, sourceY, initialWidth, height), maxWidth(maxWidth) {
  // A negative bar would make the truncation to unsigned undefined.
  GAME_ASSERT(maxWidth >= 0);
}

// Truncated, not rounded: a bar is never drawn fuller than it is.
void VaryingWidthSprite::setPercentage(float percentage) {
  GAME_ASSERT(percentage >= 0.0f && percentage <= 1.0f);
  sourceRect.w = static_cast<PixelUnit>(
      static_cast<unsigned>(static_cast<float>(maxWidth) * percentage));
}
