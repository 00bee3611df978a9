#include <gtest/gtest.h>

#include <SDL.h>

#include <boost/scoped_ptr.hpp>
#include <cstdint>
#include <vector>

#include "fixed_backdrop.h"
#include "graphics.h"
#include "map.h"
#include "test_support.h"

namespace {

const std::uint32_t kClearColour = 0xFF00FF;

class MapDrawTest : public testing::Test {
 protected:
  MapDrawTest() : video(), graphics(), map(Map::createTestMap(graphics)) {
    SDL_QueryTexture(dynamic_cast<const FixedBackdrop&>(*map->backdrop).texture, nullptr,
                     nullptr, &sky_width, &sky_height);
    // A colour no sheet uses shows whatever was left undrawn.
    SDL_SetRenderDrawColor(graphics.renderer, 0xFF, 0x00, 0xFF, 0xFF);
    graphics.clear();
  }

  // The backdrop's pixel at a screen pixel, for a sheet drawn one to one in 64 pixel blocks.
  std::uint32_t sky(int x, int y) const { return skyfill.at(x % 64, y % 64); }

  SdlVideo video;
  Graphics graphics;
  boost::scoped_ptr<Map> map;
  int sky_width = 0;
  int sky_height = 0;
  const SheetImage skyfill{"Skyfill"};
  const SheetImage rockset{"Rockset"};
};

}  // namespace

TEST_F(MapDrawTest, BackdropCoversTheScreenInBlocksOfFourTiles) {
  ASSERT_EQ(sky_width, 64);
  ASSERT_EQ(sky_height, 64);
  // The whole sheet at once: one pixel at a time would read the file 76800 times.
  std::vector<std::uint32_t> sheet;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) sheet.push_back(sky(x, y));
  }
  ASSERT_EQ(sheet.size(), 64u * 64u);
  map->backdrop->draw(graphics);
  const Screen screen(graphics);
  int mismatches = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      if (screen.at(x, y) != sheet[(y % 64) * 64 + x % 64] && ++mismatches <= 5)
        ADD_FAILURE() << "backdrop pixel at " << x << ", " << y;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(MapDrawTest, BackdropKeepsItsBlackOpaque) {
  SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
  SDL_GetTextureBlendMode(dynamic_cast<const FixedBackdrop&>(*map->backdrop).texture, &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

TEST_F(MapDrawTest, TilesAndChainDrawOverTheBackdropAtTheirCells) {
  ASSERT_EQ(sky_width, 64);
  map->drawBackground(graphics);
  map->draw(graphics);
  const Screen screen(graphics);
  struct Cell {
    int row;
    int col;
    int sheet_x;  // pixels on Rockset; -1 for an empty cell
    int sheet_y;
  };
  int painted = 0;
  for (const Cell& cell : {Cell{13, 5, 16, 0}, Cell{12, 17, 64, 16}, Cell{3, 10, 176, 32},
                           Cell{5, 5, -1, 0}, Cell{14, 17, -1, 0}}) {
    for (int dy = 0; dy < 16; ++dy) {
      for (int dx = 0; dx < 16; ++dx) {
        const int x = cell.col * 16 + dx;
        const int y = cell.row * 16 + dy;
        const std::uint32_t tile =
            cell.sheet_x < 0 ? 0 : rockset.at(cell.sheet_x + dx, cell.sheet_y + dy);
        // Black in a tile is transparent and shows the backdrop.
        EXPECT_EQ(screen.at(x, y), tile != 0 ? tile : sky(x, y))
            << "cell " << cell.row << ", " << cell.col << " at " << dx << ", " << dy;
        painted += tile != 0;
      }
    }
  }
  EXPECT_GT(painted, 256);
}
