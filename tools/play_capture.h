#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

class Game;
class GifAnimation;
class Graphics;

// A key going down or up just before the numbered frame, counted from 0.
struct KeyChange {
  int frame;
  SDL_Scancode key;
  bool down;
};

// About eight seconds of real play that show the game off: a held jump onto the block
// by the chain, a look up, a jump across onto the ledge into the bat's path, the hit
// with its hop, number, late drain and blinking, crystals collected on the way to gun
// level 2, a shot that kills the bat and leaves its clouds and drops, a tapped jump, a
// second shot and a last held jump.
extern const std::vector<KeyChange> kPlayScript;

constexpr int kPlayFrames = 500;
// Every second frame goes into the picture, shown for two frames' time.
constexpr int kPlayFrameStep = 2;
constexpr unsigned kPlaySeed = 1;

// Plays kPlayScript through the real Game and EventLoop with a clock that moves 16 ms a
// frame and never sleeps, rand() seeded with kPlaySeed. after(frame, game, graphics)
// runs once each frame has been drawn and presented.
void playScript(const std::function<void(int, const Game&, Graphics&)>& after);

// The presented picture in logical pixels, 320x240, as 0xRRGGBB.
std::vector<std::uint32_t> logicalPicture(Graphics& graphics);

// The run as a looping animation of every kPlayFrameStep-th frame, scaled 2x. also, when
// given, sees every frame as after does in playScript.
GifAnimation capturePlay(const std::function<void(int, const Game&, Graphics&)>& also = nullptr);
