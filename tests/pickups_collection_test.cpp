#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <vector>

#include "energy_crystal_pickup.h"
#include "flashing_pickup.h"
#include "pickups.h"
#include "player_fixture.h"

namespace {

class PickupsCollection : public PlayerFixture {
 protected:
  boost::weak_ptr<Pickup> add(const boost::shared_ptr<Pickup>& pickup) {
    pickups.add(pickup);
    return pickup;
  }

  boost::weak_ptr<Pickup> crystal(GameUnit center_x, GameUnit center_y,
                                  EnergyCrystalPickup::SizeType size) {
    return add(boost::make_shared<EnergyCrystalPickup>(graphics, center_x, center_y, size));
  }

  Pickups pickups;
};

}  // namespace

TEST_F(PickupsCollection, EveryPickupThePlayerTouchesIsCollectedInTheSameFrame) {
  const boost::shared_ptr<Player> player = makePlayer(320, 224);
  const Rectangle reach = player->damageRectangle();
  ASSERT_EQ(reach.right(), 346.0f);

  const std::vector<boost::weak_ptr<Pickup>> touched{
      crystal(336, 240, EnergyCrystalPickup::SMALL),
      crystal(336, 240, EnergyCrystalPickup::MEDIUM),
      // Its box starts on the player's right edge, which still counts as touching.
      add(FlashingPickup::heartPickup(graphics, 357, 240)),
  };
  const std::vector<boost::weak_ptr<Pickup>> untouched{
      crystal(100, 100, EnergyCrystalPickup::LARGE),
      add(FlashingPickup::heartPickup(graphics, 357.5f, 240)),
  };

  pickups.handleCollisions(*player);

  EXPECT_EQ(player->starGun.experience, 6);
  EXPECT_TRUE(player->gunExperienceHud.flashTimer.active());
  for (const boost::weak_ptr<Pickup>& pickup : touched) EXPECT_TRUE(pickup.expired());
  for (const boost::weak_ptr<Pickup>& pickup : untouched) EXPECT_FALSE(pickup.expired());
  EXPECT_EQ(pickups.pickups.size(), untouched.size());

  // Nothing is collected twice.
  pickups.handleCollisions(*player);
  EXPECT_EQ(player->starGun.experience, 6);
}
