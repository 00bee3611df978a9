#pragma once

#include <boost/shared_ptr.hpp>
#include <vector>

#include "units.h"

class Graphics;
class Sprite;

// A non-negative integer as a row of glyphs from the HUD sheet, built fresh for
// every draw.
class NumberSprite {
 public:
  enum ColorType { DAMAGE_COLOR = 0, PLAIN_COLOR = 1 };
  enum OperatorType { PLUS = 0, MINUS = 1, NONE = 2 };

  // A non-zero num_digits right-aligns the number in a field that wide.
  NumberSprite(Graphics& graphics, int number, int num_digits, ColorType color,
               OperatorType op);

  static NumberSprite damageNumber(Graphics& graphics, int number);
  static NumberSprite experienceNumber(Graphics& graphics, int number);
  static NumberSprite hudNumber(Graphics& graphics, int number, int num_digits);

  void draw(Graphics& graphics, GameUnit x, GameUnit y) const;
  void drawCentered(Graphics& graphics, GameUnit centerX, GameUnit centerY) const;
  // The sign counts; the alignment offset does not.
  GameUnit width() const;
  GameUnit height() const;

  GameUnit alignmentOffset;
  std::vector<boost::shared_ptr<Sprite>> reversedGlyphs;
};
