// The floor for the game's start-up: SDL alone opening the same window and renderer,
// loading the same sheets the same way, and presenting one cleared frame.
#include <SDL.h>

#include <cstdlib>

namespace {

struct Sheet {
  const char* path;
  bool blackIsTransparent;
};

// The sheets the world's set-up loads, in its order; only the backdrop keeps its
// black. Sparks, the ninth, is read with the first shot or head bump, not before the
// first frame.
constexpr Sheet kSheets[] = {
    {"../content/sprites/umbercrag/Panels.pbm", true},
    {"../content/sprites/umbercrag/Shotsheet.pbm", true},
    {"../content/sprites/umbercrag/Armory.pbm", true},
    {"../content/sprites/umbercrag/Pilgrim.pbm", true},
    {"../content/sprites/umbercrag/Gravefolk.pbm", true},
    {"../content/sprites/umbercrag/Skyfill.pbm", false},
    {"../content/sprites/umbercrag/Rockset.pbm", true},
    {"../content/sprites/umbercrag/Glyphs.pbm", true},
};

}  // namespace

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

  SDL_Texture* textures[sizeof kSheets / sizeof kSheets[0]];
  for (size_t i = 0; i < sizeof kSheets / sizeof kSheets[0]; ++i) {
    SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(kSheets[i].path, "rb"), 1);
    if (surface == nullptr) return EXIT_FAILURE;
    if (kSheets[i].blackIsTransparent)
      SDL_SetColorKey(surface, 1, SDL_MapRGB(surface->format, 0, 0, 0));
    textures[i] = SDL_CreateTextureFromSurface(renderer, surface);
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
