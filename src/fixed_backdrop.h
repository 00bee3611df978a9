#pragma once

#include <SDL.h>

#include <string>

#include "backdrop.h"

class Graphics;

// One image stretched over 4 by 4 tile blocks at fixed screen positions.
class FixedBackdrop : public Backdrop {
 public:
  FixedBackdrop(const std::string& fileName, Graphics& graphics);

  void draw(Graphics& graphics) const override;

  SDL_Texture* texture;
};
