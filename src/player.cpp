#include "player.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <string>
#include <tuple>

#include "composite_collision_rectangle.h"
#include "friction_accelerator.h"
#include "graphics.h"
#include "head_bump_particle.h"
#include "particle_system.h"
#include "pickup.h"
#include "zero_accelerator.h"

namespace {

const Acceleration kWalkingAcceleration = 0.00083007812f;
const Acceleration kAirAcceleration = 0.0003125f;
const Velocity kMaxSpeedX = 0.15859375f;
const Acceleration kFriction = 0.00049804687f;
const Velocity kJumpSpeed = 0.25f;
const Acceleration kJumpGravity = 0.0003125f;
const Velocity kRecoilSpeed = 0.3f;
const Velocity kHopSpeed = kJumpSpeed / 1.5f;

const Millis kInvincibleTime = 3000;
const Millis kInvincibleFlashTime = 50;

const Player::MirroredAccelerator kGroundAccelerators(kWalkingAcceleration, kMaxSpeedX);
const Player::MirroredAccelerator kAirAccelerators(kAirAcceleration, kMaxSpeedX);
const FrictionAccelerator kGroundFriction(kFriction);
const ConstantAccelerator kJumpGravityAccelerator(kJumpGravity,
                                                 ConstantAccelerator::kTerminalSpeed);

const std::string kSpriteSheet = "Pilgrim";
const TileUnit kStandFrame = 0;
const TileUnit kInteractFrame = 7;
const TileUnit kWalkFrame = 0;
const TileUnit kJumpFrame = 1;
const TileUnit kFallFrame = 2;
const TileUnit kUpFrameOffset = 3;
const TileUnit kDownFrame = 6;

const GameUnit kCollisionWidth = 20.0f;
const GameUnit kCollisionHeight = 30.0f;
const GameUnit kCollisionTop = 2.0f;
const GameUnit kCollisionTopWidth = 18.0f;
const GameUnit kCollisionBottomWidth = 10.0f;
const GameUnit kCollisionTopLeft = (tileToGame(1) - kCollisionTopWidth) / 2;
const GameUnit kCollisionBottomLeft = (tileToGame(1) - kCollisionBottomWidth) / 2;

}  // namespace

const CompositeCollisionRectangle Player::kCollisionRectangle(
    Rectangle(kCollisionTopLeft, kCollisionTop, kCollisionTopWidth, kCollisionHeight / 2),
    Rectangle(kCollisionBottomLeft, kCollisionTop + kCollisionHeight / 2, kCollisionBottomWidth,
              kCollisionHeight / 2),
    Rectangle(6.0f, 10.0f, kCollisionWidth / 2, 12.0f),
    Rectangle(16.0f, 10.0f, kCollisionWidth / 2, 12.0f));

Player::SpriteState::SpriteState(MotionType motionType, HorizontalFacing horizontalFacing,
                                 VerticalFacing verticalFacing, StrideType strideType)
    : motionType(motionType),
      horizontalFacing(horizontalFacing),
      verticalFacing(verticalFacing),
      strideType(strideType) {}

bool Player::SpriteState::operator<(const SpriteState& other) const {
  return std::tie(motionType, horizontalFacing, verticalFacing, strideType) <
         std::tie(other.motionType, other.horizontalFacing, other.verticalFacing,
                  other.strideType);
}

bool Player::SpriteState::operator==(const SpriteState& other) const {
  return motionType == other.motionType && horizontalFacing == other.horizontalFacing &&
         verticalFacing == other.verticalFacing && strideType == other.strideType;
}

Player::MirroredAccelerator::MirroredAccelerator(Acceleration acceleration,
                                                 Velocity maxVelocity)
    : positive(acceleration, maxVelocity), negative(-acceleration, -maxVelocity) {}

Player::Player(Graphics& graphics, ParticleTools& particleTools, GameUnit x, GameUnit y)
    : Damageable(),
      MapCollidable(STICKY_COLLISION),
      particleTools(particleTools),
      kinematicsX{x, 0.0f},
      kinematicsY{y, 0.0f},
      accelerationXDirection(0),
      horizontalFacing(RIGHT),
      intendedVerticalFacing(HORIZONTAL),
      groundTile(),
      jumpActive(false),
      interacting(false),
      health(graphics),
      invincibleTimer(kInvincibleTime),
      damageText(boost::make_shared<FloatingNumber>(FloatingNumber::DAMAGE)),
      experienceText(FloatingNumber::EXPERIENCE),
      walkingAnimation(),
      gunExperienceHud(graphics),
      starGun(graphics),
      sprites() {
  initializeSprites(graphics);
}

