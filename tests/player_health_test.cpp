#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <vector>

#include "floating_number.h"
#include "graphics.h"
#include "player.h"
#include "player_fixture.h"

namespace {

// The copies one draw call made, noted by the real Graphics.
class PlayerHealth : public PlayerFixture {
 protected:
  template <typename Draw>
  std::vector<BlitRecord> blitsOf(Draw draw) {
    return recordBlits(graphics, draw);
  }

  static bool drawsAt(const std::vector<BlitRecord>& blits, PixelUnit x, PixelUnit y) {
    for (const BlitRecord& blit : blits)
      if (blit.destination.x == x && blit.destination.y == y) return true;
    return false;
  }
};

// Pixel places of the HUD: the health bar frame and the gun's level label.
constexpr PixelUnit kHealthBarX = 16;
constexpr PixelUnit kHealthBarY = 32;
constexpr PixelUnit kLevelWordY = 24;

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
  // Cumulative times 0, 49, 50, 99, 100, 150, 2949, 2999, then expired at 3000.
  for (const Case& c : std::vector<Case>{{0, false}, {49, false}, {1, true}, {49, true},
                                         {1, false}, {50, true}, {2799, false}, {50, true},
                                         {1, true}}) {
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
  frames(*player, 4);
  EXPECT_TRUE(drawsAt(blitsOf([&] { player->drawHUD(graphics); }), kHealthBarX, kHealthBarY));
}

TEST_F(PlayerHealth, TheHudHidesWhileBlinkingButTheExperienceNumberStays) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  std::vector<BlitRecord> blits = blitsOf([&] { player->drawHUD(graphics); });
  EXPECT_TRUE(drawsAt(blits, kHealthBarX, kHealthBarY));
  EXPECT_TRUE(drawsAt(blits, kHealthBarX, kLevelWordY));

  player->collectPickup(GivingPickup(Pickup::EXPERIENCE, 3));
  player->takeDamage(1);
  frame(*player);
  ASSERT_FALSE(player->isVisible());
  blits = blitsOf([&] { player->drawHUD(graphics); });
  // Only the two glyphs of "+3", centred on the player, who has hopped since.
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].destination.x + blits[1].destination.x,
            2 * gameToPixel(player->centerX()) - 8);
  for (const BlitRecord& blit : blits)
    EXPECT_NEAR(blit.destination.y, gameToPixel(player->centerY()) - 4, 1);
  EXPECT_TRUE(blitsOf([&] { player->draw(graphics); }).empty());

  frames(*player, 3);
  ASSERT_TRUE(player->isVisible());
  blits = blitsOf([&] { player->drawHUD(graphics); });
  EXPECT_TRUE(drawsAt(blits, kHealthBarX, kHealthBarY));
  EXPECT_TRUE(drawsAt(blits, kHealthBarX, kLevelWordY));
}

TEST_F(PlayerHealth, DrawsTheGunThenThePlayerAtItsPosition) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  const std::vector<BlitRecord> blits = blitsOf([&] { player->draw(graphics); });
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].source.y, 16);  // the gun facing right, looking ahead
  EXPECT_EQ(blits[0].source.w, 24);
  EXPECT_EQ(blits[1].source.x, 0);  // standing, facing right
  EXPECT_EQ(blits[1].source.y, 16);
  for (const BlitRecord& blit : blits) {
    EXPECT_EQ(blit.destination.x, 173);
    EXPECT_EQ(blit.destination.y, 112);
  }
}

TEST_F(PlayerHealth, TheHealthBarShowsTheDamageSegmentOnlyWhileDamageIsPending) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  EXPECT_EQ(blitsOf([&] { player->health.draw(graphics); }).size(), 3u);
  player->takeDamage(1);
  const std::vector<BlitRecord> blits = blitsOf([&] { player->health.draw(graphics); });
  ASSERT_EQ(blits.size(), 4u);
  // Frame, damage fill, health fill over it, then the number 6 right-aligned.
  EXPECT_EQ(blits[0].destination.x, 16);
  EXPECT_EQ(blits[1].source.y, 32);
  EXPECT_EQ(blits[1].source.w, 39);
  EXPECT_EQ(blits[2].source.y, 24);
  EXPECT_EQ(blits[2].source.w, 32);
  EXPECT_EQ(blits[3].source.x, 48);
  EXPECT_EQ(blits[3].source.y, 56);
  EXPECT_EQ(blits[3].destination.x, 32);
  for (const BlitRecord& blit : blits) EXPECT_EQ(blit.destination.y, 32);
}
