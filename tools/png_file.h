#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGB8 picture, row-major, top row first.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// The same with a straight alpha channel, four bytes a pixel.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// Writes the picture as a PNG through libpng; the same pixels always give the same file.
// Returns false if the sizes do not match the pixels or the file cannot be written.
bool writePng(const std::string& path, const RgbImage& image);
bool writePng(const std::string& path, const RgbaImage& image);

// Reads any PNG libpng understands into RGB8; false (and an empty image) when it cannot.
bool readPng(const std::string& path, RgbImage& image);
