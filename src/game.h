#pragma once

#include "units.h"

class Graphics;
class Input;

class Game {
 public:
  static constexpr TileUnit kScreenWidth = 20;
  static constexpr TileUnit kScreenHeight = 15;
  static constexpr Millis kFrameTime = 16;
  static constexpr Millis kMaxFrameTime = 83;

  // The whole program: returns once Escape has ended the loop.
  Game();
  // Starts SDL but runs no loop, so a harness can drive an EventLoop frame by frame.
  struct WithoutLoop {};
  explicit Game(WithoutLoop);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void populateWorld(Graphics& graphics);
  void handleCommands(Input& input);
  void update(Millis elapsedTime, Graphics& graphics);
  void draw(Graphics& graphics);

 private:
  void eventLoop();
};
