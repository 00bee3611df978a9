#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "animated_sprite.h"
#include "cave_bat.h"
#include "drawn_cell.h"
#include "game_harness.h"
#include "player.h"
#include "units.h"

namespace {

struct Comparison {
  int opaque = 0;
  int matching = 0;
};

// The cell's opaque pixels against the screen at (x, y); its transparent black shows
// whatever lies under it, so those are left out.
Comparison compareOpaque(const Screen& screen, const SheetImage& sheet, const SDL_Rect& cell,
                         PixelUnit x, PixelUnit y) {
  Comparison comparison;
  for (int row = 0; row < cell.h; ++row) {
    for (int column = 0; column < cell.w; ++column) {
      const std::uint32_t expected = sheet.at(cell.x + column, cell.y + row);
      if (expected == 0) continue;
      ++comparison.opaque;
      comparison.matching += screen.at(x + column, y + row) == expected;
    }
  }
  return comparison;
}

}  // namespace

// One whole frame of the running game, read back from the renderer, at the moment the
// bat is near the top of its bob, clear of the slab and of the bouncing crystals.
TEST(GamePicture, FrameShowsTheRoomTheBatThePlayerAndTheHudWhereTheyBelong) {
  GameHarness harness;
  Game& game = harness.game;
  for (int i = 0; i < 140; ++i) harness.frame();
  ASSERT_TRUE(game.bat);
  ASSERT_TRUE(game.player->isVisible());
  const Screen screen(harness.loop.graphics);
  const SheetImage panels("Panels");
  const SheetImage rockset("Rockset");
  const SheetImage skyfill("Skyfill");
  const SheetImage pilgrim("Pilgrim");
  const SheetImage gravefolk("Gravefolk");

  struct Element {
    std::string name;
    const SheetImage& sheet;
    SDL_Rect cell;
    PixelUnit x;
    PixelUnit y;
  };
  const CaveBat& bat = *game.bat;
  const Player& player = *game.player;
  // The bat faces the player, to its right, and shows its current wing beat.
  const SDL_Rect bat_cell = bat.sprites.at(CaveBat::SpriteState(RIGHT))->sourceRect;
  ASSERT_EQ(bat_cell.y, 48);
  for (const Element& e : std::vector<Element>{
           // The frame's heart end; the number and the fill cover the rest.
           {"health frame", panels, {0, 40, 16, 8}, 16, 32},
           {"full health fill", panels, {0, 24, 39, 8}, 40, 32},
           {"health 6", panels, {48, 56, 8, 8}, 32, 32},
           {"level label", panels, {80, 80, 16, 8}, 16, 24},
           {"level 1", panels, {8, 56, 8, 8}, 32, 24},
           {"empty experience bar", panels, {0, 72, 40, 8}, 40, 24},
           {"player standing, facing right", pilgrim, {0, 16, 16, 16},
            gameToPixel(player.kinematicsX.position), gameToPixel(player.kinematicsY.position)},
           {"bat", gravefolk, bat_cell, gameToPixel(bat.x), gameToPixel(bat.y)},
           {"floor wall at row 13, column 3", rockset, {16, 0, 16, 16}, 48, 208}}) {
    const Comparison comparison = compareOpaque(screen, e.sheet, e.cell, e.x, e.y);
    EXPECT_GT(comparison.opaque, 0) << e.name;
    EXPECT_EQ(comparison.matching, comparison.opaque) << e.name << " at " << e.x << ", " << e.y;
  }

  // The empty cell at row 4, column 16 shows the backdrop, laid in 64 pixel blocks.
  int backdrop_mismatches = 0;
  for (PixelUnit y = 64; y < 80; ++y) {
    for (PixelUnit x = 256; x < 272; ++x)
      backdrop_mismatches += screen.at(x, y) != skyfill.at(x % 64, y % 64);
  }
  EXPECT_EQ(backdrop_mismatches, 0);
}
