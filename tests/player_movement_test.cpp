#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <algorithm>
#include <vector>

#include "player.h"
#include "player_fixture.h"

namespace {

constexpr Velocity kMaxSpeedX = 0.15859375f;

// Places in the test room (top-left corners of a standing player).
constexpr GameUnit kSlabX = 40.0f;        // on the ceiling slab of row 8, near its left end
constexpr GameUnit kSlabY = 224.0f;
constexpr GameUnit kValleyStartX = 290.0f;  // on the wall at row 12, column 9
constexpr GameUnit kValleyStartY = 352.0f;
constexpr GameUnit kArchX = 128.0f;       // on the wall at row 12, column 4, under the arch
constexpr GameUnit kArchY = 352.0f;

// The floor of the big valley of row 12, columns 9 to 13, under a centre x.
GameUnit valleyFloor(GameUnit center_x) {
  if (center_x < 320.0f) return 384.0f;
  if (center_x < 352.0f) return 384.0f + 0.5f * (center_x - 320.0f);
  if (center_x < 384.0f) return 400.0f + 0.5f * (center_x - 352.0f);
  if (center_x < 416.0f) return 416.0f - 0.5f * (center_x - 384.0f);
  return 400.0f - 0.5f * (center_x - 416.0f);
}

class PlayerMovement : public PlayerFixture {
 protected:
  // How far a jump from the ground rises when Z is released after a number of frames.
  GameUnit riseOfJump(Player& player, int held_frames) {
    const GameUnit start_y = player.kinematicsY.position;
    GameUnit highest = start_y;
    player.startJump();
    for (int i = 0; i < 120; ++i) {
      if (i == held_frames) player.stopJump();
      frame(player);
      highest = std::min(highest, player.kinematicsY.position);
    }
    EXPECT_TRUE(player.isOnGround());
    return start_y - highest;
  }
};

}  // namespace

TEST_F(PlayerMovement, FallsFromTheStartOntoTheBlockBesideItAndStays) {
  // The start cell overlaps the wall block at row 7, column 10, which pushes the
  // player out to the right onto the block at row 8, column 11.
  const boost::shared_ptr<Player> player = makePlayer(320.0f, 224.0f);
  EXPECT_FALSE(player->isOnGround());
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsX.position, 346.0f);
  EXPECT_FLOAT_EQ(player->kinematicsY.position, 224.0f);
  for (int i = 0; i < 60; ++i) {
    frame(*player);
    ASSERT_TRUE(player->isOnGround()) << "frame " << i;
    EXPECT_EQ(player->kinematicsY.velocity, 0.0f);
    EXPECT_FLOAT_EQ(player->kinematicsY.position, 224.0f);
  }
  EXPECT_EQ(player->motionType(), STANDING);
  const Rectangle box = player->damageRectangle();
  EXPECT_FLOAT_EQ(box.left, 352.0f);
  EXPECT_FLOAT_EQ(box.top, 226.0f);
  EXPECT_FLOAT_EQ(box.width, 20.0f);
  EXPECT_FLOAT_EQ(box.height, 30.0f);
}

TEST_F(PlayerMovement, FallsToTheFloorAndRestsOnIt) {
  const boost::shared_ptr<Player> player = makePlayer(kValleyStartX, 200.0f);
  frames(*player, 60);
  EXPECT_TRUE(player->isOnGround());
  EXPECT_EQ(player->kinematicsY.velocity, 0.0f);
  EXPECT_FLOAT_EQ(player->kinematicsY.position, kValleyStartY);
}

TEST_F(PlayerMovement, WalkingReachesTheSpeedLimitAndFrictionStopsIt) {
  const boost::shared_ptr<Player> player = settledPlayer(kSlabX, kSlabY);
  player->startMovingRight();
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, 0.00083007812f * 16);
  frames(*player, 20);
  EXPECT_EQ(player->kinematicsX.velocity, kMaxSpeedX);
  EXPECT_EQ(player->motionType(), WALKING);

  player->stopMoving();
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, kMaxSpeedX - 0.00049804687f * 16);
  frames(*player, 19);  // 0.15859375 / (0.00049804687 * 16) is just under 20 frames
  EXPECT_EQ(player->kinematicsX.velocity, 0.0f);
  EXPECT_EQ(player->horizontalFacing, RIGHT);
  EXPECT_EQ(player->motionType(), STANDING);
  EXPECT_TRUE(player->isOnGround());
}

