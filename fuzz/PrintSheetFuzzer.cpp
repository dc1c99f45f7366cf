// SPDX-License-Identifier: GPL-3.0-or-later
// Reads any bytes as a document and prints its sheet at a low resolution, card repetition and
// selection included: whatever the page setup holds, printing ends without a crash, a hang or
// a leak.
//
// Input: one byte of switches (bits 0-3 choose the card selection, bits 4-7 the resolution),
// then the document's bytes.
#include <QBuffer>

#include "FontFuzzing.h"
#include "document/DocumentFile.h"
#include "output/Export.h"
#include "output/PrintDriver.h"

namespace {

using namespace quillon;

class AnswerYes : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, PromptStyle, PromptButtons) override {
    return PromptAnswer::Yes;
  }
};

// A letter-size printer at dpi that keeps nothing but the tiles' count.
class CountingPrinter : public PrintDevice {
 public:
  explicit CountingPrinter(int dpi) : dpi_(dpi) {}
  bool Begin(const std::string&, int) override { return true; }
  PrinterGeometry Geometry() const override {
    return {dpi_, dpi_, dpi_ / 8, dpi_ / 6, dpi_ * 17 / 2, dpi_ * 11, PageCorrection{}};
  }
  void DrawTile(const Bitmap&, int, int) override { ++tiles_; }
  bool End() override { return true; }
  void Abort() override {}
  std::string error() const override { return {}; }

 private:
  int dpi_;
  int tiles_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t switches = data[0];
  QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  QBuffer source(&bytes);
  source.open(QIODevice::ReadOnly);
  ItemList list(ScreenMetrics{96, 96});
  AnswerYes prompter;
  if (!ReadDocumentFrom(source, list, prompter).ok()) return 0;
  constexpr const char16_t* kSelections[] = {u"", u"x", u" x", u"xxxxxxxx x", u"x x x x x"};
  const std::u16string selection = kSelections[(switches & 15) % 5];
  CountingPrinter printer(12 + 6 * (switches >> 4));
  PrintSheet(list, "fuzz", selection, 1, printer, list.screen(), PrintQualityRenderer());
  return 0;
}
