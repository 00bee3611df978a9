// vantorel-replay on a real X server, an Xvfb of the test's own: recording a game that
// is then killed, playing a recording in a window and ending it with Escape.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "game.h"
#include "pickup.h"
#include "play_capture.h"
#include "recording_format.h"
#include "session_replay.h"
#include "test_support.h"
#include "x_server.h"

namespace {

using std::chrono::milliseconds;

ReplayResult verify(const std::string& path) { return replaySession(path, ReplayOptions()); }

long fileSize(const std::string& path) { return static_cast<long>(readFile(path).size()); }

// The key events a recording holds, over all its frames.
int recordedKeys(const std::string& path) {
  RecordingReader reader;
  if (!reader.open(path)) return -1;
  int keys = 0;
  RecordedFrame frame;
  while (reader.next(frame) == RecordingReader::FRAME) keys += static_cast<int>(frame.keys.size());
  return keys;
}

// The cells where two pickups lie on each other: those draw in the order of their
// addresses, which differ between two runs of the same session.
std::vector<SDL_Rect> overlappingPickups(const Game& game) {
  std::vector<SDL_Rect> cells;
  for (const auto& pickup : game.pickups.pickups) {
    const Rectangle box = pickup->collisionRectangle();
    cells.push_back({gameToPixel(box.left + box.width / 2) - 8,
                     gameToPixel(box.top + box.height / 2) - 8, 16, 16});
  }
  std::vector<SDL_Rect> overlapping;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    for (std::size_t j = 0; j < cells.size(); ++j) {
      if (i != j && SDL_HasIntersection(&cells[i], &cells[j])) {
        overlapping.push_back(cells[i]);
        break;
      }
    }
  }
  return overlapping;
}

const char kPlayed[] = "replays/moving-picture.vrec";
// The bat bobs beside the ledge and two crystals lie apart: four seconds in.
const int kShownFrame = 250;

}  // namespace

// However the recording game ends, its file replays to where it stopped.
TEST(ReplayOnAnXServer, AnEndedOrKilledRecordingReplaysToWhereItStopped) {
  const XServer x;
  ASSERT_FALSE(x.display.empty()) << "Xvfb did not start; ./check installs it (package xvfb)";
  struct Case {
    const char* how;
    int signal;  // 0: Escape on the keyboard
    int status;  // the exit status, or -1 for a process killed outright
    const char* line;
  };
  const std::vector<Case> cases = {
      {"Escape", 0, 0, " frames, every checkpoint matches"},
      {"SIGINT", SIGINT, 130, " frames, every checkpoint matches (stopped by SIGINT)"},
      {"SIGTERM", SIGTERM, 143, " frames, every checkpoint matches (stopped by SIGTERM)"},
      {"SIGHUP", SIGHUP, 129, " frames, every checkpoint matches (stopped by SIGHUP)"},
      {"SIGKILL", SIGKILL, -1,
       " with no end record, as a killed or crashed game leaves it; every checkpoint up to it "
       "matches"},
  };
  for (const Case& c : cases) {
    TempFile file("vantorel-recorded");
    Process game({VANTOREL_REPLAY_BINARY, "record", file.path},
                 environmentWith({{"DISPLAY", x.display}}));
    const std::string window = waitForWindow(x);
    ASSERT_FALSE(window.empty()) << c.how << ": no window\n" << game.err();
    // The real keyboard, as the X server delivers it to the focused window.
    x.client({"xdotool", "windowfocus", "--sync", window}, milliseconds(5000));
    x.client({"xdotool", "keydown", "Left", "sleep", "0.3", "keyup", "Left", "key", "x"},
             milliseconds(5000));
    // A second of frames, flushed as they go.
    const long header = fileSize(file.path);
    std::this_thread::sleep_for(milliseconds(1000));
    EXPECT_GT(fileSize(file.path), header + 500) << c.how << ": nothing written while it ran";
    if (c.signal == 0)
      x.client({"xdotool", "key", "Escape"}, milliseconds(5000));
    else
      kill(game.pid, c.signal);
    const Exit exit = timeExit(game, milliseconds(5000));
    ASSERT_TRUE(exit.status) << c.how << ": still running 5 s after it";
    if (c.status >= 0) {
      EXPECT_TRUE(WIFEXITED(*exit.status) && WEXITSTATUS(*exit.status) == c.status)
          << c.how << ": " << describe(exit.status) << "\n" << game.err();
    } else {
      EXPECT_TRUE(WIFSIGNALED(*exit.status)) << c.how << ": " << describe(exit.status);
    }
    EXPECT_GE(recordedKeys(file.path), 3) << c.how << ": the keys were not recorded";
    const ReplayResult result = verify(file.path);
    EXPECT_EQ(result.status, 0) << c.how << ": " << result.line;
    EXPECT_NE(result.line.find(c.line), std::string::npos) << c.how << ": " << result.line;
    std::printf("%s after a second: %s\n", c.how, result.line.c_str());
  }
}

