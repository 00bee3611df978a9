#include "stop_signals.h"

#include <SDL.h>
#include <signal.h>
#include <windows.h>

#include <atomic>

namespace {

// Set from the runtime's signal handlers and from console handlers, which Windows runs
// on threads of their own: a lock-free atomic is safe from both.
std::atomic<int> stop_signal{0};

// Windows has no SIGHUP; a closed console is its closed terminal, and keeps the number
// so that the exit status reads as it does on the desktop.
constexpr int kClosedConsole = 1;

// Generous against a frame of 16 ms; Windows ends a process it asked to close after
// about five seconds anyway.
constexpr DWORD kCloseGrace = 5000;

void stopWith(int signal_number) {
  int none = 0;
  stop_signal.compare_exchange_strong(none, signal_number);
}

// Microsoft's runtime puts the default action back before it calls a handler, wine's
// does not: put it back here too, so a second Ctrl-C ends a hung teardown at once.
void onStopSignal(int signal_number) {
  signal(signal_number, SIG_DFL);
  stopWith(signal_number);
}

BOOL WINAPI onConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_BREAK_EVENT:
      // Another interrupt key: the first stops the game as Ctrl-C does, a repeat goes
      // on to Windows' own handler, which ends the process at once.
      if (stop_signal.load() != 0) return FALSE;
      stopWith(SIGINT);
      return TRUE;
    case CTRL_CLOSE_EVENT:
      // Windows ends the process as soon as this returns, so wait here: the loop ends
      // its frame and main returns with the status first.
      stopWith(kClosedConsole);
      Sleep(kCloseGrace);
      return TRUE;
    default:
      // Ctrl-C goes on to the runtime, which raises SIGINT.
      return FALSE;
  }
}

}  // namespace

void catchStopSignals() {
  // Left on, SDL turns SIGINT and SIGTERM into a quit event, which the loop drops
  // with the window's close request.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  signal(SIGINT, onStopSignal);
  signal(SIGTERM, onStopSignal);
  // Added after the runtime's own console handler, so asked first.
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int stopSignal() { return stop_signal.load(); }

std::string stopSignalName(int signal_number) {
  switch (signal_number) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case kClosedConsole: return "a closed console";
  }
  return "signal " + std::to_string(signal_number);
}

int exitStatusAfterStop() {
  const int signal_number = stop_signal.load();
  return signal_number == 0 ? 0 : 128 + signal_number;
}
