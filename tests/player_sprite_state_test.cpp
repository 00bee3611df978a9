#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <set>
#include <vector>

#include "player.h"
#include "player_fixture.h"
#include "sprite.h"

namespace {

using PlayerSpriteState = PlayerFixture;

// The sheet cell (in tiles) a state is drawn from.
struct Cell {
  int column;
  int row;
};

Cell cellOf(const Player& player, const Player::SpriteState& state) {
  const Sprite& sprite = *player.sprites.at(state);
  EXPECT_EQ(sprite.sourceRect.w, 16);
  EXPECT_EQ(sprite.sourceRect.h, 16);
  return Cell{sprite.sourceRect.x / 16, sprite.sourceRect.y / 16};
}

}  // namespace

TEST_F(PlayerSpriteState, BuildsOneSpritePerStateFromItsCell) {
  const boost::shared_ptr<Player> player = makePlayer(346.0f, 224.0f);
  ASSERT_EQ(player->sprites.size(), 90u);

  struct Case { MotionType motion; VerticalFacing look; StrideType stride; int column; };
  const std::vector<Case> cases{
      {STANDING, HORIZONTAL, STRIDE_END, 0},      {STANDING, UP, STRIDE_START, 3},
      {STANDING, DOWN, STRIDE_MIDDLE, 6},         {INTERACTING, HORIZONTAL, STRIDE_START, 7},
      {INTERACTING, UP, STRIDE_MIDDLE, 10},       {INTERACTING, DOWN, STRIDE_END, 6},
      {WALKING, HORIZONTAL, STRIDE_MIDDLE, 0},    {WALKING, HORIZONTAL, STRIDE_START, 1},
      {WALKING, HORIZONTAL, STRIDE_END, 2},       {WALKING, UP, STRIDE_MIDDLE, 3},
      {WALKING, UP, STRIDE_START, 4},             {WALKING, UP, STRIDE_END, 5},
      {WALKING, DOWN, STRIDE_MIDDLE, 6},          {WALKING, DOWN, STRIDE_START, 7},
      {WALKING, DOWN, STRIDE_END, 8},             {JUMPING, HORIZONTAL, STRIDE_END, 1},
      {JUMPING, UP, STRIDE_MIDDLE, 4},            {JUMPING, DOWN, STRIDE_START, 6},
      {FALLING, HORIZONTAL, STRIDE_START, 2},     {FALLING, UP, STRIDE_END, 5},
      {FALLING, DOWN, STRIDE_MIDDLE, 6},
  };
  for (const Case& c : cases) {
    for (const HorizontalFacing facing : {LEFT, RIGHT}) {
      const Cell cell = cellOf(*player, Player::SpriteState(c.motion, facing, c.look, c.stride));
      EXPECT_EQ(cell.column, c.column)
          << "motion " << c.motion << " look " << c.look << " stride " << c.stride;
      EXPECT_EQ(cell.row, facing == LEFT ? 0 : 1);
    }
  }
}

TEST_F(PlayerSpriteState, StatesDifferingOnlyInStrideAreSeparateEntries) {
  const boost::shared_ptr<Player> player = makePlayer(346.0f, 224.0f);
  std::set<Sprite*> distinct;
  for (const StrideType stride : {STRIDE_MIDDLE, STRIDE_START, STRIDE_END})
    distinct.insert(player->sprites.at(Player::SpriteState(JUMPING, LEFT, UP, stride)).get());
  EXPECT_EQ(distinct.size(), 3u);
  EXPECT_TRUE(Player::SpriteState(JUMPING, LEFT, UP, STRIDE_MIDDLE) <
              Player::SpriteState(JUMPING, LEFT, UP, STRIDE_START));
  EXPECT_TRUE(Player::SpriteState(STANDING, RIGHT, HORIZONTAL, STRIDE_END) <
              Player::SpriteState(INTERACTING, LEFT, UP, STRIDE_MIDDLE));
}

TEST_F(PlayerSpriteState, ChoosesTheMotionFromGroundWalkAndVerticalSpeed) {
  const boost::shared_ptr<Player> player = makePlayer(346.0f, 224.0f);
  // Not landed yet: a fresh player falls.
  EXPECT_EQ(player->getSpriteState().motionType, FALLING);
  EXPECT_EQ(cellOf(*player, player->getSpriteState()).column, 2);
  frame(*player);
  ASSERT_TRUE(player->isOnGround());
  EXPECT_EQ(player->getSpriteState(),
            Player::SpriteState(STANDING, RIGHT, HORIZONTAL, player->walkingAnimation.stride()));

  player->lookDown();
  EXPECT_EQ(player->motionType(), INTERACTING);
  EXPECT_EQ(player->getSpriteState().verticalFacing, HORIZONTAL);
  player->lookHorizontal();
  player->startMovingLeft();
  EXPECT_EQ(player->getSpriteState(), Player::SpriteState(WALKING, LEFT, HORIZONTAL, STRIDE_START));
  player->stopMoving();

  player->startJump();
  frame(*player);
  EXPECT_EQ(player->motionType(), JUMPING);
  while (player->kinematicsY.velocity < 0.0f) frame(*player);
  EXPECT_EQ(player->motionType(), FALLING);
  player->lookDown();
  EXPECT_EQ(player->getSpriteState().verticalFacing, DOWN);
  EXPECT_EQ(cellOf(*player, player->getSpriteState()).column, 6);
}

TEST(WalkingAnimation, StepsThroughTheStridesEveryFirstFrameReaching66Ms) {
  Player::WalkingAnimation animation;
  animation.update();  // starts expired, so the first update already steps
  EXPECT_EQ(animation.stride(), STRIDE_MIDDLE);

  animation.reset();
  // 16 ms frames reach 66 ms in the fifth frame.
  const std::vector<StrideType> expected{STRIDE_START, STRIDE_MIDDLE, STRIDE_END,
                                         STRIDE_MIDDLE, STRIDE_START, STRIDE_MIDDLE,
                                         STRIDE_END};
  for (std::size_t step = 0; step < expected.size(); ++step) {
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(animation.stride(), expected[step]) << "step " << step << " frame " << i;
      Timer::updateAll(16);
      animation.update();
    }
  }
}

TEST_F(PlayerSpriteState, OnlyAWalkFromAStandstillRestartsTheStride) {
  const boost::shared_ptr<Player> player = settledPlayer(100.0f, 224.0f);
  player->startMovingRight();
  EXPECT_EQ(player->walkingAnimation.currentIndex, 0);
  EXPECT_TRUE(player->isGunRaised());
  frames(*player, 5);
  EXPECT_EQ(player->walkingAnimation.stride(), STRIDE_MIDDLE);
  EXPECT_FALSE(player->isGunRaised());
  player->startMovingLeft();
  EXPECT_EQ(player->walkingAnimation.currentIndex, 1);

  player->stopMoving();
  frames(*player, 5);
  EXPECT_EQ(player->walkingAnimation.currentIndex, 2);  // the cycle runs on while standing
  EXPECT_FALSE(player->isGunRaised());
  player->startMovingLeft();
  EXPECT_EQ(player->walkingAnimation.currentIndex, 0);
}
