#include <gtest/gtest.h>

#include <gif_lib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "decoded_gif.h"
#include "gif_animation.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t R = 0xC4383C;
constexpr std::uint32_t G = 0x60B854;
constexpr std::uint32_t B = 0x4870C8;
constexpr std::uint32_t K = 0x14101C;

// Each pixel of picture as a scale x scale block.
std::vector<std::uint32_t> scaled(const std::vector<std::uint32_t>& picture, int width,
                                  int scale) {
  const int height = static_cast<int>(picture.size()) / width;
  std::vector<std::uint32_t> out;
  for (int y = 0; y < height * scale; ++y) {
    for (int x = 0; x < width * scale; ++x)
      out.push_back(picture[static_cast<size_t>(y / scale) * width + x / scale]);
  }
  return out;
}

}  // namespace

TEST(GifAnimation, EachFrameStoresOnlyWhatChangedAndComposesBackExactly) {
  struct Case {
    const char* what;
    std::vector<std::uint32_t> pixels;  // 4 x 3
    int left, top, width, height;       // the stored rectangle, in file pixels
    int clear;                          // its unchanged, transparent file pixels
  };
  const std::vector<Case> cases = {
      {"the first frame, whole", {K, K, K, K, K, R, G, K, K, B, K, K}, 0, 0, 8, 6, 0},
      {"one pixel changed", {K, K, K, K, K, R, B, K, K, B, K, K}, 4, 2, 2, 2, 0},
      {"nothing changed: one clear pixel", {K, K, K, K, K, R, B, K, K, B, K, K}, 0, 0, 2, 2, 4},
      {"two far corners", {G, K, K, K, K, R, B, K, K, B, K, R}, 0, 0, 8, 6, 40},
      {"a block back to an old colour", {G, K, K, K, K, K, K, K, K, B, K, R}, 2, 2, 4, 2, 0},
  };
  GifAnimation animation(4, 3, 2);
  for (const Case& c : cases) ASSERT_TRUE(animation.addFrame(c.pixels, 40)) << c.what;
  TempFile file("vantorel-gif");
  ASSERT_EQ(animation.write(file.path), "");

  std::vector<std::vector<std::uint32_t>> shown;
  const DecodedGif gif = decodeGif(
      file.path, [&](int, const std::vector<std::uint32_t>& canvas) { shown.push_back(canvas); });
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.width, 8);
  EXPECT_EQ(gif.height, 6);
  EXPECT_TRUE(gif.loopsForever);
  ASSERT_EQ(gif.frames.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const DecodedGif::Frame& frame = gif.frames[i];
    EXPECT_EQ(frame.left, c.left) << c.what;
    EXPECT_EQ(frame.top, c.top) << c.what;
    EXPECT_EQ(frame.width, c.width) << c.what;
    EXPECT_EQ(frame.height, c.height) << c.what;
    EXPECT_EQ(frame.clearPixels, c.clear) << c.what;
    EXPECT_EQ(frame.disposal, DISPOSE_DO_NOT) << c.what;
    EXPECT_FALSE(frame.localColours) << c.what;
    EXPECT_EQ(shown[i], scaled(c.pixels, 4, 2)) << c.what;
  }
}

TEST(GifAnimation, DelaysRoundSoTheRunningTotalStaysTrue) {
  struct Case {
    std::vector<int> milliseconds;
    std::vector<int> hundredths;
  };
  for (const Case& c : std::vector<Case>{{{32, 32, 32, 32, 32, 32}, {3, 3, 4, 3, 3, 3}},
                                         {{16, 16, 16, 16, 16}, {2, 1, 2, 1, 2}},
                                         {{100, 0, 5, 4}, {10, 0, 1, 0}}}) {
    GifAnimation animation(1, 1, 1);
    std::uint32_t colour = 0;
    for (int delay : c.milliseconds) ASSERT_TRUE(animation.addFrame({colour++}, delay));
    TempFile file("vantorel-gif");
    ASSERT_EQ(animation.write(file.path), "");
    const DecodedGif gif = decodeGif(file.path);
    ASSERT_EQ(gif.frames.size(), c.hundredths.size());
    for (size_t i = 0; i < c.hundredths.size(); ++i) {
      EXPECT_EQ(gif.frames[i].delay, c.hundredths[i])
          << "frame " << i << " of frames of " << c.milliseconds[0] << " ms";
    }
  }
}

TEST(GifAnimation, AFrameBeyondTheColourTableOrOfTheWrongSizeIsRefusedWhole) {
  GifAnimation animation(16, 16, 1);
  std::vector<std::uint32_t> first(256);
  for (size_t i = 0; i < first.size(); ++i)
    first[i] = static_cast<std::uint32_t>(i % 255) * 0x010203u;
  ASSERT_TRUE(animation.addFrame(first, 40)) << "255 colours fit beside transparency";
  std::vector<std::uint32_t> second = first;
  second[3] = 0xFFFFFF;
  EXPECT_FALSE(animation.addFrame(second, 40)) << "a 256th colour";
  EXPECT_FALSE(animation.addFrame(std::vector<std::uint32_t>(255, 0), 40)) << "too few pixels";
  std::vector<std::uint32_t> third = first;
  third[5] = first[9];
  EXPECT_TRUE(animation.addFrame(third, 40)) << "old colours still fit";
  EXPECT_EQ(animation.frameCount(), 2);

  TempFile file("vantorel-gif");
  ASSERT_EQ(animation.write(file.path), "");
  std::vector<std::uint32_t> last;
  const DecodedGif gif =
      decodeGif(file.path, [&](int, const std::vector<std::uint32_t>& canvas) { last = canvas; });
  ASSERT_EQ(gif.frames.size(), 2u);
  EXPECT_EQ(last, third) << "the refused frames left nothing behind";
}

TEST(GifAnimation, AFileThatCannotBeWrittenIsReportedAndNotLeftHalfDone) {
  TempFile file("vantorel-gif");
  std::remove(file.path.c_str());
  GifAnimation animation(2, 2, 1);
  EXPECT_NE(animation.write(file.path), "") << "no frames";
  EXPECT_NE(access(file.path.c_str(), F_OK), 0);
  ASSERT_TRUE(animation.addFrame({R, G, B, K}, 40));
  TempFile not_a_folder("vantorel-gif");
  const std::string inside = not_a_folder.path + "/play.gif";
  EXPECT_NE(animation.write(inside), "");
  EXPECT_NE(access(inside.c_str(), F_OK), 0);
  EXPECT_EQ(animation.write(file.path), "") << "the same frames, somewhere writable";
}
