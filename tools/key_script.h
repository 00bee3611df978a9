#pragma once

#include <SDL.h>

#include <initializer_list>
#include <vector>

// A key going down or up just before the numbered frame, counted from 0.
struct KeyChange {
  int frame;
  SDL_Scancode key;
  bool down;
};

using KeyScript = std::vector<KeyChange>;

// Scripted play of the real room, shared by the tools that picture it and the tests that
// replay their frames. Each starts from the game's start, with rand() seeded with 1 and
// 16 ms frames. Functions, not globals, so other files' statics may build on them.
//
// A held jump with a short push left lands the player on the block left of the start
// (row 7, column 10), facing the bat across the gap.
const KeyScript& ontoTheBlock();
// From the block, a hop at the top of the bat's bob fires over the crystals, so the bat
// is hit where nothing but its number covers it: the screenshot's frame.
const KeyScript& hopAndShootTheBat();
// About eight seconds that show the game off, the moving picture's run: a look up on the
// block, a jump across onto the ledge into the bat's path, the hit with its hop, number,
// late drain and blinking, crystals collected on the way to gun level 2, a shot that kills
// the bat and leaves its clouds and drops, a tapped jump, a second shot and a last held
// jump.
const KeyScript& showTheGameOff();

// The opening, then the changes that follow it.
KeyScript followedBy(const KeyScript& opening, std::initializer_list<KeyChange> more);

void pushKey(SDL_Scancode key, bool down, bool repeat = false);

// Pushes the script's changes for frame, in the script's order.
void pushKeysFor(const KeyScript& script, int frame);
