#include <gtest/gtest.h>

#include <SDL.h>

#include <boost/pointer_cast.hpp>
#include <boost/shared_ptr.hpp>

#include <string>
#include <utility>
#include <vector>

#include "cave_bat.h"
#include "damage_texts.h"
#include "death_cloud_particle.h"
#include "energy_crystal_pickup.h"
#include "flashing_pickup.h"
#include "floating_number.h"
#include "game_harness.h"
#include "graphics.h"
#include "particle.h"
#include "player.h"
#include "projectile.h"
#include "star_gun.h"

namespace {

// From the block, a shot fired as the bat rises back through the shot's height.
KeyScript shootTheBat() {
  return followedBy(ontoTheBlock(), {{92, SDL_SCANCODE_X, true}, {93, SDL_SCANCODE_X, false}});
}

bool blitted(const std::vector<BlitRecord>& blits, SDL_Texture* texture) {
  for (const BlitRecord& blit : blits) {
    if (blit.texture == texture) return true;
  }
  return false;
}

// Where the red glyph of a 1 was drawn this frame; only damage numbers use red digits.
const BlitRecord* redOne(const std::vector<BlitRecord>& blits, SDL_Texture* panels) {
  for (const BlitRecord& blit : blits) {
    if (blit.texture == panels && blit.hasSource && blit.source.x == 8 && blit.source.y == 64)
      return &blit;
  }
  return nullptr;
}

size_t occurrences(const std::string& text, const std::string& line) {
  size_t count = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
    ++count;
  return count;
}

template <typename Kind, typename Container>
std::vector<boost::shared_ptr<Kind>> ofKind(const Container& container) {
  std::vector<boost::shared_ptr<Kind>> found;
  for (const auto& item : container) {
    if (const auto cast = boost::dynamic_pointer_cast<Kind>(item)) found.push_back(cast);
  }
  return found;
}

bool batTouches(const Game& game) {
  return game.bat && game.bat->contactRectangle().collidesWith(game.player->damageRectangle());
}

// On the slab, where the bat's bob passes through the player.
void standInTheBatsPath(Game& game) {
  game.player->kinematicsX.position = 192.0f;
  game.player->kinematicsY.position = 224.0f;
}

}  // namespace

TEST(GamePlay, ShotBatIsDrawnOnceMoreThenDropsItsLootAndItsNumberFades) {
  GameHarness harness;
  Game& game = harness.game;
  Graphics& graphics = harness.loop.graphics;
  StdoutCapture output;
  std::vector<BlitRecord> blits;
  graphics.recording = &blits;
  SDL_Texture* const bat_sheet = graphics.spriteSheets.at(Graphics::sheetPath("Gravefolk"));
  SDL_Texture* const panels = graphics.spriteSheets.at(Graphics::sheetPath("Panels"));

  ScriptedPlay play(harness, shootTheBat());
  while (game.bat->alive && play.next < 120) {
    blits.clear();
    play.frame();
  }
  ASSERT_FALSE(game.bat->alive) << "the shot missed";
  const int hit_frame = play.next - 1;
  EXPECT_GT(hit_frame, 92);
  EXPECT_TRUE(blitted(blits, bat_sheet)) << "a bat hit this frame is still drawn";
  EXPECT_EQ(game.bat->damageText->value, 1);
  ASSERT_TRUE(redOne(blits, panels)) << "its number shows in the hit frame";
  EXPECT_EQ(game.player->health.damage, 0) << "the player's own number stays out of this";

  // A copy for the next frame only, to read where the bat was after its last update.
  boost::shared_ptr<CaveBat> last = game.bat;
  blits.clear();
  play.frame();
  EXPECT_FALSE(game.bat);
  EXPECT_FALSE(blitted(blits, bat_sheet));
  const GameUnit center_x = last->centerX();
  const GameUnit center_y = last->centerY();
  last.reset();

  const auto crystals = ofKind<EnergyCrystalPickup>(game.pickups.pickups);
  std::vector<boost::shared_ptr<EnergyCrystalPickup>> small;
  for (const auto& crystal : crystals) {
    if (crystal->size == EnergyCrystalPickup::SMALL) small.push_back(crystal);
  }
  ASSERT_EQ(small.size(), 1u);
  EXPECT_FLOAT_EQ(small[0]->kinematicsX.position + 16, center_x);
  EXPECT_FLOAT_EQ(small[0]->kinematicsY.position + 16, center_y);
  const auto hearts = ofKind<FlashingPickup>(game.pickups.pickups);
  ASSERT_EQ(hearts.size(), 1u);
  EXPECT_EQ(hearts[0]->type(), Pickup::HEALTH);
  EXPECT_FLOAT_EQ(hearts[0]->x + 16, center_x);
  EXPECT_FLOAT_EQ(hearts[0]->y + 16, center_y);
  const auto clouds = ofKind<DeathCloudParticle>(game.entityParticleSystem.particles);
  ASSERT_EQ(clouds.size(), 3u);
  for (const auto& cloud : clouds) {
    EXPECT_FLOAT_EQ(cloud->x + 16, center_x);
    EXPECT_FLOAT_EQ(cloud->y + 16, center_y);
  }
  EXPECT_TRUE(ofKind<DeathCloudParticle>(game.frontParticleSystem.particles).empty());

  // The number lives on where the bat was and fades 2000 ms after the hit.
  const BlitRecord* first = redOne(blits, panels);
  ASSERT_TRUE(first);
  const int number_x = first->destination.x;
  play.until(hit_frame + 124);
  blits.clear();
  play.frame();
  const BlitRecord* fading = redOne(blits, panels);
  ASSERT_TRUE(fading) << "still showing 1984 ms after the hit";
  EXPECT_EQ(fading->destination.x, number_x);
  EXPECT_EQ(occurrences(output.text(), DamageTexts::kDroppedLine), 0u);
  blits.clear();
  play.frame();
  EXPECT_FALSE(redOne(blits, panels)) << "gone 2000 ms after the hit";
  EXPECT_EQ(occurrences(output.text(), DamageTexts::kDroppedLine), 1u);
  play.until(play.next + 60);
  EXPECT_EQ(occurrences(output.text(), DamageTexts::kDroppedLine), 1u);
  EXPECT_EQ(game.damageTexts.damageTexts.size(), 1u) << "the player's entry stays";
  graphics.recording = nullptr;
}

