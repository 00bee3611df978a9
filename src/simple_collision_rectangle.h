#pragma once

#include "collision_rectangle.h"
#include "rectangle.h"
#include "units.h"

// Every side box is the body's one box.
class SimpleCollisionRectangle : public CollisionRectangle {
 public:
  explicit SimpleCollisionRectangle(const Rectangle& rectangle) : rectangle(rectangle) {}

  Rectangle boundingBox() const override;
  Rectangle leftCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle rightCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle topCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle bottomCollision(GameUnit x, GameUnit y, GameUnit delta) const override;

  Rectangle rectangle;
};
