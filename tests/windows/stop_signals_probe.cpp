// The stop signals on Windows, for tests/windows/windows_test.sh to run under wine: a
// console program that plays the real game on SDL's dummy driver and, once the loop is
// going, sends its own console the event named by its one argument. Its exit status is
// the game's. Run it from a folder beside content/.
#include <SDL.h>
#include <signal.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game.h"
#include "stop_signals.h"

namespace {

// The loop is running well before this: set-up takes a few frames.
constexpr Uint32 kSendAfter = 300;

Uint32 sendCtrlC(Uint32, void*) {
  GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
  return 0;
}

Uint32 sendCtrlBreak(Uint32, void*) {
  GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
  return 0;
}

Uint32 raiseSigterm(Uint32, void*) {
  raise(SIGTERM);
  return 0;
}

int playUntil(SDL_TimerCallback send) {
  SDL_AddTimer(kSendAfter, send, nullptr);
  { Game game; }
  return exitStatusAfterStop();
}

// A second of the same kind ends the process at once, whatever the game is doing.
int repeat(DWORD event) {
  catchStopSignals();
  GenerateConsoleCtrlEvent(event, 0);
  // Windows hands console events to a thread of their own.
  for (int waited = 0; stopSignal() == 0; waited += 10) {
    if (waited > 5000) return 2;
    Sleep(10);
  }
  GenerateConsoleCtrlEvent(event, 0);
  Sleep(5000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  _putenv("SDL_VIDEODRIVER=dummy");
  const char* what = argc == 2 ? argv[1] : "";
  if (std::strcmp(what, "ctrl-c") == 0) return playUntil(sendCtrlC);
  if (std::strcmp(what, "ctrl-break") == 0) return playUntil(sendCtrlBreak);
  if (std::strcmp(what, "sigterm") == 0) return playUntil(raiseSigterm);
  if (std::strcmp(what, "repeat-ctrl-c") == 0) return repeat(CTRL_C_EVENT);
  if (std::strcmp(what, "repeat-ctrl-break") == 0) return repeat(CTRL_BREAK_EVENT);
  std::fprintf(stderr, "usage: %s ctrl-c|ctrl-break|sigterm|repeat-ctrl-c|repeat-ctrl-break\n",
               argv[0]);
  return 64;
}
