#pragma once

#include <SDL.h>

#include <map>
#include <string>

// Owns the window, the renderer and every texture; sprites keep plain handles.
class Graphics {
 public:
  Graphics();
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  // Loads a sheet once per run; later calls return the cached texture whatever
  // the flag, since the first load decides its transparency.
  SDL_Texture* loadImage(const std::string& fileName, bool blackIsTransparent);
  void blit(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* destination);
  void clear();
  void flip();

  static std::string sheetPath(const std::string& fileName);

  std::map<std::string, SDL_Texture*> spriteSheets;
  SDL_Window* window;
  SDL_Renderer* renderer;
};
