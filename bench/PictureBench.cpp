// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding a 12-megapixel JPEG at full size and at the clip editor's 1/2, 1/4 and 1/8 scales.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <jpeglib.h>

#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

// A 4000 x 3000 photograph stand-in: smooth colour gradients with fine noise, at quality 90.
const std::vector<uint8_t>& TwelveMegapixelJpeg() {
  static const std::vector<uint8_t> file = [] {
    constexpr int kWidth = 4000, kHeight = 3000;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::mt19937 random(7);
    std::vector<uint8_t> row(3 * kWidth);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const int noise = static_cast<int>(random() % 17) - 8;
        row[3 * x] = static_cast<uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255));
        row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y * 255 / kHeight + noise, 0, 255));
        row[3 * x + 2] = static_cast<uint8_t>(
            std::clamp(128 + static_cast<int>(100 * std::sin((x + y) / 150.0)) + noise, 0, 255));
      }
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
  }();
  return file;
}

void BM_DecodeJpeg12Megapixels(benchmark::State& state) {
  const std::vector<uint8_t>& file = TwelveMegapixelJpeg();
  const int denominator = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DecodedPicture picture = DecodeJpeg(file, denominator);
    if (!picture.ok()) state.SkipWithError(picture.error.c_str());
    benchmark::DoNotOptimize(picture.bitmap.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * 4000 * 3000);
  state.counters["file_MB"] = file.size() / 1e6;
}
BENCHMARK(BM_DecodeJpeg12Megapixels)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon
