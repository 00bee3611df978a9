#include "sprite.h"

#include "failure.h"
#include "graphics.h"

Sprite::Sprite(Graphics& graphics, const std::string& fileName, PixelUnit sourceX,
               PixelUnit sourceY, PixelUnit width, PixelUnit height)
    : sourceRect{sourceX, sourceY, width, height},
      texture(graphics.loadImage(fileName, true)) {
  // A sheet too small for its cells would draw garbage or nothing; say so instead.
  int sheet_width = 0;
  int sheet_height = 0;
  SDL_QueryTexture(texture, nullptr, nullptr, &sheet_width, &sheet_height);
  if (sourceX < 0 || sourceY < 0 || width < 0 || height < 0 ||
      sourceX > sheet_width - width || sourceY > sheet_height - height) {
    fatalError("sprite sheet " + Graphics::sheetPath(fileName) + " is " +
               std::to_string(sheet_width) + "x" + std::to_string(sheet_height) +
               ", too small for the cell at (" + std::to_string(sourceX) + ", " +
               std::to_string(sourceY) + ") of " + std::to_string(width) + "x" +
               std::to_string(height));
  }
}

void Sprite::draw(Graphics& graphics, GameUnit x, GameUnit y) const {
  const SDL_Rect destination{gameToPixel(x), gameToPixel(y), sourceRect.w, sourceRect.h};
  graphics.blit(texture, &sourceRect, &destination);
}