TEST_F(PlayerMovement, SteersWeaklyInTheAirAndKeepsItsSpeedWhenLetGo) {
  const boost::shared_ptr<Player> player = settledPlayer(kSlabX, kSlabY);
  player->startJump();
  frame(*player);
  ASSERT_FALSE(player->isOnGround());
  player->startMovingRight();
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, 0.0003125f * 16);
  player->startMovingLeft();
  frame(*player);
  EXPECT_NEAR(player->kinematicsX.velocity, 0.0f, 1e-9f);
  player->startMovingRight();
  frames(*player, 3);
  const Velocity drifting = player->kinematicsX.velocity;
  player->stopMoving();
  frames(*player, 3);
  ASSERT_FALSE(player->isOnGround());
  EXPECT_EQ(player->kinematicsX.velocity, drifting);
}

TEST_F(PlayerMovement, AHeldJumpRisesAboutTwoAndAHalfTimesAsHighAsATappedOne) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  const GameUnit held = riseOfJump(*player, 120);
  frames(*player, 5);
  const GameUnit tapped = riseOfJump(*player, 1);
  EXPECT_NEAR(held, 100.0f, 4.0f);
  EXPECT_NEAR(tapped, 40.0f, 4.0f);
}

TEST_F(PlayerMovement, JumpingInTheAirGivesNoSpeedAndReleasingRestoresFullGravity) {
  const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
  player->startJump();
  EXPECT_EQ(player->kinematicsY.velocity, -0.25f);
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsY.velocity, -0.25f + 0.0003125f * 16);
  const Velocity rising = player->kinematicsY.velocity;
  player->startJump();
  EXPECT_EQ(player->kinematicsY.velocity, rising);
  player->stopJump();
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsY.velocity, rising + 0.00078125f * 16);
}

TEST_F(PlayerMovement, StaysOnTheSurfaceWalkingDownAndUpTheValley) {
  const boost::shared_ptr<Player> player = settledPlayer(kValleyStartX, kValleyStartY);
  player->startMovingRight();
  GameUnit lowest = 0.0f;
  while (player->centerX() < 444.0f) {
    frame(*player);
    ASSERT_TRUE(player->isOnGround()) << "at x " << player->kinematicsX.position;
    const GameUnit bottom = player->kinematicsY.position + 32.0f;
    EXPECT_NEAR(bottom, valleyFloor(player->centerX()), 1.5f)
        << "at centre x " << player->centerX();
    lowest = std::max(lowest, bottom);
  }
  EXPECT_NEAR(lowest, 416.0f, 1.5f);
}

// Beside a slope's foot the slope's line, met at the body's centre, may hold the feet up to
// half their width times the gradient below the floor.
constexpr GameUnit kFloor = 416.0f;
constexpr GameUnit kBelowFloorBesideASlope = 5.0f * 0.5f;

