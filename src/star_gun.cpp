#include "star_gun.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cstddef>
#include <string>

#include "collision_tile.h"
#include "failure.h"
#include "graphics.h"
#include "gun_experience_hud.h"
#include "immobile_single_loop_particle.h"
#include "map.h"
#include "map_collidable.h"
#include "particle_system.h"
#include "side_type.h"
#include "sprite.h"

namespace {

// Experience at which each level starts; the last entry is the cap.
const GunExperience kExperiences[] = {0, 10, 30, 40};
const GunExperience kMaxExperience = kExperiences[StarGun::kNumLevels];

const Velocity kProjectileSpeed = 0.6f;

// A level's shot: its range, its thickness across the flight, its damage, and the cell
// of its sideways look in the sheet; the upright look sits one column right.
struct LevelShot {
  GameUnit maxOffset;
  GameUnit width;
  HealthPoints damage;
  TileUnit column;
  TileUnit row;
};
const LevelShot kLevelShots[StarGun::kNumLevels] = {
    {112.0f, 4.0f, 1, 8, 2},
    {160.0f, 8.0f, 2, 10, 2},
    {224.0f, 16.0f, 4, 8, 3},
};

// Where a shot's cell starts, by aim, from the gun's cell moved half a tile up and left.
struct MuzzleOffset {
  VerticalFacing aim;
  GameUnit y;
  GameUnit xFacingLeft;
  GameUnit xFacingRight;
};
constexpr MuzzleOffset kMuzzleOffsets[] = {
    {UP, 4.0f, 27.0f, 21.0f},
    {DOWN, 28.0f, 29.0f, 19.0f},
    {HORIZONTAL, 23.0f, 10.0f, 38.0f},
};
static_assert(kMuzzleOffsets[UP].aim == UP && kMuzzleOffsets[DOWN].aim == DOWN &&
                  kMuzzleOffsets[HORIZONTAL].aim == HORIZONTAL,
              "the muzzle offsets are indexed by aim");

const std::string kGunSheet = "Armory";
const std::string kProjectileSheet = "Shotsheet";
// The star gun is the third gun-sized column of the sheet.
const GameUnit kGunSourceX = 96.0f;
const GameUnit kGunWidth = 3 * kHalfTile;
const GameUnit kGunHeight = tileToGame(1);

// The gun is half a tile wider than the player and sticks out on the facing side.
GameUnit gunX(HorizontalFacing facing, GameUnit playerX) {
  return facing == LEFT ? playerX - kHalfTile : playerX;
}

GameUnit gunY(VerticalFacing facing, bool gunRaised, GameUnit playerY) {
  GameUnit y = playerY;
  if (facing == UP) y -= kHalfTile / 2.0f;
  if (facing == DOWN) y += kHalfTile / 2.0f;
  if (gunRaised) y -= 2.0f;
  return y;
}

std::size_t levelIndex(GunLevel level) { return static_cast<std::size_t>(level - 1); }

const LevelShot& levelShot(GunLevel level) { return kLevelShots[levelIndex(level)]; }

}  // namespace

StarGun::Projectile::Projectile(const boost::shared_ptr<Sprite>& sprite,
                                HorizontalFacing horizontalDirection,
                                VerticalFacing verticalDirection, GameUnit x, GameUnit y,
                                GunLevel gunLevel, ParticleTools& particleTools)
    : sprite(sprite),
      horizontalDirection(horizontalDirection),
      verticalDirection(verticalDirection),
      x(x),
      y(y),
      gunLevel(gunLevel),
      offset(0.0f),
      alive(true) {
  // The level indexes the per-level tables for the shot's whole life.
  GAME_ASSERT(gunLevel >= 1 && gunLevel <= kNumLevels);
  particleTools.frontSystem.addNewParticle(
      boost::make_shared<ProjectileStarParticle>(particleTools.graphics, x, y));
}

GameUnit StarGun::Projectile::getX() const {
  if (verticalDirection != HORIZONTAL) return x;
  return horizontalDirection == LEFT ? x - offset : x + offset;
}

GameUnit StarGun::Projectile::getY() const {
  if (verticalDirection == UP) return y - offset;
  if (verticalDirection == DOWN) return y + offset;
  return y;
}

Rectangle StarGun::Projectile::collisionRectangle() const {
  const GameUnit thickness = levelShot(gunLevel).width;
  const bool sideways = verticalDirection == HORIZONTAL;
  const GameUnit width = sideways ? tileToGame(1) : thickness;
  const GameUnit height = sideways ? thickness : tileToGame(1);
  return Rectangle(getX() + kHalfTile - width / 2, getY() + kHalfTile - height / 2, width,
                   height);
}

HealthPoints StarGun::Projectile::contactDamage() const {
  return levelShot(gunLevel).damage;
}

void StarGun::Projectile::collideWithEnemy() { alive = false; }