TEST(GamePlay, BatHurtsOnceThenNotForThreeSecondsThoughItStillTouches) {
  GameHarness harness;
  Game& game = harness.game;
  Player& player = *game.player;
  standInTheBatsPath(game);

  harness.frame();
  ASSERT_TRUE(batTouches(game));
  EXPECT_EQ(player.health.damage, 1);
  EXPECT_EQ(player.health.currentHealth, 6);
  EXPECT_EQ(player.damageText->value, 1);

  int touching_while_invincible = 0;
  // Until the frame before the one whose update finds the invincibility over.
  int frame = 1;
  for (; player.invincibleTimer.currentTime() + 16 < 3000 && frame < 200; ++frame) {
    harness.frame();
    touching_while_invincible += batTouches(game);
    EXPECT_LE(player.health.damage + (6 - player.health.currentHealth), 1) << "frame " << frame;
  }
  EXPECT_EQ(frame, 188) << "3000 ms after the hit";
  EXPECT_GT(touching_while_invincible, 0) << "the bat's bob passed through the player";
  EXPECT_EQ(player.health.currentHealth, 5) << "the first hit drained after 1500 ms";
  EXPECT_EQ(player.health.damage, 0);

  // The next update finds the invincibility over, with the bat still in the way.
  harness.frame();
  ASSERT_TRUE(batTouches(game));
  EXPECT_EQ(player.health.damage, 1) << "hurt again in frame " << frame;
  EXPECT_EQ(player.health.currentHealth, 5);
  EXPECT_TRUE(player.invincibleTimer.active());
}

TEST(GamePlay, HeartFromTheBatCancelsThePendingDamage) {
  GameHarness harness;
  Game& game = harness.game;
  Player& player = *game.player;
  standInTheBatsPath(game);
  harness.frame();
  ASSERT_EQ(player.health.damage, 1);

  // Point blank: the bat is still level with the gun.
  harness.press(SDL_SCANCODE_X);
  harness.frame();
  ASSERT_TRUE(game.bat);
  ASSERT_FALSE(game.bat->alive);
  harness.frame();
  ASSERT_FALSE(game.bat);
  EXPECT_TRUE(ofKind<FlashingPickup>(game.pickups.pickups).empty()) << "dropped onto the player";
  EXPECT_EQ(player.health.damage, 0);
  EXPECT_EQ(player.health.currentHealth, 6);

  for (int i = 0; i < 100; ++i) harness.frame();
  EXPECT_EQ(player.health.currentHealth, 6) << "nothing was left to drain";
}

TEST(GamePlay, CrystalsTouchedOnTheWayRaiseTheGunsExperienceAndLevel) {
  GameHarness harness;
  Game& game = harness.game;
  const StarGun& gun = game.player->starGun;
  // Over the block and down onto the slab, where the start crystals bounce.
  ScriptedPlay play(harness, {{2, SDL_SCANCODE_Z, true},
                              {2, SDL_SCANCODE_LEFT, true},
                              {60, SDL_SCANCODE_Z, false}});
  int highest_level = 1;
  while (play.next < 300 && highest_level < 3) {
    play.frame();
    const int collected =
        8 - static_cast<int>(ofKind<EnergyCrystalPickup>(game.pickups.pickups).size());
    ASSERT_EQ(gun.experience, 5 * collected) << "frame " << play.next - 1;
    const int level = gun.experience >= 30 ? 3 : gun.experience >= 10 ? 2 : 1;
    ASSERT_EQ(gun.currentLevel(), level) << "at " << gun.experience;
    // Collected within two seconds of each other, they add up in one number.
    EXPECT_EQ(game.player->experienceText.value, gun.experience);
    highest_level = level;
  }
  EXPECT_EQ(highest_level, 3);
}

