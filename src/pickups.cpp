#include "pickups.h"

#include "pickup.h"
#include "player.h"

void Pickups::add(const boost::shared_ptr<Pickup>& pickup) { pickups.insert(pickup); }

void Pickups::update(Millis elapsedTime, const Map& map) {
  for (auto it = pickups.begin(); it != pickups.end();) {
    if ((*it)->update(elapsedTime, map)) {
      ++it;
    } else {
      it = pickups.erase(it);
    }
  }
}

void Pickups::handleCollisions(Player& player) {
  for (auto it = pickups.begin(); it != pickups.end();) {
    if (player.damageRectangle().collidesWith((*it)->collisionRectangle())) {
      player.collectPickup(**it);
      it = pickups.erase(it);
    } else {
      ++it;
    }
  }
}

void Pickups::draw(Graphics& graphics) const {
  for (const boost::shared_ptr<Pickup>& pickup : pickups) pickup->draw(graphics);
}