void Player::update(Millis elapsedTime, const Map& map) {
  sprites.at(getSpriteState())->update();
  health.update(elapsedTime);
  walkingAnimation.update();
  starGun.updateProjectiles(elapsedTime, map, particleTools);
  updateX(elapsedTime, map);
  updateY(elapsedTime, map);
  experienceText.update(elapsedTime);
  experienceText.setPosition(centerX(), centerY());
}

void Player::draw(Graphics& graphics) const {
  if (!isVisible()) return;
  starGun.draw(graphics, horizontalFacing, verticalFacing(), isGunRaised(),
               kinematicsX.position, kinematicsY.position);
  sprites.at(getSpriteState())->draw(graphics, kinematicsX.position, kinematicsY.position);
}

void Player::drawHUD(Graphics& graphics) {
  // The experience number stays readable through the blink.
  experienceText.draw(graphics);
  if (!isVisible()) return;
  health.draw(graphics);
  starGun.drawHUD(graphics, gunExperienceHud);
}

void Player::startMovingLeft() {
  if (isOnGround() && accelerationXDirection == 0) walkingAnimation.reset();
  accelerationXDirection = -1;
  horizontalFacing = LEFT;
  interacting = false;
}

void Player::startMovingRight() {
  if (isOnGround() && accelerationXDirection == 0) walkingAnimation.reset();
  accelerationXDirection = 1;
  horizontalFacing = RIGHT;
  interacting = false;
}

void Player::stopMoving() { accelerationXDirection = 0; }

void Player::lookUp() {
  intendedVerticalFacing = UP;
  interacting = false;
}

// Only a fresh press decides interacting, so holding Down through a landing does not.
void Player::lookDown() {
  if (intendedVerticalFacing == DOWN) return;
  intendedVerticalFacing = DOWN;
  interacting = isOnGround();
}

void Player::lookHorizontal() { intendedVerticalFacing = HORIZONTAL; }

void Player::startJump() {
  interacting = false;
  jumpActive = true;
  if (isOnGround()) kinematicsY.velocity = -kJumpSpeed;
}

void Player::stopJump() { jumpActive = false; }

void Player::startFire() {
  const bool fired = starGun.startFire(kinematicsX.position, kinematicsY.position,
                                       horizontalFacing, verticalFacing(), isGunRaised(),
                                       particleTools);
  if (!fired) return;
  // The shot pushes the player the other way.
  switch (verticalFacing()) {
    case DOWN: kinematicsY.velocity -= kRecoilSpeed; break;
    case UP: kinematicsY.velocity += kRecoilSpeed; break;
    case HORIZONTAL:
      if (horizontalFacing == LEFT) {
        kinematicsX.velocity += kRecoilSpeed;
      } else {
        kinematicsX.velocity -= kRecoilSpeed;
      }
      break;
  }
}

void Player::stopFire() { starGun.stopFire(); }

void Player::takeDamage(HealthPoints damage) {
  if (invincibleTimer.active()) return;
  health.takeDamage(damage);
  damageText->addValue(damage);
  starGun.loseExperience(2 * damage);
  // A player already rising faster keeps its speed.
  kinematicsY.velocity = std::min(kinematicsY.velocity, -kHopSpeed);
  invincibleTimer.reset();
}

void Player::collectPickup(const Pickup& pickup) {
  switch (pickup.type()) {
    case Pickup::EXPERIENCE:
      starGun.collectExperience(pickup.value());
      gunExperienceHud.activateFlash();
      experienceText.addValue(pickup.value());
      break;
    case Pickup::HEALTH:
      health.addHealth(pickup.value());
      break;
  }
}

bool Player::isOnGround() const { return static_cast<bool>(groundTile); }

// Aiming down is only possible in the air.
VerticalFacing Player::verticalFacing() const {
  return isOnGround() && intendedVerticalFacing == DOWN ? HORIZONTAL : intendedVerticalFacing;
}

bool Player::isGunRaised() const {
  return motionType() == WALKING && walkingAnimation.stride() != STRIDE_MIDDLE;
}

Rectangle Player::damageRectangle() const {
  const Rectangle box = kCollisionRectangle.boundingBox();
  return Rectangle(kinematicsX.position + box.left, kinematicsY.position + box.top, box.width,
                   box.height);
}

std::vector<boost::shared_ptr<Projectile>> Player::getProjectiles() const {
  return starGun.getProjectiles();
}

MotionType Player::motionType() const {
  if (interacting) return INTERACTING;
  if (isOnGround()) return accelerationXDirection == 0 ? STANDING : WALKING;
  return kinematicsY.velocity < 0.0f ? JUMPING : FALLING;
}

