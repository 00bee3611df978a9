#include "energy_crystal_pickup.h"

#include <boost/optional.hpp>

#include <cstdlib>

#include "constant_accelerator.h"
#include "failure.h"
#include "friction_accelerator.h"
#include "simple_collision_rectangle.h"

namespace {

const char* const kSheet = "Glyphs";
const Fps kFps = 14;
const FrameIndex kNumFrames = 6;

const Velocity kVelocityStep = 0.025f;
const Velocity kBounceSpeed = 0.225f;
const Millis kFlickerStart = 7000;
const Millis kFlickerPeriod = 15;

// Indexed by SizeType.
const int kValues[] = {1, 5, 20};
const SimpleCollisionRectangle kCollisionRectangles[] = {
    SimpleCollisionRectangle(Rectangle(8, 8, 16, 16)),
    SimpleCollisionRectangle(Rectangle(4, 4, 24, 24)),
    SimpleCollisionRectangle(Rectangle(0, 0, 32, 32)),
};
const FrictionAccelerator kFriction(0.00002f);

// Eleven steps from -5 to 5, so a crystal may also drop straight down.
Velocity randomVelocity() { return static_cast<Velocity>(std::rand() % 11 - 5) * kVelocityStep; }

EnergyCrystalPickup::SizeType checkedSize(EnergyCrystalPickup::SizeType size) {
  GAME_ASSERT(size >= EnergyCrystalPickup::SMALL && size <= EnergyCrystalPickup::LARGE);
  return size;
}

}  // namespace

// The members are built in order, so the horizontal velocity takes the first rand().
EnergyCrystalPickup::EnergyCrystalPickup(Graphics& graphics, GameUnit centerX,
                                         GameUnit centerY, SizeType size)
    : MapCollidable(BOUNCING_COLLISION),
      kinematicsX{centerX - kHalfTile, randomVelocity()},
      kinematicsY{centerY - kHalfTile, randomVelocity()},
      sprite(graphics, kSheet, tileToPixel(0), tileToPixel(1 + checkedSize(size)),
             tileToPixel(1), tileToPixel(1), kFps, kNumFrames),
      size(size),
      timer(kLifetime, true) {}

Rectangle EnergyCrystalPickup::collisionRectangle() const {
  const Rectangle box = kCollisionRectangles[size].boundingBox();
  return Rectangle(box.left + kinematicsX.position, box.top + kinematicsY.position, box.width,
                   box.height);
}

void EnergyCrystalPickup::draw(Graphics& graphics) {
  const Millis time = timer.currentTime();
  if (time >= kFlickerStart && time / kFlickerPeriod % 2 == 1) return;
  sprite.draw(graphics, kinematicsX.position, kinematicsY.position);
}

bool EnergyCrystalPickup::update(Millis elapsedTime, const Map& map) {
  sprite.update();
  updateY(kCollisionRectangles[size], ConstantAccelerator::kGravity, kinematicsX, kinematicsY,
          elapsedTime, map, boost::optional<TileType>());
  updateX(kCollisionRectangles[size], kFriction, kinematicsX, kinematicsY, elapsedTime, map);
  return timer.active();
}

int EnergyCrystalPickup::value() const { return kValues[size]; }

Pickup::PickupType EnergyCrystalPickup::type() const { return EXPERIENCE; }

// Every floor contact restores the same speed, so the crystal keeps hopping a tile high.
void EnergyCrystalPickup::onCollision(SideType side, bool, const TileType&) {
  switch (side) {
    case TOP_SIDE:
      kinematicsY.velocity = 0.0f;
      break;
    case BOTTOM_SIDE:
      kinematicsY.velocity = -kBounceSpeed;
      break;
    case LEFT_SIDE:
    case RIGHT_SIDE:
      kinematicsX.velocity = -kinematicsX.velocity;
      break;
  }
}

void EnergyCrystalPickup::onDelta(SideType) {}
