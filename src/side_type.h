#pragma once

enum SideType { TOP_SIDE = 0, BOTTOM_SIDE = 1, LEFT_SIDE = 2, RIGHT_SIDE = 3 };

inline SideType oppositeSide(SideType side) {
  switch (side) {
    case TOP_SIDE: return BOTTOM_SIDE;
    case BOTTOM_SIDE: return TOP_SIDE;
    case LEFT_SIDE: return RIGHT_SIDE;
    default: return LEFT_SIDE;
  }
}

inline bool isVertical(SideType side) { return side == TOP_SIDE || side == BOTTOM_SIDE; }
inline bool isHorizontal(SideType side) { return !isVertical(side); }
inline bool isMax(SideType side) { return side == BOTTOM_SIDE || side == RIGHT_SIDE; }
inline bool isMin(SideType side) { return !isMax(side); }
