#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <cstdint>

#include "floating_number.h"
#include "graphics.h"
#include "player.h"
#include "player_fixture.h"
#include "test_support.h"

namespace {

class PlayerHealth : public PlayerFixture {
 protected:
  // Lit pixels of the screen inside a box of logical pixels.
  int litPixels(PixelUnit left, PixelUnit top, PixelUnit width, PixelUnit height) {
    const Screen screen(graphics);
    int lit = 0;
    for (PixelUnit y = top; y < top + height; ++y)
      for (PixelUnit x = left; x < left + width; ++x) lit += screen.at(x, y) != 0;
    return lit;
  }

  int litHealthRow() { return litPixels(16, 32, 88, 8); }
  int litGunRow() { return litPixels(16, 24, 88, 8); }
};

}  // namespace

TEST_F(PlayerHealth, OneHitShowsAtOnceDrainsLateAndProtectsForThreeSeconds) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->takeDamage(1);

  EXPECT_EQ(player->health.healthFillSprite.sourceRect.w, 32);  // 5/6 of 39
  EXPECT_EQ(player->health.damageFillSprite.sourceRect.w, 39);
  EXPECT_EQ(player->health.currentHealth, 6);
  EXPECT_EQ(player->health.damage, 1);
  EXPECT_EQ(player->damageText->value, 1);
  EXPECT_FLOAT_EQ(player->kinematicsY.velocity, -0.25f / 1.5f);

  // The damage drains in the first frame at or past 1500 ms: the 94th of 16 ms.
  frames(*player, 93);
  EXPECT_EQ(player->health.currentHealth, 6);
  frame(*player);
  EXPECT_EQ(player->health.currentHealth, 5);
  EXPECT_EQ(player->health.damage, 0);
  EXPECT_EQ(player->health.healthFillSprite.sourceRect.w, 32);

  // Still invincible until the 188th frame reaches 3000 ms.
  frames(*player, 93);
  ASSERT_TRUE(player->invincibleTimer.active());
  player->takeDamage(1);
  EXPECT_EQ(player->health.damage, 0);
  frame(*player);
  EXPECT_TRUE(player->invincibleTimer.expired());
  EXPECT_TRUE(player->isVisible());
  player->takeDamage(1);
  EXPECT_EQ(player->health.damage, 1);
  EXPECT_EQ(player->health.healthFillSprite.sourceRect.w, 26);  // 4/6 of 39
  EXPECT_EQ(player->health.damageFillSprite.sourceRect.w, 32);
}

TEST_F(PlayerHealth, BlinksInFiftyMillisecondPhases) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->takeDamage(1);
  struct Case { Millis step; bool visible; };
  // Cumulative times 0, 49, 50, 99, 100, 150, 2999 then expired at 3000.
  for (const Case& c : std::vector<Case>{{0, false}, {49, false}, {1, true}, {49, true},
                                         {1, false}, {50, true}, {2849, false}, {1, true}}) {
    Timer::updateAll(c.step);
    EXPECT_EQ(player->isVisible(), c.visible) << "at " << player->invincibleTimer.currentTime();
  }
}

TEST_F(PlayerHealth, TwoContactsAHundredMillisecondsApartCostOneHit) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->starGun.experience = 20;
  player->takeDamage(1);
  frames(*player, 6);
  player->takeDamage(1);
  EXPECT_EQ(player->health.damage, 1);
  EXPECT_EQ(player->damageText->value, 1);
  EXPECT_EQ(player->starGun.experience, 18);
}

TEST_F(PlayerHealth, AHitCostsTwiceItsDamageInGunExperience) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->starGun.experience = 11;
  player->takeDamage(1);
  EXPECT_EQ(player->starGun.experience, 9);
  EXPECT_EQ(player->starGun.currentLevel(), 1);
}

TEST_F(PlayerHealth, AHopNeverSlowsAFasterRise) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  struct Case { Velocity before; Velocity after; };
  for (const Case& c : std::vector<Case>{{-0.25f, -0.25f}, {0.2f, -0.25f / 1.5f},
                                         {0.0f, -0.25f / 1.5f}}) {
    player->invincibleTimer.counted = player->invincibleTimer.expirationTime;
    player->kinematicsY.velocity = c.before;
    player->takeDamage(1);
    EXPECT_FLOAT_EQ(player->kinematicsY.velocity, c.after) << c.before;
  }
}

