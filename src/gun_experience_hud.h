#pragma once

#include "sprite.h"
#include "timer.h"
#include "units.h"
#include "varying_width_sprite.h"

class Graphics;

// The gun's row of the head-up display: level label, level, experience bar.
class GunExperienceHUD {
 public:
  explicit GunExperienceHUD(Graphics& graphics);

  void activateFlash();
  // experience counts within the level; levelExperience is the level's span.
  void draw(Graphics& graphics, GunLevel level, int experience, int levelExperience);

  Sprite experienceBarSprite;
  Sprite levelWordSprite;
  Sprite flashSprite;
  Sprite maxSprite;
  VaryingWidthSprite fillSprite;
  Timer flashTimer;
};
