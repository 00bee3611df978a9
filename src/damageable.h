#pragma once

#include <boost/shared_ptr.hpp>

#include "units.h"

class FloatingNumber;

// Anything that can be hurt and shows its own floating damage number.
class Damageable {
 public:
  virtual GameUnit centerX() const = 0;
  virtual GameUnit centerY() const = 0;
  virtual boost::shared_ptr<FloatingNumber> getDamageText() = 0;
  virtual ~Damageable() = default;
};
