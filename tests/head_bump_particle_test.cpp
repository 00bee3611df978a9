#include "head_bump_particle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/make_shared.hpp>
#include <cstdlib>
#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "particle_system.h"
#include "test_support.h"
#include "timer.h"

namespace {

const SDL_Rect kSpeck{58, 27, 3, 3};

class HeadBumpTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
};

}  // namespace

TEST_F(HeadBumpTest, TakesTwoAnglesThenTwoDistancesFromRand) {
  srand(99);
  const int angle_a = rand() % 360;
  const int angle_b = rand() % 360;
  const int max_a = 4 + rand() % 16;
  const int max_b = 4 + rand() % 16;
  const int next_draw = rand();
  srand(99);
  const HeadBumpParticle bump(graphics, 100.0f, 50.0f);
  EXPECT_EQ(rand(), next_draw);
  EXPECT_EQ(bump.particleA.angle, angle_a);
  EXPECT_EQ(bump.particleB.angle, angle_b);
  EXPECT_EQ(bump.maxOffsetA, max_a);
  EXPECT_EQ(bump.maxOffsetB, max_b);
  EXPECT_EQ(bump.particleA.magnitude, 0.0f);
  EXPECT_EQ(bump.particleB.magnitude, 0.0f);
}

TEST_F(HeadBumpTest, SpecksStopAtTheirDistanceUntilTheParticleEndsAt600Ms) {
  for (const unsigned seed : {1u, 7u, 31u}) {
    srand(seed);
    ParticleSystem system;
    const auto bump = boost::make_shared<HeadBumpParticle>(graphics, 100.0f, 50.0f);
    system.addNewParticle(bump);
    int updates = 0;
    while (!system.particles.empty()) {
      Timer::updateAll(16);
      system.update(16);
      ++updates;
      const float travelled = 0.12f * 16 * updates;
      EXPECT_FLOAT_EQ(bump->particleA.magnitude, std::min(travelled, bump->maxOffsetA)) << updates;
      EXPECT_FLOAT_EQ(bump->particleB.magnitude, std::min(travelled, bump->maxOffsetB)) << updates;
    }
    EXPECT_EQ(updates, 38) << "seed " << seed;  // 608 ms is the first frame past 600
    EXPECT_EQ(bump.use_count(), 1);
  }
}

TEST_F(HeadBumpTest, FlickersEveryTwentyFiveMilliseconds) {
  const SheetImage sparks("Sparks");
  HeadBumpParticle bump(graphics, 100.0f, 100.0f);
  graphics.clear();
  bump.draw(graphics);
  const Screen first(graphics);
  // Both specks start on the bump point itself.
  EXPECT_TRUE(cellDrawnAt(first, sparks, kSpeck, 50, 50));
  EXPECT_EQ(litPixels(first), sparks.visiblePixels(kSpeck));

  struct Step { Millis elapsed; Millis now; bool shown; };
  for (const Step& s : std::vector<Step>{{24, 24, true}, {1, 25, false}, {24, 49, false},
                                         {1, 50, true}, {24, 74, true}, {1, 75, false},
                                         {25, 100, true}}) {
    Timer::updateAll(s.elapsed);
    bump.update(s.elapsed);
    ASSERT_EQ(bump.liveTimer.currentTime(), s.now);
    graphics.clear();
    bump.draw(graphics);
    EXPECT_EQ(litPixels(Screen(graphics)) > 0, s.shown) << "at " << s.now << " ms";
  }
}
