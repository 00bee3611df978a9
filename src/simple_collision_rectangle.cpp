#include "simple_collision_rectangle.h"

#include "failure.h"

namespace {

// A body is placed against an obstacle by its bounding box, so the margin leaves it
// just short of the obstacle and its zero-length trailing test never reaches the
// tile it rests on.
const GameUnit kExtraOffset = 0.001f;

}  // namespace

Rectangle SimpleCollisionRectangle::boundingBox() const {
  return Rectangle(rectangle.left - kExtraOffset, rectangle.top - kExtraOffset,
                   rectangle.width + kExtraOffset * 2, rectangle.height + kExtraOffset * 2);
}

Rectangle SimpleCollisionRectangle::leftCollision(GameUnit x, GameUnit y, GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return stretchToward(LEFT_SIDE, rectangle, x, y, delta);
}

Rectangle SimpleCollisionRectangle::rightCollision(GameUnit x, GameUnit y, GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return stretchToward(RIGHT_SIDE, rectangle, x, y, delta);
}

Rectangle SimpleCollisionRectangle::topCollision(GameUnit x, GameUnit y, GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return stretchToward(TOP_SIDE, rectangle, x, y, delta);
}

Rectangle SimpleCollisionRectangle::bottomCollision(GameUnit x, GameUnit y,
                                                    GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return stretchToward(BOTTOM_SIDE, rectangle, x, y, delta);
}
