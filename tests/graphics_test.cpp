#include <gtest/gtest.h>

#include "animated_sprite.h"
#include "graphics.h"
#include "sprite.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t kClearColour = 0x000000;

class GraphicsTest : public testing::Test {
 protected:
  SdlVideo video;
  Graphics graphics;
};

}  // namespace

TEST_F(GraphicsTest, OpensTheWindowAtTwiceTheLogicalSize) {
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(graphics.window, &width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  SDL_RenderGetLogicalSize(graphics.renderer, &width, &height);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  EXPECT_STREQ(SDL_GetWindowTitle(graphics.window), "Vantorel");
  EXPECT_EQ(SDL_ShowCursor(-1), 0);
}

TEST(GraphicsLoading, TwoSpritesOnOneSheetLoadItOnceAndShareTheTexture) {
  const ChildResult result = runInChild([] {
    SdlVideo video;
    Graphics graphics;
    Sprite first(graphics, "Rockset", 16, 0, 16, 16);
    Sprite second(graphics, "Rockset", 32, 16, 16, 16);
    return first.texture == second.texture && graphics.spriteSheets.size() == 1 ? 0 : 2;
  });
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Loading sprite: ../content/sprites/umbercrag/Rockset.pbm\n");
}

TEST_F(GraphicsTest, SpriteLandsOnTheLogicalPixelsOfItsGamePosition) {
  const Sprite sprite(graphics, "Rockset", 32, 16, 16, 16);
  graphics.clear();
  sprite.draw(graphics, 3.0f, 100.0f);  // pixel (1, 50)
  const Screen screen(graphics);
  const SheetImage rockset("Rockset");
  int visible = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const std::uint32_t expected = rockset.at(32 + x, 16 + y);
      // Black is the sheet's transparent colour and shows the cleared frame.
      EXPECT_EQ(screen.at(1 + x, 50 + y), expected == 0 ? kClearColour : expected)
          << "at " << x << ", " << y;
      visible += expected != 0;
    }
  }
  EXPECT_GT(visible, 0);
  EXPECT_EQ(screen.at(0, 50), kClearColour);
  EXPECT_EQ(screen.at(17, 50), kClearColour);
}

TEST_F(GraphicsTest, BlitWithoutSourceStretchesTheWholeTexture) {
  SDL_Texture* texture = graphics.loadImage("Skyfill", false);
  int width = 0;
  SDL_QueryTexture(texture, nullptr, nullptr, &width, nullptr);
  graphics.clear();
  const SDL_Rect destination{10, 10, width * 2, width * 2};
  graphics.blit(texture, nullptr, &destination);
  const Screen screen(graphics);
  const SheetImage skyfill("Skyfill");
  EXPECT_EQ(screen.at(10, 10), skyfill.at(0, 0));
  EXPECT_EQ(screen.at(11, 11), skyfill.at(0, 0));
  EXPECT_EQ(screen.at(10 + 2 * width - 1, 10), skyfill.at(width - 1, 0));
}

TEST_F(GraphicsTest, MissingSheetStopsTheProgramNamingThePath) {
  EXPECT_EXIT(graphics.loadImage("NoSuchSheet", true), testing::ExitedWithCode(1),
              "Vantorel: cannot load sprite sheet \\.\\./content/sprites/umbercrag/"
              "NoSuchSheet\\.pbm");
}

TEST_F(GraphicsTest, CellOutsideTheSheetStopsTheProgram) {
  EXPECT_EXIT(Sprite(graphics, "Rockset", 1000, 0, 16, 16), testing::ExitedWithCode(1),
              "Rockset\\.pbm is [0-9]+x[0-9]+, too small for the cell at \\(1000, 0\\)");
  EXPECT_EXIT(AnimatedSprite(graphics, "Rockset", 0, 0, 16, 16, 10, 100),
              testing::ExitedWithCode(1), "too small");
}

TEST(AnimatedSprite, StepsOneFramePerExpiryAndCountsLoops) {
  SdlVideo video;
  Graphics graphics;
  AnimatedSprite sprite(graphics, "Glyphs", 0, 16, 16, 16, 14, 6);
  EXPECT_EQ(sprite.frameTimer.expirationTime, 71u);
  // The first update shows frame 1 at once.
  sprite.update();
  EXPECT_EQ(sprite.currentFrame, 1u);
  EXPECT_EQ(sprite.sourceRect.x, 16);
  // With 16 ms frames each later frame shows for 80 ms.
  int frames_on_screen = 0;
  while (sprite.currentFrame == 1) {
    Timer::updateAll(16);
    sprite.update();
    frames_on_screen += 16;
  }
  EXPECT_EQ(frames_on_screen, 80);
  for (int i = 0; i < 4; ++i) {
    Timer::updateAll(1000);  // a long pause still advances one frame only
    sprite.update();
  }
  EXPECT_EQ(sprite.currentFrame, 0u);
  EXPECT_EQ(sprite.sourceRect.x, 0);
  EXPECT_EQ(sprite.numCompletedLoops(), 1u);
}

TEST(AnimatedSprite, OneFrameRowNeverMovesButCountsEachExpiry) {
  SdlVideo video;
  Graphics graphics;
  AnimatedSprite sprite(graphics, "Glyphs", 16, 0, 16, 16, 15, 1);
  EXPECT_EQ(sprite.frameTimer.expirationTime, 66u);
  sprite.update();
  EXPECT_EQ(sprite.numCompletedLoops(), 1u);
  Timer::updateAll(66);
  sprite.update();
  EXPECT_EQ(sprite.numCompletedLoops(), 2u);
  EXPECT_EQ(sprite.sourceRect.x, 16);
}
