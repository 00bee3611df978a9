#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an RGB8 image (row-major, top row first) as a PNG. Each row gets
// the PNG filter with the smallest sum of absolute values, then a small
// built-in deflate (LZ77 over a 32 KiB window, fixed or dynamic Huffman
// codes, stored blocks where nothing compresses) packs them. No outside
// library, and the bytes depend only on the pixels: the same image
// always gives the same file.
// Returns false if the sizes do not match or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
