#include "x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

using std::chrono::milliseconds;


std::vector<std::string> environmentWith(const std::map<std::string, std::string>& added) {
  std::vector<std::string> result;
  std::string asan_options = "detect_leaks=0";
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (name == "ASAN_OPTIONS")
      asan_options = text.substr(name.size() + 1) + ":" + asan_options;
    else if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "SDL_VIDEODRIVER" &&
             name != "XDG_RUNTIME_DIR" && added.count(name) == 0)
      result.push_back(text);
  }
  result.push_back("ASAN_OPTIONS=" + asan_options);
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

namespace {

std::string temporaryPath() {
  char name[] = "/tmp/vantorel-process-XXXXXX";
  close(mkstemp(name));
  return name;
}

}  // namespace

Process::Process(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, const std::string& outTo)
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

Process::~Process() {
  if (pid > 0 && !status) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (outPath.rfind("/tmp/", 0) == 0) unlink(outPath.c_str());
  unlink(errPath.c_str());
}

std::optional<int> Process::waitUntil(SteadyClock::time_point deadline) {
  while (!status && pid > 0) {
    int wait_status = 0;
    if (waitpid(pid, &wait_status, WNOHANG) == pid) {
      status = wait_status;
      break;
    }
    if (SteadyClock::now() >= deadline) break;
    std::this_thread::sleep_for(milliseconds(1));
  }
  return status;
}

XServer::XServer() {
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

std::string XServer::client(const std::vector<std::string>& arguments, milliseconds limit) const {
  Process process(arguments, environmentWith({{"DISPLAY", display}}));
  process.waitUntil(SteadyClock::now() + limit);
  return process.out();
}

Exit timeExit(Process& process, milliseconds limit) {
  const SteadyClock::time_point start = SteadyClock::now();
  Exit result;
  result.status = process.waitUntil(start + limit);
  result.after = std::chrono::duration_cast<milliseconds>(SteadyClock::now() - start);
  return result;
}

std::string describe(const std::optional<int>& status) {
  if (!status) return "still running";
  if (WIFSIGNALED(*status)) return std::string("killed by ") + strsignal(WTERMSIG(*status));
  return "exit " + std::to_string(WEXITSTATUS(*status));
}

std::string waitForWindow(const XServer& x) {
  std::string id = x.client({"xdotool", "search", "--sync", "--onlyvisible", "--name",
                             "^Vantorel$"},
                            milliseconds(20000));
  return id.substr(0, id.find('\n'));
}

