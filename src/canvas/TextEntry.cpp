// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/TextEntry.h"

#include <QtCore/qnamespace.h>
#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/CreationBuilders.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "render/ShapeBounds.h"
#include "render/Text.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

bool IsHigh(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsLineBreak(char16_t c) {
  return c == 10 || c == 13 || c == 0x2028 || c == 0x2029 || c == kLineSeparator;
}

struct LineSpan {
  int start = 0;
  int length = 0;
};
// The lines of a text as spans; an empty text has one empty line.
std::vector<LineSpan> LineSpans(std::u16string_view text) {
  std::vector<LineSpan> lines{{0, 0}};
  for (int i = 0; i < static_cast<int>(text.size()); ++i) {
    if (text[i] == kLineSeparator) {
      lines.push_back({i + 1, 0});
    } else {
      ++lines.back().length;
    }
  }
  return lines;
}

// A column that would fall between the halves of a pair moves before the pair.
int WholeColumn(std::u16string_view text, const LineSpan& line, int column) {
  const int offset = column - 1;
  if (offset > 0 && offset < line.length && IsLow(text[line.start + offset]) &&
      IsHigh(text[line.start + offset - 1])) {
    return column - 1;
  }
  return column;
}

double Degrees(const ItemRecord& text) {
  return TextDirection(text) * 180 / std::numbers::pi;
}

double DegreesBetween(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

QString ToQString(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

int CaretIndex(std::u16string_view text, Caret caret) {
  const std::vector<LineSpan> lines = LineSpans(text);
  const LineSpan& line = lines[std::clamp(caret.line, 1, static_cast<int>(lines.size())) - 1];
  return line.start + std::clamp(caret.column - 1, 0, line.length);
}

Caret CaretAt(std::u16string_view text, int index) {
  Caret caret;
  index = std::clamp(index, 0, static_cast<int>(text.size()));
  for (int i = 0; i < index; ++i) {
    if (text[i] == kLineSeparator) {
      ++caret.line;
      caret.column = 1;
    } else {
      ++caret.column;
    }
  }
  return caret;
}

TextChange TypeAt(std::u16string& text, Caret& caret, std::u16string_view character) {
  if (character.empty()) return {};
  const int index = CaretIndex(text, caret);
  const char16_t c = character[0];
  if (c == 8) {
    if (index == 0) return {};
    const int removed = index >= 2 && IsLow(text[index - 1]) && IsHigh(text[index - 2]) ? 2 : 1;
    const bool separator = text[index - 1] == kLineSeparator;
    text.erase(index - removed, removed);
    caret = CaretAt(text, index - removed);
    return {separator ? -1 : 0, true};
  }
  if (IsLineBreak(c)) {
    if (static_cast<int>(text.size()) + 1 > kMaxTextUnits) return {};
    text.insert(text.begin() + index, kLineSeparator);
    caret = {caret.line + 1, 1};
    return {1, true};
  }
  // One character: a unit of its own or a whole pair; a lone half is not text.
  std::u16string_view unit = character.substr(0, 1);
  if (IsHigh(c)) {
    if (character.size() < 2 || !IsLow(character[1])) return {};
    unit = character.substr(0, 2);
  } else if (IsLow(c)) {
    return {};
  }
  if (static_cast<int>(text.size() + unit.size()) > kMaxTextUnits) return {};
  text.insert(index, unit);
  caret = CaretAt(text, index + static_cast<int>(unit.size()));
  return {0, true};
}

TextChange DeleteAt(std::u16string& text, Caret& caret) {
  const int index = CaretIndex(text, caret);
  if (index >= static_cast<int>(text.size())) return {};
  const int size = static_cast<int>(text.size());
  const int removed = index + 1 < size && IsHigh(text[index]) && IsLow(text[index + 1]) ? 2 : 1;
  const bool separator = text[index] == kLineSeparator;
  text.erase(index, removed);
  caret = CaretAt(text, index);
  return {separator ? -1 : 0, true};
}

bool MoveCaret(std::u16string_view text, Caret& caret, int key) {
  const std::vector<LineSpan> lines = LineSpans(text);
  const int count = static_cast<int>(lines.size());
  caret.line = std::clamp(caret.line, 1, count);
  const auto lineOf = [&](int n) { return lines[n - 1]; };
  const auto end = [&](int n) { return lineOf(n).length + 1; };
  caret.column = std::clamp(caret.column, 1, end(caret.line));
  switch (key) {
    case Qt::Key_PageUp:
      caret = {1, 1};
      return true;
    case Qt::Key_PageDown:
      caret = {count, end(count)};
      return true;
    case Qt::Key_Home:
      caret.column = 1;
      return true;
    case Qt::Key_End:
      caret.column = end(caret.line);
      return true;
    case Qt::Key_Left:
      caret.column = WholeColumn(text, lineOf(caret.line), std::max(1, caret.column - 1));
      return true;
    case Qt::Key_Right: {
      const LineSpan line = lineOf(caret.line);
      int column = std::min(end(caret.line), caret.column + 1);
      if (column - 1 < line.length && IsLow(text[line.start + column - 1]) &&
          IsHigh(text[line.start + column - 2])) {
        ++column;
      }
      caret.column = column;
      return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
      caret.line = std::clamp(caret.line + (key == Qt::Key_Up ? -1 : 1), 1, count);
      caret.column = WholeColumn(text, lineOf(caret.line), std::min(caret.column, end(caret.line)));
      return true;
    default:
      return false;
  }
}

TextEntry::~TextEntry() = default;

namespace {

// The ends and the angle of a new text box from a to b: along the preset angle when there is
// one (the ends swap when rounding turned a short box around), else the direction of a to b.
void PlaceTextBox(ItemRecord& text, Point a, Point b, const GeometryContext& geometry) {
  const int32_t preset = text.presetTextAngle();
  if (preset >= 0) {
    text.setTextAngle((preset % 360) * 10);
    if (a != b && DegreesBetween(AngleOf(a, b) * 180 / std::numbers::pi, preset) > 5) {
      std::swap(a, b);
    }
  } else if (a != b) {
    text.setTextAngle(RoundToInt32(AngleOf(a, b) * 1800 / std::numbers::pi) % 3600);
  } else {
    text.setTextAngle(0);
  }
  text.setX1(a.x);
  text.setY1(a.y);
  text.setX2(b.x);
  text.setY2(b.y);
  BoundsAfterTransform(text, geometry);
}

// The second click of a text box is held on the preset direction through the first.
Point BoxEnd(Point a, Point b, const TParams& params) {
  return params.tdir >= 0 ? ConstrainToDirection(a, b, params.tdir) : b;
}

}  // namespace

ItemRecord& TextEntry::NewText(Point a, Point b) {
  ItemList& list = context_.Items();
  ItemRecord& text = NewItem(list, kKindText, context_.Events());
  StyleNewText(text, context_.Settings());
  PlaceTextBox(text, a, b, context_.Geometry());
  context_.RemoveSelectionMarks();
  SelectOnly(list, &text);
  context_.Events().SelectionChanged();
  item_ = &text;
  caret_ = {1, 1};
  return text;
}

Quad TextEntry::BoxFrame(Point a, Point b) const {
  const GeometryContext geometry = context_.Geometry();
  ItemRecord probe;
  probe.setPersisted(ItemRecord::DefaultBytes());
  probe.setKind(kKindText);
  StyleNewText(probe, context_.Settings());
  PlaceTextBox(probe, a, BoxEnd(a, b, context_.Settings()), geometry);
  if (geometry.text == nullptr) return {{a, b, b, a}};
  return TextRect(probe, geometry.text->Measure(probe, 1.0), geometry.textHandle).corners;
}

void TextEntry::StartTyped(Point start, std::u16string_view first) {
  Point end = start;
  const int32_t preset = context_.Settings().tdir;
  if (preset >= 0) {
    // The box starts as wide as the first character, along the preset direction.
    ItemRecord probe;
    probe.setPersisted(ItemRecord::DefaultBytes());
    StyleNewText(probe, context_.Settings());
    const int32_t w = LineWidth(probe, ToQString(first), 1.0, context_.Geometry().screen);
    end = MoveAlong(start, preset, w);
  }
  NewText(start, end);
  Type(first);
}

void TextEntry::CreateBox(Point a, Point b) {
  NewText(a, BoxEnd(a, b, context_.Settings()));
  context_.Events().RepaintArea(Area());
  DrawFrame();
  ShowCaret();
}

void TextEntry::Open(ItemRecord& text) {
  ItemList& list = context_.Items();
  context_.RemoveSelectionMarks();
  SelectOnly(list, &text);
  BeginEdit(list, context_.Events(), false);
  item_ = SoleSelected(list);
  if (item_ == nullptr) return;
  const std::vector<LineSpan> lines = LineSpans(GetText(*item_));
  caret_ = {static_cast<int>(lines.size()), lines.back().length + 1};
  DrawFrame();
  ShowCaret();
}

Rect TextEntry::Area() const {
  const int32_t margin = item_->shadowSize() + 2 * item_->fontSize() + 8;
  return {item_->boundLeft() - margin, item_->boundTop() - margin, item_->boundRight() + margin,
          item_->boundBottom() + margin};
}

void TextEntry::ShiftLines(int lines) {
  if (lines == 0) return;
  const double h = static_cast<double>(LineHeight(*item_, context_.Geometry().screen)) * lines;
  const double theta = TextDirection(*item_);
  const int32_t dx = RoundToInt32(h * std::sin(theta));
  const int32_t dy = RoundToInt32(h * std::cos(theta));
  item_->setX1(ClampToInt32(int64_t{item_->x1()} + dx));
  item_->setY1(ClampToInt32(int64_t{item_->y1()} + dy));
  item_->setX2(ClampToInt32(int64_t{item_->x2()} + dx));
  item_->setY2(ClampToInt32(int64_t{item_->y2()} + dy));
}

void TextEntry::Rejustify(bool exact, const std::function<void(ItemRecord&)>& change) {
  if (item_ == nullptr) return;
  Changed({0, true, exact}, change);
}

void TextEntry::ApplySettings() {
  if (item_ == nullptr) return;
  const TParams& params = context_.Settings();
  const uint8_t justification = item_->justification();
  const int32_t preset = item_->presetTextAngle();
  const uint8_t surface = item_->surface();
  const uint8_t shadow[] = {item_->shadowSize(), item_->shadowSoftness(), item_->shadowLightness()};
  StyleNewText(*item_, params);
  // Justification, preset angle, shadow and surface are not the font's; they stay.
  item_->setJustification(justification);
  item_->setPresetTextAngle(preset);
  item_->setSurface(surface);
  item_->setShadowSize(shadow[0]);
  item_->setShadowSoftness(shadow[1]);
  item_->setShadowLightness(shadow[2]);
  if (params.tangle >= 0) item_->setTextAngle(params.tangle % 3600);
  Changed({0, true, true});
}

void TextEntry::Fit(bool exact) {
  const GeometryContext geometry = context_.Geometry();
  int32_t widest = 0;
  for (std::u16string_view line : Lines(*item_))
    widest = std::max(widest, LineWidth(*item_, ToQString(line), 1.0, geometry.screen));
  Point a{item_->x1(), item_->y1()}, b{item_->x2(), item_->y2()};
  const double length = DistanceOf(a, b);
  if (widest > length || exact) {
    const double degrees = Degrees(*item_);
    switch (item_->justification()) {
      case 3:
        a = MoveAlong(b, degrees + 180, widest);
        break;
      case 2: {
        const double half = (widest - length) / 2;
        const Point na = MoveAlong(a, degrees + 180, half);
        b = MoveAlong(b, degrees, half);
        a = na;
        break;
      }
      default:
        b = MoveAlong(a, degrees, widest);
        break;
    }
    item_->setX1(a.x);
    item_->setY1(a.y);
    item_->setX2(b.x);
    item_->setY2(b.y);
  }
  BoundsAfterTransform(*item_, geometry);
}

void TextEntry::Changed(const TextChange& change, const std::function<void(ItemRecord&)>& edit) {
  if (!change.changed) return;
  HideCaret();
  // The old area is taken before the record changes, so that what it covered is drawn again.
  const Rect before = Area();
  if (edit) edit(*item_);
  ShiftLines(change.linesAdded);
  Fit(change.exact);
  const Rect after = Area();
  context_.Events().RepaintArea({std::min(before.left, after.left), std::min(before.top, after.top),
                                 std::max(before.right, after.right),
                                 std::max(before.bottom, after.bottom)});
  DrawFrame();
  ShowCaret();
}

void TextEntry::Type(std::u16string_view character) {
  if (item_ == nullptr) return;
  std::u16string text = GetText(*item_);
  const TextChange change = TypeAt(text, caret_, character);
  if (change.changed) SetText(*item_, text);
  Changed(change);
}

void TextEntry::DeleteForward() {
  if (item_ == nullptr) return;
  std::u16string text = GetText(*item_);
  const TextChange change = DeleteAt(text, caret_);
  if (change.changed) SetText(*item_, text);
  Changed(change);
}

bool TextEntry::CaretKey(int key) {
  if (item_ == nullptr) return false;
  Caret moved = caret_;
  if (!MoveCaret(GetText(*item_), moved, key)) return false;
  HideCaret();
  caret_ = moved;
  ShowCaret();
  return true;
}

namespace {

// Where each line's baseline starts, from the first line down, in document pixels.
std::vector<Point> LineStarts(const ItemRecord& text, const ScreenMetrics& screen) {
  std::vector<Point> starts;
  for (const TextLinePlacement& line :
       PlaceTextLines(text, TargetMapping::Document(), false, screen)) {
    starts.push_back(line.start);
  }
  std::reverse(starts.begin(), starts.end());
  if (starts.empty()) {
    const Point a{text.x1(), text.y1()}, b{text.x2(), text.y2()};
    starts.push_back(JustifyStart(text, a, RoundToInt32(DistanceOf(a, b)), 0));
  }
  return starts;
}

// The width of the first units of a line, in document pixels.
int32_t PrefixWidth(const ItemRecord& text, std::u16string_view line, int units,
                    const ScreenMetrics& screen) {
  if (units <= 0) return 0;
  return LineWidth(text, ToQString(line.substr(0, static_cast<std::size_t>(units))), 1.0, screen);
}

bool InsideQuad(const Quad& q, Point p) {
  bool positive = false, negative = false;
  for (int i = 0; i < 4; ++i) {
    const Point a = q[i], b = q[(i + 1) % 4];
    const double cross =
        (double(b.x) - a.x) * (double(p.y) - a.y) - (double(b.y) - a.y) * (double(p.x) - a.x);
    positive |= cross > 0;
    negative |= cross < 0;
  }
  return !(positive && negative);
}

}  // namespace

bool TextEntry::CaretClick(Point canvas) {
  if (item_ == nullptr || context_.Geometry().text == nullptr) return false;
  const GeometryContext geometry = context_.Geometry();
  const Point p = context_.ToDocument(canvas);
  const TextBlock block =
      TextRect(*item_, geometry.text->Measure(*item_, 1.0), geometry.textHandle);
  if (!InsideQuad(block.corners, p)) return false;
  const double theta = TextDirection(*item_);
  const double ux = std::cos(theta), uy = -std::sin(theta);
  const std::vector<std::u16string_view> lines = Lines(*item_);
  const std::vector<Point> starts = LineStarts(*item_, geometry.screen);
  double best = -1;
  Caret found = caret_;
  for (std::size_t n = 0; n < starts.size(); ++n) {
    const std::u16string_view line = n < lines.size() ? lines[n] : std::u16string_view{};
    const double dx = double(p.x) - starts[n].x, dy = double(p.y) - starts[n].y;
    const double along = dx * ux + dy * uy;
    const double across = -dx * uy + dy * ux;
    // The advance grows with the boundary: search the one nearest the point along the line.
    int lo = 0, hi = static_cast<int>(line.size());
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (PrefixWidth(*item_, line, mid + 1, geometry.screen) <= along) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    for (int j : {lo - 1, lo, lo + 1}) {
      if (j < 0 || j > static_cast<int>(line.size())) continue;
      if (j > 0 && j < static_cast<int>(line.size()) && IsLow(line[j]) && IsHigh(line[j - 1])) {
        continue;
      }
      const double off = PrefixWidth(*item_, line, j, geometry.screen) - along;
      const double distance = std::hypot(off, across);
      if (best < 0 || distance < best) {
        best = distance;
        found = {static_cast<int>(n) + 1, j + 1};
      }
    }
  }
  HideCaret();
  caret_ = found;
  ShowCaret();
  return true;
}

void TextEntry::ShowCaret() {
  if (item_ == nullptr || caretShown_) return;
  const GeometryContext geometry = context_.Geometry();
  const std::vector<std::u16string_view> lines = Lines(*item_);
  const std::vector<Point> starts = LineStarts(*item_, geometry.screen);
  const int n = std::clamp(caret_.line, 1, static_cast<int>(starts.size())) - 1;
  const std::u16string_view line =
      n < static_cast<int>(lines.size()) ? lines[n] : std::u16string_view{};
  const double degrees = Degrees(*item_);
  const Point base =
      MoveAlong(starts[n], degrees, PrefixWidth(*item_, line, caret_.column - 1, geometry.screen));
  const int32_t ascent = MeasureFont(*item_, 1.0, geometry.screen).ascent;
  const Point top = MoveAlong(base, degrees + 90, ascent);
  const Point a = context_.ToCanvasPoint(base), b = context_.ToCanvasPoint(top);
  const int width = geometry.zoom > 1 ? 2 : 1;
  const Rect area{std::min(a.x, b.x) - 2, std::min(a.y, b.y) - 2, std::max(a.x, b.x) + 3,
                  std::max(a.y, b.y) + 3};
  context_.Marks().Save(Overlay::kCaret, area);
  context_.PaintCaret(a, b, static_cast<uint32_t>(item_->textColor()), width);
  context_.CanvasChanged(area);
  caretShown_ = true;
}

void TextEntry::HideCaret() {
  if (!caretShown_) return;
  context_.CanvasChanged(context_.Marks().Restore(Overlay::kCaret));
  caretShown_ = false;
}

void TextEntry::Blink() {
  if (caretShown_) {
    HideCaret();
  } else {
    ShowCaret();
  }
}

void TextEntry::DrawFrame() {
  const GeometryContext geometry = context_.Geometry();
  if (item_ == nullptr || geometry.text == nullptr) return;
  const TextBlock block =
      TextRect(*item_, geometry.text->Measure(*item_, 1.0), geometry.textHandle);
  for (int i = 0; i < 4; ++i) {
    context_.PaintGuide(context_.ToCanvasPoint(block.corners[i]),
                        context_.ToCanvasPoint(block.corners[(i + 1) % 4]));
  }
  context_.CanvasChanged(context_.ToCanvas(
      {block.block.left - 1, block.block.top - 1, block.block.right + 2, block.block.bottom + 2}));
}

void TextEntry::End() {
  HideCaret();
  item_ = nullptr;
}

}  // namespace quillon
