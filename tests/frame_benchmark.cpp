// How much of a frame the game spends beyond what SDL itself must spend to draw the
// same picture, and how often a frame reaches for the heap. Runs headless on the
// software renderer; `vantorel_benchmark --help` lists Google Benchmark's flags.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "allocation_counter.h"
#include "cave_bat.h"
#include "damage_texts.h"
#include "event_loop.h"
#include "game.h"
#include "graphics.h"
#include "map.h"
#include "particle_system.h"
#include "pickups.h"
#include "player.h"
#include "test_support.h"

namespace {

constexpr unsigned kSeed = 7;
constexpr Millis kElapsed = Game::kFrameTime;
// The crystals fly from the bat and bounce for 8 s; long before they blink out the
// scene starts again, so every measured frame looks like the steady game.
constexpr int kSceneFrames = 300;
// Leaves the crystals time to spread out before anything is measured.
constexpr int kWarmUpFrames = 60;
// A level-1 shot lives 12 frames, so a new one every 12 keeps one in flight. The
// player stands wedged on a ledge to the bat's right, so the recoil never moves it.
constexpr int kFireEvery = 12;

// The real world on the dummy driver, framed by hand as the loop frames it. Scenes
// after the first reuse the window and the loaded sheets, so nothing is printed.
class World {
 public:
  World() {
    // The game names every sheet it loads; the report should not carry those lines.
    StdoutCapture quiet;
    std::srand(kSeed);
    game = std::make_unique<Game>(Game::WithoutLoop{});
    loop = std::make_unique<EventLoop>(*game, clock);
    warmUp();
  }

  // The same scene again from its first frame, with the same random numbers.
  void restart() {
    game->damageTexts.damageTexts.clear();
    game->pickups.pickups.clear();
    game->frontParticleSystem.particles.clear();
    game->entityParticleSystem.particles.clear();
    game->bat.reset();
    game->player.reset();
    game->map.reset();
    std::srand(kSeed);
    game->populateWorld(loop->graphics, loop->particleTools);
    frame = 0;
    warmUp();
  }

  bool sceneOver() const { return frame >= kSceneFrames; }

  // Fires away from the bat now and then, as the X key would.
  void commands() {
    if (frame % kFireEvery != 0) return;
    game->player->startFire();
    game->player->stopFire();
  }

  void update() {
    commands();
    game->update(kElapsed, loop->graphics);
    ++frame;
  }

  void draw() { game->draw(loop->graphics); }

  void step() {
    update();
    draw();
  }

  Graphics& graphics() { return loop->graphics; }

 private:
  // Drawing changes nothing that an update reads, so the warm-up leaves it out and a
  // restart costs little beside the frames it interrupts.
  void warmUp() {
    while (frame < kWarmUpFrames) update();
  }

  ManualClock clock;
  std::unique_ptr<Game> game;
  std::unique_ptr<EventLoop> loop;
  int frame = 0;
};

World& world() {
  static World the_world;
  return the_world;
}

void restartIfOver(benchmark::State& state, World& scene) {
  if (!scene.sceneOver()) return;
  state.PauseTiming();
  scene.restart();
  state.ResumeTiming();
}

void BM_Frame(benchmark::State& state) {
  World& scene = world();
  scene.restart();
  unsigned long frame_allocations = 0;
  for (auto _ : state) {
    restartIfOver(state, scene);
    const unsigned long before = allocationCount();
    scene.step();
    frame_allocations += allocationCount() - before;
  }
  state.counters["allocs/frame"] = benchmark::Counter(
      static_cast<double>(frame_allocations), benchmark::Counter::kAvgIterations);
}

void BM_Update(benchmark::State& state) {
  World& scene = world();
  scene.restart();
  for (auto _ : state) {
    restartIfOver(state, scene);
    scene.update();
  }
}

// The copies of one steady-state frame, with the number of blits most frames have.
std::vector<BlitRecord> recordTypicalFrame() {
  World& scene = world();
  scene.restart();
  std::vector<std::vector<BlitRecord>> frames;
  while (!scene.sceneOver()) {
    BlitRecorder recorder(scene.graphics());
    scene.step();
    frames.push_back(std::move(recorder.blits));
  }
  std::vector<std::vector<BlitRecord>> by_size = frames;
  std::sort(by_size.begin(), by_size.end(),
            [](const auto& a, const auto& b) { return a.size() < b.size(); });
  return by_size[by_size.size() / 2];
}

// The floor: what SDL spends drawing the same picture with no game code around it.
void BM_BareFrame(benchmark::State& state) {
  static const std::vector<BlitRecord> copies = recordTypicalFrame();
  SDL_Renderer* renderer = world().graphics().renderer;
  for (auto _ : state) {
    SDL_RenderClear(renderer);
    for (const BlitRecord& copy : copies) {
      SDL_RenderCopy(renderer, copy.texture, copy.hasSource ? &copy.source : nullptr,
                     &copy.destination);
    }
    SDL_RenderPresent(renderer);
  }
  state.counters["blits"] = static_cast<double>(copies.size());
}

BENCHMARK(BM_Frame)->Name("Frame")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareFrame)->Name("BareFrame")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Update)->Name("Update")->Unit(benchmark::kMicrosecond);

// Shows what the console reporter shows and keeps each benchmark's median real time:
// the median aggregate where repetitions were asked for, the single run otherwise.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[name] = run.GetAdjustedRealTime();
      } else if (run.run_type == Run::RT_Iteration && medians.count(name) == 0) {
        medians[name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  double median(const std::string& name) const {
    const auto found = medians.find(name);
    return found == medians.end() ? 0.0 : found->second;
  }

  std::map<std::string, double> medians;
};

// Counted apart from the timed runs, over whole scenes: the timed loop's own pauses
// and restarts allocate too.
void reportAllocations() {
  World& scene = world();
  scene.restart();
  unsigned long total = 0;
  unsigned long fewest = ~0ul;
  unsigned long most = 0;
  int frames = 0;
  while (!scene.sceneOver()) {
    const unsigned long before = allocationCount();
    scene.step();
    const unsigned long count = allocationCount() - before;
    total += count;
    fewest = std::min(fewest, count);
    most = std::max(most, count);
    ++frames;
  }
  std::printf("Heap allocations per steady-state frame: %.2f on average (fewest %lu, most %lu,"
              " over %d frames)\n",
              static_cast<double>(total) / frames, fewest, most, frames);
}

}  // namespace

// Without flags of its own it takes fifteen short repetitions, interleaved so that a
// change in the machine's load falls on every benchmark alike, and shows their
// aggregates; any flag given overrides these.
int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // The game finds its sheets at ../content, so run from a folder beside it.
  if (chdir(VANTOREL_SOURCE_DIR "/tests") != 0) return EXIT_FAILURE;

  std::string repetitions = "--benchmark_repetitions=15";
  std::string min_time = "--benchmark_min_time=0.2";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  std::string interleaving = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args{argv[0], repetitions.data(), min_time.data(), aggregates.data(),
                          interleaving.data()};
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int arg_count = static_cast<int>(args.size());
  benchmark::Initialize(&arg_count, args.data());
  if (benchmark::ReportUnrecognizedArguments(arg_count, args.data())) return EXIT_FAILURE;

  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double frame = reporter.median("Frame");
  const double bare = reporter.median("BareFrame");
  if (frame > 0.0 && bare > 0.0) {
    std::printf("Frame / BareFrame (median real time): %.3f\n", frame / bare);
  }
  reportAllocations();
  return EXIT_SUCCESS;
}
