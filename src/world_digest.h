#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "units.h"

class Game;

// The parts of the world a recording digests apart, so that a difference names the part
// it lies in. The values are fixed: they are bits in the file.
enum WorldPart { PLAYER_PART = 0, BAT_PART = 1, PICKUPS_PART = 2, EFFECTS_PART = 3 };
constexpr int kWorldParts = 4;

const char* worldPartName(int part);

// One 32-bit digest of each part's whole state after a frame. Pickups, particles and
// damage numbers live in sets ordered by address, which differ between runs, so their
// members are digested one by one and summed, in no order.
using WorldDigest = std::array<std::uint32_t, kWorldParts>;

WorldDigest digestWorld(const Game& game);

// Enough of the world, now and then, to say what differs and by how much. The pickups
// and each particle system's particles are sorted by value, not by address.
struct WorldCheckpoint {
  struct PickupState {
    std::int32_t type;
    std::int32_t value;
    float x;
    float y;
    float velocityX;
    float velocityY;
  };
  struct ParticleState {
    float x;
    float y;
  };

  float playerX = 0;
  float playerY = 0;
  float playerVelocityX = 0;
  float playerVelocityY = 0;
  HealthPoints playerHealth = 0;
  HealthPoints playerDamage = 0;
  GunExperience gunExperience = 0;
  GunLevel gunLevel = 0;
  std::int32_t batAlive = 0;
  float batX = 0;
  float batY = 0;
  std::vector<PickupState> pickups;
  std::vector<ParticleState> frontParticles;
  std::vector<ParticleState> entityParticles;
};

WorldCheckpoint checkpointWorld(const Game& game);

struct CheckpointDifference {
  int part = -1;  // a WorldPart, or -1 when the checkpoints are the same
  std::string detail;  // "player x is 320.5, recorded 318.25"
};

// The first field, in the order above, where replayed differs from recorded.
CheckpointDifference firstDifference(const WorldCheckpoint& recorded,
                                     const WorldCheckpoint& replayed);
