#pragma once

#include <functional>

#include "clock.h"
#include "key_script.h"
#include "units.h"

class Game;
class Graphics;

// Time moves only when the script says so, and nothing sleeps.
struct ScriptClock : Clock {
  Millis ticks() override { return now; }
  void delay(Millis) override {}
  Millis now = 0;
};

// Plays script through the real Game and EventLoop on the dummy driver, from the game's
// start with rand() seeded with 1 and a clock that moves 16 ms a frame and never sleeps,
// for at most frames frames. after(frame, game, graphics) runs once each frame has been
// drawn and presented; returning false ends the run there.
void playScript(const KeyScript& script, int frames,
                const std::function<bool(int, const Game&, Graphics&)>& after);
