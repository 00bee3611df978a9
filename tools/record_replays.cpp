// Records the corpus of sessions in tests/replays/ that ctest replays with
// `vantorel-replay verify`: run on purpose, by `cmake --build build --target replays`,
// when a change to the game's behaviour is meant.
#include <SDL.h>
#include <boost/pointer_cast.hpp>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cave_bat.h"
#include "energy_crystal_pickup.h"
#include "flashing_pickup.h"
#include "game.h"
#include "play_capture.h"
#include "player.h"
#include "scripted_recording.h"

namespace {

// Keys held as a player holds them: a change is pushed only when the wish changes.
class Pilot {
 public:
  void hold(SDL_Scancode key, bool down) {
    if (held[key] == down) return;
    pushKey(key, down);
    held[key] = down;
  }

  // Walks toward x, stopping within slack of it.
  void walkTo(const Player& player, GameUnit x, GameUnit slack) {
    const GameUnit dx = x - player.centerX();
    hold(SDL_SCANCODE_LEFT, dx < -slack);
    hold(SDL_SCANCODE_RIGHT, dx > slack);
  }

  // A jump held for the given frames; a new one only from the ground.
  void jump(const Player& player, int frame, int frames) {
    if (frame < jumpUntil) return;
    if (!player.isOnGround()) return;
    hold(SDL_SCANCODE_Z, false);
    pushKey(SDL_SCANCODE_Z, true);
    held[SDL_SCANCODE_Z] = true;
    jumpUntil = frame + frames;
  }

  void endJump(int frame) {
    if (frame >= jumpUntil) hold(SDL_SCANCODE_Z, false);
  }

  // A shot: X goes down in this frame and up in the next.
  void fire() {
    hold(SDL_SCANCODE_X, false);
    pushKey(SDL_SCANCODE_X, true);
    held[SDL_SCANCODE_X] = true;
  }

  // Jumps when walking has stalled against a step or a wall.
  void unstick(const Player& player, int frame) {
    const bool walking = held[SDL_SCANCODE_LEFT] || held[SDL_SCANCODE_RIGHT];
    stalled = walking && std::fabs(player.kinematicsX.velocity) < 0.02f ? stalled + 1 : 0;
    if (stalled > 6) jump(player, frame, 25);
  }

  std::map<SDL_Scancode, bool> held;
  int jumpUntil = 0;
  int stalled = 0;
};

// What a session went through, told when it is written.
struct Coverage {
  bool batKilled = false;
  int pickupsSeen = 0;
  int pickupsCollected = 0;
  HealthPoints lowestHealth = 6;
  std::set<std::tuple<GunLevel, int, int>> shots;  // level, horizontal and vertical aim
  std::set<boost::shared_ptr<StarGun::Projectile>> lastShots;
  std::set<boost::shared_ptr<Pickup>> lastPickups;

  // Pickups dropped while their time still ran were collected, not expired. Holding them
  // one frame longer changes nothing in the world: they are out of it.
  void observe(const Game& game) {
    if (!game.bat) batKilled = true;
    const Player& player = *game.player;
    lowestHealth = std::min(lowestHealth, player.health.currentHealth - player.health.damage);
    for (const auto& pickup : lastPickups) {
      if (game.pickups.pickups.count(pickup) != 0) continue;
      const auto crystal = boost::dynamic_pointer_cast<EnergyCrystalPickup>(pickup);
      const auto flashing = boost::dynamic_pointer_cast<FlashingPickup>(pickup);
      if ((crystal && crystal->timer.active()) || (flashing && flashing->timer.active()))
        ++pickupsCollected;
    }
    for (const auto& pickup : game.pickups.pickups) {
      if (lastPickups.count(pickup) == 0) ++pickupsSeen;
    }
    lastPickups = game.pickups.pickups;
    for (const auto& projectile : {player.starGun.projectileA, player.starGun.projectileB}) {
      if (!projectile || lastShots.count(projectile) != 0) continue;
      shots.insert({projectile->gunLevel,
                    projectile->verticalDirection == HORIZONTAL ? projectile->horizontalDirection
                                                                : -1,
                    projectile->verticalDirection});
    }
    lastShots = {player.starGun.projectileA, player.starGun.projectileB};
  }

