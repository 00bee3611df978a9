#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

// The player standing, facing right.
constexpr int kCellX = 0;
constexpr int kCellY = 16;
constexpr int kCellSide = 16;

struct Icon {
  int size = 0;
  std::vector<std::uint8_t> rgba;
  std::uint32_t colour(int x, int y) const {
    const std::uint8_t* pixel = &rgba[(static_cast<size_t>(y) * size + x) * 4];
    return static_cast<std::uint32_t>(pixel[0]) << 16 | pixel[1] << 8 | pixel[2];
  }
  std::uint8_t alpha(int x, int y) const {
    return rgba[(static_cast<size_t>(y) * size + x) * 4 + 3];
  }
};

// The one icon the build drew in the theme's folder for that size.
Icon readIcon(int size) {
  const std::filesystem::path folder = std::filesystem::path(VANTOREL_ICON_DIR) /
                                       (std::to_string(size) + "x" + std::to_string(size)) /
                                       "apps";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry);
  EXPECT_EQ(files.size(), 1u) << folder;
  Icon icon;
  if (files.empty()) return icon;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, files.front().c_str())) {
    ADD_FAILURE() << files.front() << ": " << image.message;
    return icon;
  }
  image.format = PNG_FORMAT_RGBA;
  icon.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, icon.rgba.data(), 0, nullptr)) {
    ADD_FAILURE() << files.front() << ": " << image.message;
    return icon;
  }
  EXPECT_EQ(image.width, static_cast<png_uint_32>(size));
  EXPECT_EQ(image.height, static_cast<png_uint_32>(size));
  icon.size = static_cast<int>(image.width);
  return icon;
}

}  // namespace

TEST(DesktopIcon, SmallestIconIsThePlayersCellWithBlackSeeThrough) {
  const Icon icon = readIcon(kCellSide);
  ASSERT_EQ(icon.size, kCellSide);
  const SheetImage sheet("Pilgrim");
  int opaque = 0;
  for (int y = 0; y < kCellSide; ++y) {
    for (int x = 0; x < kCellSide; ++x) {
      const std::uint32_t expected = sheet.at(kCellX + x, kCellY + y);
      const bool see_through = expected == 0;
      EXPECT_EQ(icon.alpha(x, y), see_through ? 0 : 255) << "at " << x << ", " << y;
      if (!see_through) {
        EXPECT_EQ(icon.colour(x, y), expected) << "at " << x << ", " << y;
      }
      opaque += !see_through;
    }
  }
  EXPECT_GT(opaque, 0);
}

// Scaled without blending: every pixel of the smallest icon becomes a solid square.
TEST(DesktopIcon, LargerIconsBlowUpTheSmallestWithHardEdges) {
  const Icon small = readIcon(kCellSide);
  ASSERT_EQ(small.size, kCellSide);
  for (const int size : {32, 64, 128, 256}) {
    const Icon icon = readIcon(size);
    ASSERT_EQ(icon.size, size);
    const int scale = size / kCellSide;
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const bool same = icon.alpha(x, y) == small.alpha(x / scale, y / scale) &&
                          (icon.alpha(x, y) == 0 ||
                           icon.colour(x, y) == small.colour(x / scale, y / scale));
        wrong += !same;
      }
    }
    EXPECT_EQ(wrong, 0) << size << "x" << size << " icon";
  }
}
