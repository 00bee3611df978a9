#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>

#include "cave_bat.h"
#include "energy_crystal_pickup.h"
#include "game_harness.h"
#include "player.h"

TEST(GameSetUp, PlacesThePlayerTheBatAndEightCrystalsStackedOnTheBat) {
  GameHarness harness;
  Game& game = harness.game;
  ASSERT_TRUE(game.player);
  ASSERT_TRUE(game.bat);
  ASSERT_TRUE(game.map);
  EXPECT_EQ(game.player->kinematicsX.position, 320.0f);
  EXPECT_EQ(game.player->kinematicsY.position, 224.0f);
  EXPECT_EQ(game.bat->x, 192.0f);
  EXPECT_EQ(game.bat->y, 224.0f);
  ASSERT_EQ(game.pickups.pickups.size(), 8u);
  for (const auto& pickup : game.pickups.pickups) {
    const auto crystal = boost::dynamic_pointer_cast<EnergyCrystalPickup>(pickup);
    ASSERT_TRUE(crystal);
    EXPECT_EQ(crystal->size, EnergyCrystalPickup::MEDIUM);
    EXPECT_EQ(crystal->kinematicsX.position + 16, 208.0f);
    EXPECT_EQ(crystal->kinematicsY.position + 16, 240.0f);
  }
  EXPECT_EQ(game.damageTexts.damageTexts.size(), 2u);
}

TEST(GameSetUp, RunsFramesUntilEscape) {
  GameHarness harness;
  for (int i = 0; i < 60; ++i) EXPECT_TRUE(harness.frame());
  harness.press(SDL_SCANCODE_ESCAPE);
  EXPECT_FALSE(harness.frame());
}