TEST_F(PlayerMovement, WalkingOffASlopesFootKeepsTheGroundEveryFrame) {
  struct Case {
    const char* name;
    GameUnit startX;     // on the slope, clear of the wall or block beside it
    int direction;       // -1 left, +1 right
    GameUnit pastFoot;   // a centre x whose feet are clear of the slope's column
  };
  for (const Case& c : std::vector<Case>{
           {"column 7 down to the flat of column 6", 254.0f, -1, 205.0f},
           {"column 5 down to the flat of column 6", 160.0f, +1, 205.0f},
           {"column 17 down into the pocket of column 16", 549.0f, -1, 530.0f},
       }) {
    for (const Millis elapsed : {16u, 33u, 83u}) {
      const boost::shared_ptr<Player> player = settledPlayer(c.startX, 340.0f);
      ASSERT_TRUE(player->isOnGround()) << c.name;
      if (c.direction < 0) player->startMovingLeft();
      else player->startMovingRight();
      player->kinematicsX.velocity = c.direction * kMaxSpeedX;
      int steps = 0;
      while ((player->centerX() - c.pastFoot) * c.direction <= 0.0f) {
        ASSERT_LT(steps++, 100) << c.name;
        frame(*player, elapsed);
        EXPECT_TRUE(player->isOnGround())
            << c.name << ", " << elapsed << " ms frames, at centre x " << player->centerX();
        if (!player->isOnGround()) break;
        EXPECT_LE(player->kinematicsY.position + 32.0f, kFloor + kBelowFloorBesideASlope)
            << c.name << ", " << elapsed << " ms frames, at centre x " << player->centerX();
      }
      if (player->isOnGround()) {
        EXPECT_EQ(player->kinematicsY.position + 32.0f, kFloor)
            << c.name << ", " << elapsed << " ms frames";
      }
    }
  }
}

TEST_F(PlayerMovement, RisingFeetCaughtByABlocksEdgeAreLiftedOntoIt) {
  // The centre over column 12, the feet box reaching 3 units into the block at row 8,
  // column 11, whose top is 256: after 1.6 units of rise the feet are 2 units in.
  const boost::shared_ptr<Player> player = makePlayer(370.0f, 227.6f);
  player->kinematicsY.velocity = -0.1125f;
  frame(*player);
  ASSERT_TRUE(player->isOnGround());
  EXPECT_EQ(*player->groundTile, makeTileType({WALL}));
  EXPECT_EQ(player->kinematicsY.position, 256.0f - 32.0f);
  player->startJump();
  EXPECT_EQ(player->kinematicsY.velocity, -0.25f);
}

TEST_F(PlayerMovement, LandingOnASlopeBesideATallerWallEndsOnTheSlope) {
  // Falling at the terminal speed onto the slope at row 12, column 5; the head box
  // reaches 3 units over the wall at row 12, column 4, whose bottom is inside the floor.
  for (Millis elapsed = 27; elapsed <= 83; ++elapsed) {
    const boost::shared_ptr<Player> player = makePlayer(150.0f, 355.0f);
    player->kinematicsY.velocity = 0.2998046875f;
    int steps = 0;
    while (!player->isOnGround()) {
      ASSERT_LT(steps++, 10) << elapsed << " ms frames";
      frame(*player, elapsed);
    }
    const GameUnit surface = 400.0f + 0.5f * (player->centerX() - 160.0f);
    EXPECT_FLOAT_EQ(player->kinematicsY.position + 32.0f, surface) << elapsed << " ms frames";
    EXPECT_TRUE(player->groundTile->test(SLOPE)) << elapsed << " ms frames";
  }
}

TEST_F(PlayerMovement, WalkingOffALedgeFalls) {
  const boost::shared_ptr<Player> player = settledPlayer(180.0f, kSlabY);
  player->startMovingRight();
  // The slab ends at x 224; the feet are 11 to 21 units into the cell.
  while (player->kinematicsX.position + 11.0f <= 224.0f) {
    ASSERT_TRUE(player->isOnGround());
    frame(*player);
  }
  frame(*player);
  EXPECT_FALSE(player->isOnGround());
  EXPECT_EQ(player->motionType(), FALLING);
  EXPECT_GT(player->kinematicsY.position, kSlabY);
}