  std::string describe() const {
    return std::string("bat ") + (batKilled ? "killed" : "alive") + ", " +
           std::to_string(pickupsCollected) + " of " + std::to_string(pickupsSeen) +
           " pickups collected, health down to " + std::to_string(lowestHealth) + ", " +
           std::to_string(shots.size()) + " kinds of shot";
  }
};

const Pickup* nearestPickup(const Game& game) {
  const Pickup* nearest = nullptr;
  GameUnit best = 0;
  for (const auto& pickup : game.pickups.pickups) {
    const Rectangle box = pickup->collisionRectangle();
    const GameUnit distance = std::fabs(box.left + box.width / 2 - game.player->centerX()) +
                              std::fabs(box.top + box.height / 2 - game.player->centerY());
    if (nearest == nullptr || distance < best) {
      nearest = pickup.get();
      best = distance;
    }
  }
  return nearest;
}

// Goes for the nearest pickup, jumping where it lies above or the way is blocked.
void collect(Pilot& pilot, const Game& game, const Pickup& pickup, int frame) {
  const Player& player = *game.player;
  const Rectangle box = pickup.collisionRectangle();
  pilot.walkTo(player, box.left + box.width / 2, 3.0f);
  if (box.top + box.height < player.kinematicsY.position) pilot.jump(player, frame, 30);
  pilot.unstick(player, frame);
  pilot.endJump(frame);
}

// Closes in on the bat and fires when it is ahead and level, as the soak's hunter does.
void hunt(Pilot& pilot, const Game& game, int frame) {
  const Player& player = *game.player;
  const GameUnit dx = game.bat->centerX() - player.centerX();
  const GameUnit dy = game.bat->centerY() - player.centerY();
  pilot.hold(SDL_SCANCODE_X, false);
  if (std::fabs(dx) > 80.0f) {
    pilot.walkTo(player, game.bat->centerX(), 60.0f);
    pilot.unstick(player, frame);
  } else {
    pilot.hold(SDL_SCANCODE_LEFT, dx < 0 && player.horizontalFacing != LEFT);
    pilot.hold(SDL_SCANCODE_RIGHT, dx > 0 && player.horizontalFacing != RIGHT);
    const bool ahead = (dx < 0) == (player.horizontalFacing == LEFT);
    if (ahead && std::fabs(dy) < 12.0f && frame % 8 == 0) pilot.fire();
    if (std::fabs(dy) > 40.0f && frame % 90 == 0) pilot.jump(player, frame, 20);
  }
  pilot.endJump(frame);
}

// Every key at random, repeats and keys the game ignores included.
void wander(Pilot& pilot, std::mt19937& random) {
  const SDL_Scancode keys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                               SDL_SCANCODE_DOWN, SDL_SCANCODE_X,     SDL_SCANCODE_Z,
                               SDL_SCANCODE_A,    SDL_SCANCODE_SPACE};
  const int events = std::uniform_int_distribution<int>(0, 9)(random) < 7 ? 0 : 1 +
                     std::uniform_int_distribution<int>(0, 2)(random);
  for (int i = 0; i < events; ++i) {
    const SDL_Scancode key = keys[std::uniform_int_distribution<int>(0, 7)(random)];
    if (pilot.held[key] && std::uniform_int_distribution<int>(0, 2)(random) == 0)
      pushKey(key, true, true);
    else
      pilot.hold(key, !pilot.held[key]);
  }
}

// A real player's frame times: mostly 16 or 17 ms, often anything up to the cap, now
// and then a stall past it.
Millis randomFrameTime(std::mt19937& random) {
  const int roll = std::uniform_int_distribution<int>(0, 999)(random);
  if (roll < 3) return static_cast<Millis>(std::uniform_int_distribution<int>(84, 400)(random));
  if (roll < 650) return static_cast<Millis>(16 + roll % 2);
  return static_cast<Millis>(std::uniform_int_distribution<int>(0, 83)(random));
}