bool StarGun::Projectile::update(Millis elapsedTime, const Map& map,
                                 ParticleTools& particleTools) {
  offset += static_cast<float>(elapsedTime) * kProjectileSpeed;

  SideType direction = horizontalDirection == LEFT ? LEFT_SIDE : RIGHT_SIDE;
  if (verticalDirection == UP) direction = TOP_SIDE;
  if (verticalDirection == DOWN) direction = BOTTOM_SIDE;

  // Moving first and then testing means a shot already in a wall bursts there.
  const Rectangle rectangle = collisionRectangle();
  for (const CollisionTile& tile : map.getCollidingTiles(rectangle, direction)) {
    const TestCollisionInfo info = testTileCollision(tile, rectangle, direction, true);
    if (info.isColliding) {
      const bool vertical = isVertical(direction);
      const GameUnit collision_x = vertical ? rectangle.centerX() : info.position;
      const GameUnit collision_y = vertical ? info.position : rectangle.centerY();
      particleTools.frontSystem.addNewParticle(boost::make_shared<ProjectileWallParticle>(
          particleTools.graphics, collision_x - kHalfTile, collision_y - kHalfTile));
      return false;
    }
  }

  if (!alive) return false;

  if (offset >= levelShot(gunLevel).maxOffset) {
    particleTools.frontSystem.addNewParticle(
        boost::make_shared<ProjectileStarParticle>(particleTools.graphics, getX(), getY()));
    return false;
  }
  return true;
}

void StarGun::Projectile::draw(Graphics& graphics) const {
  sprite->draw(graphics, getX(), getY());
}

StarGun::StarGun(Graphics& graphics)
    : experience(0),
      sprites(),
      horizontalProjectileSprites(),
      verticalProjectileSprites(),
      projectileA(),
      projectileB() {
  const PixelUnit tile = tileToPixel(1);
  for (std::size_t i = 0; i < kNumLevels; ++i) {
    const LevelShot& shot = kLevelShots[i];
    horizontalProjectileSprites[i] = boost::make_shared<Sprite>(
        graphics, kProjectileSheet, tileToPixel(shot.column), tileToPixel(shot.row), tile, tile);
    verticalProjectileSprites[i] = boost::make_shared<Sprite>(
        graphics, kProjectileSheet, tileToPixel(shot.column + 1), tileToPixel(shot.row), tile,
        tile);
  }

  for (const HorizontalFacing horizontal : {LEFT, RIGHT}) {
    for (const VerticalFacing vertical : {UP, DOWN, HORIZONTAL}) {
      TileUnit row = horizontal == RIGHT ? 1 : 0;
      if (vertical == UP) row += 2;
      if (vertical == DOWN) row += 4;
      sprites[SpriteState(horizontal, vertical)] =
          boost::make_shared<Sprite>(graphics, kGunSheet, gameToPixel(kGunSourceX),
                                     tileToPixel(row), gameToPixel(kGunWidth),
                                     gameToPixel(kGunHeight));
    }
  }
}

bool StarGun::startFire(GameUnit playerX, GameUnit playerY, HorizontalFacing horizontalFacing,
                        VerticalFacing verticalFacing, bool gunRaised,
                        ParticleTools& particleTools) {
  if (projectileA && projectileB) return false;

  // The shot's cell starts at the muzzle, which moves with the aim.
  const MuzzleOffset& muzzle = kMuzzleOffsets[verticalFacing];
  const GameUnit bullet_x = gunX(horizontalFacing, playerX) - kHalfTile +
                            (horizontalFacing == LEFT ? muzzle.xFacingLeft : muzzle.xFacingRight);
  const GameUnit bullet_y = gunY(verticalFacing, gunRaised, playerY) - kHalfTile + muzzle.y;

  const GunLevel level = currentLevel();
  const boost::shared_ptr<Sprite>& sprite = verticalFacing == HORIZONTAL
                                                ? horizontalProjectileSprites[levelIndex(level)]
                                                : verticalProjectileSprites[levelIndex(level)];
  boost::shared_ptr<Projectile>& slot = projectileA ? projectileB : projectileA;
  slot = boost::make_shared<Projectile>(sprite, horizontalFacing, verticalFacing, bullet_x,
                                        bullet_y, level, particleTools);
  return true;
}

void StarGun::updateProjectiles(Millis elapsedTime, const Map& map,
                                ParticleTools& particleTools) {
  if (projectileA && !projectileA->update(elapsedTime, map, particleTools)) projectileA.reset();
  if (projectileB && !projectileB->update(elapsedTime, map, particleTools)) projectileB.reset();
}

void StarGun::draw(Graphics& graphics, HorizontalFacing horizontalFacing,
                   VerticalFacing verticalFacing, bool gunRaised, GameUnit playerX,
                   GameUnit playerY) const {
  sprites.at(SpriteState(horizontalFacing, verticalFacing))
      ->draw(graphics, gunX(horizontalFacing, playerX), gunY(verticalFacing, gunRaised, playerY));
  if (projectileA) projectileA->draw(graphics);
  if (projectileB) projectileB->draw(graphics);
}

void StarGun::drawHUD(Graphics& graphics, GunExperienceHUD& hud) const {
  const GunLevel level = currentLevel();
  const GunExperience level_start = kExperiences[levelIndex(level)];
  hud.draw(graphics, level, experience - level_start,
           kExperiences[levelIndex(level) + 1] - level_start);
}

std::vector<boost::shared_ptr<::Projectile>> StarGun::getProjectiles() const {
  std::vector<boost::shared_ptr<::Projectile>> projectiles;
  if (projectileA) projectiles.push_back(projectileA);
  if (projectileB) projectiles.push_back(projectileB);
  return projectiles;
}

void StarGun::collectExperience(GunExperience amount) {
  experience = std::min(kMaxExperience, experience + amount);
}

void StarGun::loseExperience(GunExperience amount) {
  experience = std::max(0, experience - amount);
}

GunLevel StarGun::currentLevel() const {
  GunLevel level = kNumLevels;
  while (level > 1 && experience < kExperiences[levelIndex(level)]) --level;
  return level;
}
