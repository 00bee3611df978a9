#include "cave_bat.h"

#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>
#include <vector>

#include "animated_sprite.h"
#include "drawn_cell.h"
#include "floating_number.h"
#include "graphics.h"
#include "test_support.h"
#include "timer.h"

namespace {

class CaveBatTest : public testing::Test {
 protected:
  bool advance(CaveBat& bat, Millis elapsed_time, GameUnit player_x = 0.0f) {
    Timer::updateAll(elapsed_time);
    return bat.update(elapsed_time, player_x);
  }

  // Advances by whole 16 ms frames and one shorter frame for the remainder.
  void advanceFor(CaveBat& bat, Millis duration) {
    for (; duration >= 16; duration -= 16) advance(bat, 16);
    if (duration > 0) advance(bat, duration);
  }

  const AnimatedSprite& sprite(const CaveBat& bat, HorizontalFacing facing) {
    return *boost::dynamic_pointer_cast<AnimatedSprite>(
        bat.sprites.at(CaveBat::SpriteState(facing)));
  }

  SdlVideo video;
  Graphics graphics;
  CaveBat bat{graphics, 192.0f, 224.0f};
};

}  // namespace

TEST_F(CaveBatTest, BobsDownFirstAndIsBackAfterThreeSeconds) {
  advanceFor(bat, 750);
  EXPECT_NEAR(bat.y, 224.0f + 80.0f, 1e-3f);
  advanceFor(bat, 1500);
  EXPECT_NEAR(bat.y, 224.0f - 80.0f, 1e-3f);
  advanceFor(bat, 750);
  EXPECT_NEAR(bat.y, 224.0f, 1e-2f);
  EXPECT_EQ(bat.x, 192.0f);
  EXPECT_EQ(bat.flightCenterY, 224.0f);
}

TEST_F(CaveBatTest, FacesThePlayerAndOnlyThatFacingFlaps) {
  struct Case { GameUnit playerX; HorizontalFacing facing; };
  // The bat's centre is at x 208; a tie faces right.
  for (const Case& c : std::vector<Case>{{208.0f, RIGHT}, {209.0f, RIGHT}, {207.0f, LEFT}}) {
    CaveBat fresh(graphics, 192.0f, 224.0f);
    advance(fresh, 16, c.playerX);
    EXPECT_EQ(fresh.facing, c.facing) << c.playerX;
    EXPECT_EQ(sprite(fresh, c.facing).currentFrame, 1u) << c.playerX;
    EXPECT_EQ(sprite(fresh, c.facing == LEFT ? RIGHT : LEFT).currentFrame, 0u) << c.playerX;
  }
}

TEST_F(CaveBatTest, DrawsTheFlyingFrameOfItsFacingAtItsPosition) {
  const SheetImage gravefolk("Gravefolk");
  EXPECT_EQ(sprite(bat, LEFT).frameTimer.expirationTime, 1000u / 13);
  graphics.clear();
  bat.draw(graphics);
  EXPECT_TRUE(cellDrawnAt(Screen(graphics), gravefolk, {32, 48, 16, 16}, 96, 112));

  advance(bat, 16, 0.0f);  // turns left and shows the second frame
  graphics.clear();
  bat.draw(graphics);
  const Screen screen(graphics);
  const SDL_Rect second_left_frame{48, 32, 16, 16};
  EXPECT_TRUE(cellDrawnAt(screen, gravefolk, second_left_frame, 96, gameToPixel(bat.y)));
  EXPECT_EQ(litPixels(screen), gravefolk.visiblePixels(second_left_frame));
}

TEST_F(CaveBatTest, DamageNumberTrailsTheBobByOneFrame) {
  EXPECT_EQ(bat.getDamageText(), bat.damageText);
  for (int frame = 0; frame < 10; ++frame) {
    const GameUnit center_before = bat.centerY();
    advance(bat, 16);
    EXPECT_EQ(bat.damageText->centerX, 208.0f);
    EXPECT_EQ(bat.damageText->centerY, center_before) << "frame " << frame;
    EXPECT_GT(bat.centerY(), center_before) << "frame " << frame;
  }
}

TEST_F(CaveBatTest, OneHitKillsAndTheNumberShowsItAtTheLastCentre) {
  EXPECT_TRUE(advance(bat, 16));
  const GameUnit last_center_y = bat.centerY();
  bat.takeDamage(1);
  EXPECT_FALSE(advance(bat, 16));
  EXPECT_EQ(bat.damageText->value, 1);
  EXPECT_TRUE(bat.damageText->timer.active());
  EXPECT_EQ(bat.damageText->centerX, 208.0f);
  EXPECT_EQ(bat.damageText->centerY, last_center_y);
  EXPECT_FALSE(advance(bat, 16));
}

TEST_F(CaveBatTest, HitsInOneFrameAddUp) {
  bat.takeDamage(2);
  bat.takeDamage(3);
  EXPECT_EQ(bat.damageText->value, 5);
  EXPECT_FALSE(bat.alive);
}

TEST_F(CaveBatTest, HurtsThroughAPointAtItsCentreEvenAtAnEdge) {
  const Rectangle body = bat.damageRectangle();
  EXPECT_EQ(body.left, 192.0f);
  EXPECT_EQ(body.top, 224.0f);
  EXPECT_EQ(body.width, 32.0f);
  EXPECT_EQ(body.height, 32.0f);
  EXPECT_EQ(bat.contactDamage(), 1);

  const Rectangle contact = bat.contactRectangle();
  EXPECT_EQ(contact.width, 0.0f);
  EXPECT_EQ(contact.height, 0.0f);
  // A player box whose right edge runs through the bat's centre.
  const Rectangle touching(198.0f, 200.0f, 10.0f, 100.0f);
  EXPECT_TRUE(contact.collidesWith(touching));
  const Rectangle apart(197.0f, 200.0f, 10.0f, 100.0f);
  EXPECT_FALSE(contact.collidesWith(apart));
}
