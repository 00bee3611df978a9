#pragma once

#include <boost/shared_ptr.hpp>

#include <array>
#include <map>
#include <vector>

#include "facing.h"
#include "projectile.h"
#include "rectangle.h"
#include "units.h"

class Graphics;
class GunExperienceHUD;
class Map;
class Sprite;
struct ParticleTools;

// The player's gun: at most two shots in flight, levelled by experience.
class StarGun {
 public:
  struct SpriteState {
    SpriteState(HorizontalFacing horizontalFacing, VerticalFacing verticalFacing)
        : horizontalFacing(horizontalFacing), verticalFacing(verticalFacing) {}

    bool operator<(const SpriteState& other) const {
      if (horizontalFacing != other.horizontalFacing)
        return horizontalFacing < other.horizontalFacing;
      return verticalFacing < other.verticalFacing;
    }

    HorizontalFacing horizontalFacing;
    VerticalFacing verticalFacing;
  };

  class Projectile : public ::Projectile {
   public:
    Projectile(const boost::shared_ptr<Sprite>& sprite, HorizontalFacing horizontalDirection,
               VerticalFacing verticalDirection, GameUnit x, GameUnit y, GunLevel gunLevel,
               ParticleTools& particleTools);

    GameUnit getX() const;
    GameUnit getY() const;
    Rectangle collisionRectangle() const override;
    HealthPoints contactDamage() const override;
    void collideWithEnemy() override;
    // False once the shot has hit a wall or the enemy, or flown its range.
    bool update(Millis elapsedTime, const Map& map, ParticleTools& particleTools);
    void draw(Graphics& graphics) const;

    boost::shared_ptr<Sprite> sprite;
    HorizontalFacing horizontalDirection;
    VerticalFacing verticalDirection;
    GameUnit x;
    GameUnit y;
    GunLevel gunLevel;
    GameUnit offset;
    bool alive;
  };

  static constexpr int kNumLevels = 3;

  explicit StarGun(Graphics& graphics);

  // Whether a projectile was created; the player recoils only then.
  bool startFire(GameUnit playerX, GameUnit playerY, HorizontalFacing horizontalFacing,
                 VerticalFacing verticalFacing, bool gunRaised, ParticleTools& particleTools);
  void stopFire() {}
  void updateProjectiles(Millis elapsedTime, const Map& map, ParticleTools& particleTools);
  void draw(Graphics& graphics, HorizontalFacing horizontalFacing,
            VerticalFacing verticalFacing, bool gunRaised, GameUnit playerX,
            GameUnit playerY) const;
  void drawHUD(Graphics& graphics, GunExperienceHUD& hud) const;
  // Shares ownership, so a shot stays valid while the world walks the list.
  std::vector<boost::shared_ptr<::Projectile>> getProjectiles() const;
  void collectExperience(GunExperience amount);
  void loseExperience(GunExperience amount);
  GunLevel currentLevel() const;

  GunExperience experience;
  std::map<SpriteState, boost::shared_ptr<Sprite>> sprites;
  std::array<boost::shared_ptr<Sprite>, kNumLevels> horizontalProjectileSprites;
  std::array<boost::shared_ptr<Sprite>, kNumLevels> verticalProjectileSprites;
  boost::shared_ptr<Projectile> projectileA;
  boost::shared_ptr<Projectile> projectileB;
};
