#include "gif_animation.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Unchanged pixels use this index; no colour is stored under it.
constexpr std::uint8_t kTransparent = 0;

// Rounded to the nearest hundredth, halves up.
int centiseconds(int milliseconds) { return (milliseconds + 5) / 10; }

std::string gifError(const std::string& step, int code) {
  const char* text = GifErrorString(code);
  return step + ": " + (text ? text : "unknown giflib error");
}

}  // namespace

GifAnimation::GifAnimation(int width, int height, int scale)
    : width(width), height(height), scale(scale), elapsed(0) {}

bool GifAnimation::addFrame(const std::vector<std::uint32_t>& pixels, int delay) {
  if (width <= 0 || height <= 0 || scale <= 0 || delay < 0) return false;
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return false;
  // Only the colour counts; whatever sits in the top byte is not part of the picture.
  const auto changed = [&](std::size_t at) {
    return previous.empty() || ((previous[at] ^ pixels[at]) & 0xFFFFFFu) != 0;
  };

  // The smallest rectangle holding every changed pixel.
  int left = width;
  int right = -1;
  int top = height;
  int bottom = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!changed(static_cast<std::size_t>(y) * width + x)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }

  Frame frame{0, 0, 1, 1, 0, {}};
  std::vector<std::uint32_t> added;
  if (right < 0) {
    // Nothing moved: one clear pixel keeps the frame, and so the timing, in the file.
    frame.indices.push_back(kTransparent);
  } else {
    frame = Frame{left, top, right - left + 1, bottom - top + 1, 0, {}};
    frame.indices.reserve(static_cast<std::size_t>(frame.width) * frame.height);
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * width + x;
        if (!changed(at)) {
          frame.indices.push_back(kTransparent);
          continue;
        }
        const std::uint32_t colour = pixels[at] & 0xFFFFFFu;
        auto found = std::find(colours.begin(), colours.end(), colour);
        std::size_t index = static_cast<std::size_t>(found - colours.begin());
        if (found == colours.end()) {
          found = std::find(added.begin(), added.end(), colour);
          index = colours.size() + static_cast<std::size_t>(found - added.begin());
          if (found == added.end()) {
            if (colours.size() + added.size() >= kMaxColours) return false;
            added.push_back(colour);
          }
        }
        frame.indices.push_back(static_cast<std::uint8_t>(index + 1));
      }
    }
  }
  frame.delay = centiseconds(elapsed + delay) - centiseconds(elapsed);
  elapsed += delay;
  colours.insert(colours.end(), added.begin(), added.end());
  previous = pixels;
  frames.push_back(std::move(frame));
  return true;
}

std::string GifAnimation::write(const std::string& path) const {
  if (frames.empty()) return "no frames to write";
  // giflib's own opening makes the file private to its owner; a picture is for everyone.
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (file < 0) return "opening " + path + ": " + std::strerror(errno);
  // Half a file is worse than none; but a device given as the output stays.
  struct stat status {};
  const bool regular = fstat(file, &status) == 0 && S_ISREG(status.st_mode);
  const auto discard = [&] {
    if (regular) std::remove(path.c_str());
  };
  int error = 0;
  GifFileType* gif = EGifOpenFileHandle(file, &error);
  if (!gif) {
    close(file);
    discard();
    return gifError("opening " + path, error);
  }

  // The table's size is a power of two, transparency's slot included.
  const int bits = GifBitSize(static_cast<int>(colours.size()) + 1);
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) {
    EGifCloseFile(gif, &error);
    discard();
    return "out of memory for the colour table";
  }
  for (int i = 0; i < map->ColorCount; ++i) map->Colors[i] = GifColorType{0, 0, 0};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    map->Colors[i + 1] = GifColorType{static_cast<GifByteType>(colours[i] >> 16),
                                      static_cast<GifByteType>(colours[i] >> 8),
                                      static_cast<GifByteType>(colours[i])};
  }

  std::string failure;
  const auto check = [&](int result, const std::string& step) {
    if (result == GIF_ERROR && failure.empty()) failure = gifError(step, gif->Error);
    return failure.empty();
  };
  EGifSetGifVersion(gif, true);
  const bool described =
      check(EGifPutScreenDesc(gif, width * scale, height * scale, bits, 0, map), "screen");
  GifFreeMapObject(map);

  // The application block browsers read as "loop for ever".
  static const GifByteType kLoopName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoopForever[] = {1, 0, 0};
  if (described && check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop") &&
      check(EGifPutExtensionBlock(gif, sizeof kLoopName, kLoopName), "loop") &&
      check(EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever), "loop")) {
    check(EGifPutExtensionTrailer(gif), "loop");
  }

  std::vector<GifPixelType> line;
  for (std::size_t f = 0; failure.empty() && f < frames.size(); ++f) {
    const Frame& frame = frames[f];
    // Each frame stays under the next, which paints only what changed.
    const GraphicsControlBlock control{DISPOSE_DO_NOT, false, frame.delay, kTransparent};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (!check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
               "frame timing") ||
        !check(EGifPutImageDesc(gif, frame.left * scale, frame.top * scale, frame.width * scale,
                                frame.height * scale, false, nullptr),
               "frame")) {
      break;
    }
    line.resize(static_cast<std::size_t>(frame.width) * scale);
    for (int y = 0; y < frame.height && failure.empty(); ++y) {
      const std::uint8_t* row = frame.indices.data() + static_cast<std::size_t>(y) * frame.width;
      for (std::size_t x = 0; x < line.size(); ++x) line[x] = row[x / scale];
      for (int copy = 0; copy < scale; ++copy) {
        if (!check(EGifPutLine(gif, line.data(), static_cast<int>(line.size())), "pixels")) break;
      }
    }
  }

  if (EGifCloseFile(gif, &error) == GIF_ERROR && failure.empty())
    failure = gifError("closing " + path, error);
  if (!failure.empty()) discard();
  return failure;
}
