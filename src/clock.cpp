#include "clock.h"

#include <SDL.h>

Millis Clock::ticks() { return SDL_GetTicks(); }

void Clock::delay(Millis duration) { SDL_Delay(duration); }
