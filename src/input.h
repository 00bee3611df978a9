#pragma once

#include <SDL.h>

#include <map>

// Answers, per frame, whether a key went down, went up, or is down now.
class Input {
 public:
  void beginNewFrame();
  void keyDownEvent(const SDL_Event& event);
  void keyUpEvent(const SDL_Event& event);

  bool wasKeyPressed(SDL_Scancode key) { return pressedKeys[key]; }
  bool wasKeyReleased(SDL_Scancode key) { return releasedKeys[key]; }
  bool isKeyHeld(SDL_Scancode key) { return heldKeys[key]; }

  std::map<SDL_Scancode, bool> heldKeys;
  std::map<SDL_Scancode, bool> pressedKeys;
  std::map<SDL_Scancode, bool> releasedKeys;
};
