#include "png_file.h"

#include <png.h>

#include <cstring>
#include <utility>

namespace {

bool writePixels(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& pixels, png_uint_32 format, int channels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * height * channels)
    return false;
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = format;
  const bool written = png_image_write_to_file(&png, path.c_str(), 0, pixels.data(),
                                               width * channels, nullptr) != 0;
  png_image_free(&png);
  return written;
}

}  // namespace

bool writePng(const std::string& path, const RgbImage& image) {
  return writePixels(path, image.width, image.height, image.rgb, PNG_FORMAT_RGB, 3);
}

bool writePng(const std::string& path, const RgbaImage& image) {
  return writePixels(path, image.width, image.height, image.rgba, PNG_FORMAT_RGBA, 4);
}

bool readPng(const std::string& path, RgbImage& image) {
  image = RgbImage{};
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgb = std::move(rgb);
  return true;
}
