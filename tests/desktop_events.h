#pragma once

#include <SDL.h>

#include <random>

// Pushes one event of a kind a desktop delivers besides keys, picked at random: mouse,
// wheel, window, text, drops (their strings allocated as SDL allocates them), quit,
// devices and user events.
void pushDesktopEvent(std::mt19937& random, Uint32 windowId);
