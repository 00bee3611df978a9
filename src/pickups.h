#pragma once

#include <boost/shared_ptr.hpp>

#include <set>

#include "units.h"

class Graphics;
class Map;
class Pickup;
class Player;

// The level's collectibles. Being their only owner, it destroys each one it drops.
class Pickups {
 public:
  void add(const boost::shared_ptr<Pickup>& pickup);
  // Drops the pickups that report they have expired.
  void update(Millis elapsedTime, const Map& map);
  // Hands every pickup the player touches to the player, then drops it.
  void handleCollisions(Player& player);
  void draw(Graphics& graphics) const;

  std::set<boost::shared_ptr<Pickup>> pickups;
};
