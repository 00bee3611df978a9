#include <gtest/gtest.h>

#include <SDL.h>
#include <boost/pointer_cast.hpp>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cave_bat.h"
#include "energy_crystal_pickup.h"
#include "game_harness.h"
#include "map.h"
#include "player.h"
#include "session_replay.h"
#include "timer.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// With the rasteriser out of the way the sanitizer build soaks as long a stretch as
// the release build: its time goes to the game's own code, which the sanitizers watch.
const int kFramesPerRun = 50000;

enum Strategy { RANDOM, HUNTER, PACIFIST };

const char* strategyName(Strategy strategy) {
  switch (strategy) {
    case RANDOM: return "random";
    case HUNTER: return "hunter";
    case PACIFIST: return "pacifist";
  }
  return "?";
}

struct SoakRun {
  unsigned seed;
  Strategy strategy;
};

void PrintTo(const SoakRun& run, std::ostream* out) {
  *out << "seed " << run.seed << ", " << strategyName(run.strategy);
}

const SDL_Scancode kGameKeys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                                  SDL_SCANCODE_DOWN, SDL_SCANCODE_X,     SDL_SCANCODE_Z};
// Keys the game ignores still pass through the input.
const SDL_Scancode kOtherKeys[] = {SDL_SCANCODE_A, SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN};

// The room: side walls at columns 0 and 19, the floor at row 13, no roof.
const GameUnit kLeftWall = 32.0f;
const GameUnit kRightWall = 608.0f;
const GameUnit kFloor = 416.0f;
// The slope's line is met under the body's centre, so beside a slope's foot the feet
// may rest up to half their width times the gradient below the floor, and nowhere else.
const GameUnit kBelowFloorBesideASlope = 5.0f * 0.5f;
// A crystal rests against a wall by its bounding box, which reaches 0.001 beyond its
// body; the body itself must never cross.
const GameUnit kCrystalMargin = 0.001f;

// Nearly all of a frame's time is SDL's software rasteriser, which the soak has no
// use for. Every frame still runs the whole draw code, where the HUD's and the
// numbers' assertions are, but only one in this many reaches the pixels: on the
// others a clip rectangle that nothing intersects turns every copy away at once.
const int kRasterisedEvery = 32;
const SDL_Rect kNowhere = {0, 0, 0, 0};

// Set-up's eight crystals and the bat's two drops are all the pickups there are.
const size_t kMaxPickups = 10;
// Room above the settled world's timers for pickups' and particles' own.
const size_t kTransientTimers = 64;

// Where the soak is, so that a crash names it too, and the recording of the run.
volatile std::sig_atomic_t g_seed = 0;
volatile std::sig_atomic_t g_frame = -1;
char g_recording[256] = "";

void writeNumber(long number) {
  char digits[24];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number > 0);
  while (length > 0) {
    const ssize_t ignored = write(STDERR_FILENO, &digits[--length], 1);
    static_cast<void>(ignored);
  }
}

void reportWhere() {
  if (g_frame < 0) return;
  const char seed_text[] = "Soak stopped at seed ";
  const char frame_text[] = ", frame ";
  ssize_t ignored = write(STDERR_FILENO, seed_text, sizeof seed_text - 1);
  writeNumber(g_seed);
  ignored = write(STDERR_FILENO, frame_text, sizeof frame_text - 1);
  writeNumber(g_frame);
  // Every frame before this one is in the file already.
  const char recording_text[] = "; its frames are recorded in ";
  ignored = write(STDERR_FILENO, recording_text, sizeof recording_text - 1);
  ignored = write(STDERR_FILENO, g_recording, std::strlen(g_recording));
  ignored = write(STDERR_FILENO, "\n", 1);
  static_cast<void>(ignored);
}

