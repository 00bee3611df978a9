#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

using GameUnit = float;
using PixelUnit = std::int32_t;
using TileUnit = std::uint32_t;
using FrameIndex = std::uint32_t;
using Fps = std::uint32_t;
using Millis = std::uint32_t;
using Velocity = float;
using Acceleration = float;
using Degrees = float;
using AngularVelocity = float;
using HealthPoints = std::int32_t;
using GunLevel = std::int32_t;
using GunExperience = std::int32_t;

// The play field, one room, in tiles; the window and the map are this size.
constexpr TileUnit kScreenWidth = 20;
constexpr TileUnit kScreenHeight = 15;

enum ArtResolution { HALF_RESOLUTION = 1, FULL_RESOLUTION = 2 };

inline ArtResolution artResolution() { return HALF_RESOLUTION; }

inline GameUnit tileToGame(TileUnit tile) {
  return static_cast<GameUnit>(static_cast<double>(tile)) * 32.0f;
}

// Negative positions (a body or shot past the left or top wall) map to tile 0, so
// they still meet the border walls; NaN does too. Positions beyond the largest
// index clamp to it, which every grid treats as outside.
inline TileUnit gameToTile(GameUnit game) {
  const float tile = game / 32.0f;
  if (!(tile > 0.0f)) return 0;
  if (tile >= 4294967296.0f) return std::numeric_limits<TileUnit>::max();
  return static_cast<TileUnit>(tile);
}

// Rounds to the nearest whole game unit before halving, so 3.0 becomes 1 and -3.0
// becomes -1. Values beyond the pixel range clamp to it instead of overflowing.
inline PixelUnit gameToPixel(GameUnit game) {
  const double rounded = std::roundf(game);
  const double pixels = artResolution() == HALF_RESOLUTION ? rounded / 2.0 : rounded;
  if (std::isnan(pixels)) return 0;
  if (pixels >= 2147483647.0) return std::numeric_limits<PixelUnit>::max();
  if (pixels <= -2147483648.0) return std::numeric_limits<PixelUnit>::min();
  return static_cast<PixelUnit>(pixels);
}

inline PixelUnit tileToPixel(TileUnit tile) { return gameToPixel(tileToGame(tile)); }

const GameUnit kHalfTile = tileToGame(1) / 2.0;
const double kPi = std::atan(1) * 4;

inline double degreesToRadians(Degrees degrees) {
  return static_cast<double>(degrees) * kPi / 180.0;
}
