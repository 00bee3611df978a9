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

// The bat's bob takes 3000 ms, so every beat is timed against it: the jump across lands in
// the bat's column as it comes down through the ledge, and the shot from the ledge's far
// end meets it rising back through the shot's height.
const KeyScript& showTheGameOff() {
  static const KeyScript script = followedBy(ontoTheBlock(), {
      {75, SDL_SCANCODE_UP, true},
      {125, SDL_SCANCODE_UP, false},
      // Across to the ledge, two crystals on the way in: level 2 just before the bat hits.
      {130, SDL_SCANCODE_LEFT, true},
      {131, SDL_SCANCODE_Z, true},
      {135, SDL_SCANCODE_Z, false},
      // Blinking, on through three more crystals, then a turn and the shot.
      {226, SDL_SCANCODE_LEFT, false},
      {240, SDL_SCANCODE_RIGHT, true},
      {241, SDL_SCANCODE_RIGHT, false},
      {268, SDL_SCANCODE_X, true},
      {269, SDL_SCANCODE_X, false},
      // Back towards the drops with a tapped jump, and a level-2 shot into the room.
      {300, SDL_SCANCODE_RIGHT, true},
      {312, SDL_SCANCODE_Z, true},
      {313, SDL_SCANCODE_Z, false},
      {330, SDL_SCANCODE_RIGHT, false},
      {350, SDL_SCANCODE_X, true},
      {351, SDL_SCANCODE_X, false},
      // A last held jump back along the ledge as the crystals blink out.
      {400, SDL_SCANCODE_LEFT, true},
      {401, SDL_SCANCODE_Z, true},
      {430, SDL_SCANCODE_LEFT, false},
      {440, SDL_SCANCODE_Z, false}});
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
