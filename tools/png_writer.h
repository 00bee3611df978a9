#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an RGB8 image (row-major, top row first) as a PNG. The image data is
// kept in stored deflate blocks: no compressor needed, and the bytes depend
// only on the pixels, so the same image always gives the same file.
// Returns false if the sizes do not match or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
