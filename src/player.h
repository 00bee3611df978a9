#pragma once

#include <boost/optional.hpp>
#include <boost/shared_ptr.hpp>

#include <map>
#include <vector>

#include "constant_accelerator.h"
#include "damageable.h"
#include "facing.h"
#include "floating_number.h"
#include "gun_experience_hud.h"
#include "kinematics.h"
#include "map_collidable.h"
#include "rectangle.h"
#include "side_type.h"
#include "sprite.h"
#include "star_gun.h"
#include "tile_type.h"
#include "timer.h"
#include "units.h"
#include "varying_width_sprite.h"

class Graphics;
class Map;
class Pickup;
class Projectile;
struct ParticleTools;

// The numeric values order the sprite table, so they are fixed.
enum MotionType { STANDING = 0, INTERACTING = 1, WALKING = 2, JUMPING = 3, FALLING = 4 };
enum StrideType { STRIDE_MIDDLE = 0, STRIDE_START = 1, STRIDE_END = 2 };

// The character the keyboard drives. There is no death: it lives the whole run.
class Player : public Damageable, public MapCollidable {
 public:
  // Hit points and the health row of the HUD. Damage shows at once but drains late.
  class Health {
   public:
    explicit Health(Graphics& graphics);

    void update(Millis elapsedTime);
    // Never takes more than is left: the game has no death.
    void takeDamage(HealthPoints amount);
    void addHealth(HealthPoints amount);
    void resetFillSprites();
    void draw(Graphics& graphics) const;

    HealthPoints damage;
    Timer damageTimer;
    HealthPoints maxHealth;
    HealthPoints currentHealth;
    Sprite healthBarSprite;
    VaryingWidthSprite healthFillSprite;
    VaryingWidthSprite damageFillSprite;
  };

  struct SpriteState {
    SpriteState(MotionType motionType, HorizontalFacing horizontalFacing,
                VerticalFacing verticalFacing, StrideType strideType);

    bool operator<(const SpriteState& other) const;
    bool operator==(const SpriteState& other) const;

    MotionType motionType;
    HorizontalFacing horizontalFacing;
    VerticalFacing verticalFacing;
    StrideType strideType;
  };

  // The stride cycle 0, 1, 2, 1, 0, ... stepped on a timer.
  class WalkingAnimation {
   public:
    WalkingAnimation();

    void update();
    void reset();
    StrideType stride() const;

    Timer frameTimer;
    int currentIndex;
    bool forward;
  };

  // One push each way, so walking left and right behave alike.
  struct MirroredAccelerator {
    MirroredAccelerator(Acceleration acceleration, Velocity maxVelocity);

    ConstantAccelerator positive;
    ConstantAccelerator negative;
  };

  Player(Graphics& graphics, ParticleTools& particleTools, GameUnit x, GameUnit y);

  void update(Millis elapsedTime, const Map& map);
  void draw(Graphics& graphics) const;
  void drawHUD(Graphics& graphics);

  void startMovingLeft();
  void startMovingRight();
  void stopMoving();
  void lookUp();
  void lookDown();
  void lookHorizontal();
  void startJump();
  void stopJump();
  void startFire();
  void stopFire();

  void takeDamage(HealthPoints damage);
  void collectPickup(const Pickup& pickup);

  bool isOnGround() const;
  VerticalFacing verticalFacing() const;
  bool isGunRaised() const;
  Rectangle damageRectangle() const;
  std::vector<boost::shared_ptr<Projectile>> getProjectiles() const;
  MotionType motionType() const;
  SpriteState getSpriteState() const;
  bool isVisible() const;

  GameUnit centerX() const override;
  GameUnit centerY() const override;
  boost::shared_ptr<FloatingNumber> getDamageText() override;

  void onCollision(SideType side, bool isDeltaDirection, const TileType& tileType) override;
  void onDelta(SideType side) override;

  void updateX(Millis elapsedTime, const Map& map);
  void updateY(Millis elapsedTime, const Map& map);
  void initializeSprites(Graphics& graphics);
  void initializeSprite(Graphics& graphics, const SpriteState& spriteState);

  ParticleTools& particleTools;
  Kinematics kinematicsX;
  Kinematics kinematicsY;
  int accelerationXDirection;
  HorizontalFacing horizontalFacing;
  VerticalFacing intendedVerticalFacing;
  boost::optional<TileType> groundTile;
  bool jumpActive;
  bool interacting;
  Health health;
  Timer invincibleTimer;
  boost::shared_ptr<FloatingNumber> damageText;
  FloatingNumber experienceText;
  WalkingAnimation walkingAnimation;
  GunExperienceHUD gunExperienceHud;
  StarGun starGun;
  std::map<SpriteState, boost::shared_ptr<Sprite>> sprites;
};