Player::SpriteState Player::getSpriteState() const {
  return SpriteState(motionType(), horizontalFacing, verticalFacing(), walkingAnimation.stride());
}

bool Player::isVisible() const {
  return !(invincibleTimer.active() &&
           invincibleTimer.currentTime() / kInvincibleFlashTime % 2 == 0);
}

GameUnit Player::centerX() const { return kinematicsX.position + kHalfTile; }

GameUnit Player::centerY() const { return kinematicsY.position + kHalfTile; }

boost::shared_ptr<FloatingNumber> Player::getDamageText() { return damageText; }

void Player::onCollision(SideType side, bool isDeltaDirection, const TileType& tileType) {
  switch (side) {
    case TOP_SIDE:
      // The trailing-side check also reports the ceiling; only a rising head bumps.
      if (!isDeltaDirection) break;
      kinematicsY.velocity = 0.0f;
      particleTools.frontSystem.addNewParticle(boost::make_shared<HeadBumpParticle>(
          particleTools.graphics, centerX(),
          kinematicsY.position + kCollisionRectangle.boundingBox().top));
      break;
    case BOTTOM_SIDE:
      groundTile = tileType;
      if (isDeltaDirection) kinematicsY.velocity = 0.0f;
      break;
    case LEFT_SIDE:
    case RIGHT_SIDE:
      if (isDeltaDirection) kinematicsX.velocity = 0.0f;
      break;
  }
}

void Player::onDelta(SideType side) {
  if (isVertical(side)) groundTile.reset();
}

void Player::updateX(Millis elapsedTime, const Map& map) {
  const Accelerator* accelerator = &ZeroAccelerator::kZero;
  if (isOnGround()) {
    if (accelerationXDirection < 0) {
      accelerator = &kGroundAccelerators.negative;
    } else if (accelerationXDirection > 0) {
      accelerator = &kGroundAccelerators.positive;
    } else {
      accelerator = &kGroundFriction;
    }
  } else if (accelerationXDirection < 0) {
    accelerator = &kAirAccelerators.negative;
  } else if (accelerationXDirection > 0) {
    accelerator = &kAirAccelerators.positive;
  }
  MapCollidable::updateX(kCollisionRectangle, *accelerator, kinematicsX, kinematicsY,
                         elapsedTime, map);
}

// Holding the jump key weakens gravity only while rising.
void Player::updateY(Millis elapsedTime, const Map& map) {
  const Accelerator& accelerator = jumpActive && kinematicsY.velocity < 0.0f
                                       ? static_cast<const Accelerator&>(kJumpGravityAccelerator)
                                       : ConstantAccelerator::kGravity;
  MapCollidable::updateY(kCollisionRectangle, accelerator, kinematicsX, kinematicsY, elapsedTime,
                         map, groundTile);
}

void Player::initializeSprites(Graphics& graphics) {
  for (const MotionType motion : {STANDING, INTERACTING, WALKING, JUMPING, FALLING}) {
    for (const HorizontalFacing horizontal : {LEFT, RIGHT}) {
      for (const VerticalFacing vertical : {UP, DOWN, HORIZONTAL}) {
        for (const StrideType stride : {STRIDE_MIDDLE, STRIDE_START, STRIDE_END}) {
          initializeSprite(graphics, SpriteState(motion, horizontal, vertical, stride));
        }
      }
    }
  }
}

void Player::initializeSprite(Graphics& graphics, const SpriteState& spriteState) {
  const TileUnit row = spriteState.horizontalFacing == LEFT ? 0 : 1;

  TileUnit column = kStandFrame;
  switch (spriteState.motionType) {
    case STANDING: column = kStandFrame; break;
    case INTERACTING: column = kInteractFrame; break;
    case WALKING: column = kWalkFrame; break;
    case JUMPING: column = kJumpFrame; break;
    case FALLING: column = kFallFrame; break;
  }
  if (spriteState.verticalFacing == UP) column += kUpFrameOffset;
  if (spriteState.verticalFacing == DOWN) column = kDownFrame;

  // Only the walk shows the stride: its three cells sit side by side.
  if (spriteState.motionType == WALKING) {
    if (spriteState.strideType == STRIDE_START) column += 1;
    if (spriteState.strideType == STRIDE_END) column += 2;
  }

  sprites[spriteState] = boost::make_shared<Sprite>(graphics, kSpriteSheet, tileToPixel(column),
                                                    tileToPixel(row), tileToPixel(1),
                                                    tileToPixel(1));
}
