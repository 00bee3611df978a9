#pragma once

#include <functional>
#include <string>

class Game;
class Graphics;

struct ReplayOptions {
  // play: the recorded pace, and the real keyboard does nothing but Escape.
  bool paced = false;
  // Whether each frame's draw reaches the pixels. Verify only reads the world, and the
  // rasteriser is nearly all of a frame's time; the draw code still runs every frame.
  bool pictures = true;
  // Runs after each replayed frame has been drawn, with the frame's number.
  std::function<void(int, const Game&, Graphics&)> afterFrame;
};

struct ReplayResult {
  // 0 when every checkpoint matched as far as the file goes, 1 otherwise.
  int status;
  // One line, beginning with the file's name.
  std::string line;
};

// Replays the recording in path through the real Game and EventLoop, checking the world
// after every frame. SDL must not be running; the caller picks the video driver.
ReplayResult replaySession(const std::string& path, const ReplayOptions& options);
