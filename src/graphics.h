#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

// One copy to the renderer, as noted while recording.
struct BlitRecord {
  SDL_Texture* texture;
  bool hasSource;
  SDL_Rect source;
  SDL_Rect destination;
};

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
  // When set, every blit is also noted here: tests check draw orders with it and the
  // benchmark replays a frame's copies without the game.
  std::vector<BlitRecord>* recording = nullptr;

 private:
  // Number glyphs are built anew every frame; one reused path string finds their
  // cached sheet without touching the heap.
  std::string pathBuffer;
};
