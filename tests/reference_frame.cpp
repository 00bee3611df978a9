// The desktop build's first frame, for the browser test to hold the page's canvas
// against. Draws the game's set-up and one frame on SDL's dummy driver and software
// renderer, then writes into the folder given:
//   frame.png    the whole 640x480 window, as presented;
//   regions.json rectangles in window pixels: of kind "wall" and "hud", every wall tile
//                and every piece of the HUD, which depend on neither rand() nor timing
//                and must match pixel for pixel; of kind "player", where the player and
//                the gun are drawn, to tell the player from the rest of the picture.
// Run it from a folder beside content/.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "event_loop.h"
#include "game.h"
#include "map.h"
#include "player.h"
#include "png_file.h"
#include "sprite.h"
#include "test_support.h"
#include "tile_type.h"

namespace {

struct Region {
  const char* kind;
  SDL_Rect rect;
  std::string what;
};

std::vector<Region> comparedRegions(Game& game, Graphics& graphics, int scale) {
  std::vector<Region> regions;
  const auto scaled = [scale](const SDL_Rect& r) {
    return SDL_Rect{r.x * scale, r.y * scale, r.w * scale, r.h * scale};
  };
  const PixelUnit tile = tileToPixel(1);
  for (size_t row = 0; row < game.map->tiles.size(); ++row) {
    for (size_t column = 0; column < game.map->tiles[row].size(); ++column) {
      const Map::Tile& cell = game.map->tiles[row][column];
      if (!cell.sprite || !containsAll(cell.tileType, {WALL})) continue;
      const SDL_Rect rect{static_cast<int>(column) * tile, static_cast<int>(row) * tile, tile, tile};
      regions.push_back({"wall", scaled(rect), "wall tile at column " + std::to_string(column) +
                                                   ", row " + std::to_string(row)});
    }
  }
  int piece = 0;
  for (const BlitRecord& blit : recordBlits(graphics, [&] { game.player->drawHUD(graphics); }))
    regions.push_back({"hud", scaled(blit.destination), "HUD piece " + std::to_string(++piece)});
  piece = 0;
  for (const BlitRecord& blit : recordBlits(graphics, [&] { game.player->draw(graphics); }))
    regions.push_back({"player", scaled(blit.destination), "player piece " + std::to_string(++piece)});
  return regions;
}

bool writeRegions(const std::string& path, const std::vector<Region>& regions) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  std::fprintf(file, "[\n");
  for (size_t i = 0; i < regions.size(); ++i) {
    const SDL_Rect& r = regions[i].rect;
    std::fprintf(file,
                 "  {\"kind\": \"%s\", \"x\": %d, \"y\": %d, \"w\": %d, \"h\": %d, "
                 "\"what\": \"%s\"}%s\n",
                 regions[i].kind, r.x, r.y, r.w, r.h, regions[i].what.c_str(),
                 i + 1 < regions.size() ? "," : "");
  }
  std::fprintf(file, "]\n");
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER (run from a folder beside content/)\n",
                 argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  std::srand(1);

  Game game{Game::WithoutLoop{}};
  ManualClock clock;
  EventLoop loop(game, clock);
  clock.now = Game::kFrameTime;
  loop.runFrame();

  Graphics& graphics = loop.graphics;
  const Screen screen(graphics);
  const int width = screen.width;
  const int height = static_cast<int>(screen.pixels.size()) / width;
  RgbImage frame;
  frame.width = width;
  frame.height = height;
  frame.rgb.reserve(screen.pixels.size() * 3);
  for (const std::uint32_t pixel : screen.pixels) {
    frame.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
    frame.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
    frame.rgb.push_back(static_cast<std::uint8_t>(pixel));
  }

  const std::vector<Region> regions = comparedRegions(game, graphics, screen.scale);
  if (!writePng(folder + "/frame.png", frame) ||
      !writeRegions(folder + "/regions.json", regions)) {
    std::fprintf(stderr, "could not write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("Wrote %s/frame.png (%dx%d) and %zu regions\n", folder.c_str(), width, height,
              regions.size());
  return 0;
}
