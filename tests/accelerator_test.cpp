#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accelerator.h"
#include "constant_accelerator.h"
#include "friction_accelerator.h"
#include "kinematics.h"
#include "zero_accelerator.h"

namespace {

const ConstantAccelerator kFallPush(0.00078125f, 0.2998046875f);
const ConstantAccelerator kLeftAirPush(-0.0003125f, -0.15859375f);
const ConstantAccelerator kRightAirPush(0.0003125f, 0.15859375f);
const FrictionAccelerator kGroundFriction(0.00049804687f);

}  // namespace

TEST(Accelerator, ChangesOnlyTheVelocityAsTheCasesSay) {
  struct Case {
    std::string name;
    const Accelerator& accelerator;
    Velocity before;
    Millis elapsed;
    Velocity after;
  };
  for (const Case& c : std::vector<Case>{
           {"push from rest", kFallPush, 0.0f, 16, 0.0125f},
           {"push capped at the limit", kFallPush, 0.29f, 16, 0.2998046875f},
           {"negative push cuts a speed beyond its limit", kLeftAirPush, -0.2f, 16,
            -0.15859375f},
           {"push against the motion is not clamped", kRightAirPush, -0.2f, 16, -0.195f},
           {"no time still cuts a speed beyond the limit", kRightAirPush, 0.3f, 0, 0.15859375f},
           {"no time leaves a speed within the limit", kRightAirPush, -0.3f, 0, -0.3f},
           {"friction stops without reversing", kGroundFriction, 0.001f, 16, 0.0f},
           {"friction stops from the other side", kGroundFriction, -0.001f, 16, 0.0f},
           {"friction slows", kGroundFriction, 0.1f, 16, 0.1f - 0.00049804687f * 16},
           {"friction at rest", kGroundFriction, 0.0f, 16, 0.0f},
           {"friction with no time", kGroundFriction, 0.1f, 0, 0.1f},
           {"zero", ZeroAccelerator::kZero, -0.07f, 16, -0.07f},
       }) {
    Kinematics kinematics{123.5f, c.before};
    c.accelerator.updateVelocity(kinematics, c.elapsed);
    EXPECT_FLOAT_EQ(kinematics.velocity, c.after) << c.name;
    EXPECT_EQ(kinematics.position, 123.5f) << c.name;
  }
}

TEST(Accelerator, GravityReachesItsTerminalSpeedAndStaysThere) {
  EXPECT_EQ(ConstantAccelerator::kGravity.acceleration, 0.00078125f);
  EXPECT_EQ(ConstantAccelerator::kGravity.maxVelocity, 0.2998046875f);
  Kinematics kinematics{0.0f, 0.0f};
  for (int frame = 0; frame < 100; ++frame)
    ConstantAccelerator::kGravity.updateVelocity(kinematics, 16);
  EXPECT_EQ(kinematics.velocity, 0.2998046875f);
}