TEST_F(PlayerMovement, HittingTheCeilingStopsTheRiseWithOneHeadBump) {
  const boost::shared_ptr<Player> player = settledPlayer(kArchX, kArchY);
  ASSERT_TRUE(front.particles.empty());
  player->startJump();
  int bumps = 0;
  for (int i = 0; i < 60; ++i) {
    const bool rising = player->kinematicsY.velocity < 0.0f;
    const std::size_t before = front.particles.size();
    frame(*player);
    if (front.particles.size() != before) {
      ++bumps;
      EXPECT_TRUE(rising);
      EXPECT_EQ(player->kinematicsY.velocity, 0.0f);
      // The head of the arch's slope under the player's centre.
      EXPECT_NEAR(player->kinematicsY.position + 2.0f, 296.0f, 0.01f);
    }
  }
  EXPECT_EQ(bumps, 1);
  EXPECT_EQ(front.particles.size(), 1u);
  EXPECT_TRUE(player->isOnGround());

  // A ceiling met by the trailing-side check while falling is no bump.
  player->groundTile.reset();
  player->kinematicsY.velocity = 0.1f;
  player->onCollision(TOP_SIDE, false, makeTileType({WALL}));
  EXPECT_EQ(front.particles.size(), 1u);
  EXPECT_EQ(player->kinematicsY.velocity, 0.1f);
}

TEST_F(PlayerMovement, LookingDownOnTheGroundInteractsUntilAnotherCommand) {
  const boost::shared_ptr<Player> player = settledPlayer(kSlabX, kSlabY);
  struct Case { void (Player::*command)(); bool interacting; };
  for (const Case& c : {Case{&Player::lookHorizontal, true}, Case{&Player::lookUp, false},
                        Case{&Player::startJump, false}, Case{&Player::startMovingLeft, false},
                        Case{&Player::startMovingRight, false}}) {
    player->stopJump();
    player->lookHorizontal();
    player->lookDown();
    EXPECT_TRUE(player->interacting);
    EXPECT_EQ(player->verticalFacing(), HORIZONTAL);
    (player.get()->*c.command)();
    EXPECT_EQ(player->interacting, c.interacting);
    player->interacting = false;
    player->kinematicsY.velocity = 0.0f;
    player->stopMoving();
  }
}

TEST_F(PlayerMovement, HoldingDownThroughALandingDoesNotStartInteracting) {
  const boost::shared_ptr<Player> player = makePlayer(kSlabX, 150.0f);
  player->lookDown();
  EXPECT_FALSE(player->interacting);
  EXPECT_EQ(player->verticalFacing(), DOWN);
  for (int i = 0; i < 40; ++i) {
    player->lookDown();
    frame(*player);
  }
  ASSERT_TRUE(player->isOnGround());
  EXPECT_FALSE(player->interacting);
  EXPECT_EQ(player->verticalFacing(), HORIZONTAL);
}

TEST_F(PlayerMovement, RecoilPushesAgainstTheShot) {
  struct Case {
    bool airborne;
    VerticalFacing look;
    HorizontalFacing facing;
    Velocity x;
    Velocity y;
  };
  for (const Case& c : {Case{false, HORIZONTAL, RIGHT, -0.3f, 0.0f},
                        Case{false, HORIZONTAL, LEFT, 0.3f, 0.0f},
                        Case{false, UP, RIGHT, 0.0f, 0.3f},
                        Case{true, DOWN, LEFT, 0.0f, -0.3f}}) {
    const boost::shared_ptr<Player> player = settledPlayer(346.0f, 224.0f);
    if (c.airborne) player->groundTile.reset();
    player->horizontalFacing = c.facing;
    player->intendedVerticalFacing = c.look;
    player->startFire();
    EXPECT_FLOAT_EQ(player->kinematicsX.velocity, c.x) << "look " << c.look;
    EXPECT_FLOAT_EQ(player->kinematicsY.velocity, c.y) << "look " << c.look;
  }
}

TEST_F(PlayerMovement, FrictionRemovesTheRecoilOfAShotFiredStandingStill) {
  // Facing the left wall, with the slab's length behind to slide along.
  const boost::shared_ptr<Player> player = settledPlayer(60.0f, kSlabY);
  player->startMovingLeft();
  player->stopMoving();
  player->startFire();
  frame(*player);
  EXPECT_FLOAT_EQ(player->kinematicsX.velocity, 0.3f - 0.00049804687f * 16);
  frames(*player, 40);
  EXPECT_EQ(player->kinematicsX.velocity, 0.0f);
}
