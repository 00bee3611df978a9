#include <gtest/gtest.h>

#include <SDL.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "event_loop.h"
#include "game.h"
#include "sheet_names.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

enum Breakage { MISSING, EMPTY, TRUNCATED_HEADER, TRUNCATED_PIXELS, NOT_A_BMP, DIRECTORY, TINY };

// A throwaway copy of the game's sheets, with a folder beside content/ to run in.
class ContentTree {
 public:
  ContentTree() {
    char name[] = "/tmp/vantorel-content-XXXXXX";
    root = mkdtemp(name);
    fs::create_directories(sheets());
    fs::create_directories(root / "run");
    for (const char* sheet : kSheetNames)
      fs::copy_file(fs::path(VANTOREL_SOURCE_DIR) / "content/sprites/umbercrag" / fileName(sheet),
                    sheets() / fileName(sheet));
  }
  ~ContentTree() { fs::remove_all(root); }
  ContentTree(const ContentTree&) = delete;
  ContentTree& operator=(const ContentTree&) = delete;

  static std::string fileName(const std::string& sheet) { return sheet + ".pbm"; }
  fs::path sheets() const { return root / "content/sprites/umbercrag"; }
  fs::path runFolder() const { return root / "run"; }

  void breakSheet(const std::string& sheet, Breakage breakage) const {
    const fs::path path = sheets() / fileName(sheet);
    switch (breakage) {
      case MISSING:
        fs::remove(path);
        break;
      case EMPTY:
        fs::resize_file(path, 0);
        break;
      case TRUNCATED_HEADER:
        fs::resize_file(path, 20);
        break;
      case TRUNCATED_PIXELS:
        fs::resize_file(path, fs::file_size(path) / 2);
        break;
      case NOT_A_BMP:
        std::ofstream(path, std::ios::trunc) << "Pixels drawn by hand, in words.\n";
        break;
      case DIRECTORY:
        fs::remove(path);
        fs::create_directory(path);
        break;
      case TINY: {
        SDL_Surface* tiny = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_BGR24);
        SDL_SaveBMP(tiny, path.c_str());
        SDL_FreeSurface(tiny);
        break;
      }
    }
  }

 private:
  fs::path root;
};

// Sets the world up as the game does, from the given folder, and runs one frame that
// fires: sparks are first cut from their sheet when a shot makes one.
ChildResult startGameIn(const fs::path& folder) {
  return runInChild([&folder] {
    if (chdir(folder.c_str()) != 0) return 99;
    Game game{Game::WithoutLoop{}};
    ManualClock clock;
    EventLoop loop(game, clock);
    pushKey(SDL_SCANCODE_X, true);
    loop.runFrame();
    return 0;
  });
}

}  // namespace

TEST(BrokenContent, AnyBrokenSheetStopsTheGameWithOneLineNamingItAndWhy) {
  struct Case {
    Breakage breakage;
    const char* name;
    const char* reason;
  };
  for (const Case& c : std::vector<Case>{
           {MISSING, "missing", "does not exist"},
           {EMPTY, "zero bytes", "the file is empty"},
           {TRUNCATED_HEADER, "truncated header", "truncated"},
           {TRUNCATED_PIXELS, "truncated pixels", "truncated"},
           {NOT_A_BMP, "not a BMP", "not a Windows BMP file"},
           {DIRECTORY, "directory", "it is a directory"},
           {TINY, "too small", "is 8x8, too small for the cell at"},
       }) {
    for (const char* sheet : kSheetNames) {
      // The backdrop is stretched whole over its blocks, so no size is too small.
      if (c.breakage == TINY && std::string(sheet) == "Skyfill") continue;
      const std::string label = std::string(sheet) + ", " + c.name;
      ContentTree tree;
      tree.breakSheet(sheet, c.breakage);
      const ChildResult result = startGameIn(tree.runFolder());
      EXPECT_EQ(result.exitCode, 1) << label << "\n" << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << label << "\n"
                                                                          << result.err;
      EXPECT_TRUE(!result.err.empty() && result.err.back() == '\n') << label;
      EXPECT_NE(result.err.find("../content/sprites/umbercrag/" + ContentTree::fileName(sheet)),
                std::string::npos)
          << label << "\n" << result.err;
      EXPECT_NE(result.err.find(c.reason), std::string::npos) << label << "\n" << result.err;
    }
  }
}

TEST(BrokenContent, ATinyBackdropIsStretchedLikeAnyOther) {
  ContentTree tree;
  tree.breakSheet("Skyfill", TINY);
  const ChildResult result = startGameIn(tree.runFolder());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
}
