#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using SteadyClock = std::chrono::steady_clock;

// The environment of the tests without any choice of display or video driver, plus
// the given variables. In the sanitizer build leak checking is off for the programs
// started here: with a real video driver D-Bus and the X and GL libraries keep
// allocations past exit, some from libraries already unloaded, which no suppression can
// name. The game's own leaks are checked on the dummy driver and under memcheck.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& added);

std::string readFile(const std::string& path);

// A program started with its output in files of its own; killed at the end of the
// test if it is still running, so a failure leaves no X server or game behind.
class Process {
 public:
  // Standard output goes to outTo when given (a terminal, say), else to a file.
  Process(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
          const std::string& outTo = "");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // The wait status once the process has ended, looking every millisecond until the
  // deadline; empty if it is still running then.
  std::optional<int> waitUntil(SteadyClock::time_point deadline);

  std::string out() const { return readFile(outPath); }
  std::string err() const { return readFile(errPath); }

  pid_t pid;

 private:
  std::string outPath;
  std::string errPath;
  std::optional<int> status;
};

// An Xvfb of the test's own on the first free display, which it names once it is ready.
class XServer {
 public:
  XServer();

  // Runs an X client to its end, or for at most the time given.
  std::string client(const std::vector<std::string>& arguments,
                     std::chrono::milliseconds limit) const;

  std::unique_ptr<Process> server;
  std::string display;
};

struct Exit {
  std::optional<int> status;
  std::chrono::milliseconds after;
};

// Waits for the process to end, timing it from now.
Exit timeExit(Process& process, std::chrono::milliseconds limit);

// A wait status in words: "exit 0", "killed by Terminated", "still running".
std::string describe(const std::optional<int>& status);

// The game's window on the server, found by its title once it is up; returns the
// window's id, or empty.
std::string waitForWindow(const XServer& x);
