#include "immobile_single_loop_particle.h"

namespace {

const std::string kSpriteName = "Sparks";
const TileUnit kStarColumn = 0;
const TileUnit kStarRow = 3;
const Fps kStarFps = 18;
const TileUnit kWallColumn = 11;
const TileUnit kWallRow = 0;
const Fps kWallFps = 20;
const FrameIndex kNumFrames = 4;

}  // namespace

ImmobileSingleLoopParticle::ImmobileSingleLoopParticle(Graphics& graphics,
                                                       const std::string& spriteName,
                                                       PixelUnit sourceX, PixelUnit sourceY,
                                                       PixelUnit width, PixelUnit height,
                                                       Fps fps, FrameIndex numFrames,
                                                       GameUnit x, GameUnit y)
    : x(x), y(y), sprite(graphics, spriteName, sourceX, sourceY, width, height, fps, numFrames) {}

bool ImmobileSingleLoopParticle::update(Millis) {
  sprite.update();
  return sprite.numCompletedLoops() == 0;
}

void ImmobileSingleLoopParticle::draw(Graphics& graphics) const { sprite.draw(graphics, x, y); }

ProjectileStarParticle::ProjectileStarParticle(Graphics& graphics, GameUnit x, GameUnit y)
    : ImmobileSingleLoopParticle(graphics, kSpriteName, tileToPixel(kStarColumn),
                                 tileToPixel(kStarRow), tileToPixel(1), tileToPixel(1),
                                 kStarFps, kNumFrames, x, y) {}

ProjectileWallParticle::ProjectileWallParticle(Graphics& graphics, GameUnit x, GameUnit y)
    : ImmobileSingleLoopParticle(graphics, kSpriteName, tileToPixel(kWallColumn),
                                 tileToPixel(kWallRow), tileToPixel(1), tileToPixel(1),
                                 kWallFps, kNumFrames, x, y) {}
