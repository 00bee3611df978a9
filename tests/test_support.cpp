#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

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
  BlitRecorder recorder(graphics);
  draw();
  return std::move(recorder.blits);
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

TempFile::TempFile(const std::string& prefix) {
  std::string name = "/tmp/" + prefix + "-XXXXXX";
  const int file = mkstemp(&name[0]);
  if (file >= 0) close(file);
  path = name;
}

TempFile::~TempFile() { std::remove(path.c_str()); }

SheetImage::SheetImage(const std::string& sheet) : surface(nullptr) {
  SDL_Surface* loaded = SDL_LoadBMP(Graphics::sheetPath(sheet).c_str());
  if (loaded == nullptr) return;
  surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
}

SheetImage::~SheetImage() { SDL_FreeSurface(surface); }

std::uint32_t SheetImage::at(int x, int y) const {
  if (surface == nullptr) return 0xFFFFFFFF;
  const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
  return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

int SheetImage::visiblePixels(const SDL_Rect& cell) const {
  int visible = 0;
  for (int y = 0; y < cell.h; ++y) {
    for (int x = 0; x < cell.w; ++x) visible += at(cell.x + x, cell.y + y) != 0;
  }
  return visible;
}

std::size_t countOf(const std::string& text, const std::string& line) {
  std::size_t count = 0;
  for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
    ++count;
  return count;
}