bool write(const std::string& path, ScriptedSession session, Coverage& coverage) {
  session.afterFrame = [&coverage](int, const Game& game) { coverage.observe(game); };
  const std::string error = recordScriptedSession(path, session);
  if (!error.empty()) {
    std::fprintf(stderr, "record_replays: %s\n", error.c_str());
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  long size = 0;
  if (file != nullptr) {
    std::fseek(file, 0, SEEK_END);
    size = std::ftell(file);
    std::fclose(file);
  }
  std::printf("Wrote %s: %d frames, %ld bytes; %s\n", path.c_str(), session.frames, size,
              coverage.describe().c_str());
  return true;
}

// Several minutes: the crystals collected, the bat hunted down and its drops collected,
// then anything at all, with a real player's frame times.
bool longSession(const std::string& dir) {
  ScriptedSession session;
  session.seed = 23;
  session.frames = 4 * 60 * 60;
  auto random = std::make_shared<std::mt19937>(23);
  auto times = std::make_shared<std::mt19937>(42);
  auto pilot = std::make_shared<Pilot>();
  session.frameTime = [times](int) { return randomFrameTime(*times); };
  session.player = [random, pilot](int frame, const Game& game) {
    const Pickup* pickup = nearestPickup(game);
    if (pickup != nullptr && frame < 6000)
      collect(*pilot, game, *pickup, frame);
    else if (game.bat && frame < 6000)
      hunt(*pilot, game, frame);
    else
      wander(*pilot, *random);
  };
  Coverage coverage;
  if (!write(dir + "/long-random-session.vrec", session, coverage)) return false;
  const bool covered = coverage.batKilled && coverage.pickupsCollected == coverage.pickupsSeen &&
                       coverage.lowestHealth < 6;
  if (!covered) std::fprintf(stderr, "record_replays: the long session missed something\n");
  return covered;
}

// The moving picture's run, frame for frame.
bool movingPicture(const std::string& dir) {
  ScriptedSession session;
  session.frames = kPlayFrames;
  session.keys = showTheGameOff();
  Coverage coverage;
  return write(dir + "/moving-picture.vrec", session, coverage);
}

// The same keys with every frame the same length: the world standing still, crawling,
// at the cap, and past it, where the readings differ from the cap's but the updates do not.
bool fixedFrameTimes(const std::string& dir) {
  for (const Millis time : {0u, 1u, 83u, 250u}) {
    ScriptedSession session;
    session.frames = kPlayFrames;
    session.keys = showTheGameOff();
    session.frameTime = [time](int) { return time; };
    Coverage coverage;
    if (!write(dir + "/frame-time-" + std::to_string(time) + "ms.vrec", session, coverage))
      return false;
  }
  return true;
}

// Shots right, left, up and, in a jump, down, at level 1 from the start and again at
// each level the crystals bring.
class GunRange {
 public:
  void frame(int frame, const Game& game) {
    const Player& player = *game.player;
    const GunLevel level = player.starGun.currentLevel();
    if (shot < 0 && done.count(level) == 0) {
      done.insert(level);
      shot = 0;
      start = frame;
    }
    if (shot < 0) {
      if (const Pickup* pickup = nearestPickup(game)) collect(pilot, game, *pickup, frame);
      return;
    }
    aim(frame - start, player, frame);
  }

 private:
  // Level shots from where the player stands, the shot down from a jump; a shot that a
  // wall took goes again from the top of a jump.
  void aim(int at, const Player& player, int frame) {
    const SDL_Scancode key = kAimKeys[shot];
    const bool jumping = shot == 3 || attempt % 2 == 1;
    const int fire_at = jumping ? 20 : 3;
    pilot.hold(SDL_SCANCODE_X, false);
    if (at == 0) {
      letGo();
      pilot.hold(key, true);
    }
    if (at == 1 && shot < 2) pilot.hold(key, false);
    if (at == 1 && jumping) pilot.jump(player, frame, 30);
    if (at == fire_at) pilot.fire();
    if (at == fire_at + 1 && !flying(player)) {
      ++attempt;
      letGo();
      start = frame + 1;
    }
    if (at == fire_at + 12) {
      letGo();
      start = frame + 1;
      attempt = 0;
      shot = shot == 3 ? -1 : shot + 1;
    }
  }

  void letGo() {
    for (const SDL_Scancode key : kAimKeys) pilot.hold(key, false);
    pilot.hold(SDL_SCANCODE_Z, false);
  }

  // Whether the shot just fired is in flight, aimed as it was meant to be.
  bool flying(const Player& player) const {
    for (const auto& projectile : {player.starGun.projectileA, player.starGun.projectileB}) {
      if (!projectile || projectile->gunLevel != player.starGun.currentLevel()) continue;
      const VerticalFacing aim = projectile->verticalDirection;
      if ((shot == 0 && aim == HORIZONTAL && projectile->horizontalDirection == RIGHT) ||
          (shot == 1 && aim == HORIZONTAL && projectile->horizontalDirection == LEFT) ||
          (shot == 2 && aim == UP) || (shot == 3 && aim == DOWN))
        return true;
    }
    return false;
  }

  static constexpr SDL_Scancode kAimKeys[] = {SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT,
                                              SDL_SCANCODE_UP, SDL_SCANCODE_DOWN};

  Pilot pilot;
  std::set<GunLevel> done;
  int shot = -1;
  int attempt = 0;
  int start = 0;
};

bool everyShot(const std::string& dir) {
  ScriptedSession session;
  session.seed = 15;
  session.frames = 1800;
  auto range = std::make_shared<GunRange>();
  session.player = [range](int frame, const Game& game) { range->frame(frame, game); };
  Coverage coverage;
  if (!write(dir + "/every-shot-at-every-level.vrec", session, coverage)) return false;
  if (coverage.shots.size() != 12) {
    std::fprintf(stderr, "record_replays: the gun session fired %zu kinds of shot, not 12\n",
                 coverage.shots.size());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: record_replays DIRECTORY\n", stderr);
    return 2;
  }
  SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
  const std::string dir = argv[1];
  const bool ok = movingPicture(dir) && fixedFrameTimes(dir) && everyShot(dir) && longSession(dir);
  return ok ? 0 : 1;
}
