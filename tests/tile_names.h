#pragma once

#include "side_type.h"

// For failure messages.
inline const char* sideName(SideType side) {
  switch (side) {
    case TOP_SIDE: return "TOP_SIDE";
    case BOTTOM_SIDE: return "BOTTOM_SIDE";
    case LEFT_SIDE: return "LEFT_SIDE";
    default: return "RIGHT_SIDE";
  }
}