TEST_F(PlayerHealth, HealingCancelsPendingDamageBeforeAddingHealth) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->health.currentHealth = 4;
  player->takeDamage(2);
  player->collectPickup(GivingPickup(Pickup::HEALTH, 1));
  EXPECT_EQ(player->health.damage, 1);
  EXPECT_EQ(player->health.currentHealth, 4);
  player->collectPickup(GivingPickup(Pickup::HEALTH, 3));
  EXPECT_EQ(player->health.damage, 0);
  EXPECT_EQ(player->health.currentHealth, 6);  // 4 + 2, capped at 6
  EXPECT_EQ(player->health.healthFillSprite.sourceRect.w, 39);
  frames(*player, 100);
  EXPECT_EQ(player->health.currentHealth, 6);
}

TEST_F(PlayerHealth, ExperienceFeedsTheGunAndFlashesItsHud) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->collectPickup(GivingPickup(Pickup::EXPERIENCE, 3));
  EXPECT_EQ(player->starGun.experience, 3);
  EXPECT_TRUE(player->gunExperienceHud.flashTimer.active());
  EXPECT_EQ(player->experienceText.value, 3);
  frame(*player);
  EXPECT_FLOAT_EQ(player->experienceText.centerX, player->centerX());
  EXPECT_FLOAT_EQ(player->experienceText.centerY, player->centerY());
  player->collectPickup(GivingPickup(static_cast<Pickup::PickupType>(1), 5));
  EXPECT_EQ(player->starGun.experience, 3);
  EXPECT_EQ(player->health.currentHealth, 6);
}

TEST_F(PlayerHealth, HitsAtZeroHealthNeverStopTheGame) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->starGun.experience = 40;
  for (int hit = 0; hit < 50; ++hit) {
    player->takeDamage(1);
    ASSERT_GE(player->health.currentHealth - player->health.damage, 0) << "hit " << hit;
    graphics.clear();
    player->drawHUD(graphics);
    for (int i = 0; i < 194; ++i) frame(*player);  // 3104 ms: vulnerable again
    player->drawHUD(graphics);
  }
  EXPECT_EQ(player->health.currentHealth, 0);
  EXPECT_EQ(player->health.damage, 0);
  EXPECT_EQ(player->health.healthFillSprite.sourceRect.w, 0);
  EXPECT_EQ(player->starGun.experience, 0);

  // At zero a hit still hops, blinks and shows its number.
  player->kinematicsY.velocity = 0.0f;
  player->takeDamage(1);
  EXPECT_EQ(player->health.damage, 0);
  EXPECT_EQ(player->damageText->value, 1);
  EXPECT_LT(player->kinematicsY.velocity, 0.0f);
  EXPECT_FALSE(player->isVisible());
  graphics.clear();
  frames(*player, 4);
  player->drawHUD(graphics);
  EXPECT_GT(litHealthRow(), 0);
}

TEST_F(PlayerHealth, TheHudHidesWhileBlinkingButTheExperienceNumberStays) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  graphics.clear();
  player->drawHUD(graphics);
  EXPECT_GT(litHealthRow(), 0);
  EXPECT_GT(litGunRow(), 0);

  player->collectPickup(GivingPickup(Pickup::EXPERIENCE, 3));
  player->takeDamage(1);
  frame(*player);
  ASSERT_FALSE(player->isVisible());
  graphics.clear();
  player->drawHUD(graphics);
  EXPECT_EQ(litHealthRow(), 0);
  EXPECT_EQ(litGunRow(), 0);
  // The "+3" rises from the player's centre, pixel (181, 120).
  EXPECT_GT(litPixels(165, 96, 32, 32), 0);

  graphics.clear();
  player->draw(graphics);
  EXPECT_EQ(litPixels(165, 104, 32, 24), 0);
  frames(*player, 3);
  ASSERT_TRUE(player->isVisible());
  graphics.clear();
  player->draw(graphics);
  EXPECT_GT(litPixels(165, 104, 32, 24), 0);
}

TEST_F(PlayerHealth, TheHealthNumberIsRightAlignedInTwoDigits) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  graphics.clear();
  player->health.draw(graphics);
  const Screen screen(graphics);
  // The bar frame starts at pixel 16; the 6 glyph (plain row, pixel 56) should land
  // one glyph right of the field's start at pixel 24, over the frame.
  int glyph_pixels = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(screen.at(24 + x, 32 + y), sheetPixel("Panels", 8 + x, 40 + y));
      const std::uint32_t glyph = sheetPixel("Panels", 48 + x, 56 + y);
      const std::uint32_t frame_pixel = sheetPixel("Panels", 16 + x, 40 + y);
      EXPECT_EQ(screen.at(32 + x, 32 + y), glyph != 0 ? glyph : frame_pixel);
      glyph_pixels += glyph != 0 && glyph != frame_pixel;
    }
  }
  EXPECT_GT(glyph_pixels, 0);
}