TEST(ReplayOnAnXServer, PlayShowsTheRecordedPicturesAndTheKeyboardOnlyEndsIt) {
  const XServer x;
  ASSERT_FALSE(x.display.empty()) << "Xvfb did not start; ./check installs it (package xvfb)";
  TempFile shown("vantorel-shown");
  // The window's picture at the chosen frame, from a play at the recorded pace.
  const SteadyClock::time_point started = SteadyClock::now();
  const ChildResult child = runInChild([&x, &shown]() {
    setenv("DISPLAY", x.display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    // The software renderer keeps the window's pixels to be read back.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    ReplayOptions options;
    options.paced = true;
    options.afterFrame = [&shown](int frame, const Game&, Graphics& graphics) {
      if (frame != kShownFrame) return;
      const std::vector<std::uint32_t> picture = logicalPicture(graphics);
      std::FILE* file = std::fopen(shown.path.c_str(), "wb");
      std::fwrite(picture.data(), sizeof picture[0], picture.size(), file);
      std::fclose(file);
      std::fflush(stdout);
      _exit(0);
    };
    replaySession(kPlayed, options);
    return 1;
  });
  ASSERT_EQ(child.exitCode, 0) << child.err;
  // At the recorded pace: 250 frames of 16 ms take four seconds.
  EXPECT_GE(SteadyClock::now() - started, milliseconds(kShownFrame * 16));
  const std::string window_bytes = readFile(shown.path);
  std::vector<std::uint32_t> window(window_bytes.size() / 4);
  std::memcpy(window.data(), window_bytes.data(), window.size() * 4);

  std::vector<std::uint32_t> verified;
  std::vector<SDL_Rect> masked;
  ReplayOptions options;
  options.afterFrame = [&verified, &masked](int frame, const Game& game, Graphics& graphics) {
    if (frame != kShownFrame) return;
    verified = logicalPicture(graphics);
    masked = overlappingPickups(game);
  };
  ASSERT_EQ(replaySession(kPlayed, options).status, 0);
  ASSERT_EQ(window.size(), verified.size());
  int differing = 0;
  int compared = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x_pixel = 0; x_pixel < 320; ++x_pixel) {
      const SDL_Point point{x_pixel, y};
      bool skip = false;
      for (const SDL_Rect& cell : masked) skip = skip || SDL_PointInRect(&point, &cell);
      if (skip) continue;
      ++compared;
      if (window[y * 320 + x_pixel] != verified[y * 320 + x_pixel]) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "of " << compared << " pixels compared at frame " << kShownFrame;
  EXPECT_GT(compared, 320 * 240 * 9 / 10);

  // The keyboard does nothing in play but Escape: a push left changes nothing the
  // checkpoints see, and Escape ends the play, long before its end, with status 0.
  Process play({VANTOREL_REPLAY_BINARY, "play", "replays/long-random-session.vrec"},
               environmentWith({{"DISPLAY", x.display}}));
  const std::string window_id = waitForWindow(x);
  ASSERT_FALSE(window_id.empty()) << play.err();
  x.client({"xdotool", "windowfocus", "--sync", window_id}, milliseconds(5000));
  std::this_thread::sleep_for(milliseconds(500));
  x.client({"xdotool", "keydown", "Left", "sleep", "0.5", "keyup", "Left"}, milliseconds(5000));
  x.client({"xdotool", "key", "Escape"}, milliseconds(5000));
  const Exit exit = timeExit(play, milliseconds(5000));
  ASSERT_TRUE(exit.status) << "still playing 5 s after Escape";
  EXPECT_TRUE(WIFEXITED(*exit.status) && WEXITSTATUS(*exit.status) == 0)
      << describe(exit.status) << "\n" << play.err();
  const std::string out = play.out();
  EXPECT_NE(out.find("replays/long-random-session.vrec: stopped by Escape at frame "),
            std::string::npos)
      << out << play.err();
  EXPECT_NE(out.find(", every checkpoint up to it matches"), std::string::npos) << out;
}
