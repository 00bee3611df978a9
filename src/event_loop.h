#pragma once

#include "graphics.h"
#include "input.h"
#include "particle_system.h"
#include "units.h"

class Clock;
class Game;

// The frame sequence around a Game. The shipped loop and the test harness both run
// it: set-up in the constructor, one frame per runFrame.
class EventLoop {
 public:
  EventLoop(Game& game, Clock& clock);

  // Runs one whole frame, Escape's included; returns whether another should follow.
  bool runFrame();
  void run();

  Game& game;
  Clock& clock;
  // Declared before the input so that it is destroyed after it.
  Graphics graphics;
  Input input;
  // Handed to the player, which keeps it for the whole run.
  ParticleTools particleTools;
  bool running;
  Millis lastUpdateTime;
};
