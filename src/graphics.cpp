#include "graphics.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "failure.h"
#include "units.h"

namespace {

// A BMP states its own length, so a shorter file has lost part of its header or its
// pixels; SDL would only complain about whichever field it then read as zero.
bool truncatedBmp(SDL_RWops* stream) {
  Uint8 start[6] = {};
  const Sint64 size = SDL_RWsize(stream);
  const bool whole = SDL_RWread(stream, start, sizeof start, 1) == 1;
  SDL_RWseek(stream, 0, RW_SEEK_SET);
  const Uint32 declared = static_cast<Uint32>(start[2]) | static_cast<Uint32>(start[3]) << 8 |
                          static_cast<Uint32>(start[4]) << 16 |
                          static_cast<Uint32>(start[5]) << 24;
  return start[0] == 'B' && start[1] == 'M' && (!whole || size < declared);
}

// Writes over path, keeping its storage.
void buildSheetPath(const std::string& fileName, std::string& path) {
  const bool half = artResolution() == HALF_RESOLUTION;
  path.assign(half ? "../content/sprites/umbercrag/" : "../content/sprites/");
  path.append(fileName);
  path.append(half ? ".pbm" : ".bmp");
}

}  // namespace

Graphics::Graphics() : spriteSheets(), window(nullptr), renderer(nullptr) {
  window = SDL_CreateWindow("Vantorel", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                            tileToPixel(kScreenWidth * 2),
                            tileToPixel(kScreenHeight * 2), SDL_WINDOW_RESIZABLE);
  if (window == nullptr)
    fatalError(std::string("could not open the window: ") + SDL_GetError());
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  // Virtual machines and the headless driver have no accelerated renderer; the
  // software one draws the same picture.
  if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (renderer == nullptr) {
    const std::string error = SDL_GetError();
    SDL_DestroyWindow(window);
    fatalError("could not create a renderer: " + error);
  }
  SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "nearest");
  SDL_RenderSetLogicalSize(renderer, tileToPixel(kScreenWidth),
                           tileToPixel(kScreenHeight));
  SDL_ShowCursor(0);
}

Graphics::~Graphics() {
  for (auto& entry : spriteSheets) SDL_DestroyTexture(entry.second);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
}

std::string Graphics::sheetPath(const std::string& fileName) {
  std::string path;
  buildSheetPath(fileName, path);
  return path;
}

SDL_Texture* Graphics::loadImage(const std::string& fileName, bool blackIsTransparent) {
  buildSheetPath(fileName, pathBuffer);
  const std::string& path = pathBuffer;
  auto cached = spriteSheets.find(path);
  if (cached != spriteSheets.end()) return cached->second;

  std::printf("Loading sprite: %s\n", path.c_str());
  // SDL says too little about these, or reads them as a failed read; name them plainly.
  std::error_code error;
  if (!std::filesystem::exists(path, error))
    fatalError("cannot load sprite sheet " + path + ": the file does not exist");
  if (std::filesystem::is_directory(path, error))
    fatalError("cannot load sprite sheet " + path + ": it is a directory, not a BMP file");
  if (std::filesystem::file_size(path, error) == 0)
    fatalError("cannot load sprite sheet " + path + ": the file is empty");
  SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
  if (stream == nullptr)
    fatalError("cannot load sprite sheet " + path + ": " + SDL_GetError());
  if (truncatedBmp(stream)) {
    SDL_RWclose(stream);
    fatalError("cannot load sprite sheet " + path + ": the BMP data is truncated");
  }
  SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
  if (surface == nullptr) {
    const std::string reason = SDL_GetError();
    fatalError("cannot load sprite sheet " + path + ": " +
               (reason == "Error reading from datastream"
                    ? "the BMP data is truncated or unreadable"
                    : reason));
  }
  if (blackIsTransparent)
    SDL_SetColorKey(surface, 1, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  SDL_FreeSurface(surface);
  if (texture == nullptr)
    fatalError("cannot make a texture of sprite sheet " + path + ": " + SDL_GetError());
  spriteSheets[path] = texture;
  return texture;
}

void Graphics::blit(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* destination) {
  if (recording != nullptr) {
    recording->push_back({texture, source != nullptr, source != nullptr ? *source : SDL_Rect{},
                          *destination});
  }
  SDL_RenderCopy(renderer, texture, source, destination);
}

void Graphics::clear() { SDL_RenderClear(renderer); }

void Graphics::flip() { SDL_RenderPresent(renderer); }
