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

Rectangle stretchToward(SideType side, const Rectangle& box, GameUnit x, GameUnit y,
                        GameUnit delta) {
  switch (side) {
    case LEFT_SIDE:
      return Rectangle(box.left + x + delta, box.top + y, box.width - delta, box.height);
    case RIGHT_SIDE: return Rectangle(box.left + x, box.top + y, box.width + delta, box.height);
    case TOP_SIDE:
      return Rectangle(box.left + x, box.top + y + delta, box.width, box.height - delta);
    default: return Rectangle(box.left + x, box.top + y, box.width, box.height + delta);
  }
}
