#include "game.h"

#include <SDL.h>
#include <boost/make_shared.hpp>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cave_bat.h"
#include "clock.h"
#include "death_cloud_particle.h"
#include "energy_crystal_pickup.h"
#include "event_loop.h"
#include "failure.h"
#include "flashing_pickup.h"
#include "graphics.h"
#include "input.h"
#include "map.h"
#include "player.h"
#include "projectile.h"
#include "stop_signals.h"
#include "timer.h"

namespace {

// Says why SDL found no display: nothing to look for, or nothing where it looked.
std::string missingDisplay() {
  std::string tried;
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = SDL_getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    tried += (tried.empty() ? "could not reach " : " or ") + std::string(variable) + "=" + value;
  }
  return tried.empty() ? "DISPLAY and WAYLAND_DISPLAY are unset" : tried;
}

void startVideo() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    fatalError(std::string("could not start SDL video: ") + SDL_GetError());
  // With no display SDL settles on a driver that shows nothing, and the game would run
  // unseen for ever. Naming a driver (SDL_VIDEODRIVER=dummy for tests) is a choice.
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (asked != nullptr && *asked != '\0') return;
  const std::string driver = SDL_GetCurrentVideoDriver();
  if (driver == "offscreen" || driver == "dummy") {
    SDL_Quit();
    fatalError("no display to open a window on (" + missingDisplay() +
               "); SDL_VIDEODRIVER=dummy runs headless");
  }
}

constexpr int kStartCrystals = 8;
constexpr int kDeathClouds = 3;

}  // namespace

Game::Game() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  catchStopSignals();
  startVideo();
  eventLoop();
}

Game::Game(WithoutLoop) { startVideo(); }

// SDL goes first; the world's objects hold no SDL resources of their own.
Game::~Game() { SDL_Quit(); }

void Game::eventLoop() {
  Clock clock;
  EventLoop loop(*this, clock);
  loop.run();
}

void Game::populateWorld(Graphics& graphics, ParticleTools& particleTools) {
  player = boost::make_shared<Player>(graphics, particleTools, tileToGame(kScreenWidth / 2),
                                      tileToGame(kScreenHeight / 2));
  damageTexts.addDamageable(player);
  bat = boost::make_shared<CaveBat>(graphics, tileToGame(kScreenWidth / 3),
                                    tileToGame(kScreenHeight / 2));
  damageTexts.addDamageable(bat);
  map.reset(Map::createTestMap(graphics));
  for (int i = 0; i < kStartCrystals; ++i) {
    pickups.add(boost::make_shared<EnergyCrystalPickup>(graphics, bat->centerX(), bat->centerY(),
                                                        EnergyCrystalPickup::MEDIUM));
  }
}

void Game::handleCommands(Input& input) {
  GAME_ASSERT(player);
  const bool left = input.isKeyHeld(SDL_SCANCODE_LEFT);
  const bool right = input.isKeyHeld(SDL_SCANCODE_RIGHT);
  if (left && right)
    player->stopMoving();
  else if (left)
    player->startMovingLeft();
  else if (right)
    player->startMovingRight();
  else
    player->stopMoving();

  const bool up = input.isKeyHeld(SDL_SCANCODE_UP);
  const bool down = input.isKeyHeld(SDL_SCANCODE_DOWN);
  if (up && down)
    player->lookHorizontal();
  else if (up)
    player->lookUp();
  else if (down)
    player->lookDown();
  else
    player->lookHorizontal();

  // A tap within one frame counts as a press only.
  if (input.wasKeyPressed(SDL_SCANCODE_X))
    player->startFire();
  else if (input.wasKeyReleased(SDL_SCANCODE_X))
    player->stopFire();

  if (input.wasKeyPressed(SDL_SCANCODE_Z))
    player->startJump();
  else if (input.wasKeyReleased(SDL_SCANCODE_Z))
    player->stopJump();
}

void Game::update(Millis elapsedTime, Graphics& graphics) {
  GAME_ASSERT(player);
  GAME_ASSERT(map);
  Timer::updateAll(elapsedTime);
  damageTexts.update(elapsedTime);
  pickups.update(elapsedTime, *map);
  frontParticleSystem.update(elapsedTime);
  entityParticleSystem.update(elapsedTime);
  player->update(elapsedTime, *map);

  if (bat && !bat->update(elapsedTime, player->centerX())) {
    ParticleTools particle_tools{frontParticleSystem, entityParticleSystem, graphics};
    pickups.add(boost::make_shared<EnergyCrystalPickup>(graphics, bat->centerX(), bat->centerY(),
                                                        EnergyCrystalPickup::SMALL));
    DeathCloudParticle::createRandomDeathClouds(particle_tools, bat->centerX(), bat->centerY(),
                                                kDeathClouds);
    pickups.add(FlashingPickup::heartPickup(graphics, bat->centerX(), bat->centerY()));
    bat.reset();
  }

  // Every listed projectile stays alive until the update ends.
  const std::vector<boost::shared_ptr<Projectile>> projectiles = player->getProjectiles();
  for (size_t i = 0; bat && i < projectiles.size(); ++i) {
    if (bat->damageRectangle().collidesWith(projectiles[i]->collisionRectangle())) {
      projectiles[i]->collideWithEnemy();
      bat->takeDamage(projectiles[i]->contactDamage());
    }
  }

  pickups.handleCollisions(*player);

  // A bat hit this frame still touches; it goes in the next frame's update.
  if (bat && bat->contactRectangle().collidesWith(player->damageRectangle()))
    player->takeDamage(bat->contactDamage());
}

void Game::draw(Graphics& graphics) {
  GAME_ASSERT(player);
  GAME_ASSERT(map);
  graphics.clear();
  map->drawBackground(graphics);
  if (bat) bat->draw(graphics);
  entityParticleSystem.draw(graphics);
  pickups.draw(graphics);
  player->draw(graphics);
  map->draw(graphics);
  frontParticleSystem.draw(graphics);
  damageTexts.draw(graphics);
  player->drawHUD(graphics);
  graphics.flip();
}
