#include "gun_experience_hud.h"

#include <gtest/gtest.h>

#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "test_support.h"

namespace {

// One piece of the HUD row as it should land: a cell of "Panels" placed at a pixel
// column of the row, which spans pixel rows 24 to 31.
struct Piece {
  PixelUnit sourceX;
  PixelUnit sourceY;
  PixelUnit width;
  PixelUnit x;
};

const PixelUnit kRowY = 24;
const Piece kLabel{80, 80, 16, 16};
const Piece kFrame{0, 72, 40, 40};
const Piece kPlate{40, 72, 40, 40};
const Piece kFlash{40, 80, 40, 40};

// Plain digits; a one-digit level is right-aligned in its two-digit field.
Piece level(int digit) { return Piece{8 * digit, 56, 8, 32}; }
Piece fill(PixelUnit width) { return Piece{0, 80, width, 40}; }

class GunExperienceHUDTest : public testing::Test {
 protected:
  void drawHud(GunLevel gun_level, int experience, int span) {
    graphics.clear();
    hud.draw(graphics, gun_level, experience, span);
  }

  // Later pieces cover earlier ones wherever they are not black (transparent).
  void expectRowShows(const std::vector<Piece>& pieces) {
    const Screen screen(graphics);
    for (PixelUnit y = kRowY - 1; y <= kRowY + 8; ++y) {
      for (PixelUnit x = 0; x < 96; ++x) {
        std::uint32_t expected = 0;
        for (const Piece& piece : pieces) {
          if (y < kRowY || y >= kRowY + 8 || x < piece.x || x >= piece.x + piece.width) continue;
          const std::uint32_t colour =
              panels.at(piece.sourceX + x - piece.x, piece.sourceY + y - kRowY);
          if (colour != 0) expected = colour;
        }
        if (screen.at(x, y) != expected) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << screen.at(x, y)
                        << ", expected " << expected;
          return;
        }
      }
    }
  }

  // Whether the last draw put the flash overlay on the bar.
  bool flashDrawn(GunLevel gun_level, int experience, int span) {
    const std::vector<BlitRecord> blits =
        recordBlits(graphics, [&] { hud.draw(graphics, gun_level, experience, span); });
    for (const BlitRecord& blit : blits) {
      if (blit.source.x == kFlash.sourceX && blit.source.y == kFlash.sourceY) return true;
    }
    return false;
  }

  SdlVideo video;
  Graphics graphics;
  const SheetImage panels{"Panels"};
  GunExperienceHUD hud{graphics};
};

}  // namespace

TEST_F(GunExperienceHUDTest, FillsTheBarByTheExperienceWithinTheLevel) {
  struct Case { GunLevel level; int experience; int span; PixelUnit width; };
  for (const Case& c : std::vector<Case>{{1, 0, 10, 0}, {1, 5, 10, 20}, {2, 15, 20, 30},
                                         {3, 9, 10, 36}, {2, 19, 20, 38}}) {
    SCOPED_TRACE(testing::Message() << "level " << c.level << " with " << c.experience << " of "
                                    << c.span);
    drawHud(c.level, c.experience, c.span);
    EXPECT_EQ(hud.fillSprite.sourceRect.w, c.width);
    expectRowShows({kLabel, level(c.level), kFrame, fill(c.width)});
  }
}

TEST_F(GunExperienceHUDTest, CappedGunShowsThePlateAndLeavesTheFillAsItWas) {
  drawHud(3, 9, 10);
  drawHud(3, 10, 10);
  EXPECT_EQ(hud.fillSprite.sourceRect.w, 36);
  expectRowShows({kLabel, level(3), kFrame, kPlate});

  hud.activateFlash();
  drawHud(3, 10, 10);
  expectRowShows({kLabel, level(3), kFrame, kPlate, kFlash});
}

TEST_F(GunExperienceHUDTest, FlashBlinksInFortyMillisecondPhasesForEightHundred) {
  EXPECT_FALSE(flashDrawn(1, 5, 10));
  hud.activateFlash();
  drawHud(1, 5, 10);
  expectRowShows({kLabel, level(1), kFrame, fill(20), kFlash});

  int visible_phases = 0;
  bool was_visible = false;
  for (Millis time = 0; time <= 832; time += 16) {
    const bool visible = flashDrawn(1, 5, 10);
    EXPECT_EQ(visible, time < 800 && time / 40 % 2 == 0) << "at " << time;
    visible_phases += visible && !was_visible;
    was_visible = visible;
    Timer::updateAll(16);
  }
  EXPECT_EQ(visible_phases, 10);
}

TEST_F(GunExperienceHUDTest, AnotherGainRestartsTheFlash) {
  hud.activateFlash();
  Timer::updateAll(48);
  EXPECT_FALSE(flashDrawn(1, 5, 10));
  hud.activateFlash();
  EXPECT_TRUE(flashDrawn(1, 5, 10));
  // Still going when the first flash would have ended.
  Timer::updateAll(752);
  EXPECT_TRUE(flashDrawn(1, 5, 10));
  Timer::updateAll(48);
  EXPECT_FALSE(flashDrawn(1, 5, 10));
}
