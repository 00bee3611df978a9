#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>
#include <boost/shared_ptr.hpp>

#include <set>
#include <vector>

#include "gun_experience_hud.h"
#include "immobile_single_loop_particle.h"
#include "particle.h"
#include "particle_system.h"
#include "player.h"
#include "player_fixture.h"
#include "star_gun.h"

namespace {

class StarGunTest : public PlayerFixture {
 protected:
  StarGunTest() : gun(graphics) {}

  // The particles of the front system that were not there before.
  std::vector<boost::shared_ptr<Particle>> newParticles(
      const std::set<boost::shared_ptr<Particle>>& before) const {
    std::vector<boost::shared_ptr<Particle>> added;
    for (const boost::shared_ptr<Particle>& particle : front.particles)
      if (before.count(particle) == 0) added.push_back(particle);
    return added;
  }

  // Updates the gun until its first slot empties; returns the number of updates.
  int flyUntilGone(Millis step, int limit = 40) {
    int updates = 0;
    while (gun.projectileA && updates < limit) {
      gun.updateProjectiles(step, *map, tools);
      ++updates;
    }
    return updates;
  }

  StarGun gun;
};

}  // namespace

TEST_F(StarGunTest, KeepsTwoShotsInFlightAndRefusesAThirdWithoutRecoilOrParticle) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->startFire();
  player->startFire();
  EXPECT_TRUE(player->starGun.projectileA);
  EXPECT_TRUE(player->starGun.projectileB);
  EXPECT_EQ(front.particles.size(), 2u);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, -0.6f);
  EXPECT_EQ(player->getProjectiles().size(), 2u);

  player->startFire();
  EXPECT_EQ(front.particles.size(), 2u);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, -0.6f);
  EXPECT_FALSE(player->starGun.startFire(346.0f, 224.0f, RIGHT, HORIZONTAL, false, tools));
}

TEST_F(StarGunTest, ANewShotTakesWhicheverSlotIsFree) {
  ASSERT_TRUE(gun.startFire(100.0f, 200.0f, RIGHT, HORIZONTAL, false, tools));
  ASSERT_TRUE(gun.startFire(100.0f, 200.0f, LEFT, HORIZONTAL, false, tools));
  const boost::shared_ptr<StarGun::Projectile> second = gun.projectileB;
  gun.projectileA.reset();
  ASSERT_TRUE(gun.startFire(100.0f, 200.0f, LEFT, UP, false, tools));
  EXPECT_EQ(gun.projectileA->verticalDirection, UP);
  EXPECT_EQ(gun.projectileB, second);

  gun.projectileB.reset();
  ASSERT_TRUE(gun.startFire(100.0f, 200.0f, RIGHT, DOWN, false, tools));
  EXPECT_EQ(gun.projectileB->verticalDirection, DOWN);
  const std::vector<boost::shared_ptr<Projectile>> listed = gun.getProjectiles();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0], gun.projectileA);
  EXPECT_EQ(listed[1], gun.projectileB);
}

TEST_F(StarGunTest, ShotsStartAtTheMuzzleOfEachAimWithTheirStar) {
  struct Case { HorizontalFacing facing; VerticalFacing aim; bool raised; GameUnit x; GameUnit y; };
  for (const Case& c : std::vector<Case>{{LEFT, HORIZONTAL, false, -22, 7},
                                         {RIGHT, HORIZONTAL, false, 22, 7},
                                         {LEFT, UP, false, -5, -20},
                                         {RIGHT, UP, false, 5, -20},
                                         {LEFT, DOWN, false, -3, 20},
                                         {RIGHT, DOWN, false, 3, 20},
                                         {RIGHT, HORIZONTAL, true, 22, 5},
                                         {LEFT, UP, true, -5, -22}}) {
    StarGun fresh(graphics);
    const std::set<boost::shared_ptr<Particle>> before = front.particles;
    ASSERT_TRUE(fresh.startFire(100.0f, 200.0f, c.facing, c.aim, c.raised, tools));
    EXPECT_FLOAT_EQ(fresh.projectileA->x, 100.0f + c.x) << c.facing << " " << c.aim;
    EXPECT_FLOAT_EQ(fresh.projectileA->y, 200.0f + c.y) << c.facing << " " << c.aim;
    const std::vector<boost::shared_ptr<Particle>> added = newParticles(before);
    ASSERT_EQ(added.size(), 1u);
    const boost::shared_ptr<ProjectileStarParticle> star =
        boost::dynamic_pointer_cast<ProjectileStarParticle>(added[0]);
    ASSERT_TRUE(star);
    EXPECT_FLOAT_EQ(star->x, 100.0f + c.x);
    EXPECT_FLOAT_EQ(star->y, 200.0f + c.y);
  }
}

