#include "decoded_gif.h"

#include <gif_lib.h>

#include <cstring>

namespace {

// The application block a looping GIF carries before its first frame: "NETSCAPE2.0",
// then a sub-block of 1 and a loop count of 0, for ever.
bool loopsForever(const SavedImage& first) {
  for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
    const ExtensionBlock& name = first.ExtensionBlocks[i];
    const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
    if (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == 11 &&
        std::memcmp(name.Bytes, "NETSCAPE2.0", 11) == 0 &&
        data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount == 3 && data.Bytes[0] == 1)
      return data.Bytes[1] == 0 && data.Bytes[2] == 0;
  }
  return false;
}

}  // namespace

DecodedGif decodeGif(const std::string& path,
                     const std::function<void(int, const std::vector<std::uint32_t>&)>& shown) {
  DecodedGif decoded;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif) {
    decoded.error = GifErrorString(error);
    return decoded;
  }
  if (DGifSlurp(gif) == GIF_ERROR) {
    decoded.error = GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    return decoded;
  }
  decoded.width = gif->SWidth;
  decoded.height = gif->SHeight;
  decoded.loopsForever = gif->ImageCount > 0 && loopsForever(gif->SavedImages[0]);

  std::vector<std::uint32_t> canvas(static_cast<size_t>(gif->SWidth) * gif->SHeight, 0);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const GifImageDesc& desc = image.ImageDesc;
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    decoded.frames.push_back({desc.Left, desc.Top, desc.Width, desc.Height, control.DelayTime,
                              control.DisposalMode, control.TransparentColor, 0,
                              desc.ColorMap != nullptr});
    const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    for (int y = 0; y < desc.Height; ++y) {
      for (int x = 0; x < desc.Width; ++x) {
        const int index = image.RasterBits[static_cast<size_t>(y) * desc.Width + x];
        const int canvas_x = desc.Left + x;
        const int canvas_y = desc.Top + y;
        if (index == control.TransparentColor) ++decoded.frames.back().clearPixels;
        if (index == control.TransparentColor || !colours || index >= colours->ColorCount ||
            canvas_x >= gif->SWidth || canvas_y >= gif->SHeight)
          continue;
        const GifColorType colour = colours->Colors[index];
        canvas[static_cast<size_t>(canvas_y) * gif->SWidth + canvas_x] =
            static_cast<std::uint32_t>(colour.Red) << 16 |
            static_cast<std::uint32_t>(colour.Green) << 8 | colour.Blue;
      }
    }
    if (shown) shown(i, canvas);
  }
  DGifCloseFile(gif, &error);
  return decoded;
}
