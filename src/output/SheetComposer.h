// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet composer: draws a document once into a bitmap at an output resolution and repeats
// the first card's design on every card of a card sheet.
#pragma once

#include <functional>
#include <string>

#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/Primitives.h"

namespace quillon {

enum class ComposeMode { Printer = 0, Preview = 1, Export = 2 };

// A change of the whole page around the paper's top-left corner: every length scaled, then the
// page moved by (moveX, moveY) inches. The default changes nothing.
struct PageCorrection {
  double scaleX = 1, scaleY = 1;
  double moveX = 0, moveY = 0;
};

// What the printer reports: resolution, physical offset of the printable area and physical
// page size, all in printer pixels; and the correction the page is printed with.
struct PrinterGeometry {
  int dpiX = 600;
  int dpiY = 600;
  int offsetX = 0;
  int offsetY = 0;
  int pageWidth = 5100;
  int pageHeight = 6600;
  // Applied in printer mode, and in preview mode to show where the sheet will land.
  PageCorrection correction;
};

// The card layout of a page setup record, lengths in inches.
struct CardLayout {
  int rows = 0;     // folded rows count once
  int columns = 0;  // folded columns count once
  double cardWidth = 0, cardHeight = 0;
  double gapHorizontal = 0, gapVertical = 0;
  double marginLeft = 0, marginTop = 0;
  bool cardSheet = false;  // page kinds 2 to 5 and 11
  bool multiCard = false;  // a card sheet with more than one card
};
CardLayout LayoutOf(const ItemRecord& page, const ScreenMetrics& screen);

// Whether the card at position (from 1, row by row) is printed: only "x" leaves a card out.
bool PrintsCard(const std::u16string& selection, int64_t position);

// Draws one item through primitives open on the sheet, with its document pixel (0, 0) at origin
// and the given output pixels per document pixel.
using ItemRenderer =
    std::function<void(Primitives& target, const ItemRecord& item, const ItemList& list,
                       Point origin, double scaleX, double scaleY)>;

struct ComposeResult {
  bool ok = false;
  std::string message;     // why nothing was composed
  bool cancelled = false;  // the work was stopped on request; there is nothing to report
};

// Told how far the work has come, from 0 to 1, between two steps of it; false stops the work.
using ProgressReport = std::function<bool(double done)>;

// What a bitmap that cannot be had says, whatever the reason (too large, or out of memory).
inline constexpr char kNotEnoughMemory[] = "There is not enough memory to prepare this picture.";

// Sizes target to the sheet and draws it. printer is used in printer mode only; the selection
// is ignored in export mode. Without a page setup record nothing is drawn. progress is told
// after every item; when it says stop, target is emptied and the result is cancelled.
ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer, const ItemRenderer& render,
                           const ProgressReport& progress = {});
// Takes a finished band of the sheet: bitmap holds the sheet's rows from top on, every column.
// sent is told how far the band has been passed on; false from either stops the work.
using BandSink =
    std::function<bool(const Bitmap& bitmap, int top, const ProgressReport& sent)>;

// The sheet ComposeSheet makes, handed to sink in bands of bandHeight rows from the top down,
// so that no more than a band and the rows of the first card are held at once; every pixel is
// the one ComposeSheet makes. Where cards overlap the first card, the whole sheet is composed
// and handed over as one band.
ComposeResult ComposeSheetInBands(const ItemList& list, ComposeMode mode,
                                  const std::u16string& selection, const ScreenMetrics& screen,
                                  const PrinterGeometry& printer, const ItemRenderer& render,
                                  int bandHeight, const BandSink& sink,
                                  const ProgressReport& progress = {});
// The renderer that export, preview and printing use: the item renderer at print quality.
ItemRenderer PrintQualityRenderer();

// The same with every item drawn by the item renderer at print quality.
ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer);

}  // namespace quillon
