#include "input.h"

void Input::beginNewFrame() {
  pressedKeys.clear();
  releasedKeys.clear();
}

// Key repeats are not filtered: each one counts as a fresh press.
void Input::keyDownEvent(const SDL_Event& event) {
  pressedKeys[event.key.keysym.scancode] = true;
  heldKeys[event.key.keysym.scancode] = true;
}

void Input::keyUpEvent(const SDL_Event& event) {
  releasedKeys[event.key.keysym.scancode] = true;
  heldKeys[event.key.keysym.scancode] = false;
}
