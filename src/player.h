#pragma once

#include <boost/optional.hpp>
#include <boost/shared_ptr.hpp>

#include <map>
#include <vector>

#include "composite_collision_rectangle.h"
#include "constant_accelerator.h"
#include "damageable.h"
#include "facing.h"
#include "floating_number.h"
#include "gun_experience_hud.h"
#include "kinematics.h"
#include "map_collidable.h"
#include "player_health.h"
#include "player_walking_animation.h"
#include "rectangle.h"
#include "side_type.h"
#include "sprite.h"
#include "star_gun.h"
#include "tile_type.h"
#include "timer.h"
#include "units.h"

class Graphics;
class Map;
class Pickup;
class Projectile;
struct ParticleTools;

// The numeric values order the sprite table, so they are fixed.
enum MotionType { STANDING = 0, INTERACTING = 1, WALKING = 2, JUMPING = 3, FALLING = 4 };

// The character the keyboard drives. There is no death: it lives the whole run.
class Player : public Damageable, public MapCollidable {
 public:
  using Health = PlayerHealthState;
  using WalkingAnimation = PlayerWalkingAnimation;

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

  // One push each way, so walking left and right behave alike.
  struct MirroredAccelerator {
    MirroredAccelerator(Acceleration acceleration, Velocity maxVelocity);

    ConstantAccelerator positive;
    ConstantAccelerator negative;
  };

  // The body is 20 wide and 30 tall inside its 32-unit cell. The top and bottom boxes
  // are narrower, so a wall beside the player is never taken for floor or ceiling.
  static const CompositeCollisionRectangle kCollisionRectangle;

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
