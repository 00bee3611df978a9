#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class Game;
class GifAnimation;
class Graphics;

// The moving picture plays showTheGameOff() for eight seconds of 16 ms frames.
constexpr int kPlayFrames = 500;
// Every second frame goes into the picture, shown for two frames' time.
constexpr int kPlayFrameStep = 2;

// The presented picture in logical pixels, 320x240, as 0xRRGGBB.
std::vector<std::uint32_t> logicalPicture(Graphics& graphics);

// The run as a looping animation of every kPlayFrameStep-th frame, scaled 2x. also, when
// given, sees every frame of the run once it has been drawn.
GifAnimation capturePlay(const std::function<void(int, const Game&, Graphics&)>& also = nullptr);