extern "C" void reportAndDie(int signal_number) {
  reportWhere();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// Installed for one soak run: assertions abort, bad memory faults, and the sanitizers
// end the process through their own death callback.
class CrashReport {
 public:
  CrashReport(unsigned seed, const std::string& recording) {
    g_seed = static_cast<std::sig_atomic_t>(seed);
    g_frame = 0;
    std::snprintf(g_recording, sizeof g_recording, "%s", recording.c_str());
    previousAbort = std::signal(SIGABRT, reportAndDie);
    previousSegv = std::signal(SIGSEGV, reportAndDie);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(reportWhere);
#endif
  }
  ~CrashReport() {
    g_frame = -1;
    std::signal(SIGABRT, previousAbort);
    std::signal(SIGSEGV, previousSegv);
  }
  CrashReport(const CrashReport&) = delete;
  CrashReport& operator=(const CrashReport&) = delete;

 private:
  void (*previousAbort)(int);
  void (*previousSegv)(int);
};

bool finite(float value) { return std::isfinite(value); }

// Whether the feet overlap a column whose tile on the floor is a slope.
bool feetBesideASlope(const Map& map, const Player& player) {
  const Rectangle feet = Player::kCollisionRectangle.bottomCollision(
      player.kinematicsX.position, player.kinematicsY.position, 0);
  const std::vector<Map::Tile>& row = map.tiles[gameToTile(kFloor) - 1];
  for (TileUnit col = gameToTile(feet.left); col <= gameToTile(feet.right()); ++col) {
    if (row.at(col).tileType.test(SLOPE)) return true;
  }
  return false;
}

// The first broken invariant of the world, or nothing.
std::string brokenInvariant(const Game& game, size_t timerLimit) {
  std::ostringstream problem;
  const Player& player = *game.player;
  if (!finite(player.kinematicsX.position) || !finite(player.kinematicsY.position) ||
      !finite(player.kinematicsX.velocity) || !finite(player.kinematicsY.velocity)) {
    problem << "player kinematics not finite: x " << player.kinematicsX.position << " vx "
            << player.kinematicsX.velocity << " y " << player.kinematicsY.position << " vy "
            << player.kinematicsY.velocity;
    return problem.str();
  }
  const Rectangle body = player.damageRectangle();
  const GameUnit floor =
      kFloor + (feetBesideASlope(*game.map, player) ? kBelowFloorBesideASlope : 0.0f);
  if (body.left < kLeftWall || body.right() > kRightWall || body.bottom() > floor) {
    problem << "player left the room: left " << body.left << " right " << body.right()
            << " bottom " << body.bottom() << ", lowest allowed " << floor << " (vx "
            << player.kinematicsX.velocity << " vy " << player.kinematicsY.velocity << ")";
    return problem.str();
  }
  for (const auto& pickup : game.pickups.pickups) {
    const auto crystal = boost::dynamic_pointer_cast<EnergyCrystalPickup>(pickup);
    if (!crystal) continue;
    const Rectangle box = crystal->collisionRectangle();
    if (!finite(box.left) || !finite(box.top) || !finite(crystal->kinematicsX.velocity) ||
        !finite(crystal->kinematicsY.velocity) || box.left < kLeftWall - kCrystalMargin ||
        box.right() > kRightWall + kCrystalMargin || box.bottom() > kFloor + kCrystalMargin) {
      problem << "crystal left the room: left " << box.left << " right " << box.right()
              << " bottom " << box.bottom() << " (vx " << crystal->kinematicsX.velocity
              << " vy " << crystal->kinematicsY.velocity << ")";
      return problem.str();
    }
  }
  if (game.bat && (!finite(game.bat->x) || !finite(game.bat->y))) {
    problem << "bat position not finite: " << game.bat->x << ", " << game.bat->y;
    return problem.str();
  }
  const Player::Health& health = player.health;
  if (health.currentHealth < 0 || health.currentHealth > 6 ||
      health.currentHealth - health.damage < 0 || health.currentHealth - health.damage > 6) {
    problem << "health out of range: current " << health.currentHealth << " damage "
            << health.damage;
    return problem.str();
  }
  if (player.starGun.experience < 0 || player.starGun.experience > 40) {
    problem << "gun experience out of range: " << player.starGun.experience;
    return problem.str();
  }
  if (player.getProjectiles().size() > 2) {
    problem << player.getProjectiles().size() << " projectiles";
    return problem.str();
  }
  if (game.pickups.pickups.size() > kMaxPickups) {
    problem << game.pickups.pickups.size() << " pickups";
    return problem.str();
  }
  if (Timer::timers.size() > timerLimit) {
    problem << Timer::timers.size() << " live timers, more than " << timerLimit;
    return problem.str();
  }
  return "";
}

// A seeded random player: std::mt19937 for the script, so the game's rand() is left to
// the game. The hunter closes in on the bat and fires at it; the pacifist closes in
// too, to be touched, but never fires where a shot could reach it, so the bat lives.
class Script {
 public:
  Script(unsigned seed, Strategy strategy) : random(seed), strategy(strategy) {}

  void pushEvents(const Game& game, GameHarness& harness) {
    const int roll = below(100);
    const int events = roll < 55 ? 0 : roll < 85 ? 1 : roll < 95 ? 2 : 2 + below(4);
    for (int i = 0; i < events; ++i) {
      if (!pushEvent(game, harness, i == 0)) break;
    }
  }

  Millis elapsed() {
    const int roll = below(1000);
    if (roll < 2) return static_cast<Millis>(1000 + below(4000));  // a stall
    if (roll < 600) return 16 + below(2);
    return static_cast<Millis>(below(84));
  }

 private:
  int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

  // False when no more events may follow in this frame.
  bool pushEvent(const Game& game, GameHarness& harness, bool first) {
    if (strategy != RANDOM && game.bat && below(2) == 0) return closeIn(game, harness, first);
    const int roll = below(20);
    const SDL_Scancode key = roll < 18 ? kGameKeys[roll % 6] : kOtherKeys[below(3)];
    const bool held = harness.loop.input.isKeyHeld(key);
    const bool repeat = held && below(3) == 0;  // the platform's repeat
    const bool down = repeat || !held;
    // A pacifist's shot, repeats included, is the frame's only event, so that no turn
    // in the same frame comes before it.
    if (key == SDL_SCANCODE_X && down && strategy == PACIFIST && game.bat) {
      const Player& player = *game.player;
      if (first && shotSparesBat(game, player.horizontalFacing, player.verticalFacing()))
        pushKey(key, true, repeat);
      return false;
    }
    pushKey(key, down, repeat);
    return true;
  }

  // Turns toward the bat and jumps now and then. The hunter fires when the bat is
  // ahead and in range; the pacifist shoots down in the air, where the recoil lifts it.
  bool closeIn(const Game& game, GameHarness& harness, bool first) {
    const Player& player = *game.player;
    const GameUnit dx = game.bat->centerX() - player.centerX();
    const GameUnit dy = game.bat->centerY() - player.centerY();
    const HorizontalFacing toward = dx < 0 ? LEFT : RIGHT;
    harness.release(toward == LEFT ? SDL_SCANCODE_RIGHT : SDL_SCANCODE_LEFT);
    harness.press(toward == LEFT ? SDL_SCANCODE_LEFT : SDL_SCANCODE_RIGHT);
    if (strategy == HUNTER && std::fabs(dx) < 96.0f && std::fabs(dy) < 12.0f) {
      harness.release(SDL_SCANCODE_UP);
      harness.release(SDL_SCANCODE_DOWN);
      tap(harness, SDL_SCANCODE_X);
      return true;
    }
    if (below(4) == 0) {
      tap(harness, SDL_SCANCODE_Z);
      return true;
    }
    if (strategy == PACIFIST && first && !player.isOnGround() && below(2) == 0 &&
        shotSparesBat(game, toward, DOWN)) {
      harness.release(SDL_SCANCODE_UP);
      harness.press(SDL_SCANCODE_DOWN);
      tap(harness, SDL_SCANCODE_X);
      return false;
    }
    return true;
  }

  static void tap(GameHarness& harness, SDL_Scancode key) {
    harness.release(key);
    harness.press(key);
  }

  // Whether a shot fired now with this aim could never reach the bat: shots fly
  // straight, up to 224 units, and the bat keeps to its column.
  static bool shotSparesBat(const Game& game, HorizontalFacing facing, VerticalFacing aim) {
    const Player& player = *game.player;
    const GameUnit dx = player.centerX() - game.bat->centerX();
    const GameUnit dy = player.centerY() - game.bat->centerY();
    switch (aim) {
      case HORIZONTAL: return std::fabs(dx) >= 96.0f && (dx > 0) == (facing == RIGHT);
      case UP: return std::fabs(dx) >= 64.0f || dy < -32.0f;
      case DOWN: return std::fabs(dx) >= 64.0f || dy > 32.0f;
    }
    return false;
  }

  std::mt19937 random;
  Strategy strategy;
};

// What a run went through, so its report shows what it covered.
struct Outcome {
  int frames = 0;
  int batKilledAt = -1;  // the frame whose update dropped the bat
  HealthPoints lowestHealth = 6;
  GunExperience mostExperience = 0;
  size_t mostTimers = 0;
  GameUnit deepestFeet = 0;  // below the floor, which only a slope's foot allows
};

// Runs one seeded script against a fresh world, checking the invariants after every
// frame; false when one broke. Every run is recorded as it goes: a run that breaks an
// invariant, or crashes, leaves its recording behind to be watched with
// `vantorel-replay play`; a run that keeps them removes it.
bool soak(const SoakRun& run, int frames, Outcome& outcome) {
  const std::string where =
      std::string("seed ") + std::to_string(run.seed) + " (" + strategyName(run.strategy) + ")";
  const std::string recording = testing::TempDir() + "vantorel-soak-" +
                                strategyName(run.strategy) + std::to_string(run.seed) + ".vrec";
  const size_t timers_before = Timer::timers.size();
  CrashReport crash_report(run.seed, recording);
  {
    GameHarness harness(run.seed, recording);
    Game& game = harness.game;
    Script script(run.seed, run.strategy);
    const size_t timer_limit = Timer::timers.size() + kTransientTimers;
    for (int frame = 0; frame < frames; ++frame) {
      g_frame = frame;
      SDL_RenderSetClipRect(harness.loop.graphics.renderer,
                            frame % kRasterisedEvery == 0 ? nullptr : &kNowhere);
      script.pushEvents(game, harness);
      EXPECT_TRUE(harness.frame(script.elapsed()));
      if (!game.bat && outcome.batKilledAt < 0) outcome.batKilledAt = frame;
      const Player& player = *game.player;
      outcome.lowestHealth = std::min(outcome.lowestHealth,
                                      player.health.currentHealth - player.health.damage);
      outcome.mostExperience = std::max(outcome.mostExperience, player.starGun.experience);
      outcome.mostTimers = std::max(outcome.mostTimers, Timer::timers.size());
      outcome.deepestFeet =
          std::max(outcome.deepestFeet, player.damageRectangle().bottom() - kFloor);
      const std::string problem = brokenInvariant(game, timer_limit);
      if (!problem.empty()) {
        ADD_FAILURE() << where << ", frame " << frame << ": " << problem
                      << "\nThe run is recorded in " << recording
                      << "; watch it with: vantorel-replay play " << recording;
        return false;
      }
    }
    outcome.frames = frames;

    // Let go of everything and wait out every pickup, particle and number: the world
    // then holds no more timers than it did at set-up.
    SDL_RenderSetClipRect(harness.loop.graphics.renderer, nullptr);
    for (const SDL_Scancode key : kGameKeys) harness.release(key);
    for (const SDL_Scancode key : kOtherKeys) harness.release(key);
    for (int frame = 0; frame < 200; ++frame) harness.frame(Game::kMaxFrameTime);
    EXPECT_TRUE(game.pickups.pickups.empty()) << where;
    EXPECT_TRUE(game.frontParticleSystem.particles.empty()) << where;
    EXPECT_TRUE(game.entityParticleSystem.particles.empty()) << where;
    EXPECT_LE(Timer::timers.size(), timer_limit - kTransientTimers) << where;
  }
  EXPECT_EQ(Timer::timers.size(), timers_before) << where << ": timers outlived the world";
  // The first run's recording, stalls, repeats and ignored keys and all, must replay
  // frame for frame, or a failing run's recording would show something else.
  if (run.seed == 1) {
    ReplayOptions options;
    options.pictures = false;
    const ReplayResult replayed = replaySession(recording, options);
    EXPECT_EQ(replayed.status, 0) << replayed.line;
    EXPECT_NE(replayed.line.find("every checkpoint up to it matches"), std::string::npos)
        << replayed.line;
  }
  std::remove(recording.c_str());
  return true;
}

// VANTOREL_SOAK_FRAMES sets every run's length and VANTOREL_SOAK_SEED adds a run of
// each strategy with that seed, for longer soaks by hand.
int framesPerRun() {
  const char* frames = std::getenv("VANTOREL_SOAK_FRAMES");
  return frames != nullptr ? std::atoi(frames) : kFramesPerRun;
}

void report(const SoakRun& run, const Outcome& outcome) {
  const std::string bat = outcome.batKilledAt < 0
                              ? "alive"
                              : "killed at frame " + std::to_string(outcome.batKilledAt);
  std::printf("seed %u (%s): %d frames, bat %s, health down to %d, experience up to %d, "
              "at most %zu timers, feet at most %.2f below the floor\n",
              run.seed, strategyName(run.strategy), outcome.frames, bat.c_str(),
              outcome.lowestHealth, outcome.mostExperience, outcome.mostTimers,
              static_cast<double>(outcome.deepestFeet));
}

class Soak : public testing::TestWithParam<SoakRun> {};

}  // namespace

