// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding a 12-megapixel JPEG at full size and at the clip editor's 1/2, 1/4 and 1/8 scales;
// drawing a picture item of it at 200 dpi; drawing a page of 200 text lines.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <jpeglib.h>

#include "document/PageSetup.h"
#include "render/PictureItem.h"
#include "render/RenderPage.h"
#include "render/Resample.h"
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

constexpr double kPrintScale = 200 / 96.0;

// A document with a page setup record and the photograph as a picture source.
void AddPage(ItemList& list) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
}

// A picture item of the whole photograph in a 4 x 3 inch box: 800 x 600 pixels at 200 dpi.
ItemRecord& AddPhoto(ItemList& list) {
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(6);
  source.setSourceNumber(9);
  source.setClipShape(kPictureJpeg);
  source.pictureData = TwelveMegapixelJpeg();
  ItemRecord& picture = NewRecord(list, kKindPicture);
  picture.setSourceNumber(9);
  picture.setX1(48);
  picture.setY1(48);
  picture.setX2(48 + 384);
  picture.setY2(48 + 288);
  picture.setClipRight(4000);
  picture.setClipBottom(3000);
  picture.setScaleX(1);
  picture.setScaleY(1);
  picture.setMirrorSign(1);
  picture.setFlipSign(1);
  picture.setStackLevel(1);
  return picture;
}

void BM_DrawPhotoItemAt200Dpi(benchmark::State& state) {
  ItemList list;
  AddPage(list);
  const ItemRecord& picture = AddPhoto(list);
  Bitmap page(RoundToInt32(480 * kPrintScale), RoundToInt32(384 * kPrintScale));
  for (auto _ : state) {
    Primitives target(page);
    DrawPicture(target, picture, list, TargetMapping::Output({0, 0}, kPrintScale, kPrintScale), {});
    benchmark::DoNotOptimize(page.Row(0));
  }
}
BENCHMARK(BM_DrawPhotoItemAt200Dpi)->Unit(benchmark::kMillisecond);

// The same picture decoded at 1/8 (500 x 375) and scaled to the item's 800 x 600 pixels.
void BM_DrawPhotoAtOneEighthDecoding(benchmark::State& state) {
  const std::vector<uint8_t>& file = TwelveMegapixelJpeg();
  Bitmap page(RoundToInt32(480 * kPrintScale), RoundToInt32(384 * kPrintScale));
  for (auto _ : state) {
    DecodedPicture decoded = DecodeJpeg(file, 8);
    Bitmap scaled(800, 600);
    Resample(decoded.bitmap, scaled, ResampleFilter::Mitchell);
    page.CopyFrom(scaled, 0, 0, 800, 600, 100, 100);
    benchmark::DoNotOptimize(page.Row(0));
  }
}
BENCHMARK(BM_DrawPhotoAtOneEighthDecoding)->Unit(benchmark::kMillisecond);

// A letter page of 200 lines of 12-point text, four lines to a text item, drawn at the screen
// resolution (range 0) or at 200 dpi (range 1), flat, with shadows, or "Round" (range 1: 0, 1, 2).
void BM_TextPage200Lines(benchmark::State& state) {
  const bool print = state.range(0) != 0;
  const int look = static_cast<int>(state.range(1));
  ItemList list;
  AddPage(list);
  for (int i = 0; i < 50; ++i) {
    ItemRecord& text = NewRecord(list, kKindText);
    const int32_t x = 40 + (i % 2) * 380, y = 80 + (i / 2) * 40;
    text.setX1(x);
    text.setY1(y);
    text.setX2(x + 360);
    text.setY2(y);
    text.setFontName("Arial");
    text.setFontSize(6);
    text.setFontWeight(400);
    text.setJustification(static_cast<uint8_t>(1 + i % 3));
    text.setTextColor(0x202020);
    SetText(text,
            u"The quick brown fox jumps\u07ECover the lazy dog, line two\u07ECand a third "
            u"line of text\u07ECfour lines to the item");
    if (look == 1) {
      text.setShadowSize(50);
      text.setShadowSoftness(20);
      text.setShadowLightness(110);
    }
    if (look == 2) text.setSurface(127);
    text.setStackLevel(i + 1);
  }
  const double scale = print ? kPrintScale : 1.0;
  Bitmap page(RoundToInt32(816 * scale), RoundToInt32(1056 * scale));
  for (auto _ : state) {
    RenderPage(list, page, {0, 0}, scale, scale);
    benchmark::DoNotOptimize(page.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_TextPage200Lines)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
