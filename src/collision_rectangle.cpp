#include "collision_rectangle.h"

Rectangle CollisionRectangle::collision(SideType side, GameUnit x, GameUnit y,
                                        GameUnit delta) const {
  switch (side) {
    case LEFT_SIDE: return leftCollision(x, y, delta);
    case RIGHT_SIDE: return rightCollision(x, y, delta);
    case TOP_SIDE: return topCollision(x, y, delta);
    default: return bottomCollision(x, y, delta);
  }
}
