// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SheetComposer.h"

#include <cmath>
#include <cstdlib>
#include <future>
#include <new>
#include <system_error>

#include "document/PageSetup.h"
#include "page/PageKinds.h"
#include "render/RenderItem.h"
#include "render/RenderPage.h"
#include "render/SharedDecodes.h"

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

// Scales near one and moves of a few inches; anything else only comes from a damaged setting.
bool CorrectionUsable(const PageCorrection& c) {
  return c.scaleX >= 0.5 && c.scaleX <= 2 && c.scaleY >= 0.5 && c.scaleY <= 2 &&
         std::abs(c.moveX) <= 10 && std::abs(c.moveY) <= 10;
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

namespace {

// Where a sheet's pixels come from, worked out once before anything is drawn: the items drawn
// with the document's origin at (ox, oy), then the first card (with its bleed) repeated on the
// other cards, then white where nothing may print.
struct SheetPlan {
  CardLayout layout;
  double sx = 1, sy = 1;
  int64_t cw = 0, ch = 0, gx = 0, gy = 0;
  int64_t ox = 0, oy = 0, bx = 0, by = 0;
  int64_t width = 0, height = 0;
  // The first card with its bleed, the source of every copy.
  int64_t sourceX = 0, sourceY = 0, sourceW = 0, sourceH = 0;
  CardSpan columns, rows;
  bool copies = false;  // the first card is repeated

  // Whether no copy or blank card lands on the first card, so that every copy reads the
  // first card as the items drew it.
  bool SourceStaysIntact() const {
    if (!copies) return true;
    const bool severalColumns = columns.last > columns.first;
    const bool severalRows = rows.last > rows.first;
    return (!severalColumns || cw + gx >= sourceW) && (!severalRows || ch + gy >= sourceH);
  }
  // The part of the first card with its bleed that lies on the sheet.
  Rect SourceOnSheet() const {
    return {ClampToInt32(std::max<int64_t>(sourceX, 0)),
            ClampToInt32(std::max<int64_t>(sourceY, 0)),
            ClampToInt32(std::min(sourceX + sourceW, width)),
            ClampToInt32(std::min(sourceY + sourceH, height))};
  }
};

std::string TooLarge(const SheetPlan& plan) {
  return std::string(kNotEnoughMemory) + " The sheet of " + std::to_string(plan.width) + " x " +
         std::to_string(plan.height) + " pixels is too large to compose.";
}

ComposeResult MakePlan(const ItemList& list, ComposeMode mode, const ScreenMetrics& screen,
                       const PrinterGeometry& printer, SheetPlan& plan) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {false, "The document has no page setup."};
  const Frame f = FrameOf(*page, mode, screen, printer);
  plan.layout = LayoutOf(*page, screen);
  const CardLayout& layout = plan.layout;
  // Every length the composer works with is checked before any arithmetic on it.
  if (layout.cardSheet) {
    if (std::string problem = LayoutProblem(layout); !problem.empty()) return {false, problem};
  }
  // A correction scales every length around the paper's corner and moves the page; without
  // one, lengths are dpi times inches as they always were.
  const PageCorrection c = mode == ComposeMode::Export ? PageCorrection{} : printer.correction;
  if (!CorrectionUsable(c)) return {false, "The printer's correction is out of range."};
  const double dpiX = f.dpiX * c.scaleX, dpiY = f.dpiY * c.scaleY;
  const double moveX = f.dpiX * c.moveX, moveY = f.dpiY * c.moveY;
  plan.sx = dpiX / screen.dpiX;
  plan.sy = dpiY / screen.dpiY;
  plan.cw = RoundToInt32(dpiX * layout.cardWidth);
  plan.ch = RoundToInt32(dpiY * layout.cardHeight);
  plan.gx = RoundToInt32(dpiX * layout.gapHorizontal);
  plan.gy = RoundToInt32(dpiY * layout.gapVertical);
  plan.ox = int64_t{RoundToInt32(moveX)} - f.offX;
  plan.oy = int64_t{RoundToInt32(moveY)} - f.offY;
  if (layout.cardSheet) {
    plan.ox = int64_t{RoundToInt32(dpiX * layout.marginLeft + moveX)} - f.offX;
    plan.oy = int64_t{RoundToInt32(dpiY * layout.marginTop + moveY)} - f.offY;
    plan.bx = plan.gx > 0 ? std::min(std::abs(plan.ox), std::abs(plan.gx / 2)) : 0;
    plan.by = plan.gy > 0 ? std::min(std::abs(plan.oy), std::abs(plan.gy / 2)) : 0;
  } else if (PageKindOf(*page) == 9) {
    plan.ox = RoundToInt32(moveX);
    plan.oy = RoundToInt32(moveY);
  }
  plan.width = int64_t{f.pageW} - 2 * int64_t{f.offX};
  plan.height = int64_t{f.pageH} - 2 * int64_t{f.offY};
  if (plan.width < 1 || plan.height < 1 || plan.width > kMaxBitmapSide ||
      plan.height > kMaxBitmapSide || plan.width * plan.height > kMaxBitmapPixels) {
    return {false, TooLarge(plan)};
  }
  plan.sourceX = plan.ox - plan.bx;
  plan.sourceY = plan.oy - plan.by;
  plan.sourceW = plan.cw + 2 * plan.bx;
  plan.sourceH = plan.ch + 2 * plan.by;
  plan.copies = layout.multiCard && plan.sourceW > 0 && plan.sourceH > 0;
  if (plan.copies) {
    // Only the rows and columns that can touch the sheet are visited, whatever the counts.
    plan.columns = VisibleCards(plan.sourceX, std::max<int64_t>(plan.cw + plan.gx, 1),
                                plan.sourceW, plan.width, layout.columns);
    plan.rows = VisibleCards(plan.sourceY, std::max<int64_t>(plan.ch + plan.gy, 1), plan.sourceH,
                             plan.height, layout.rows);
  }
  return {true, {}};
}

// Draws every item through target, whose painter shows the sheet from its top-left corner.
// report is told after each item how many are drawn; false from it stops the drawing.
bool DrawItems(const ItemList& list, const std::vector<const ItemRecord*>& order,
               const SheetPlan& plan, Primitives& target, const ItemRenderer& render,
               const std::function<bool(double)>& report) {
  const Point origin{ClampToInt32(plan.ox), ClampToInt32(plan.oy)};
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (IsDrawableKind(order[i]->kind())) render(target, *order[i], list, origin, plan.sx, plan.sy);
    if (report && !report(double(i + 1) / double(order.size()))) return false;
  }
  return true;
}

