#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "graphics.h"
#include "test_support.h"
#include "units.h"

// A sheet read once, so a test can compare many pixels against it.
struct SheetImage {
  explicit SheetImage(const std::string& sheet)
      : surface(SDL_LoadBMP(Graphics::sheetPath(sheet).c_str())) {
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    surface = converted;
  }
  ~SheetImage() { SDL_FreeSurface(surface); }
  SheetImage(const SheetImage&) = delete;
  SheetImage& operator=(const SheetImage&) = delete;

  std::uint32_t at(int x, int y) const {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  }

  // The pixels of a cell that are not the transparent black.
  int visiblePixels(const SDL_Rect& cell) const {
    int visible = 0;
    for (int y = 0; y < cell.h; ++y) {
      for (int x = 0; x < cell.w; ++x) visible += at(cell.x + x, cell.y + y) != 0;
    }
    return visible;
  }

  SDL_Surface* surface;
};

// True when the cell shows unscaled with its top-left at logical pixel (x, y) over a
// frame cleared to black; black in the sheet is transparent, so it shows the clear.
inline bool cellDrawnAt(const Screen& screen, const SheetImage& sheet, const SDL_Rect& cell,
                        PixelUnit x, PixelUnit y) {
  for (int row = 0; row < cell.h; ++row) {
    for (int column = 0; column < cell.w; ++column) {
      if (screen.at(x + column, y + row) != sheet.at(cell.x + column, cell.y + row)) return false;
    }
  }
  return true;
}

// Every pixel of the logical frame that is not the cleared black.
inline int litPixels(const Screen& screen) {
  int lit = 0;
  for (PixelUnit y = 0; y < 240; ++y) {
    for (PixelUnit x = 0; x < 320; ++x) lit += screen.at(x, y) != 0;
  }
  return lit;
}
