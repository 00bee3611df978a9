#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "polar_vector.h"
#include "rectangle.h"
#include "side_type.h"
#include "units.h"

TEST(Units, TileToGameIsThirtyTwoUnitsATile) {
  EXPECT_EQ(tileToGame(0), 0.0f);
  EXPECT_EQ(tileToGame(1), 32.0f);
  EXPECT_EQ(tileToGame(20), 640.0f);
  EXPECT_EQ(kHalfTile, 16.0f);
}

TEST(Units, GameToPixelRoundsBeforeHalving) {
  struct Case { GameUnit in; PixelUnit out; };
  for (const Case& c : std::vector<Case>{{31.9f, 16}, {1.4f, 0}, {1.5f, 1}, {-1.5f, -1},
                                         {3.0f, 1}, {-3.0f, -1}, {2.5f, 1}, {32.0f, 16},
                                         {640.0f, 320}, {639.0f, 319}, {0.0f, 0}})
    EXPECT_EQ(gameToPixel(c.in), c.out) << "gameToPixel(" << c.in << ")";
  EXPECT_EQ(tileToPixel(40), 640);
  EXPECT_EQ(tileToPixel(30), 480);
  EXPECT_EQ(tileToPixel(4), 64);
}

TEST(Units, GameToPixelClampsWhatNoPixelCanHold) {
  EXPECT_EQ(gameToPixel(1e30f), std::numeric_limits<PixelUnit>::max());
  EXPECT_EQ(gameToPixel(-1e30f), std::numeric_limits<PixelUnit>::min());
  EXPECT_EQ(gameToPixel(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(Units, GameToTileTruncatesAndNeverGoesBelowTileZero) {
  struct Case { GameUnit in; TileUnit out; };
  for (const Case& c : std::vector<Case>{{31.99f, 0}, {32.0f, 1}, {639.9f, 19}, {640.0f, 20},
                                         {-0.5f, 0}, {-31.9f, 0}, {-32.0f, 0}, {-100.0f, 0},
                                         {-1e30f, 0}})
    EXPECT_EQ(gameToTile(c.in), c.out) << "gameToTile(" << c.in << ")";
  EXPECT_EQ(gameToTile(std::numeric_limits<float>::quiet_NaN()), 0u);
  EXPECT_EQ(gameToTile(1e30f), std::numeric_limits<TileUnit>::max());
}

TEST(Units, DegreesToRadiansUsesTheDoublePi) {
  EXPECT_EQ(degreesToRadians(180.0f), kPi);
  EXPECT_DOUBLE_EQ(kPi, 3.14159265358979323846);
}

TEST(Rectangle, DerivedEdgesAndSides) {
  const Rectangle r(10, 20, 30, 40);
  EXPECT_EQ(r.right(), 40);
  EXPECT_EQ(r.bottom(), 60);
  EXPECT_EQ(r.centerX(), 25);
  EXPECT_EQ(r.centerY(), 40);
  EXPECT_EQ(r.side(TOP_SIDE), 20);
  EXPECT_EQ(r.side(BOTTOM_SIDE), 60);
  EXPECT_EQ(r.side(LEFT_SIDE), 10);
  EXPECT_EQ(r.side(RIGHT_SIDE), 40);
  EXPECT_EQ(r.side(static_cast<SideType>(7)), 60);
}

TEST(Rectangle, TouchingEdgesCollideAndTheNextFloatApartDoesNot) {
  const Rectangle a(0, 0, 10, 10);
  EXPECT_TRUE(a.collidesWith(Rectangle(10, 0, 5, 5)));
  EXPECT_TRUE(a.collidesWith(Rectangle(10, 10, 0, 0)));
  EXPECT_FALSE(a.collidesWith(Rectangle(std::nextafter(10.0f, 11.0f), 0, 5, 5)));
  EXPECT_FALSE(a.collidesWith(Rectangle(0, std::nextafter(10.0f, 11.0f), 5, 5)));
  EXPECT_TRUE(Rectangle(5, 5, 0, 0).collidesWith(a));
  EXPECT_FALSE(Rectangle(-1, 5, 0, 0).collidesWith(a));
}

TEST(SideType, OppositesAndAxes) {
  EXPECT_EQ(oppositeSide(TOP_SIDE), BOTTOM_SIDE);
  EXPECT_EQ(oppositeSide(BOTTOM_SIDE), TOP_SIDE);
  EXPECT_EQ(oppositeSide(LEFT_SIDE), RIGHT_SIDE);
  EXPECT_EQ(oppositeSide(RIGHT_SIDE), LEFT_SIDE);
  EXPECT_TRUE(isVertical(TOP_SIDE) && isVertical(BOTTOM_SIDE));
  EXPECT_TRUE(isHorizontal(LEFT_SIDE) && isHorizontal(RIGHT_SIDE));
  EXPECT_TRUE(isMax(BOTTOM_SIDE) && isMax(RIGHT_SIDE));
  EXPECT_TRUE(isMin(TOP_SIDE) && isMin(LEFT_SIDE));
}

TEST(PolarVector, ProjectsWithDoubleTrigonometryNarrowedToFloat) {
  const PolarVector down(0.24f * 16, 90.0f);
  EXPECT_NEAR(down.x(), 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(down.y(), 3.84f);
  const PolarVector v(10.0f, 30.0f);
  EXPECT_EQ(v.x(), 10.0f * static_cast<float>(std::cos(kPi / 6)));
  EXPECT_EQ(v.y(), 10.0f * static_cast<float>(std::sin(degreesToRadians(30.0f))));
}