// Repeats the first card on the others and clears what must stay white, within area, which
// holds the sheet's rows from top on. The first card is read from source, which holds the
// sheet's rows from sourceTop on; that may be area itself.
void PlaceCards(const SheetPlan& plan, const std::u16string& selection, Bitmap& area,
                int64_t top, const Bitmap& source, int64_t sourceTop) {
  if (!plan.layout.cardSheet) return;
  if (plan.copies) {
    for (int64_t r = plan.rows.first; r <= plan.rows.last; ++r) {
      const int64_t y = plan.sourceY + (r - 1) * (plan.ch + plan.gy);
      if (y - top >= area.height() || y + plan.sourceH <= top) continue;
      for (int64_t k = plan.columns.first; k <= plan.columns.last; ++k) {
        if (r == 1 && k == 1) continue;
        const int64_t x = plan.sourceX + (k - 1) * (plan.cw + plan.gx);
        if (PrintsCard(selection, k + int64_t{plan.layout.columns} * (r - 1))) {
          area.CopyFrom(source, ClampToInt32(plan.sourceX), ClampToInt32(plan.sourceY - sourceTop),
                        ClampToInt32(plan.sourceW), ClampToInt32(plan.sourceH), ClampToInt32(x),
                        ClampToInt32(y - top));
        } else {
          FillWhite(area, x, y - top, x + plan.sourceW, y + plan.sourceH - top);
        }
      }
    }
  }
  if (!PrintsCard(selection, 1)) {
    FillWhite(area, 0, -top, plan.ox + plan.cw + plan.bx, plan.oy + plan.ch + plan.by - top);
  }
  FillWhite(area, 0, -top, plan.ox, plan.height - top);
  FillWhite(area, 0, -top, plan.width, plan.oy - top);
}

}  // namespace

ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer, const ItemRenderer& render,
                           const ProgressReport& progress) {
  SheetPlan plan;
  if (ComposeResult planned = MakePlan(list, mode, screen, printer, plan); !planned.ok) {
    return planned;
  }
  const std::vector<const ItemRecord*> order = DrawingOrder(list);
  // Fonts and pictures are got ready on a second thread while the sheet is set up and drawn.
  const DrawingAhead ahead(list, order);
  try {
    target = Bitmap(static_cast<int>(plan.width), static_cast<int>(plan.height));
  } catch (const std::bad_alloc&) {
    target = Bitmap();
    return {false, TooLarge(plan)};
  }
  try {
    Primitives primitives(target);
    if (!DrawItems(list, order, plan, primitives, render, progress)) {
      target = Bitmap();
      return {false, {}, true};
    }
  } catch (const std::bad_alloc&) {
    // An item's own bitmaps (shadows, surfaces, pictures) did not fit in memory.
    target = Bitmap();
    return {false, kNotEnoughMemory};
  }
  PlaceCards(plan, selection, target, 0, target, 0);
  return {true, {}};
}