TEST_F(StarGunTest, ALevelOneShotFliesAbout187MsAndLeavesAStarAtItsEnd) {
  // From the block top to the right, row 7 is open up to the far wall.
  ASSERT_TRUE(gun.startFire(346.0f, 224.0f, RIGHT, HORIZONTAL, false, tools));
  const Rectangle box = gun.projectileA->collisionRectangle();
  EXPECT_FLOAT_EQ(box.left, 368.0f);
  EXPECT_FLOAT_EQ(box.top, 245.0f);
  EXPECT_FLOAT_EQ(box.width, 32.0f);
  EXPECT_FLOAT_EQ(box.height, 4.0f);
  EXPECT_EQ(gun.projectileA->contactDamage(), 1);

  const std::set<boost::shared_ptr<Particle>> before = front.particles;
  for (int i = 0; i < 11; ++i) gun.updateProjectiles(16, *map, tools);
  ASSERT_TRUE(gun.projectileA);  // 176 ms: 105.6 of 112 units flown
  EXPECT_TRUE(newParticles(before).empty());
  gun.updateProjectiles(16, *map, tools);
  EXPECT_FALSE(gun.projectileA);

  const std::vector<boost::shared_ptr<Particle>> added = newParticles(before);
  ASSERT_EQ(added.size(), 1u);
  const boost::shared_ptr<ProjectileStarParticle> star =
      boost::dynamic_pointer_cast<ProjectileStarParticle>(added[0]);
  ASSERT_TRUE(star);
  EXPECT_NEAR(star->x, 368.0f + 12 * 9.6f, 1e-3f);
  EXPECT_FLOAT_EQ(star->y, 231.0f);
}

TEST_F(StarGunTest, AShotMeetingAWallBurstsAtItsFace) {
  ASSERT_TRUE(gun.startFire(40.0f, 224.0f, LEFT, HORIZONTAL, false, tools));
  const std::set<boost::shared_ptr<Particle>> before = front.particles;
  gun.updateProjectiles(16, *map, tools);
  EXPECT_FALSE(gun.projectileA);
  const std::vector<boost::shared_ptr<Particle>> added = newParticles(before);
  ASSERT_EQ(added.size(), 1u);
  const boost::shared_ptr<ProjectileWallParticle> burst =
      boost::dynamic_pointer_cast<ProjectileWallParticle>(added[0]);
  ASSERT_TRUE(burst);
  // The border wall's right face is x 32; the shot's centre line is y 247.
  EXPECT_FLOAT_EQ(burst->x, 16.0f);
  EXPECT_FLOAT_EQ(burst->y, 231.0f);
}

TEST_F(StarGunTest, AShotThatHitTheEnemyVanishesWithoutAParticleUnlessAWallIsThere) {
  ASSERT_TRUE(gun.startFire(346.0f, 224.0f, RIGHT, HORIZONTAL, false, tools));
  ASSERT_TRUE(gun.startFire(40.0f, 224.0f, LEFT, HORIZONTAL, false, tools));
  gun.projectileA->collideWithEnemy();
  gun.projectileB->collideWithEnemy();
  const std::set<boost::shared_ptr<Particle>> before = front.particles;
  gun.updateProjectiles(16, *map, tools);
  EXPECT_FALSE(gun.projectileA);
  EXPECT_FALSE(gun.projectileB);
  const std::vector<boost::shared_ptr<Particle>> added = newParticles(before);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_TRUE(boost::dynamic_pointer_cast<ProjectileWallParticle>(added[0]));
}

TEST_F(StarGunTest, LongFramesTowardTheWallsStayInsideTheGrid) {
  struct Case { GameUnit x; GameUnit y; HorizontalFacing facing; VerticalFacing aim; int experience; };
  for (const Case& c : std::vector<Case>{{40, 224, LEFT, HORIZONTAL, 0},
                                         {20, 224, LEFT, UP, 40},
                                         {570, 352, RIGHT, HORIZONTAL, 40},
                                         {580, 100, RIGHT, UP, 40},
                                         {346, 330, RIGHT, DOWN, 40},
                                         {40, 20, LEFT, UP, 40}}) {
    gun.experience = c.experience;
    ASSERT_TRUE(gun.startFire(c.x, c.y, c.facing, c.aim, false, tools));
    // At level 3 the range is 224 units: five 83 ms steps at most.
    EXPECT_LE(flyUntilGone(83), 5) << c.x << ", " << c.y << " aim " << c.aim;
  }

  // The left border is always met, however far a step reaches past it.
  gun.experience = 0;
  ASSERT_TRUE(gun.startFire(40.0f, 224.0f, LEFT, HORIZONTAL, false, tools));
  const std::set<boost::shared_ptr<Particle>> before = front.particles;
  EXPECT_EQ(flyUntilGone(83), 1);
  const std::vector<boost::shared_ptr<Particle>> added = newParticles(before);
  ASSERT_EQ(added.size(), 1u);
  const boost::shared_ptr<ProjectileWallParticle> burst =
      boost::dynamic_pointer_cast<ProjectileWallParticle>(added[0]);
  ASSERT_TRUE(burst);
  EXPECT_FLOAT_EQ(burst->x, 16.0f);
}

