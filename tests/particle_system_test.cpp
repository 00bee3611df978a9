#include "particle_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/make_shared.hpp>
#include <vector>

#include "graphics.h"
#include "particle.h"
#include "test_support.h"

namespace {

struct Log {
  std::vector<int> updated;
  std::vector<Millis> elapsed;
  std::vector<int> drawn;
};

// Finishes on its given update and records every call.
struct CountdownParticle : Particle {
  CountdownParticle(int id, int updatesLeft, Log& log)
      : id(id), updatesLeft(updatesLeft), log(log) {}

  bool update(Millis elapsedTime) override {
    log.updated.push_back(id);
    log.elapsed.push_back(elapsedTime);
    return --updatesLeft > 0;
  }
  void draw(Graphics&) const override { log.drawn.push_back(id); }

  int id;
  int updatesLeft;
  Log& log;
};

std::vector<int> sorted(std::vector<int> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}

class ParticleSystemTest : public testing::Test {
 protected:
  void add(int id, int updates) {
    system.addNewParticle(boost::make_shared<CountdownParticle>(id, updates, log));
  }

  SdlVideo video;
  Graphics graphics;
  Log log;
  ParticleSystem system;
};

}  // namespace

TEST_F(ParticleSystemTest, DropsFinishedParticlesDuringTheWalkAndUpdatesTheRestOnce) {
  for (int id = 1; id <= 6; ++id) add(id, id % 3 + 1);  // lifetimes 2 3 1 2 3 1
  system.update(16);
  EXPECT_EQ(sorted(log.updated), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(log.elapsed, std::vector<Millis>(6, 16));
  system.draw(graphics);
  EXPECT_EQ(sorted(log.drawn), (std::vector<int>{1, 2, 4, 5}));

  log = Log();
  system.update(20);
  EXPECT_EQ(sorted(log.updated), (std::vector<int>{1, 2, 4, 5}));
  system.update(20);
  system.draw(graphics);
  EXPECT_EQ(sorted(log.updated), (std::vector<int>{1, 2, 2, 4, 5, 5}));
  EXPECT_EQ(sorted(log.drawn), (std::vector<int>{}));
  EXPECT_TRUE(system.particles.empty());
}

TEST_F(ParticleSystemTest, IsEmptyWhenEveryParticleFinishesInTheSameUpdate) {
  for (int id = 1; id <= 5; ++id) add(id, 1);
  system.update(16);
  EXPECT_EQ(log.updated.size(), 5u);
  EXPECT_TRUE(system.particles.empty());
  system.draw(graphics);
  system.update(16);
  EXPECT_TRUE(log.drawn.empty());
  EXPECT_EQ(log.updated.size(), 5u);
}