ComposeResult ComposeSheetInBands(const ItemList& list, ComposeMode mode,
                                  const std::u16string& selection, const ScreenMetrics& screen,
                                  const PrinterGeometry& printer, const ItemRenderer& render,
                                  int bandHeight, const BandSink& sink,
                                  const ProgressReport& progress) {
  SheetPlan plan;
  if (ComposeResult planned = MakePlan(list, mode, screen, printer, plan); !planned.ok) {
    return planned;
  }
  constexpr double kDrawing = 0.9;
  if (!plan.SourceStaysIntact() || bandHeight < 1) {
    // Cards that overlap the first one change it while it is copied: only the whole sheet,
    // composed in place, shows that.
    Bitmap sheet;
    const ComposeResult composed =
        ComposeSheet(list, sheet, mode, selection, screen, printer, render,
                     [&progress](double done) { return !progress || progress(kDrawing * done); });
    if (!composed.ok) return composed;
    const auto sent = [&progress](double done) {
      return !progress || progress(kDrawing + (1 - kDrawing) * done);
    };
    if (!sink(sheet, 0, sent)) return {false, {}, true};
    return {true, {}};
  }
  const int64_t bands = (plan.height + bandHeight - 1) / bandHeight;
  const std::vector<const ItemRecord*> order = DrawingOrder(list);
  // Every band that shows a picture draws it from the same decoded source.
  const DrawingAhead ahead(list, order);
  const int areaHeight = static_cast<int>(plan.height);
  // The rows of the first card are drawn once on their own, so that every band can copy them.
  const double passes = double(bands) + (plan.copies ? 1 : 0);
  try {
    Bitmap source;
    const Rect sourceArea = plan.SourceOnSheet();
    if (plan.copies && sourceArea.right > sourceArea.left && sourceArea.bottom > sourceArea.top) {
      source = Bitmap(static_cast<int>(plan.width), sourceArea.bottom - sourceArea.top);
      Primitives primitives(source, {0, 0}, sourceArea.top, areaHeight);
      const auto report = [&](double done) { return !progress || progress(done / passes); };
      if (!DrawItems(list, order, plan, primitives, render, report)) return {false, {}, true};
    }
    // Two bands take turns: while the sink passes one on, a second thread draws the next.
    // Progress is told between bands only, when that thread is idle, because telling it may
    // run the event loop, and whatever runs then may touch the document.
    Bitmap turns[2];
    const auto drawBand = [&](int64_t b) {
      Bitmap& band = turns[b % 2];
      const int top = static_cast<int>(b * bandHeight);
      const int rows = static_cast<int>(std::min<int64_t>(bandHeight, plan.height - top));
      // A band's memory serves every band of its height: fresh memory costs page faults.
      if (band.height() == rows) {
        band.Fill(0xFFFFFF);
      } else {
        band = Bitmap();
        band = Bitmap(static_cast<int>(plan.width), rows);
      }
      {
        Primitives primitives(band, {0, 0}, top, areaHeight);
        DrawItems(list, order, plan, primitives, render, {});
      }
      if (source.empty()) {
        PlaceCards(plan, selection, band, top, band, top);
      } else {
        PlaceCards(plan, selection, band, top, source, sourceArea.top);
      }
    };
    drawBand(0);
    for (int64_t b = 0; b < bands; ++b) {
      const double before = double(b) + (plan.copies ? 1 : 0);
      if (progress && !progress((before + kDrawing) / passes)) return {false, {}, true};
      std::future<void> next;
      if (b + 1 < bands) {
        try {
          next = std::async(std::launch::async, drawBand, b + 1);
        } catch (const std::system_error&) {
          // Without a second thread the next band is drawn here, after this one is sent.
          next = std::async(std::launch::deferred, drawBand, b + 1);
        }
      }
      const bool kept = sink(turns[b % 2], static_cast<int>(b * bandHeight), {});
      if (next.valid()) next.get();
      if (!kept || (progress && !progress((before + 1) / passes))) return {false, {}, true};
    }
  } catch (const std::bad_alloc&) {
    return {false, kNotEnoughMemory};
  }
  return {true, {}};
}

ItemRenderer PrintQualityRenderer() {
  return [](Primitives& target, const ItemRecord& item, const ItemList& list, Point origin,
            double scaleX, double scaleY) {
    RenderItem(target, item, list, TargetMapping::Output(origin, scaleX, scaleY));
  };
}

ComposeResult ComposeSheet(const ItemList& list, Bitmap& target, ComposeMode mode,
                           const std::u16string& selection, const ScreenMetrics& screen,
                           const PrinterGeometry& printer) {
  return ComposeSheet(list, target, mode, selection, screen, printer, PrintQualityRenderer());
}

}  // namespace quillon