TEST_P(Soak, WorldKeepsItsInvariantsUnderARandomPlayer) {
  const SoakRun run = GetParam();
  Outcome outcome;
  if (!soak(run, framesPerRun(), outcome)) return;
  // Between them the runs cover a world with the bat and one without.
  if (run.strategy == HUNTER) {
    EXPECT_GE(outcome.batKilledAt, 0) << "the hunter missed";
  }
  if (run.strategy == PACIFIST) {
    EXPECT_LT(outcome.batKilledAt, 0) << "the pacifist hit";
  }
  report(run, outcome);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak,
                         testing::Values(SoakRun{1, RANDOM}, SoakRun{2, HUNTER},
                                         SoakRun{3, PACIFIST}, SoakRun{4, RANDOM}),
                         [](const testing::TestParamInfo<SoakRun>& info) {
                           return std::string(strategyName(info.param.strategy)) +
                                  std::to_string(info.param.seed);
                         });

TEST(SoakByHand, ChosenSeed) {
  const char* seed = std::getenv("VANTOREL_SOAK_SEED");
  if (seed == nullptr) GTEST_SKIP() << "set VANTOREL_SOAK_SEED to soak a seed of your own";
  for (const Strategy strategy : {RANDOM, HUNTER, PACIFIST}) {
    Outcome outcome;
    const SoakRun run{static_cast<unsigned>(std::strtoul(seed, nullptr, 10)), strategy};
    if (!soak(run, framesPerRun(), outcome)) return;
    report(run, outcome);
  }
}
