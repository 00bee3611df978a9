// The floor for the game's start-up: SDL alone opening the same window and renderer,
// loading the same sheets the same way, and presenting one cleared frame.
#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sheet_names.h"

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return EXIT_FAILURE;
  SDL_Window* window = SDL_CreateWindow("Vantorel", SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, 640, 480, SDL_WINDOW_RESIZABLE);
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (renderer == nullptr) return EXIT_FAILURE;
  SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "nearest");
  SDL_RenderSetLogicalSize(renderer, 320, 240);
  SDL_ShowCursor(0);

  // The sheets the world's set-up loads; only the backdrop keeps its black. Sparks is
  // read with the first shot or head bump, not before the first frame.
  std::vector<SDL_Texture*> textures;
  for (const std::string sheet : kSheetNames) {
    if (sheet == "Sparks") continue;
    const std::string path = "../content/sprites/umbercrag/" + sheet + ".pbm";
    SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (surface == nullptr) return EXIT_FAILURE;
    if (sheet != "Skyfill") SDL_SetColorKey(surface, 1, SDL_MapRGB(surface->format, 0, 0, 0));
    textures.push_back(SDL_CreateTextureFromSurface(renderer, surface));
    SDL_FreeSurface(surface);
  }

  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);

  for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return EXIT_SUCCESS;
}
