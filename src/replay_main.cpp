// vantorel-replay: records a session of the game, shows one, or checks that the game
// still plays recordings as they were recorded.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "session_recorder.h"
#include "session_replay.h"
#include "stop_signals.h"

namespace {

int usage() {
  std::fputs("usage: vantorel-replay record FILE | play FILE | verify FILE...\n", stderr);
  return 2;
}

void print(const ReplayResult& result) {
  std::fflush(stdout);
  std::fprintf(result.status == 0 ? stdout : stderr, "%s\n", result.line.c_str());
  std::fflush(result.status == 0 ? stdout : stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string command = argv[1];
  if (command == "record" && argc == 3) return recordGame(argv[2]);
  if (command == "play" && argc == 3) {
    catchStopSignals();
    ReplayOptions options;
    options.paced = true;
    const ReplayResult result = replaySession(argv[2], options);
    print(result);
    return stopSignal() != 0 ? exitStatusAfterStop() : result.status;
  }
  if (command == "verify") {
    // No window, whatever the environment names.
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    ReplayOptions options;
    options.pictures = false;
    int status = 0;
    for (int i = 2; i < argc; ++i) {
      const ReplayResult result = replaySession(argv[i], options);
      print(result);
      status = std::max(status, result.status);
    }
    return status;
  }
  return usage();
}
