#include "composite_collision_rectangle.h"

#include "failure.h"

Rectangle CompositeCollisionRectangle::boundingBox() const {
  return Rectangle(left.left, top.top, left.width + right.width, top.height + bottom.height);
}

Rectangle CompositeCollisionRectangle::leftCollision(GameUnit x, GameUnit y,
                                                     GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return Rectangle(left.left + x + delta, left.top + y, left.width - delta, left.height);
}

Rectangle CompositeCollisionRectangle::rightCollision(GameUnit x, GameUnit y,
                                                      GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return Rectangle(right.left + x, right.top + y, right.width + delta, right.height);
}

Rectangle CompositeCollisionRectangle::topCollision(GameUnit x, GameUnit y,
                                                    GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return Rectangle(top.left + x, top.top + y + delta, top.width, top.height - delta);
}

Rectangle CompositeCollisionRectangle::bottomCollision(GameUnit x, GameUnit y,
                                                       GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return Rectangle(bottom.left + x, bottom.top + y, bottom.width, bottom.height + delta);
}
