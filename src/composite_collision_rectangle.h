#pragma once

#include "collision_rectangle.h"
#include "rectangle.h"
#include "units.h"

// A separate box for each side. The left and right boxes together must span the
// body's width, the top and bottom boxes its height: the bounding box is built so.
class CompositeCollisionRectangle : public CollisionRectangle {
 public:
  CompositeCollisionRectangle(const Rectangle& top, const Rectangle& bottom,
                              const Rectangle& left, const Rectangle& right)
      : top(top), bottom(bottom), left(left), right(right) {}

  Rectangle boundingBox() const override;
  Rectangle leftCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle rightCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle topCollision(GameUnit x, GameUnit y, GameUnit delta) const override;
  Rectangle bottomCollision(GameUnit x, GameUnit y, GameUnit delta) const override;

  Rectangle top;
  Rectangle bottom;
  Rectangle left;
  Rectangle right;
};
