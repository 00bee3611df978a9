#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "decoded_gif.h"
#include "game.h"
#include "gif_animation.h"
#include "graphics.h"
#include "key_script.h"
#include "play_capture.h"
#include "player.h"
#include "scripted_play.h"
#include "test_support.h"

namespace {

// Where two pictures first differ, or an empty string.
std::string firstDifference(const std::vector<std::uint32_t>& drawn,
                            const std::vector<std::uint32_t>& shown, int width) {
  if (drawn.size() != shown.size()) return "sizes differ";
  for (size_t i = 0; i < drawn.size(); ++i) {
    if ((drawn[i] & 0xFFFFFFu) != shown[i]) {
      return "first at (" + std::to_string(i % width) + ", " + std::to_string(i / width) + ")";
    }
  }
  return "";
}

}  // namespace

// The world keeps its pickups and particles in sets ordered by address, so where sprites
// overlap the picture depends on the heap: a second run in one process can draw crystals
// in another order. The frames to compare are therefore read in the capture's own run,
// through the tests' own reading of the window.
TEST(PlayCapture, TheGifShowsExactlyTheFramesTheScriptedRunDrew) {
  struct Chosen {
    int frame;
    const char* what;
  };
  const std::vector<Chosen> chosen = {{0, "the opening"},
                                      {190, "the hop after the hit"},
                                      {276, "the death clouds and drops"},
                                      {kPlayFrames - kPlayFrameStep, "the last"}};
  std::map<int, std::vector<std::uint32_t>> drawn;
  const GifAnimation animation = capturePlay([&](int frame, const Game&, Graphics& graphics) {
    for (const Chosen& c : chosen) {
      if (c.frame == frame) drawn[frame] = Screen(graphics).pixels;
    }
  });
  TempFile file("vantorel-play");
  ASSERT_EQ(animation.write(file.path), "");
  EXPECT_LT(std::filesystem::file_size(file.path), 1536u * 1024u) << "the README's first picture";

  std::map<int, std::vector<std::uint32_t>> shown;
  const DecodedGif gif =
      decodeGif(file.path, [&](int index, const std::vector<std::uint32_t>& canvas) {
        if (drawn.count(index * kPlayFrameStep)) shown[index * kPlayFrameStep] = canvas;
      });
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.width, 640);
  EXPECT_EQ(gif.height, 480);
  EXPECT_TRUE(gif.loopsForever);
  ASSERT_EQ(gif.frames.size(), 250u) << "every second frame of eight seconds";
  // 32 ms a frame in hundredths: the running total never drifts by half a hundredth.
  int total = 0;
  for (size_t i = 0; i < gif.frames.size(); ++i) {
    total += gif.frames[i].delay;
    const int true_total = 32 * static_cast<int>(i + 1);
    EXPECT_LE(std::abs(total * 10 - true_total), 5) << "after frame " << i;
    EXPECT_EQ(gif.frames[i].disposal, DISPOSE_DO_NOT) << "frame " << i;
    EXPECT_FALSE(gif.frames[i].localColours) << "frame " << i;
  }
  EXPECT_EQ(total, 800);

  for (const Chosen& c : chosen) {
    ASSERT_EQ(drawn[c.frame].size(), 640u * 480u) << c.what;
    EXPECT_EQ(firstDifference(drawn[c.frame], shown[c.frame], 640), "")
        << c.what << ", frame " << c.frame;
  }
}

TEST(PlayCapture, TheScriptKillsTheBatLevelsTheGunAndTakesOneHit) {
  int bat_gone = -1;
  int level_two = -1;
  int hits = 0;
  int hit_frame = -1;
  bool was_invincible = false;
  GunLevel last_level = 0;
  HealthPoints last_health = 0;
  playScript(showTheGameOff(), kPlayFrames, [&](int frame, const Game& game, Graphics&) {
    const Player& player = *game.player;
    if (!game.bat && bat_gone < 0) bat_gone = frame;
    if (player.starGun.currentLevel() == 2 && level_two < 0) level_two = frame;
    // Hits while blinking do nothing, so every hit that lands starts the blinking.
    const bool invincible = player.invincibleTimer.active();
    if (invincible && !was_invincible) {
      ++hits;
      hit_frame = frame;
    }
    was_invincible = invincible;
    last_level = player.starGun.currentLevel();
    last_health = player.health.currentHealth;
    return true;
  });
  EXPECT_GE(bat_gone, 0) << "the shot must kill the bat";
  EXPECT_GE(level_two, 0) << "the crystals must bring the gun to level 2";
  EXPECT_EQ(last_level, 2) << "and no further";
  EXPECT_EQ(hits, 1) << "the bat must hit the player once";
  EXPECT_LT(hit_frame, bat_gone);
  EXPECT_EQ(last_health, 5) << "the hit drains within the run, and no heart undoes it";
}
