#include "game.h"

int main(int, char**) {
  Game game;
  return 0;
}
