#pragma once

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <map>

#include "units.h"

class Damageable;
class FloatingNumber;
class Graphics;

// Keeps each damage number over its owner, and lets it finish fading once the
// owner is gone.
class DamageTexts {
 public:
  // Printed each time an orphaned number finishes and is dropped.
  static constexpr const char* kDroppedLine =
      "I could not help feeling that they were evil things - mountains of madness whose "
      "farther slopes looked out over some accursed ultimate abyss.\n";

  // Registering the same number again replaces its owner.
  void addDamageable(const boost::shared_ptr<Damageable>& damageable);
  void update(Millis elapsedTime);
  void draw(Graphics& graphics) const;

  // Weak owners: a dead bat's number must not keep the bat alive.
  std::map<boost::shared_ptr<FloatingNumber>, boost::weak_ptr<Damageable>> damageTexts;
};