TEST_F(StarGunTest, LevelsFollowExperienceBothWays) {
  struct Case { GunExperience experience; GunLevel level; };
  for (const Case& c : std::vector<Case>{{0, 1}, {9, 1}, {10, 2}, {29, 2}, {30, 3}, {40, 3}}) {
    gun.experience = c.experience;
    EXPECT_EQ(gun.currentLevel(), c.level) << c.experience;
  }
  gun.experience = 35;
  gun.collectExperience(20);
  EXPECT_EQ(gun.experience, 40);
  gun.loseExperience(30);
  EXPECT_EQ(gun.experience, 10);
  gun.loseExperience(12);
  EXPECT_EQ(gun.experience, 0);
  EXPECT_EQ(gun.currentLevel(), 1);
}

TEST_F(StarGunTest, ANewLevelChangesOnlyLaterShots) {
  ASSERT_TRUE(gun.startFire(346.0f, 224.0f, RIGHT, HORIZONTAL, false, tools));
  gun.collectExperience(10);
  ASSERT_TRUE(gun.startFire(346.0f, 224.0f, RIGHT, UP, false, tools));
  EXPECT_EQ(gun.projectileA->gunLevel, 1);
  EXPECT_EQ(gun.projectileA->contactDamage(), 1);
  EXPECT_EQ(gun.projectileA->sprite, gun.horizontalProjectileSprites[0]);
  EXPECT_EQ(gun.projectileB->gunLevel, 2);
  EXPECT_EQ(gun.projectileB->contactDamage(), 2);
  EXPECT_EQ(gun.projectileB->sprite, gun.verticalProjectileSprites[1]);
  const Rectangle box = gun.projectileB->collisionRectangle();
  EXPECT_FLOAT_EQ(box.width, 8.0f);
  EXPECT_FLOAT_EQ(box.height, 32.0f);
  EXPECT_FLOAT_EQ(box.left, 346.0f + 5 + 12);

  // Level 2 reaches 160 units: 17 frames of 9.6.
  gun.projectileA.reset();
  int frames_alive = 0;
  while (gun.projectileB) {
    gun.updateProjectiles(16, *map, tools);
    ++frames_alive;
  }
  EXPECT_EQ(frames_alive, 17);
}

TEST_F(StarGunTest, TheHudShowsTheExperienceWithinTheLevel) {
  GunExperienceHUD hud(graphics);
  struct Case { GunExperience experience; int fill; };
  for (const Case& c : std::vector<Case>{{5, 20}, {25, 30}, {39, 36}}) {
    gun.experience = c.experience;
    gun.drawHUD(graphics, hud);
    EXPECT_EQ(hud.fillSprite.sourceRect.w, c.fill) << c.experience;
  }
}

TEST_F(StarGunTest, ProjectileSpritesComeFromTheirCells) {
  struct Case { int level; int column; int row; };
  for (const Case& c : std::vector<Case>{{1, 8, 2}, {2, 10, 2}, {3, 8, 3}}) {
    const SDL_Rect sideways = gun.horizontalProjectileSprites[c.level - 1]->sourceRect;
    const SDL_Rect upright = gun.verticalProjectileSprites[c.level - 1]->sourceRect;
    EXPECT_EQ(sideways.x, c.column * 16);
    EXPECT_EQ(upright.x, (c.column + 1) * 16);
    EXPECT_EQ(sideways.y, c.row * 16);
    EXPECT_EQ(upright.y, c.row * 16);
  }
  ASSERT_EQ(gun.sprites.size(), 6u);
  struct GunCase { HorizontalFacing facing; VerticalFacing aim; int row; };
  for (const GunCase& c : std::vector<GunCase>{{LEFT, HORIZONTAL, 0}, {RIGHT, HORIZONTAL, 1},
                                               {LEFT, UP, 2}, {RIGHT, UP, 3},
                                               {LEFT, DOWN, 4}, {RIGHT, DOWN, 5}}) {
    const SDL_Rect cell = gun.sprites.at(StarGun::SpriteState(c.facing, c.aim))->sourceRect;
    EXPECT_EQ(cell.x, 48);
    EXPECT_EQ(cell.y, c.row * 16);
    EXPECT_EQ(cell.w, 24);
    EXPECT_EQ(cell.h, 16);
  }
}

TEST_F(StarGunTest, AShotOutsideTheThreeLevelsIsRejected) {
  for (const GunLevel level : {0, 4}) {
    EXPECT_DEATH(StarGun::Projectile(gun.horizontalProjectileSprites[0], RIGHT, HORIZONTAL,
                                     100.0f, 100.0f, level, tools),
                 "gunLevel >= 1 && gunLevel <= kNumLevels");
  }
}
