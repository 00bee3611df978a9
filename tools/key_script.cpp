#include "key_script.h"

const KeyScript& ontoTheBlock() {
  static const KeyScript script = {{2, SDL_SCANCODE_Z, true},
                                   {2, SDL_SCANCODE_LEFT, true},
                                   {14, SDL_SCANCODE_LEFT, false},
                                   {60, SDL_SCANCODE_Z, false}};
  return script;
}

const KeyScript& hopAndShootTheBat() {
  static const KeyScript script = followedBy(ontoTheBlock(), {{110, SDL_SCANCODE_Z, true},
                                                              {111, SDL_SCANCODE_Z, false},
                                                              {130, SDL_SCANCODE_X, true},
                                                              {131, SDL_SCANCODE_X, false}});
  return script;
}

KeyScript followedBy(const KeyScript& opening, std::initializer_list<KeyChange> more) {
  KeyScript script = opening;
  script.insert(script.end(), more);
  return script;
}

void pushKey(SDL_Scancode key, bool down, bool repeat) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

void pushKeysFor(const KeyScript& script, int frame) {
  for (const KeyChange& change : script) {
    if (change.frame == frame) pushKey(change.key, change.down);
  }
}
