#include "number_sprite.h"

#include <boost/make_shared.hpp>
#include <string>

#include "failure.h"
#include "sprite.h"

namespace {

const std::string kSpriteName = "Panels";
const GameUnit kGlyphSize = kHalfTile;
const GameUnit kDamageRowY = 8 * kHalfTile;
const GameUnit kPlainRowY = 7 * kHalfTile;
const GameUnit kOperatorRowY = 6 * kHalfTile;
const GameUnit kPlusX = 4 * kHalfTile;
const GameUnit kMinusX = 5 * kHalfTile;

boost::shared_ptr<Sprite> glyph(Graphics& graphics, GameUnit source_x, GameUnit source_y) {
  return boost::make_shared<Sprite>(graphics, kSpriteName, gameToPixel(source_x),
                                    gameToPixel(source_y), gameToPixel(kGlyphSize),
                                    gameToPixel(kGlyphSize));
}

}  // namespace

NumberSprite::NumberSprite(Graphics& graphics, int number, int num_digits, ColorType color,
                           OperatorType op)
    : alignmentOffset(0.0f), reversedGlyphs() {
  GAME_ASSERT(number >= 0);
  const GameUnit row_y = color == DAMAGE_COLOR ? kDamageRowY : kPlainRowY;
  int digit_count = 0;
  do {
    const int digit = number % 10;
    number /= 10;
    ++digit_count;
    reversedGlyphs.push_back(glyph(graphics, static_cast<GameUnit>(digit) * kGlyphSize, row_y));
  } while (number != 0);
  GAME_ASSERT(num_digits == 0 || num_digits >= digit_count);
  if (num_digits != 0) {
    alignmentOffset = static_cast<GameUnit>(num_digits - digit_count) * kGlyphSize;
  }
  if (op == PLUS) reversedGlyphs.push_back(glyph(graphics, kPlusX, kOperatorRowY));
  if (op == MINUS) reversedGlyphs.push_back(glyph(graphics, kMinusX, kOperatorRowY));
}

NumberSprite NumberSprite::damageNumber(Graphics& graphics, int number) {
  return NumberSprite(graphics, number, 0, DAMAGE_COLOR, MINUS);
}

NumberSprite NumberSprite::experienceNumber(Graphics& graphics, int number) {
  return NumberSprite(graphics, number, 0, PLAIN_COLOR, PLUS);
}

NumberSprite NumberSprite::hudNumber(Graphics& graphics, int number, int num_digits) {
  return NumberSprite(graphics, number, num_digits, PLAIN_COLOR, NONE);
}

// The list runs from the least significant digit, so it is laid out right to left.
void NumberSprite::draw(Graphics& graphics, GameUnit x, GameUnit y) const {
  const size_t glyph_count = reversedGlyphs.size();
  for (size_t i = 0; i < glyph_count; ++i) {
    const GameUnit glyph_x =
        x + alignmentOffset + static_cast<GameUnit>(glyph_count - 1 - i) * kGlyphSize;
    reversedGlyphs[i]->draw(graphics, glyph_x, y);
  }
}

void NumberSprite::drawCentered(Graphics& graphics, GameUnit centerX, GameUnit centerY) const {
  draw(graphics, centerX - width() / 2, centerY - height() / 2);
}

GameUnit NumberSprite::width() const {
  return static_cast<GameUnit>(reversedGlyphs.size()) * kGlyphSize;
}

GameUnit NumberSprite::height() const { return kGlyphSize; }
