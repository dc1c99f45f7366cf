// SPDX-License-Identifier: GPL-3.0-or-later
// The first frame of a GIF through giflib, read line by line so that no later frame is touched.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

struct MemoryReader {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t count = std::min<size_t>(std::max(length, 0), reader->bytes.size() - reader->at);
  if (count > 0) std::memcpy(out, reader->bytes.data() + reader->at, count);
  reader->at += count;
  return static_cast<int>(count);
}

struct CloseGif {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, CloseGif>;

// giflib's own texts speak of files; these say what went wrong with the picture.
const char* ReasonOf(int code) {
  switch (code) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
      return "it ends too early";
    case D_GIF_ERR_NOT_GIF_FILE:
      return "it does not start like a GIF file";
    case D_GIF_ERR_WRONG_RECORD:
      return "it holds a record of an unknown kind";
    case D_GIF_ERR_DATA_TOO_BIG:
      return "a frame holds more pixels than its size";
    case D_GIF_ERR_NOT_ENOUGH_MEM:
      return "there is not enough memory";
    default:
      return "its data is damaged";
  }
}

DecodedPicture Failure(int code) {
  return DecodedPicture::Failure(std::string("The GIF picture could not be read: ") +
                                 ReasonOf(code) + ".");
}

// The transparent colour index of a graphic control extension, or -1.
int TransparentIndex(const GifByteType* block) {
  if (block == nullptr || block[0] < 4 || (block[1] & 1) == 0) return -1;
  return block[4];
}

// Skips an extension, noting the transparent index of a graphic control extension.
bool ReadExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(block);
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

// The rows of an interlaced frame arrive in four passes: every eighth row from 0, every eighth
// from 4, every fourth from 2 and every second from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y)
      order.push_back(y);
    return order;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass])
      order.push_back(y);
  }
  return order;
}

// A logical screen larger than this many pixels is not made for a frame that covers less than
// a quarter of it: the picture is then the frame alone. A few bytes can declare a screen of
// hundreds of megapixels around a single pixel.
constexpr int64_t kLargestEmptyScreen = 16'000'000;

// Decodes the frame just described onto the white canvas with the frame's top-left corner at
// (left, top); indices without a colour are black.
bool DrawFrame(GifFileType* gif, int transparent, Bitmap& canvas, int left, int top) {
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  const int count = map ? map->ColorCount : 0;
  std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
  for (int y : RowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return false;
    uint8_t* row = canvas.Row(top + y) + 3 * static_cast<int64_t>(left);
    for (int x = 0; x < frame.Width; ++x, row += 3) {
      const int index = line[x];
      if (index == transparent) continue;
      if (index >= count) {
        row[0] = row[1] = row[2] = 0;
        continue;
      }
      const GifColorType& colour = map->Colors[index];
      row[0] = colour.Blue;
      row[1] = colour.Green;
      row[2] = colour.Red;
    }
  }
  return true;
}

}  // namespace

DecodedPicture DecodeGif(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  MemoryReader reader{bytes};
  int error = 0;
  GifFile gif(DGifOpen(&reader, ReadFromMemory, &error));
  if (!gif) return Failure(error);
  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return Failure(gif->Error);
    if (record == TERMINATE_RECORD_TYPE)
      return DecodedPicture::Failure("The GIF file holds no picture.");
    if (record == EXTENSION_RECORD_TYPE) {
      if (!ReadExtension(gif.get(), transparent)) return Failure(gif->Error);
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return Failure(gif->Error);
    const GifImageDesc& frame = gif->Image;
    if (frame.Left < 0 || frame.Top < 0 || frame.Width < 0 || frame.Height < 0)
      return DecodedPicture::Failure(
          "The GIF picture is damaged: its first frame has a negative size.");
    // A frame reaching past the logical screen widens the picture, as browsers show it.
    int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
    int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
    int left = frame.Left, top = frame.Top;
    const int64_t framePixels = int64_t{frame.Width} * frame.Height;
    if (width * height > kLargestEmptyScreen && 4 * framePixels < width * height) {
      width = frame.Width;
      height = frame.Height;
      left = top = 0;
    }
    if (std::string size = CheckPictureSize(width, height, limits); !size.empty())
      return DecodedPicture::Failure(size);
    if (width == 0 || height == 0) return DecodedPicture::Failure("The GIF picture has no pixels.");
    if (!frame.ColorMap && !gif->SColorMap)
      return DecodedPicture::Failure("The GIF picture is damaged: it has no colour table.");
    Bitmap canvas = Bitmap::TryCreate(static_cast<int>(width), static_cast<int>(height));
    if (canvas.empty())
      return DecodedPicture::Failure("There is not enough memory to decode the GIF picture.");
    if (!DrawFrame(gif.get(), transparent, canvas, left, top)) return Failure(gif->Error);
    return DecodedPicture::Success(std::move(canvas));
  }
}

}  // namespace quillon
