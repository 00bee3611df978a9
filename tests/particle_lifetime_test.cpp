#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <functional>
#include <string>
#include <vector>

#include "death_cloud_particle.h"
#include "drawn_cell.h"
#include "graphics.h"
#include "immobile_single_loop_particle.h"
#include "particle_system.h"
#include "test_support.h"
#include "timer.h"

namespace {

using Factory = std::function<boost::shared_ptr<Particle>(Graphics&)>;

struct Case {
  std::string name;
  Factory create;
  std::string sheet;
  SDL_Rect firstFrame;
  PixelUnit drawnX;
  PixelUnit drawnY;
  // The first update shows frame 2; each later frame needs ceil(1000 / fps / step)
  // updates, and the particle goes in the update that wraps back to frame 1.
  int updatesAt16;
  int updatesAt10;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all{
      {"death cloud",
       [](Graphics& graphics) {
         return boost::make_shared<DeathCloudParticle>(graphics, 100.0f, 100.0f, 0.0f, 0.0f);
       },
       "Glyphs", {16, 0, 16, 16}, 42, 42, 1 + 6 * 4, 1 + 6 * 6},
      {"projectile star",
       [](Graphics& graphics) {
         return boost::make_shared<ProjectileStarParticle>(graphics, 100.0f, 100.0f);
       },
       "Sparks", {0, 48, 16, 16}, 50, 50, 1 + 3 * 4, 1 + 3 * 6},
      {"projectile wall",
       [](Graphics& graphics) {
         return boost::make_shared<ProjectileWallParticle>(graphics, 100.0f, 100.0f);
       },
       "Sparks", {176, 0, 16, 16}, 50, 50, 1 + 3 * 4, 1 + 3 * 5},
  };
  return all;
}

int updatesUntilRemoved(ParticleSystem& system, Millis step) {
  int updates = 0;
  while (!system.particles.empty() && updates < 1000) {
    Timer::updateAll(step);
    system.update(step);
    ++updates;
  }
  return updates;
}

class ParticleLifetimeTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
};

}  // namespace

TEST_F(ParticleLifetimeTest, AnimatedParticlesPlayOneLoopAtTheirOwnSpeed) {
  for (const Case& c : cases()) {
    for (const Millis step : {16u, 10u}) {
      ParticleSystem system;
      system.addNewParticle(c.create(graphics));
      EXPECT_EQ(updatesUntilRemoved(system, step), step == 16 ? c.updatesAt16 : c.updatesAt10)
          << c.name << " in " << step << " ms frames";
    }
  }
}

TEST_F(ParticleLifetimeTest, AnimatedParticlesStartOnTheirFirstCell) {
  for (const Case& c : cases()) {
    const SheetImage sheet(c.sheet);
    graphics.clear();
    c.create(graphics)->draw(graphics);
    const Screen screen(graphics);
    EXPECT_TRUE(cellDrawnAt(screen, sheet, c.firstFrame, c.drawnX, c.drawnY)) << c.name;
    EXPECT_EQ(litPixels(screen), sheet.visiblePixels(c.firstFrame)) << c.name;
  }
}
