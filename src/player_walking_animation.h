#pragma once

#include "timer.h"

enum StrideType { STRIDE_MIDDLE = 0, STRIDE_START = 1, STRIDE_END = 2 };

// The player's stride cycle 0, 1, 2, 1, 0, ... stepped on a timer
// (Player::WalkingAnimation).
class PlayerWalkingAnimation {
 public:
  PlayerWalkingAnimation();

  void update();
  void reset();
  StrideType stride() const;

  Timer frameTimer;
  int currentIndex;
  bool forward;
};
