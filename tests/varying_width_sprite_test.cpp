#include "varying_width_sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "test_support.h"

namespace {

// The health fill: 39 pixels at full health.
const SDL_Rect kFill{0, 24, 39, 8};

class VaryingWidthSpriteTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
  VaryingWidthSprite bar{graphics, "Panels", kFill.x, kFill.y, kFill.w, 10, kFill.h};
};

}  // namespace

TEST_F(VaryingWidthSpriteTest, KeepsTheInitialWidthUntilFirstSet) {
  EXPECT_EQ(bar.sourceRect.w, 10);
  EXPECT_EQ(bar.maxWidth, 39);
}

TEST_F(VaryingWidthSpriteTest, WidthIsTruncatedNotRounded) {
  struct Case { float percentage; PixelUnit width; };
  for (const Case& c : std::vector<Case>{
           {1.0f, 39}, {0.99f, 38}, {0.5f, 19}, {1.0f / 6.0f, 6}, {0.0f, 0}}) {
    bar.setPercentage(c.percentage);
    EXPECT_EQ(bar.sourceRect.w, c.width) << c.percentage;
  }
}

TEST_F(VaryingWidthSpriteTest, CutsTheBarOffOnTheRight) {
  const SheetImage panels("Panels");
  bar.setPercentage(0.5f);
  graphics.clear();
  bar.draw(graphics, 0.0f, 0.0f);
  const Screen screen(graphics);
  const SDL_Rect drawn{kFill.x, kFill.y, 19, kFill.h};
  EXPECT_TRUE(cellDrawnAt(screen, panels, drawn, 0, 0));
  EXPECT_EQ(litPixels(screen), panels.visiblePixels(drawn));
}

TEST_F(VaryingWidthSpriteTest, ZeroDrawsNothing) {
  bar.setPercentage(0.0f);
  graphics.clear();
  bar.draw(graphics, 0.0f, 0.0f);
  EXPECT_EQ(litPixels(Screen(graphics)), 0);
}

TEST_F(VaryingWidthSpriteTest, RejectsPercentagesOutsideZeroToOne) {
  for (const float percentage : {-0.01f, 1.01f, std::nanf("")}) {
    EXPECT_DEATH(bar.setPercentage(percentage),
                 "percentage >= 0\\.0f && percentage <= 1\\.0f, file src/varying_width_sprite")
        << percentage;
  }
}
