// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SheetComposer.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "document/PageSetup.h"
#include "page/PageKinds.h"
#include "render/RenderPage.h"

namespace quillon {
namespace {

struct Frame {
  int dpiX, dpiY, offX, offY, pageW, pageH;
};

// Output length of a page length in the document's unit, at dpi.
int32_t ExportLength(double length, int32_t units, int dpi) {
  switch (units) {
    case kUnitPixels:
      return RoundToInt32(length);
    case kUnitMillimetres:
      return RoundToInt32(length / 25.4 * dpi);
    default:
      return RoundToInt32(length * dpi);
  }
}

Frame FrameOf(const ItemRecord& page, ComposeMode mode, const ScreenMetrics& screen,
              const PrinterGeometry& printer) {
  switch (mode) {
    case ComposeMode::Printer:
      return {printer.dpiX,    printer.dpiY,      printer.offsetX,
              printer.offsetY, printer.pageWidth, printer.pageHeight};
    case ComposeMode::Preview: {
      const ExportSize nominal = ExportPixelSize(&page, screen);
      const int twice = page.pageUnits() == kUnitPixels ? 2 : 1;
      return {twice * nominal.resolutionX, twice * nominal.resolutionY, 0, 0,
              twice * nominal.width,       twice * nominal.height};
    }
    case ComposeMode::Export:
      break;
  }
  return {screen.dpiX,
          screen.dpiY,
          0,
          0,
          std::max(1, ExportLength(page.pageWidth(), page.pageUnits(), screen.dpiX)),
          std::max(1, ExportLength(page.pageHeight(), page.pageUnits(), screen.dpiY))};
}

void FillWhite(Bitmap& b, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, b.width());
  bottom = std::min<int64_t>(bottom, b.height());
  if (right <= left || bottom <= top) return;
  for (int64_t y = top; y < bottom; ++y) {
    std::fill(b.Row(static_cast<int>(y)) + 3 * left, b.Row(static_cast<int>(y)) + 3 * right,
              uint8_t{0xFF});
  }
}

// Layout lengths beyond this many inches, or not numbers at all, only come from damaged files.
constexpr double kLargestLayoutInches = 100000;

bool Sensible(double inches) {
  return std::isfinite(inches) && std::abs(inches) <= kLargestLayoutInches;
}

// Why a card sheet's layout cannot be composed; empty when it can.
std::string LayoutProblem(const CardLayout& layout) {
  for (double inches : {layout.cardWidth, layout.cardHeight, layout.gapHorizontal,
                        layout.gapVertical, layout.marginLeft, layout.marginTop}) {
    if (!Sensible(inches)) return "The page setup's card layout holds a length out of range.";
  }
  if (layout.cardWidth < 0 || layout.cardHeight < 0) {
    return "The page setup's cards have a negative size.";
  }
  const bool backwards =
      (layout.columns > 1 && layout.cardWidth > 0 &&
       layout.cardWidth + layout.gapHorizontal <= 0) ||
      (layout.rows > 1 && layout.cardHeight > 0 && layout.cardHeight + layout.gapVertical <= 0);
  if (backwards) return "The page setup's cards lie on top of each other.";
  return {};
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The cards first..last (counted from 1, at most count) along one direction whose copies, at
// start + (k - 1) * pitch and size long, can touch the sheet's 0..extent; pitch is positive.
struct CardSpan {
  int64_t first = 1, last = 0;
};
CardSpan VisibleCards(int64_t start, int64_t pitch, int64_t size, int64_t extent, int64_t count) {
  return {std::max<int64_t>(1, FloorDiv(-size - start, pitch) + 2),
          std::min<int64_t>(count, -FloorDiv(start - extent, pitch))};
}

}  // namespace

CardLayout LayoutOf(const ItemRecord& page, const ScreenMetrics& screen) {
  CardLayout layout;
  const int32_t units = page.pageUnits();
  auto inchesX = [&](double v) {
    return units == kUnitMillimetres ? v / 25.4 : units == kUnitPixels ? v / screen.dpiX : v;
  };
  auto inchesY = [&](double v) {
    return units == kUnitMillimetres ? v / 25.4 : units == kUnitPixels ? v / screen.dpiY : v;
  };
  const bool foldRows = page.rows() > 1 && page.rowFold() != 0;
  const bool foldColumns = page.columns() > 1 && page.columnFold() != 0;
  layout.rows = foldRows ? page.rows() / 2 : page.rows();
  layout.columns = foldColumns ? page.columns() / 2 : page.columns();
  layout.cardWidth = inchesX(page.cardWidth() * (foldColumns ? 2 : 1));
  layout.cardHeight = inchesY(page.cardHeight() * (foldRows ? 2 : 1));
  layout.gapHorizontal = inchesX(page.gapHorizontal());
  layout.gapVertical = inchesY(page.gapVertical());
  layout.marginLeft = inchesX(page.marginLeft());
  layout.marginTop = inchesY(page.marginTop());
  layout.cardSheet = IsCardSheetKind(PageKindOf(page));
  layout.multiCard = layout.cardSheet && (layout.rows > 1 || layout.columns > 1);
  return layout;
}

bool PrintsCard(const std::u16string& selection, int64_t position) {
  return position < 1 || position > static_cast<int64_t>(selection.size()) ||
         selection[position - 1] != u'x';
}

ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer, const ItemRenderer& render,
                           const ProgressReport& progress) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {false, "The document has no page setup."};
  const Frame f = FrameOf(*page, mode, screen, printer);
  const CardLayout layout = LayoutOf(*page, screen);
  // Every length the composer works with is checked before any arithmetic on it.
  if (layout.cardSheet) {
    if (std::string problem = LayoutProblem(layout); !problem.empty()) return {false, problem};
  }
  const double sx = double(f.dpiX) / screen.dpiX;
  const double sy = double(f.dpiY) / screen.dpiY;
  const int64_t cw = RoundToInt32(f.dpiX * layout.cardWidth);
  const int64_t ch = RoundToInt32(f.dpiY * layout.cardHeight);
  const int64_t gx = RoundToInt32(f.dpiX * layout.gapHorizontal);
  const int64_t gy = RoundToInt32(f.dpiY * layout.gapVertical);
  int64_t ox = -int64_t{f.offX}, oy = -int64_t{f.offY}, bx = 0, by = 0;
  if (layout.cardSheet) {
    ox = int64_t{RoundToInt32(f.dpiX * layout.marginLeft)} - f.offX;
    oy = int64_t{RoundToInt32(f.dpiY * layout.marginTop)} - f.offY;
    bx = gx > 0 ? std::min(std::abs(ox), std::abs(gx / 2)) : 0;
    by = gy > 0 ? std::min(std::abs(oy), std::abs(gy / 2)) : 0;
  } else if (PageKindOf(*page) == 9) {
    ox = oy = 0;
  }

  const int64_t width = int64_t{f.pageW} - 2 * int64_t{f.offX};
  const int64_t height = int64_t{f.pageH} - 2 * int64_t{f.offY};
  try {
    if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
      throw std::bad_alloc();
    }
    target = Bitmap(static_cast<int>(width), static_cast<int>(height));
  } catch (const std::bad_alloc&) {
    target = Bitmap();
    return {false, std::string(kNotEnoughMemory) + " The sheet of " + std::to_string(width) +
                       " x " + std::to_string(height) + " pixels is too large to compose."};
  }

  const Point origin{ClampToInt32(ox), ClampToInt32(oy)};
  const std::vector<const ItemRecord*> order = DrawingOrder(list);
  try {
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (IsDrawableKind(order[i]->kind())) render(target, *order[i], list, origin, sx, sy);
      if (progress && !progress(double(i + 1) / double(order.size()))) {
        target = Bitmap();
        return {false, {}, true};
      }
    }
  } catch (const std::bad_alloc&) {
    // An item's own bitmaps (shadows, surfaces, pictures) did not fit in memory.
    target = Bitmap();
    return {false, kNotEnoughMemory};
  }
  if (!layout.cardSheet) return {true, {}};

  const int64_t sourceX = ox - bx, sourceY = oy - by;
  const int64_t sourceW = cw + 2 * bx, sourceH = ch + 2 * by;
  if (layout.multiCard && sourceW > 0 && sourceH > 0) {
    // Only the rows and columns that can touch the sheet are visited, whatever the counts.
    const CardSpan columns = VisibleCards(sourceX, std::max<int64_t>(cw + gx, 1), sourceW,
                                          target.width(), layout.columns);
    const CardSpan rows =
        VisibleCards(sourceY, std::max<int64_t>(ch + gy, 1), sourceH, target.height(), layout.rows);
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      for (int64_t k = columns.first; k <= columns.last; ++k) {
        if (r == 1 && k == 1) continue;
        const int64_t x = sourceX + (k - 1) * (cw + gx);
        const int64_t y = sourceY + (r - 1) * (ch + gy);
        if (PrintsCard(selection, k + int64_t{layout.columns} * (r - 1))) {
          target.CopyFrom(target, ClampToInt32(sourceX), ClampToInt32(sourceY),
                          ClampToInt32(sourceW), ClampToInt32(sourceH), ClampToInt32(x),
                          ClampToInt32(y));
        } else {
          FillWhite(target, x, y, x + sourceW, y + sourceH);
        }
      }
    }
  }
  if (!PrintsCard(selection, 1)) FillWhite(target, 0, 0, ox + cw + bx, oy + ch + by);
  FillWhite(target, 0, 0, ox, target.height());
  FillWhite(target, 0, 0, target.width(), oy);
  return {true, {}};
}

ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer) {
  return ComposeSheet(
      list, target, mode, selection, screen, printer,
      [](Bitmap& bitmap, const ItemRecord& item, const ItemList& items, Point origin, double scaleX,
         double scaleY) { RenderItem(bitmap, item, items, origin, scaleX, scaleY); });
}

}  // namespace quillon
