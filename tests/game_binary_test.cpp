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
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The environment of the tests without any choice of display or video driver, plus
// the given variables.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& added) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "SDL_VIDEODRIVER" &&
        name != "XDG_RUNTIME_DIR" && added.count(name) == 0)
      result.push_back(text);
  }
  for (const auto& variable : added) result.push_back(variable.first + "=" + variable.second);
  return result;
}

std::string readFile(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "r")) {
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    std::fclose(file);
  }
  return text;
}

// A program started with its output in files of its own; killed at the end of the
// test if it is still running, so a failure leaves no X server or game behind.
class Process {
 public:
  // Standard output goes to outTo when given (a terminal, say), else to a file.
  Process(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
          const std::string& outTo = "")
      : pid(-1), outPath(outTo.empty() ? temporaryPath() : outTo), errPath(temporaryPath()) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : environment)
      envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  ~Process() {
    if (pid > 0 && !status) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    if (outPath.rfind("/tmp/", 0) == 0) unlink(outPath.c_str());
    unlink(errPath.c_str());
  }

  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // The wait status once the process has ended, looking every millisecond until the
  // deadline; empty if it is still running then.
  std::optional<int> waitUntil(Clock::time_point deadline) {
    while (!status && pid > 0) {
      int wait_status = 0;
      if (waitpid(pid, &wait_status, WNOHANG) == pid) {
        status = wait_status;
        break;
      }
      if (Clock::now() >= deadline) break;
      std::this_thread::sleep_for(milliseconds(1));
    }
    return status;
  }

  std::string out() const { return readFile(outPath); }
  std::string err() const { return readFile(errPath); }

  pid_t pid;

 private:
  static std::string temporaryPath() {
    char name[] = "/tmp/vantorel-process-XXXXXX";
    close(mkstemp(name));
    return name;
  }

  std::string outPath;
  std::string errPath;
  std::optional<int> status;
};

// An Xvfb of the test's own on the first free display, which it names once it is ready.
class XServer {
 public:
  XServer() {
    int ready[2];
    if (pipe(ready) != 0) return;
    fcntl(ready[0], F_SETFD, FD_CLOEXEC);
    server = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                 "1024x768x24", "-nolisten", "tcp"},
        environmentWith({}));
    close(ready[1]);
    pollfd wait_for{ready[0], POLLIN, 0};
    std::string number;
    char c;
    while (poll(&wait_for, 1, 20000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (!number.empty()) display = ":" + number;
  }

  // Runs an X client to its end, or for at most the time given.
  std::string client(const std::vector<std::string>& arguments, milliseconds limit) const {
    Process process(arguments, environmentWith({{"DISPLAY", display}}));
    process.waitUntil(Clock::now() + limit);
    return process.out();
  }

  std::unique_ptr<Process> server;
  std::string display;
};

struct Exit {
  std::optional<int> status;
  milliseconds after;
};

// Waits for the process to end, timing it from now.
Exit timeExit(Process& process, milliseconds limit) {
  const Clock::time_point start = Clock::now();
  Exit result;
  result.status = process.waitUntil(start + limit);
  result.after = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  return result;
}

std::string describe(const std::optional<int>& status) {
  if (!status) return "still running";
  if (WIFSIGNALED(*status)) return std::string("killed by ") + strsignal(WTERMSIG(*status));
  return "exit " + std::to_string(WEXITSTATUS(*status));
}

// The game on the server, found by its title once its window is up; returns the
// window's id, or empty.
std::string waitForWindow(const XServer& x) {
  std::string id = x.client({"xdotool", "search", "--sync", "--onlyvisible", "--name",
                             "^Vantorel$"},
                            milliseconds(20000));
  return id.substr(0, id.find('\n'));
}

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
    const Clock::time_point deadline = Clock::now() + limit;
    pollfd wait_for{master, POLLIN, 0};
    char c;
    while (count > 0 && Clock::now() < deadline) {
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
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
