#pragma once

#include "side_type.h"
#include "units.h"

struct Rectangle {
  Rectangle(GameUnit left, GameUnit top, GameUnit width, GameUnit height)
      : left(left), top(top), width(width), height(height) {}

  GameUnit right() const { return left + width; }
  GameUnit bottom() const { return top + height; }
  GameUnit centerX() const { return width / 2 + left; }
  GameUnit centerY() const { return height / 2 + top; }

  GameUnit side(SideType side) const {
    switch (side) {
      case TOP_SIDE: return top;
      case LEFT_SIDE: return left;
      case RIGHT_SIDE: return right();
      default: return bottom();
    }
  }

  // Inclusive on every edge: touching boxes collide, and a point collides with any
  // box that contains it, border included.
  bool collidesWith(const Rectangle& other) const {
    return right() >= other.left && left <= other.right() && top <= other.bottom() &&
           bottom() >= other.top;
  }

  GameUnit left;
  GameUnit top;
  GameUnit width;
  GameUnit height;
};
