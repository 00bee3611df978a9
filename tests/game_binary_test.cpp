// The shipped binary as a person starts it: on a real X server (an Xvfb of the test's
// own, so nobody needs a display to run the tests) and with no display at all.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "x_server.h"

namespace {

using std::chrono::milliseconds;

// A terminal for a program's standard output, so that it writes line by line as it
// would to a person's.
class Terminal {
 public:
  Terminal() : master(posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) name = ptsname(master);
  }
  ~Terminal() {
    if (master >= 0) close(master);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // Reads until count lines have come, or for at most the time given; false if they
  // did not.
  bool waitForLines(int count, milliseconds limit) {
    const SteadyClock::time_point deadline = SteadyClock::now() + limit;
    pollfd wait_for{master, POLLIN, 0};
    char c;
    while (count > 0 && SteadyClock::now() < deadline) {
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - SteadyClock::now());
      if (poll(&wait_for, 1, static_cast<int>(left.count()) + 1) != 1 ||
          read(master, &c, 1) != 1)
        return false;
      if (c == '\n') --count;
    }
    return count == 0;
  }

  int master;
  std::string name;
};

}  // namespace

TEST(GameBinary, StopSignalsEndItOnAnXServerWithTheShellsStatus) {
  const XServer x;
  ASSERT_FALSE(x.display.empty()) << "Xvfb did not start; ./check installs it (package xvfb)";
  struct Case { int signal; int status; };
  for (const Case& c : std::vector<Case>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    const std::string name = strsignal(c.signal);
    Terminal terminal;
    ASSERT_FALSE(terminal.name.empty());
    Process game({VANTOREL_GAME_BINARY}, environmentWith({{"DISPLAY", x.display}}),
                 terminal.name);
    const std::string window = waitForWindow(x);
    ASSERT_FALSE(window.empty()) << name << ": no window titled Vantorel\n" << game.err();
    // The window is up before its renderer and sheets; with the eighth sheet loaded the
    // world is set and the loop about to run, so the time below is the signal's alone.
    ASSERT_TRUE(terminal.waitForLines(8, milliseconds(20000))) << name << "\n" << game.err();
    EXPECT_NE(x.client({"xdotool", "getwindowgeometry", window}, milliseconds(10000))
                  .find("Geometry: 640x480"),
              std::string::npos)
        << name;
    kill(game.pid, c.signal);
    const Exit exit = timeExit(game, milliseconds(5000));
    ASSERT_TRUE(exit.status) << name << ": still running 5 s after the signal";
    EXPECT_TRUE(WIFEXITED(*exit.status) && WEXITSTATUS(*exit.status) == c.status)
        << name << ": " << describe(exit.status) << "\n" << game.err();
    EXPECT_LT(exit.after, milliseconds(1000)) << name;
    EXPECT_EQ(game.err(), "") << name;
    std::printf("%s: exit %d after %lld ms\n", name.c_str(), WEXITSTATUS(*exit.status),
                static_cast<long long>(exit.after.count()));
  }
}

TEST(GameBinary, WithNoDisplayItSaysSoOnOneLineAndFails) {
  struct Case { std::map<std::string, std::string> environment; const char* why; };
  for (const Case& c : std::vector<Case>{
           {{}, "(DISPLAY and WAYLAND_DISPLAY are unset)"},
           {{{"SDL_VIDEODRIVER", ""}}, "(DISPLAY and WAYLAND_DISPLAY are unset)"},
           {{{"DISPLAY", ":9999"}}, "(could not reach DISPLAY=:9999)"},
       }) {
    // Nothing to find where SDL looks for a Wayland socket when none is named.
    char runtime[] = "/tmp/vantorel-runtime-XXXXXX";
    ASSERT_NE(mkdtemp(runtime), nullptr);
    std::map<std::string, std::string> environment = c.environment;
    environment["XDG_RUNTIME_DIR"] = runtime;
    Process game({VANTOREL_GAME_BINARY}, environmentWith(environment));
    const Exit exit = timeExit(game, milliseconds(2000));
    rmdir(runtime);
    ASSERT_TRUE(exit.status) << c.why << ": still running after 2 s";
    EXPECT_TRUE(WIFEXITED(*exit.status) && WEXITSTATUS(*exit.status) == 1)
        << c.why << ": " << describe(exit.status);
    const std::string err = game.err();
    EXPECT_EQ(err, std::string("Vantorel: no display to open a window on ") + c.why +
                       "; SDL_VIDEODRIVER=dummy runs headless\n");
    // It stopped before the window, so before any sheet.
    EXPECT_EQ(game.out(), "") << c.why;
    std::printf("%s: %s after %lld ms\n", c.why, describe(exit.status).c_str(),
                static_cast<long long>(exit.after.count()));
  }
}
