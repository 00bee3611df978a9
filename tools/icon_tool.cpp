// Draws the desktop icon from one square cell of a sprite sheet: black turns transparent, as it
// does in the game, and the cell is blown up pixel by pixel so the art keeps its hard edges at
// every size the desktop asks for.
//
//   vantorel_icon SHEET X Y SIDE SIZE OUT.png

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "png_file.h"

namespace {

constexpr int kArgumentCount = 7;

// Reads a whole non-negative number, or -1 for anything else.
int parseCount(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 1 << 16) return -1;
  return static_cast<int>(value);
}

int fail(const std::string& message) {
  std::fprintf(stderr, "vantorel_icon: %s\n", message.c_str());
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != kArgumentCount)
    return fail("usage: vantorel_icon SHEET X Y SIDE SIZE OUT.png");
  const std::string sheet_path = argv[1];
  const int cell_x = parseCount(argv[2]);
  const int cell_y = parseCount(argv[3]);
  const int side = parseCount(argv[4]);
  const int size = parseCount(argv[5]);
  const std::string out_path = argv[6];
  if (cell_x < 0 || cell_y < 0 || side <= 0 || size <= 0)
    return fail("X, Y, SIDE and SIZE must be whole numbers, SIDE and SIZE above 0");

  SDL_Surface* loaded = SDL_LoadBMP(sheet_path.c_str());
  if (loaded == nullptr) return fail(sheet_path + ": " + SDL_GetError());
  // One known byte order whatever the sheet's depth, so pixels are read the same way everywhere.
  SDL_Surface* sheet = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  if (sheet == nullptr) return fail(sheet_path + ": " + SDL_GetError());
  if (cell_x + side > sheet->w || cell_y + side > sheet->h) {
    SDL_FreeSurface(sheet);
    return fail("the cell lies outside " + sheet_path);
  }

  RgbaImage icon;
  icon.width = size;
  icon.height = size;
  std::vector<uint8_t>& rgba = icon.rgba;
  rgba.resize(static_cast<size_t>(size) * size * 4);
  const auto* pixels = static_cast<const uint8_t*>(sheet->pixels);
  for (int y = 0; y < size; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(cell_y + y * side / size) * sheet->pitch;
    for (int x = 0; x < size; ++x) {
      const uint8_t* in = row + static_cast<size_t>(cell_x + x * side / size) * 4;
      uint8_t* out = &rgba[(static_cast<size_t>(y) * size + x) * 4];
      const bool black = in[0] == 0 && in[1] == 0 && in[2] == 0;
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
      out[3] = black ? 0 : 255;
    }
  }
  SDL_FreeSurface(sheet);

  if (!writePng(out_path, icon)) return fail("could not write " + out_path);
  return EXIT_SUCCESS;
}
