#pragma once

#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>

#include "damage_texts.h"
#include "particle_system.h"
#include "pickups.h"
#include "units.h"

class CaveBat;
class Graphics;
class Input;
class Map;
class Player;

class Game {
 public:
  static constexpr TileUnit kScreenWidth = 20;
  static constexpr TileUnit kScreenHeight = 15;
  static constexpr Millis kFrameTime = 16;
  static constexpr Millis kMaxFrameTime = 83;

  // The whole program: returns once Escape or a stop signal has ended the loop.
  Game();
  // Starts SDL but runs no loop, so a harness can drive an EventLoop frame by frame.
  struct WithoutLoop {};
  explicit Game(WithoutLoop);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void populateWorld(Graphics& graphics, ParticleTools& particleTools);
  void handleCommands(Input& input);
  void update(Millis elapsedTime, Graphics& graphics);
  void draw(Graphics& graphics);

  boost::shared_ptr<Player> player;
  boost::shared_ptr<CaveBat> bat;
  boost::scoped_ptr<Map> map;
  ParticleSystem frontParticleSystem;
  ParticleSystem entityParticleSystem;
  DamageTexts damageTexts;
  Pickups pickups;

 private:
  void eventLoop();
};
