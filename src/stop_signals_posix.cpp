#include "stop_signals.h"

#include <SDL.h>
#include <signal.h>

namespace {

// The only thing a handler may safely touch.
volatile sig_atomic_t stop_signal = 0;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onStopSignal(int signal_number) {
  if (stop_signal == 0) stop_signal = signal_number;
}

}  // namespace

void catchStopSignals() {
  // Left on, SDL turns SIGINT and SIGTERM into a quit event, which the loop drops
  // with the window's close request.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction action = {};
  action.sa_handler = onStopSignal;
  // The kernel restores the default action as it delivers the first, so a repeat
  // ends a hung teardown; the mask keeps the other two from interrupting the handler.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kStopSignals) sigaddset(&action.sa_mask, signal_number);
  for (const int signal_number : kStopSignals) sigaction(signal_number, &action, nullptr);
}

int stopSignal() { return stop_signal; }

std::string stopSignalName(int signal_number) {
  switch (signal_number) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
  }
  return "signal " + std::to_string(signal_number);
}

int exitStatusAfterStop() { return stop_signal == 0 ? 0 : 128 + stop_signal; }
