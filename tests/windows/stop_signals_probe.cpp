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

// Status 3: the event could not be sent at all (wine sends only Ctrl-C).
constexpr int kCannotSend = 3;

void send(DWORD event) {
  if (GenerateConsoleCtrlEvent(event, 0)) return;
  std::fprintf(stderr, "GenerateConsoleCtrlEvent(%lu) failed with error %lu\n", event,
               GetLastError());
  std::fflush(stderr);
  std::_Exit(kCannotSend);
}

Uint32 sendCtrlC(Uint32, void*) {
  send(CTRL_C_EVENT);
  return 0;
}

Uint32 sendCtrlBreak(Uint32, void*) {
  send(CTRL_BREAK_EVENT);
  return 0;
}

Uint32 raiseSigterm(Uint32, void*) {
  raise(SIGTERM);
  return 0;
}

int playUntil(SDL_TimerCallback send) {
  if (send != nullptr) SDL_AddTimer(kSendAfter, send, nullptr);
  { Game game; }
  return exitStatusAfterStop();
}

// A second of the same kind ends the process at once, whatever the game is doing; if
// it does not, the probe ends 5 s on with status 4.
int repeat(DWORD event) {
  catchStopSignals();
  send(event);
  // Windows hands console events to a thread of their own.
  for (int waited = 0; stopSignal() == 0; waited += 10) {
    if (waited > 5000) return 2;
    Sleep(10);
  }
  send(event);
  Sleep(5000);
  return 4;
}

}  // namespace

int main(int argc, char** argv) {
  _putenv("SDL_VIDEODRIVER=dummy");
  const char* what = argc == 2 ? argv[1] : "";
  // Until something outside stops it: wine turns a SIGINT to its process into Ctrl-C.
  if (std::strcmp(what, "play") == 0) return playUntil(nullptr);
  if (std::strcmp(what, "ctrl-c") == 0) return playUntil(sendCtrlC);
  if (std::strcmp(what, "ctrl-break") == 0) return playUntil(sendCtrlBreak);
  if (std::strcmp(what, "sigterm") == 0) return playUntil(raiseSigterm);
  if (std::strcmp(what, "repeat-ctrl-c") == 0) return repeat(CTRL_C_EVENT);
  if (std::strcmp(what, "repeat-ctrl-break") == 0) return repeat(CTRL_BREAK_EVENT);
  std::fprintf(stderr, "usage: %s play|ctrl-c|ctrl-break|sigterm|repeat-ctrl-c|repeat-ctrl-break\n",
               argv[0]);
  return 64;
}
