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
  return Rectangle(rectangle.left + x + delta, rectangle.top + y, rectangle.width - delta,
                   rectangle.height);
}

Rectangle SimpleCollisionRectangle::rightCollision(GameUnit x, GameUnit y, GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return Rectangle(rectangle.left + x, rectangle.top + y, rectangle.width + delta,
                   rectangle.height);
}

Rectangle SimpleCollisionRectangle::topCollision(GameUnit x, GameUnit y, GameUnit delta) const {
  GAME_ASSERT(delta <= 0);
  return Rectangle(rectangle.left + x, rectangle.top + y + delta, rectangle.width,
                   rectangle.height - delta);
}

Rectangle SimpleCollisionRectangle::bottomCollision(GameUnit x, GameUnit y,
                                                    GameUnit delta) const {
  GAME_ASSERT(delta >= 0);
  return Rectangle(rectangle.left + x, rectangle.top + y, rectangle.width,
                   rectangle.height + delta);
}
