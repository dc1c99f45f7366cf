// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes any bytes as one kind of picture (chosen when the target is built): whatever the
// bytes, decoding ends with a picture or a sentence, never a crash, a hang or a leak.
#include <cstdlib>

#include "FontFuzzing.h"
#include "render/decoders/DecodePicture.h"

namespace {

// Smaller limits than the program's keep each run quick; the size checks are the same code.
constexpr quillon::DecodeLimits kLimits{.maxSide = 4096, .maxPixels = 1'000'000};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  quillon::DecodedPicture picture;
#if defined(FUZZ_JPEG)
  // The length picks the DCT scale, so that every scale meets every input shape.
  picture = quillon::DecodeJpeg(bytes, 1 << (size % 4), kLimits);
#elif defined(FUZZ_GIF)
  picture = quillon::DecodeGif(bytes, kLimits);
#elif defined(FUZZ_BMP_ICO)
  picture = quillon::DecodeBmp(bytes, kLimits);
  if (!picture.ok()) picture = quillon::DecodeIco(bytes, kLimits);
#else
  picture = quillon::DecodeMetafile(bytes, kLimits);
#endif
  if (picture.ok() == picture.bitmap.empty()) std::abort();
  return 0;
}
