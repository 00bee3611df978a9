#pragma once

#include "rectangle.h"
#include "side_type.h"
#include "units.h"

// A body's shape as seen by the map: a box for each side, tested stretched by the
// distance about to be travelled, plus a bounding box; all relative to the origin.
class CollisionRectangle {
 public:
  virtual Rectangle boundingBox() const = 0;
  // Absolute boxes at origin (x, y); delta <= 0 for left and top, >= 0 otherwise.
  virtual Rectangle leftCollision(GameUnit x, GameUnit y, GameUnit delta) const = 0;
  virtual Rectangle rightCollision(GameUnit x, GameUnit y, GameUnit delta) const = 0;
  virtual Rectangle topCollision(GameUnit x, GameUnit y, GameUnit delta) const = 0;
  virtual Rectangle bottomCollision(GameUnit x, GameUnit y, GameUnit delta) const = 0;
  virtual ~CollisionRectangle() = default;

  Rectangle collision(SideType side, GameUnit x, GameUnit y, GameUnit delta) const;
};

// A side box at origin (x, y), stretched by delta toward its side: the left and top
// boxes grow from their far edge by a delta <= 0, the right and bottom ones by a delta >= 0.
Rectangle stretchToward(SideType side, const Rectangle& box, GameUnit x, GameUnit y,
                        GameUnit delta);
