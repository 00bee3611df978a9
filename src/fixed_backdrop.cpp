#include "fixed_backdrop.h"

#include "graphics.h"
#include "units.h"

namespace {

const TileUnit kBackgroundSize = 4;

}  // namespace

// Black stays opaque: the backdrop is the bottom layer, with nothing to show through.
FixedBackdrop::FixedBackdrop(const std::string& fileName, Graphics& graphics)
    : texture(graphics.loadImage(fileName, false)) {}

void FixedBackdrop::draw(Graphics& graphics) const {
  for (TileUnit x = 0; x < kScreenWidth; x += kBackgroundSize) {
    for (TileUnit y = 0; y < kScreenHeight; y += kBackgroundSize) {
      const SDL_Rect destination{tileToPixel(x), tileToPixel(y), tileToPixel(kBackgroundSize),
                                 tileToPixel(kBackgroundSize)};
      graphics.blit(texture, nullptr, &destination);
    }
  }
}
