// SPDX-License-Identifier: GPL-3.0-or-later
// Decoders for the picture files a document stores: GIF, BMP, ICO, JPEG and EMF/WMF metafiles.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "render/Bitmap.h"

namespace quillon {

// Picture source types, as a picture source record's clipShape holds them.
inline constexpr int32_t kPictureGif = 1;
inline constexpr int32_t kPictureBmp = 2;
inline constexpr int32_t kPictureIco = 3;
inline constexpr int32_t kPictureJpeg = 4;
inline constexpr int32_t kPictureMetafile = 5;

// The largest picture a decoder accepts; a larger one is refused before anything is allocated.
struct DecodeLimits {
  int64_t maxSide = 30000;
  int64_t maxPixels = 400'000'000;
};

// A decoded 24-bit picture, or the sentence that says why there is none.
struct DecodedPicture {
  Bitmap bitmap;
  std::string error;  // empty when the picture was decoded
  // The picture's own size; larger than the bitmap's when a JPEG was decoded scaled down.
  int64_t fullWidth = 0;
  int64_t fullHeight = 0;
  bool ok() const { return error.empty(); }

  static DecodedPicture Success(Bitmap bitmap) {
    DecodedPicture picture;
    picture.fullWidth = bitmap.width();
    picture.fullHeight = bitmap.height();
    picture.bitmap = std::move(bitmap);
    return picture;
  }
  static DecodedPicture Failure(std::string sentence) {
    DecodedPicture picture;
    picture.error = std::move(sentence);
    return picture;
  }
};

// Decodes a picture file's bytes with the decoder of its type. Transparent parts come out white.
DecodedPicture DecodePicture(std::span<const uint8_t> bytes, int32_t type);

// JPEG decoding with the DCT scaled by 1/scaleDenominator (1, 2, 4 or 8), for the clip editor.
DecodedPicture DecodeJpeg(std::span<const uint8_t> bytes, int scaleDenominator = 1,
                          const DecodeLimits& limits = {});
// The first frame of a GIF on its logical screen.
DecodedPicture DecodeGif(std::span<const uint8_t> bytes, const DecodeLimits& limits = {});
// A Windows bitmap file, read by Qt's BMP reader.
DecodedPicture DecodeBmp(std::span<const uint8_t> bytes, const DecodeLimits& limits = {});
// The largest image of an icon file, read by Qt's ICO reader.
DecodedPicture DecodeIco(std::span<const uint8_t> bytes, const DecodeLimits& limits = {});
// An EMF or WMF metafile played into a bitmap of the metafile's own size.
DecodedPicture DecodeMetafile(std::span<const uint8_t> bytes, const DecodeLimits& limits = {});

// Empty when a width x height picture is within the limits, else the sentence that refuses it.
std::string CheckPictureSize(int64_t width, int64_t height, const DecodeLimits& limits);

}  // namespace quillon
