#include "composite_collision_rectangle.h"

#include "failure.h"

Rectangle CompositeCollisionRectangle::boundingBox() const {
  return Rectangle(left.left, top.top, left.width + right.width, top.height + bottom.height);
}

Rectangle CompositeCollisionRectangle::leftCollision(GameUnit x, GameUnit y,
                                                     GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return stretchToward(LEFT_SIDE, left, x, y, delta);
}

Rectangle CompositeCollisionRectangle::rightCollision(GameUnit x, GameUnit y,
                                                      GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return stretchToward(RIGHT_SIDE, right, x, y, delta);
}

Rectangle CompositeCollisionRectangle::topCollision(GameUnit x, GameUnit y,
                                                    GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return stretchToward(TOP_SIDE, top, x, y, delta);
}

Rectangle CompositeCollisionRectangle::bottomCollision(GameUnit x, GameUnit y,
                                                       GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return stretchToward(BOTTOM_SIDE, bottom, x, y, delta);
}
