#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "graphics.h"
#include "test_support.h"
#include "units.h"

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
