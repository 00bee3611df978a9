#include "game.h"
#include "stop_signals.h"

int main(int, char**) {
  { Game game; }
  return exitStatusAfterStop();
}
