#pragma once

#include <SDL.h>

#include <string>

#include "units.h"

class Graphics;

// One rectangle of a sheet, drawn unscaled at a world position.
class Sprite {
 public:
  Sprite(Graphics& graphics, const std::string& fileName, PixelUnit sourceX, PixelUnit sourceY,
         PixelUnit width, PixelUnit height);
  virtual ~Sprite() = default;

  virtual void update() {}
  void draw(Graphics& graphics, GameUnit x, GameUnit y) const;

  SDL_Rect sourceRect;
  SDL_Texture* texture;
};
