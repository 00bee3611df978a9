#include "gun_experience_hud.h"

#include "number_sprite.h"

namespace {

const char* const kSheet = "Panels";
const Millis kFlashTime = 800;
const Millis kFlashPeriod = 40;
const int kLevelDigits = 2;

const GameUnit kRowY = 3 * kHalfTile;
const GameUnit kLevelWordX = tileToGame(1);
const GameUnit kLevelNumberX = 3 * kHalfTile;
const GameUnit kBarX = 5 * kHalfTile;

// Every piece is a row of half tiles on the sheet.
PixelUnit halfTiles(int count) { return gameToPixel(count * kHalfTile); }

}  // namespace

GunExperienceHUD::GunExperienceHUD(Graphics& graphics)
    : experienceBarSprite(graphics, kSheet, halfTiles(0), halfTiles(9), halfTiles(5),
                          halfTiles(1)),
      levelWordSprite(graphics, kSheet, halfTiles(10), halfTiles(10), halfTiles(2),
                      halfTiles(1)),
      flashSprite(graphics, kSheet, halfTiles(5), halfTiles(10), halfTiles(5), halfTiles(1)),
      maxSprite(graphics, kSheet, halfTiles(5), halfTiles(9), halfTiles(5), halfTiles(1)),
      fillSprite(graphics, kSheet, halfTiles(0), halfTiles(10), halfTiles(5), 0, halfTiles(1)),
      flashTimer(kFlashTime) {}

void GunExperienceHUD::activateFlash() { flashTimer.reset(); }

void GunExperienceHUD::draw(Graphics& graphics, GunLevel level, int experience,
                            int levelExperience) {
  levelWordSprite.draw(graphics, kLevelWordX, kRowY);
  NumberSprite::hudNumber(graphics, level, kLevelDigits).draw(graphics, kLevelNumberX, kRowY);
  experienceBarSprite.draw(graphics, kBarX, kRowY);
  // Only the capped level ever fills its span; a full bar there reads as the plate.
  if (experience < levelExperience) {
    fillSprite.setPercentage(static_cast<float>(experience * 1.0 / levelExperience));
    fillSprite.draw(graphics, kBarX, kRowY);
  } else {
    maxSprite.draw(graphics, kBarX, kRowY);
  }
  if (flashTimer.active() && flashTimer.currentTime() / kFlashPeriod % 2 == 0) {
    flashSprite.draw(graphics, kBarX, kRowY);
  }
}
