#include "game.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>

#include "clock.h"
#include "event_loop.h"
#include "failure.h"
#include "graphics.h"
#include "input.h"
#include "timer.h"

namespace {

void startVideo() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    fatalError(std::string("could not start SDL video: ") + SDL_GetError());
}

}  // namespace

Game::Game() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  startVideo();
  eventLoop();
}

Game::Game(WithoutLoop) { startVideo(); }

Game::~Game() { SDL_Quit(); }

void Game::eventLoop() {
  Clock clock;
  EventLoop loop(*this, clock);
  loop.run();
}

void Game::populateWorld(Graphics&) {}

void Game::handleCommands(Input&) {}

void Game::update(Millis elapsedTime, Graphics&) { Timer::updateAll(elapsedTime); }

void Game::draw(Graphics& graphics) {
  graphics.clear();
  graphics.flip();
}
