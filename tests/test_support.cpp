#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "graphics.h"

SdlVideo::SdlVideo() { SDL_Init(SDL_INIT_VIDEO); }

SdlVideo::~SdlVideo() { SDL_Quit(); }

Screen::Screen(Graphics& graphics) : scale(1), width(0), pixels() {
  int output_width = 0;
  int output_height = 0;
  SDL_GetRendererOutputSize(graphics.renderer, &output_width, &output_height);
  // Reading ignores the logical size, so read the whole output and sample it.
  SDL_RenderSetLogicalSize(graphics.renderer, 0, 0);
  pixels.resize(static_cast<size_t>(output_width) * output_height);
  SDL_RenderReadPixels(graphics.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                       output_width * 4);
  SDL_RenderSetLogicalSize(graphics.renderer, 320, 240);
  width = output_width;
  scale = output_width / 320;
}

std::uint32_t Screen::at(PixelUnit x, PixelUnit y) const {
  return pixels[static_cast<size_t>(y * scale) * width + x * scale] & 0xFFFFFF;
}

std::vector<BlitRecord> recordBlits(Graphics& graphics, const std::function<void()>& draw) {
  std::vector<BlitRecord> blits;
  graphics.recording = &blits;
  draw();
  graphics.recording = nullptr;
  return blits;
}

namespace {

std::string readAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, count);
  return text;
}

}  // namespace

ChildResult runInChild(const std::function<int()>& body) {
  char out_name[] = "/tmp/vantorel-out-XXXXXX";
  char err_name[] = "/tmp/vantorel-err-XXXXXX";
  const int out_fd = mkstemp(out_name);
  const int err_fd = mkstemp(err_name);
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out_fd, STDOUT_FILENO);
    dup2(err_fd, STDERR_FILENO);
    const int code = body();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ChildResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                     WIFSIGNALED(status) ? WTERMSIG(status) : 0, "", ""};
  lseek(out_fd, 0, SEEK_SET);
  lseek(err_fd, 0, SEEK_SET);
  result.out = readAll(out_fd);
  result.err = readAll(err_fd);
  close(out_fd);
  close(err_fd);
  unlink(out_name);
  unlink(err_name);
  return result;
}

StdoutCapture::StdoutCapture() : saved(-1), file(-1) {
  char name[] = "/tmp/vantorel-stdout-XXXXXX";
  file = mkstemp(name);
  unlink(name);
  std::fflush(stdout);
  saved = dup(STDOUT_FILENO);
  dup2(file, STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture() {
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  close(file);
}

std::string StdoutCapture::text() {
  std::fflush(stdout);
  lseek(file, 0, SEEK_SET);
  return readAll(file);
}

void pushKey(SDL_Scancode key, bool down, bool repeat) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

std::uint32_t sheetPixel(const std::string& sheet, int x, int y) {
  SDL_Surface* loaded = SDL_LoadBMP(Graphics::sheetPath(sheet).c_str());
  if (loaded == nullptr) return 0xFFFFFFFF;
  SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
  const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  SDL_FreeSurface(surface);
  return pixel;
}
