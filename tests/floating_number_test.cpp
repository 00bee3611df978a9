#include "floating_number.h"

#include <gtest/gtest.h>

#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "test_support.h"
#include "timer.h"

namespace {

bool advance(FloatingNumber& number, Millis elapsed_time) {
  Timer::updateAll(elapsed_time);
  return number.update(elapsed_time);
}

// Advances in 20 ms frames; true when the number showed after every one of them.
bool advanceFrames(FloatingNumber& number, int frames) {
  bool showing = true;
  for (int i = 0; i < frames; ++i) showing = advance(number, 20) && showing;
  return showing;
}

}  // namespace

TEST(FloatingNumber, RisesToItsLimitAndShowsForTwoSecondsAfterTheHit) {
  FloatingNumber number(FloatingNumber::DAMAGE);
  EXPECT_FALSE(number.timer.active());
  number.addValue(1);
  EXPECT_TRUE(advanceFrames(number, 5));
  EXPECT_NEAR(number.offsetY, -6.4f, 1e-4f);
  EXPECT_TRUE(advanceFrames(number, 20));  // 500 ms: the top of the rise
  EXPECT_NEAR(number.offsetY, -32.0f, 1e-4f);
  EXPECT_TRUE(advanceFrames(number, 74));  // 1980 ms
  EXPECT_EQ(number.offsetY, -32.0f);
  EXPECT_EQ(number.value, 1);
  EXPECT_FALSE(advance(number, 20));
  EXPECT_EQ(number.value, 0);
}

TEST(FloatingNumber, HitWhileShowingAddsUpAndHoldsTheHeightReached) {
  FloatingNumber number(FloatingNumber::DAMAGE);
  number.addValue(1);
  advanceFrames(number, 15);
  number.addValue(2);
  EXPECT_EQ(number.value, 3);
  EXPECT_TRUE(advanceFrames(number, 99));  // 1980 ms after the second hit
  EXPECT_NEAR(number.offsetY, -19.2f, 1e-4f);
  EXPECT_FALSE(advance(number, 20));
}

TEST(FloatingNumber, HitAfterFadingStartsAfreshWithOnlyTheNewAmount) {
  FloatingNumber number(FloatingNumber::EXPERIENCE);
  number.addValue(5);
  EXPECT_FALSE(advanceFrames(number, 100));
  advance(number, 20);
  number.addValue(2);
  EXPECT_EQ(number.value, 2);
  EXPECT_EQ(number.offsetY, 0.0f);
  EXPECT_TRUE(number.shouldRise);
  EXPECT_TRUE(advance(number, 20));
  EXPECT_LT(number.offsetY, 0.0f);
}

TEST(FloatingNumber, DrawsWithTheSignAndColourOfItsKindOnlyWhileShowing) {
  SdlVideo video;
  Graphics graphics;
  const SheetImage panels("Panels");
  struct Case { FloatingNumber::NumberType type; SDL_Rect sign; SDL_Rect digit; };
  for (const Case& c : std::vector<Case>{{FloatingNumber::DAMAGE, {40, 48, 8, 8}, {8, 64, 8, 8}},
                                         {FloatingNumber::EXPERIENCE, {32, 48, 8, 8},
                                          {8, 56, 8, 8}}}) {
    FloatingNumber number(c.type);
    number.setPosition(100.0f, 100.0f);
    graphics.clear();
    number.draw(graphics);
    EXPECT_EQ(litPixels(Screen(graphics)), 0) << "before any value";

    number.addValue(1);
    advanceFrames(number, 5);  // risen 6.4: top edge at 85.6, pixel 43
    graphics.clear();
    number.draw(graphics);
    const Screen showing(graphics);
    EXPECT_TRUE(cellDrawnAt(showing, panels, c.sign, 42, 43)) << c.type;
    EXPECT_TRUE(cellDrawnAt(showing, panels, c.digit, 50, 43)) << c.type;
    EXPECT_EQ(litPixels(showing), panels.visiblePixels(c.sign) + panels.visiblePixels(c.digit));

    advanceFrames(number, 95);
    graphics.clear();
    number.draw(graphics);
    EXPECT_EQ(litPixels(Screen(graphics)), 0) << "after fading";
  }
}
