#include "pickups.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <vector>

#include "energy_crystal_pickup.h"
#include "flashing_pickup.h"
#include "graphics.h"
#include "map.h"
#include "pickup.h"
#include "test_support.h"

namespace {

// What the container did to one pickup.
struct Calls {
  int updates = 0;
  int draws = 0;
};

// Lasts a given number of updates and notes every call it gets.
class CountingPickup : public Pickup {
 public:
  CountingPickup(int lifetime, Calls& calls) : lifetime(lifetime), calls(calls) {}

  Rectangle collisionRectangle() const override { return Rectangle(0, 0, 0, 0); }
  void draw(Graphics&) override { ++calls.draws; }
  bool update(Millis, const Map&) override { return ++calls.updates < lifetime; }
  int value() const override { return 0; }
  PickupType type() const override { return HEALTH; }

  int lifetime;
  Calls& calls;
};

class PickupsTest : public testing::Test {
 protected:
  std::vector<BlitRecord> drawRecorded() {
    return recordBlits(graphics, [&] { pickups.draw(graphics); });
  }

  SdlVideo video;
  Graphics graphics;
  const boost::scoped_ptr<Map> map{Map::createTestMap(graphics)};
  Pickups pickups;
};

}  // namespace

TEST_F(PickupsTest, DropsEachExpiredPickupInTheWalkThatFindsItAndUpdatesTheRest) {
  const std::vector<int> lifetimes{1, 3, 3, 2, 5, 3};
  std::vector<Calls> calls(lifetimes.size());
  std::vector<boost::weak_ptr<Pickup>> watched;
  for (size_t i = 0; i < lifetimes.size(); ++i) {
    const boost::shared_ptr<Pickup> pickup =
        boost::make_shared<CountingPickup>(lifetimes[i], calls[i]);
    watched.push_back(pickup);
    pickups.add(pickup);
  }
  for (int walk = 1; walk <= 5; ++walk) {
    pickups.update(16, *map);
    pickups.draw(graphics);
    size_t alive = 0;
    for (size_t i = 0; i < lifetimes.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "walk " << walk << ", pickup " << i);
      const bool expected_alive = walk < lifetimes[i];
      EXPECT_EQ(calls[i].updates, expected_alive ? walk : lifetimes[i]);
      EXPECT_EQ(calls[i].draws, calls[i].updates - (expected_alive ? 0 : 1));
      // The container was the only owner, so dropping destroys.
      EXPECT_EQ(watched[i].expired(), !expected_alive);
      alive += expected_alive;
    }
    EXPECT_EQ(pickups.pickups.size(), alive);
  }
  EXPECT_TRUE(pickups.pickups.empty());
  EXPECT_TRUE(drawRecorded().empty());
}

TEST_F(PickupsTest, CrystalsAndHeartsAreGoneInTheUpdateTheirEightSecondsRunOut) {
  pickups.add(boost::make_shared<EnergyCrystalPickup>(graphics, 208, 380,
                                                      EnergyCrystalPickup::MEDIUM));
  pickups.add(FlashingPickup::heartPickup(graphics, 300, 300));
  const std::vector<boost::weak_ptr<Pickup>> watched(pickups.pickups.begin(),
                                                     pickups.pickups.end());
  for (Millis time = 16; time < 8000; time += 16) {
    Timer::updateAll(16);
    pickups.update(16, *map);
  }
  EXPECT_EQ(pickups.pickups.size(), 2u);
  // Both still show at 7984: the crystal in a drawn flicker phase, the heart as its puff.
  EXPECT_EQ(drawRecorded().size(), 2u);

  Timer::updateAll(16);
  pickups.update(16, *map);
  EXPECT_TRUE(pickups.pickups.empty());
  EXPECT_TRUE(watched[0].expired() && watched[1].expired());
  EXPECT_TRUE(drawRecorded().empty());
}
