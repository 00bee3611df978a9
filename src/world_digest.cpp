#include "world_digest.h"

#include <boost/pointer_cast.hpp>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <tuple>

#include "animated_sprite.h"
#include "cave_bat.h"
#include "death_cloud_particle.h"
#include "energy_crystal_pickup.h"
#include "flashing_pickup.h"
#include "floating_number.h"
#include "game.h"
#include "head_bump_particle.h"
#include "immobile_single_loop_particle.h"
#include "player.h"

namespace {

// FNV-1a over the bytes of each value: floats by their bits, so that any change shows.
class Digest {
 public:
  template <typename Value>
  Digest& add(Value value) {
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    for (const unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ULL;
    return *this;
  }

  std::uint64_t hash = 14695981039346656037ULL;
};

std::uint32_t folded(std::uint64_t hash) {
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

void addNumber(Digest& digest, const FloatingNumber& number) {
  digest.add(number.shouldRise).add(number.centerX).add(number.centerY).add(number.value);
  digest.add(number.offsetY).add(number.timer.counted).add(static_cast<int>(number.type));
}

void addSprite(Digest& digest, const AnimatedSprite& sprite) {
  digest.add(sprite.frameTimer.counted).add(sprite.currentFrame).add(sprite.completedLoops);
}

void addProjectile(Digest& digest, const boost::shared_ptr<StarGun::Projectile>& projectile) {
  digest.add(static_cast<bool>(projectile));
  if (!projectile) return;
  digest.add(static_cast<int>(projectile->horizontalDirection))
      .add(static_cast<int>(projectile->verticalDirection))
      .add(projectile->x)
      .add(projectile->y)
      .add(projectile->gunLevel)
      .add(projectile->offset)
      .add(projectile->alive);
}

std::uint64_t playerDigest(const Player& player) {
  Digest digest;
  digest.add(player.kinematicsX.position).add(player.kinematicsX.velocity);
  digest.add(player.kinematicsY.position).add(player.kinematicsY.velocity);
  digest.add(player.accelerationXDirection).add(static_cast<int>(player.horizontalFacing));
  digest.add(static_cast<int>(player.intendedVerticalFacing));
  digest.add(static_cast<bool>(player.groundTile));
  if (player.groundTile) digest.add(player.groundTile->to_ulong());
  digest.add(player.jumpActive).add(player.interacting);
  digest.add(player.health.damage).add(player.health.damageTimer.counted);
  digest.add(player.health.maxHealth).add(player.health.currentHealth);
  digest.add(player.invincibleTimer.counted);
  digest.add(player.starGun.experience);
  addProjectile(digest, player.starGun.projectileA);
  addProjectile(digest, player.starGun.projectileB);
  addNumber(digest, *player.damageText);
  addNumber(digest, player.experienceText);
  return digest.hash;
}

std::uint64_t batDigest(const boost::shared_ptr<CaveBat>& bat) {
  Digest digest;
  digest.add(static_cast<bool>(bat));
  if (!bat) return digest.hash;
  digest.add(bat->flightCenterY).add(bat->alive).add(bat->x).add(bat->y);
  digest.add(bat->flightAngle).add(static_cast<int>(bat->facing));
  return digest.hash;
}

std::uint64_t pickupDigest(const Pickup& pickup) {
  Digest digest;
  const Rectangle box = pickup.collisionRectangle();
  digest.add(static_cast<int>(pickup.type())).add(pickup.value());
  digest.add(box.left).add(box.top).add(box.width).add(box.height);
  if (const auto* crystal = dynamic_cast<const EnergyCrystalPickup*>(&pickup)) {
    digest.add(crystal->kinematicsX.velocity).add(crystal->kinematicsY.velocity);
    digest.add(crystal->timer.counted);
    addSprite(digest, crystal->sprite);
  } else if (const auto* flashing = dynamic_cast<const FlashingPickup*>(&pickup)) {
    digest.add(flashing->timer.counted).add(flashing->flashPeriod);
  }
  return digest.hash;
}

// Each kind of particle by its own state; a kind added later digests by its kind alone
// until it is named here.
std::uint64_t particleDigest(const Particle& particle) {
  Digest digest;
  if (const auto* cloud = dynamic_cast<const DeathCloudParticle*>(&particle)) {
    digest.add(1).add(cloud->x).add(cloud->y).add(cloud->speed);
    digest.add(cloud->offset.magnitude).add(cloud->offset.angle);
    addSprite(digest, cloud->sprite);
  } else if (const auto* bump = dynamic_cast<const HeadBumpParticle*>(&particle)) {
    digest.add(2).add(bump->centerX).add(bump->centerY).add(bump->liveTimer.counted);
    digest.add(bump->particleA.magnitude).add(bump->particleA.angle);
    digest.add(bump->particleB.magnitude).add(bump->particleB.angle);
    digest.add(bump->maxOffsetA).add(bump->maxOffsetB);
  } else if (const auto* still = dynamic_cast<const ImmobileSingleLoopParticle*>(&particle)) {
    digest.add(3).add(still->x).add(still->y);
    addSprite(digest, still->sprite);
  } else {
    digest.add(0);
  }
  return digest.hash;
}

// The sum does not depend on the order of the set.
std::uint64_t effectsDigest(const Game& game) {
  std::uint64_t sum = 0;
  for (const ParticleSystem* system : {&game.frontParticleSystem, &game.entityParticleSystem}) {
    std::uint64_t system_sum = 0;
    for (const auto& particle : system->particles) system_sum += particleDigest(*particle);
    sum = sum * 31 + system_sum + system->particles.size();
  }
  std::uint64_t numbers = 0;
  for (const auto& entry : game.damageTexts.damageTexts) {
    Digest digest;
    addNumber(digest, *entry.first);
    digest.add(entry.second.expired());
    numbers += digest.hash;
  }
  return sum * 31 + numbers + game.damageTexts.damageTexts.size();
}

WorldCheckpoint::ParticleState particleState(const Particle& particle) {
  if (const auto* cloud = dynamic_cast<const DeathCloudParticle*>(&particle))
    return {cloud->x + cloud->offset.x(), cloud->y + cloud->offset.y()};
  if (const auto* bump = dynamic_cast<const HeadBumpParticle*>(&particle))
    return {bump->centerX, bump->centerY};
  if (const auto* still = dynamic_cast<const ImmobileSingleLoopParticle*>(&particle))
    return {still->x, still->y};
  return {0, 0};
}

// Sorting by the bits keeps the order strict even for a NaN, which a broken world may hold.
std::uint32_t bits(float value) {
  std::uint32_t result;
  std::memcpy(&result, &value, sizeof result);
  return result;
}

std::vector<WorldCheckpoint::ParticleState> particleStates(const ParticleSystem& system) {
  std::vector<WorldCheckpoint::ParticleState> states;
  for (const auto& particle : system.particles) states.push_back(particleState(*particle));
  std::sort(states.begin(), states.end(), [](const auto& a, const auto& b) {
    return std::make_tuple(bits(a.x), bits(a.y)) < std::make_tuple(bits(b.x), bits(b.y));
  });
  return states;
}

// Compares bit for bit and keeps the first difference, with the part it lies in.
class Comparison {
 public:
  template <typename Value>
  void field(const std::string& name, Value recorded, Value replayed) {
    if (found.part >= 0 || std::memcmp(&recorded, &replayed, sizeof recorded) == 0) return;
    std::ostringstream line;
    line.precision(9);
    line << name << " is " << replayed << ", recorded " << recorded;
    found = {part, line.str()};
  }

  int part = PLAYER_PART;
  CheckpointDifference found;
};

void compareParticles(Comparison& comparison, const std::string& system,
                      const std::vector<WorldCheckpoint::ParticleState>& recorded,
                      const std::vector<WorldCheckpoint::ParticleState>& replayed) {
  comparison.field(system + " particles", recorded.size(), replayed.size());
  for (size_t i = 0; i < recorded.size() && i < replayed.size(); ++i) {
    const std::string name = system + " particle " + std::to_string(i);
    comparison.field(name + " x", recorded[i].x, replayed[i].x);
    comparison.field(name + " y", recorded[i].y, replayed[i].y);
  }
}

}  // namespace

const char* worldPartName(int part) {
  switch (part) {
    case PLAYER_PART: return "the player";
    case BAT_PART: return "the bat";
    case PICKUPS_PART: return "the pickups";
    case EFFECTS_PART: return "the particles and numbers";
  }
  return "?";
}

WorldDigest digestWorld(const Game& game) {
  std::uint64_t pickups = 0;
  for (const auto& pickup : game.pickups.pickups) pickups += pickupDigest(*pickup);
  pickups += game.pickups.pickups.size();
  return {folded(playerDigest(*game.player)), folded(batDigest(game.bat)), folded(pickups),
          folded(effectsDigest(game))};
}

WorldCheckpoint checkpointWorld(const Game& game) {
  WorldCheckpoint checkpoint;
  const Player& player = *game.player;
  checkpoint.playerX = player.kinematicsX.position;
  checkpoint.playerY = player.kinematicsY.position;
  checkpoint.playerVelocityX = player.kinematicsX.velocity;
  checkpoint.playerVelocityY = player.kinematicsY.velocity;
  checkpoint.playerHealth = player.health.currentHealth;
  checkpoint.playerDamage = player.health.damage;
  checkpoint.gunExperience = player.starGun.experience;
  checkpoint.gunLevel = player.starGun.currentLevel();
  checkpoint.batAlive = game.bat ? 1 : 0;
  if (game.bat) {
    checkpoint.batX = game.bat->x;
    checkpoint.batY = game.bat->y;
  }
  for (const auto& pickup : game.pickups.pickups) {
    const Rectangle box = pickup->collisionRectangle();
    WorldCheckpoint::PickupState state{pickup->type(), pickup->value(), box.left, box.top, 0, 0};
    if (const auto* crystal = dynamic_cast<const EnergyCrystalPickup*>(pickup.get())) {
      state.velocityX = crystal->kinematicsX.velocity;
      state.velocityY = crystal->kinematicsY.velocity;
    }
    checkpoint.pickups.push_back(state);
  }
  const auto key = [](const WorldCheckpoint::PickupState& state) {
    return std::make_tuple(state.type, state.value, bits(state.x), bits(state.y),
                           bits(state.velocityX), bits(state.velocityY));
  };
  std::sort(checkpoint.pickups.begin(), checkpoint.pickups.end(),
            [&key](const auto& a, const auto& b) { return key(a) < key(b); });
  checkpoint.frontParticles = particleStates(game.frontParticleSystem);
  checkpoint.entityParticles = particleStates(game.entityParticleSystem);
  return checkpoint;
}

CheckpointDifference firstDifference(const WorldCheckpoint& recorded,
                                     const WorldCheckpoint& replayed) {
  Comparison comparison;
  comparison.field("player x", recorded.playerX, replayed.playerX);
  comparison.field("player y", recorded.playerY, replayed.playerY);
  comparison.field("player x velocity", recorded.playerVelocityX, replayed.playerVelocityX);
  comparison.field("player y velocity", recorded.playerVelocityY, replayed.playerVelocityY);
  comparison.field("player health", recorded.playerHealth, replayed.playerHealth);
  comparison.field("player damage", recorded.playerDamage, replayed.playerDamage);
  comparison.field("gun experience", recorded.gunExperience, replayed.gunExperience);
  comparison.field("gun level", recorded.gunLevel, replayed.gunLevel);
  comparison.part = BAT_PART;
  comparison.field("bat alive", recorded.batAlive, replayed.batAlive);
  comparison.field("bat x", recorded.batX, replayed.batX);
  comparison.field("bat y", recorded.batY, replayed.batY);
  comparison.part = PICKUPS_PART;
  comparison.field("pickups", recorded.pickups.size(), replayed.pickups.size());
  for (size_t i = 0; i < recorded.pickups.size() && i < replayed.pickups.size(); ++i) {
    const WorldCheckpoint::PickupState& a = recorded.pickups[i];
    const WorldCheckpoint::PickupState& b = replayed.pickups[i];
    const std::string name = "pickup " + std::to_string(i);
    comparison.field(name + " type", a.type, b.type);
    comparison.field(name + " value", a.value, b.value);
    comparison.field(name + " x", a.x, b.x);
    comparison.field(name + " y", a.y, b.y);
    comparison.field(name + " x velocity", a.velocityX, b.velocityX);
    comparison.field(name + " y velocity", a.velocityY, b.velocityY);
  }
  comparison.part = EFFECTS_PART;
  compareParticles(comparison, "front", recorded.frontParticles, replayed.frontParticles);
  compareParticles(comparison, "entity", recorded.entityParticles, replayed.entityParticles);
  return comparison.found;
}