TEST(GameControls, OppositeArrowsCancelEachOther) {
  GameHarness harness;
  const Player& player = *harness.game.player;
  harness.frame();
  struct Case {
    std::vector<SDL_Scancode> held;
    int direction;
    VerticalFacing look;
  };
  for (const Case& c : std::vector<Case>{
           {{}, 0, HORIZONTAL},
           {{SDL_SCANCODE_LEFT}, -1, HORIZONTAL},
           {{SDL_SCANCODE_RIGHT}, 1, HORIZONTAL},
           {{SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT}, 0, HORIZONTAL},
           {{SDL_SCANCODE_UP}, 0, UP},
           {{SDL_SCANCODE_DOWN}, 0, DOWN},
           {{SDL_SCANCODE_UP, SDL_SCANCODE_DOWN}, 0, HORIZONTAL},
           {{SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP, SDL_SCANCODE_DOWN}, 0,
            HORIZONTAL}}) {
    for (const SDL_Scancode key : c.held) harness.press(key);
    harness.frame();
    EXPECT_EQ(player.accelerationXDirection, c.direction) << c.held.size() << " keys";
    EXPECT_EQ(player.intendedVerticalFacing, c.look) << c.held.size() << " keys";
    for (const SDL_Scancode key : c.held) harness.release(key);
    harness.frame();
  }
}

TEST(GameControls, HoldingLeftWithRightSlowsTheWalkExactlyAsLettingGoDoes) {
  struct Sample {
    float speed;
    float x;
    bool operator==(const Sample& other) const { return speed == other.speed && x == other.x; }
  };
  // Walks right for a few frames, then holds both arrows or neither.
  const auto walkThenStop = [](bool hold_both) {
    GameHarness harness;
    const Player& player = *harness.game.player;
    harness.frame();
    harness.press(SDL_SCANCODE_RIGHT);
    for (int i = 0; i < 6; ++i) harness.frame();
    if (hold_both)
      harness.press(SDL_SCANCODE_LEFT);
    else
      harness.release(SDL_SCANCODE_RIGHT);
    std::vector<Sample> samples;
    for (int i = 0; i < 30; ++i) {
      harness.frame();
      EXPECT_EQ(player.accelerationXDirection, 0);
      EXPECT_EQ(player.horizontalFacing, RIGHT);
      samples.push_back({player.kinematicsX.velocity, player.kinematicsX.position});
    }
    return samples;
  };
  const std::vector<Sample> both = walkThenStop(true);
  EXPECT_GT(both.front().speed, 0.0f);
  for (size_t i = 1; i < both.size(); ++i) {
    if (both[i - 1].speed > 0.0f)
      EXPECT_LT(both[i].speed, both[i - 1].speed) << "frame " << i;
    else
      EXPECT_EQ(both[i].speed, 0.0f) << "frame " << i;
  }
  EXPECT_EQ(both.back().speed, 0.0f) << "friction stops the player";
  EXPECT_TRUE(both == walkThenStop(false));
}

TEST(GameControls, TapOfXWithinOneFrameFiresOneShot) {
  GameHarness harness;
  const Player& player = *harness.game.player;
  harness.frame();
  harness.press(SDL_SCANCODE_X);
  harness.release(SDL_SCANCODE_X);
  harness.frame();
  EXPECT_EQ(player.getProjectiles().size(), 1u);
  harness.frame();
  EXPECT_EQ(player.getProjectiles().size(), 1u);
}

TEST(GameControls, KeyRepeatsOfXFireAgainUntilBothSlotsAreFull) {
  GameHarness harness;
  const Player& player = *harness.game.player;
  harness.frame();
  harness.press(SDL_SCANCODE_X);
  harness.frame();
  EXPECT_EQ(player.getProjectiles().size(), 1u);
  harness.frame();
  EXPECT_EQ(player.getProjectiles().size(), 1u) << "holding alone fires nothing more";
  pushKey(SDL_SCANCODE_X, true, true);
  harness.frame();
  EXPECT_EQ(player.getProjectiles().size(), 2u);
  const auto in_flight = player.getProjectiles();
  pushKey(SDL_SCANCODE_X, true, true);
  harness.frame();
  EXPECT_EQ(player.getProjectiles(), in_flight) << "a third shot waits for a free slot";
  harness.release(SDL_SCANCODE_X);
  harness.frame();
  EXPECT_EQ(player.getProjectiles(), in_flight);
}
