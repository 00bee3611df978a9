#include "death_cloud_particle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/pointer_cast.hpp>
#include <cstdlib>
#include <utility>
#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "particle_system.h"
#include "test_support.h"
#include "timer.h"

namespace {

void advance(DeathCloudParticle& cloud, Millis elapsed_time) {
  Timer::updateAll(elapsed_time);
  cloud.update(elapsed_time);
}

class DeathCloudTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
};

}  // namespace

TEST_F(DeathCloudTest, StillCloudStaysCentredOnItsPoint) {
  DeathCloudParticle cloud(graphics, 100.0f, 60.0f, 0.0f, 45.0f);
  for (int frame = 0; frame < 24; ++frame) {
    advance(cloud, 16);
    EXPECT_EQ(cloud.x + cloud.offset.x(), 84.0f);
    EXPECT_EQ(cloud.y + cloud.offset.y(), 44.0f);
  }
}

TEST_F(DeathCloudTest, CloudAtNinetyDegreesSinksAtItsSpeed) {
  const SheetImage glyphs("Glyphs");
  DeathCloudParticle cloud(graphics, 100.0f, 100.0f, 0.24f, 90.0f);
  advance(cloud, 16);
  advance(cloud, 16);
  EXPECT_NEAR(cloud.offset.y(), 0.24f * 32, 1e-4f);
  EXPECT_NEAR(cloud.offset.x(), 0.0f, 1e-4f);
  // Drawn 7.68 below 84: pixel row 46, on the second frame.
  graphics.clear();
  cloud.draw(graphics);
  const Screen screen(graphics);
  EXPECT_TRUE(cellDrawnAt(screen, glyphs, {32, 0, 16, 16}, 42, 46));
  EXPECT_EQ(litPixels(screen), glyphs.visiblePixels({32, 0, 16, 16}));
}

TEST_F(DeathCloudTest, RandomCloudsGoToTheEntitySystemOnlyUsingTwoDrawsEach) {
  srand(2024);
  std::vector<std::pair<Degrees, Velocity>> expected;
  for (int i = 0; i < 3; ++i) {
    const Degrees angle = static_cast<Degrees>(rand() % 360);
    expected.emplace_back(angle, static_cast<Velocity>(rand() % 3) * 0.12f);
  }
  const int next_draw = rand();

  ParticleSystem front;
  ParticleSystem entity;
  ParticleTools tools{front, entity, graphics};
  srand(2024);
  DeathCloudParticle::createRandomDeathClouds(tools, 208.0f, 240.0f, 3);
  EXPECT_EQ(rand(), next_draw);
  EXPECT_TRUE(front.particles.empty());
  ASSERT_EQ(entity.particles.size(), 3u);

  std::vector<std::pair<Degrees, Velocity>> made;
  for (const auto& particle : entity.particles) {
    const auto cloud = boost::dynamic_pointer_cast<DeathCloudParticle>(particle);
    ASSERT_TRUE(cloud);
    EXPECT_EQ(cloud->x, 192.0f);
    EXPECT_EQ(cloud->y, 224.0f);
    EXPECT_EQ(cloud->offset.magnitude, 0.0f);
    made.emplace_back(cloud->offset.angle, cloud->speed);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, expected);
}
