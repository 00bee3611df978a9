#include "number_sprite.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "sprite.h"
#include "test_support.h"

namespace {

using Cell = std::pair<PixelUnit, PixelUnit>;  // source x, y in pixels

const SDL_Rect kMinus{40, 48, 8, 8};
const SDL_Rect kPlus{32, 48, 8, 8};

SDL_Rect damageDigit(int digit) { return SDL_Rect{8 * digit, 64, 8, 8}; }
SDL_Rect plainDigit(int digit) { return SDL_Rect{8 * digit, 56, 8, 8}; }

std::vector<Cell> glyphCells(const NumberSprite& number) {
  std::vector<Cell> cells;
  for (const auto& glyph : number.reversedGlyphs) {
    EXPECT_EQ(glyph->sourceRect.w, 8);
    EXPECT_EQ(glyph->sourceRect.h, 8);
    cells.emplace_back(glyph->sourceRect.x, glyph->sourceRect.y);
  }
  return cells;
}

class NumberSpriteTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
  SheetImage panels{"Panels"};
};

}  // namespace

TEST_F(NumberSpriteTest, GlyphsRunFromTheLeastSignificantDigitWithTheSignLast) {
  struct Case {
    NumberSprite number;
    std::vector<Cell> cells;
  };
  const std::vector<Case> cases{
      {NumberSprite::damageNumber(graphics, 0), {{0, 64}, {40, 48}}},
      {NumberSprite::damageNumber(graphics, 12), {{16, 64}, {8, 64}, {40, 48}}},
      {NumberSprite::experienceNumber(graphics, 7), {{56, 56}, {32, 48}}},
      {NumberSprite::hudNumber(graphics, 120, 0), {{0, 56}, {16, 56}, {8, 56}}},
      {NumberSprite(graphics, 9, 0, NumberSprite::DAMAGE_COLOR, NumberSprite::NONE), {{72, 64}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(glyphCells(c.number), c.cells);
    EXPECT_EQ(c.number.width(), 16.0f * c.cells.size());
    EXPECT_EQ(c.number.height(), 16.0f);
  }
}

TEST_F(NumberSpriteTest, FixedDigitCountRightAlignsWithoutWideningTheNumber) {
  struct Case { int number; int numDigits; GameUnit offset; };
  for (const Case& c : std::vector<Case>{{6, 2, 16.0f}, {42, 2, 0.0f}, {7, 3, 32.0f},
                                         {123, 0, 0.0f}, {0, 1, 0.0f}}) {
    const NumberSprite number = NumberSprite::hudNumber(graphics, c.number, c.numDigits);
    EXPECT_EQ(number.alignmentOffset, c.offset) << c.number << " in " << c.numDigits;
    EXPECT_EQ(number.width(), 16.0f * number.reversedGlyphs.size());
  }
}

TEST_F(NumberSpriteTest, DrawsInReadingOrderWithTheSignFirst) {
  graphics.clear();
  NumberSprite::damageNumber(graphics, 12).draw(graphics, 10.0f, 20.0f);  // pixel (5, 10)
  const Screen screen(graphics);
  EXPECT_TRUE(cellDrawnAt(screen, panels, kMinus, 5, 10));
  EXPECT_TRUE(cellDrawnAt(screen, panels, damageDigit(1), 13, 10));
  EXPECT_TRUE(cellDrawnAt(screen, panels, damageDigit(2), 21, 10));
  EXPECT_EQ(litPixels(screen), panels.visiblePixels(kMinus) +
                                   panels.visiblePixels(damageDigit(1)) +
                                   panels.visiblePixels(damageDigit(2)));
}

TEST_F(NumberSpriteTest, AlignmentShiftsTheDrawnDigitsRight) {
  graphics.clear();
  NumberSprite::hudNumber(graphics, 6, 2).draw(graphics, 0.0f, 100.0f);
  const Screen screen(graphics);
  EXPECT_TRUE(cellDrawnAt(screen, panels, plainDigit(6), 8, 50));
  EXPECT_EQ(litPixels(screen), panels.visiblePixels(plainDigit(6)));
}

TEST_F(NumberSpriteTest, DrawCenteredPutsTheMiddleOfTheRowOnThePoint) {
  graphics.clear();
  // 32 wide and 16 high around (100, 100): top-left (84, 92), pixel (42, 46).
  NumberSprite::experienceNumber(graphics, 3).drawCentered(graphics, 100.0f, 100.0f);
  const Screen screen(graphics);
  EXPECT_TRUE(cellDrawnAt(screen, panels, kPlus, 42, 46));
  EXPECT_TRUE(cellDrawnAt(screen, panels, plainDigit(3), 50, 46));
  EXPECT_EQ(litPixels(screen), panels.visiblePixels(kPlus) + panels.visiblePixels(plainDigit(3)));
}

TEST_F(NumberSpriteTest, RejectsNegativeNumbersAndFieldsTooNarrow) {
  EXPECT_DEATH(NumberSprite::damageNumber(graphics, -1),
               "Assertion failed: number >= 0, file src/number_sprite\\.cpp");
  EXPECT_DEATH(NumberSprite::hudNumber(graphics, 100, 2),
               "num_digits == 0 \\|\\| num_digits >= digit_count");
  EXPECT_DEATH(NumberSprite::hudNumber(graphics, 5, -1),
               "num_digits == 0 \\|\\| num_digits >= digit_count");
}
