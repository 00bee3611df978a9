#pragma once

#include "timer.h"
#include "units.h"

class Graphics;

// A number that rises over its owner and stays two seconds after the last change;
// changes while it shows add up in place.
class FloatingNumber {
 public:
  enum NumberType { DAMAGE = 0, EXPERIENCE = 1 };

  explicit FloatingNumber(NumberType type);

  void addValue(int amount);
  void setPosition(GameUnit centerX, GameUnit centerY);
  // True while the number is showing.
  bool update(Millis elapsedTime);
  void draw(Graphics& graphics) const;

  bool shouldRise;
  GameUnit centerX;
  GameUnit centerY;
  int value;
  GameUnit offsetY;
  Timer timer;
  NumberType type;
};
