#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cave_bat.h"
#include "game_harness.h"
#include "key_script.h"
#include "png_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder for what a tool writes, gone with the test.
struct TempFolder {
  TempFolder() {
    char name[] = "/tmp/vantorel-pictures-XXXXXX";
    path = mkdtemp(name);
  }
  ~TempFolder() { fs::remove_all(path); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  fs::path path;
};

int run(const std::string& command) { return std::system((command + " > /dev/null").c_str()); }

}  // namespace

// The frame the screenshot shows, written as the tools write it and decoded again, keeps
// every pixel. (The tool's own file is not compared with a frame drawn here: overlapping
// bodies draw in the order of their addresses, which differ between the two programs.)
TEST(ToolPictures, TheScreenshotsFrameWrittenAndReadBackKeepsEveryPixel) {
  GameHarness harness;
  ScriptedPlay play(harness, hopAndShootTheBat());
  while (harness.game.bat && harness.game.bat->alive && play.next < 300) play.frame();
  ASSERT_TRUE(harness.game.bat && !harness.game.bat->alive) << "the scripted shot missed";
  const Screen screen(harness.loop.graphics);
  RgbImage drawn{screen.width, static_cast<int>(screen.pixels.size()) / screen.width, {}};
  for (const std::uint32_t pixel : screen.pixels) {
    for (const int shift : {16, 8, 0}) drawn.rgb.push_back(static_cast<std::uint8_t>(pixel >> shift));
  }

  TempFolder folder;
  const std::string png = (folder.path / "frame.png").string();
  ASSERT_TRUE(writePng(png, drawn));
  RgbImage read;
  ASSERT_TRUE(readPng(png, read));
  EXPECT_EQ(read.width, 640);
  EXPECT_EQ(read.height, 480);
  EXPECT_TRUE(read.rgb == drawn.rgb);
}

// The committed contact sheet is what the sheet tool draws from the art now, read back
// through the same library.
TEST(ToolPictures, ContactSheetDecodesToTheCommittedOne) {
  TempFolder folder;
  const fs::path png = folder.path / "sheets.png";
  const fs::path source(VANTOREL_SOURCE_DIR);
  ASSERT_EQ(run(std::string(VANTOREL_SHEET_TOOL) + " preview " + (source / "content/art").string() +
                " " + png.string()),
            0);
  RgbImage written;
  RgbImage committed;
  ASSERT_TRUE(readPng(png.string(), written));
  ASSERT_TRUE(readPng((source / "docs/sheets.png").string(), committed));
  EXPECT_EQ(written.width, committed.width);
  EXPECT_EQ(written.height, committed.height);
  EXPECT_TRUE(written.rgb == committed.rgb) << "run: cmake --build build --target sheets";
}

TEST(ToolPictures, PicturesThatCannotBeWrittenOrReadAreRefused) {
  TempFolder folder;
  const std::string png = (folder.path / "out.png").string();
  struct Case {
    const char* name;
    int width;
    int height;
    std::size_t bytes;
    std::string path;
  };
  for (const Case& c : std::vector<Case>{{"no pixels", 0, 0, 0, png},
                                         {"one byte short", 2, 2, 11, png},
                                         {"one byte over", 2, 2, 13, png},
                                         {"negative size", -2, -2, 12, png},
                                         {"folder missing", 1, 1, 3, png + ".d/out.png"}}) {
    const RgbImage image{c.width, c.height, std::vector<std::uint8_t>(c.bytes, 7)};
    EXPECT_FALSE(writePng(c.path, image)) << c.name;
  }
  EXPECT_FALSE(fs::exists(png));

  RgbImage read{1, 1, {9, 9, 9}};
  EXPECT_FALSE(readPng(png, read)) << "missing";
  EXPECT_EQ(read.width, 0);
  EXPECT_TRUE(read.rgb.empty());
  EXPECT_FALSE(readPng(VANTOREL_SOURCE_DIR "/content/sprites/umbercrag/Rockset.pbm", read))
      << "not a PNG";
}
