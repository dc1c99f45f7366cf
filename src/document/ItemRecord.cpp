// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ItemRecord.h"

#include <algorithm>

#include "document/ItemList.h"
#include "document/RecordPool.h"
#include "document/ScreenMetrics.h"

namespace quillon {
namespace {

constexpr int SizeOf(FieldType type) {
  switch (type) {
    case FieldType::U8:
      return 1;
    case FieldType::F64:
      return 8;
    case FieldType::Name:
      return 33;
    default:
      return 4;
  }
}

#define QUILLON_FIELD_INFO(name, setter, type, offset) \
  FieldInfo{#name, FieldType::type, offset, SizeOf(FieldType::type)},

constexpr auto kItemFields = std::to_array<FieldInfo>({
    QUILLON_ITEM_FIELDS(QUILLON_FIELD_INFO)  //
    FieldInfo{"fontName", FieldType::Name, 148, 33},
});
constexpr auto kPageFields = std::to_array<FieldInfo>({QUILLON_PAGE_FIELDS(QUILLON_FIELD_INFO)});
#undef QUILLON_FIELD_INFO

constexpr auto kPageReserved = std::to_array<FieldInfo>({
    FieldInfo{"reserved144", FieldType::I32, 144, 4},
    FieldInfo{"reserved322", FieldType::U8, 322, 1},
});

// Every field lies inside the persisted part and no two fields of one table overlap.
template <std::size_t N>
constexpr bool FieldsAreSound(const std::array<FieldInfo, N>& fields) {
  for (std::size_t i = 0; i < N; ++i) {
    if (fields[i].offset < 0 || fields[i].offset + fields[i].size > kPersistedSize) return false;
    for (std::size_t j = i + 1; j < N; ++j) {
      const bool apart = fields[i].offset + fields[i].size <= fields[j].offset ||
                         fields[j].offset + fields[j].size <= fields[i].offset;
      if (!apart) return false;
    }
  }
  return true;
}
static_assert(FieldsAreSound(kItemFields), "item field table overlaps or overflows");
static_assert(FieldsAreSound(kPageFields), "page field table overlaps or overflows");
static_assert(kPageFields.back().offset + kPageFields.back().size == 328);

ItemRecord::Bytes MakeDefaultBytes() {
  ItemRecord record;
  record.setMagic(kMagic);
  record.setDocumentId(-1);
  record.setAuxColor(0x00FFFFFF);
  record.setPenWidth(1);
  record.setFontSize(12);
  record.setFontWeight(400);
  record.setJustification(1);
  record.setFontName("Arial");
  record.setFillColor(-2);
  record.setDirection(-1.0);
  record.setHistoryState(1);
  record.setCurveFactor(0.27614237);
  record.setScaleX(1.0);
  record.setScaleY(1.0);
  record.setMirrorSign(1);
  record.setFlipSign(1);
  record.setSourceScale(1.0);
  ItemRecord::Bytes bytes = record.persisted();
  const int32_t white = 0x00FFFFFF;  // the reserved field at offset 189
  std::memcpy(bytes.data() + 189, &white, sizeof white);
  return bytes;
}

}  // namespace

std::span<const FieldInfo> ItemFields() {
  return kItemFields;
}
std::span<const FieldInfo> PageFields() {
  return kPageFields;
}
std::span<const FieldInfo> PageReservedSpans() {
  return kPageReserved;
}

ItemRecord::ItemRecord() = default;
namespace {

// Built in place, so that a record read from a file is not first cleared.
ItemRecord::Bytes CopyOf(std::span<const uint8_t, kPersistedSize> bytes) {
  ItemRecord::Bytes copy;
  std::copy(bytes.begin(), bytes.end(), copy.begin());
  return copy;
}

}  // namespace

ItemRecord::ItemRecord(std::span<const uint8_t, kPersistedSize> bytes) : bytes_(CopyOf(bytes)) {}
ItemRecord::~ItemRecord() = default;

void* ItemRecord::operator new(std::size_t size) {
  return AllocateRecord(size);
}
void ItemRecord::operator delete(void* storage, std::size_t size) noexcept {
  ReleaseRecord(storage, size);
}

const ItemRecord::Bytes& ItemRecord::DefaultBytes() {
  static const Bytes kDefaults = MakeDefaultBytes();
  return kDefaults;
}

void ItemRecord::setPersisted(std::span<const uint8_t, kPersistedSize> bytes) {
  std::copy(bytes.begin(), bytes.end(), bytes_.begin());
  if (owner_ != nullptr) owner_->RecordReplaced(*this);
}

void ItemRecord::NotifyOwner(int offset, int32_t oldValue, int32_t newValue) {
  owner_->FieldChanged(*this, offset, oldValue, newValue);
}

std::string ItemRecord::fontName() const {
  const int length = std::min<int>(bytes_[148], 32);
  return std::string(reinterpret_cast<const char*>(bytes_.data() + 149), length);
}

void ItemRecord::setFontName(std::string_view name) {
  const auto length = static_cast<uint8_t>(std::min<std::size_t>(name.size(), 32));
  bytes_[148] = length;
  std::memcpy(bytes_.data() + 149, name.data(), length);
}

void PointEntry::Store(uint8_t* out) const {
  const Point* all[] = {&point,     &pointAtDragStart,    &handleIn,
                        &handleOut, &handleInAtDragStart, &handleOutAtDragStart};
  for (int i = 0; i < 6; ++i) {
    std::memcpy(out + 8 * i, &all[i]->x, 4);
    std::memcpy(out + 8 * i + 4, &all[i]->y, 4);
  }
  out[48] = pointFlagA;
  out[49] = pointFlagB;
  std::memcpy(out + 50, reserved.data(), reserved.size());
}

PointEntry PointEntry::Load(const uint8_t* in) {
  PointEntry entry;
  Point* all[] = {&entry.point,     &entry.pointAtDragStart,    &entry.handleIn,
                  &entry.handleOut, &entry.handleInAtDragStart, &entry.handleOutAtDragStart};
  for (int i = 0; i < 6; ++i) {
    std::memcpy(&all[i]->x, in + 8 * i, 4);
    std::memcpy(&all[i]->y, in + 8 * i + 4, 4);
  }
  entry.pointFlagA = in[48];
  entry.pointFlagB = in[49];
  std::memcpy(entry.reserved.data(), in + 50, entry.reserved.size());
  return entry;
}

const char* KindName(int32_t kind) {
  switch (kind) {
    case kKindText:
      return "text";
    case kKindLine:
      return "line";
    case kKindTriangle:
      return "triangle";
    case kKindSquare:
      return "square";
    case kKindRectangle:
      return "rectangle";
    case kKindCircle:
      return "circle";
    case kKindEllipse:
      return "ellipse";
    case kKindPolygon:
      return "polygon";
    case kKindStar:
      return "star";
    case kKindPie:
      return "pie";
    case kKindArc:
      return "arc";
    case kKindSpline:
      return "spline";
    case kKindCurve:
      return "curve";
    case kKindPicture:
      return "picture";
    case kKindGroupFrame:
      return "group frame";
    case kKindPageSetup:
      return "page setup";
    case kKindDeletionMarker:
      return "deletion marker";
    case kKindAnchors:
      return "anchors";
    case kKindPictureSource:
      return "picture source";
    default:
      return "unknown kind";
  }
}

const std::u16string& GetText(const ItemRecord& record) {
  return record.text();
}

void SetText(ItemRecord& record, std::u16string_view text) {
  std::size_t length = std::min<std::size_t>(text.size(), kMaxTextUnits);
  const bool cutsPair = length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
                        text[length - 1] <= 0xDBFF;
  if (cutsPair) --length;
  record.text_.assign(text.substr(0, length));
}

int TextLength(const ItemRecord& record) {
  return static_cast<int>(record.text().size());
}

int LineCount(const ItemRecord& record) {
  const auto& text = record.text();
  if (text.empty()) return 0;
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), kLineSeparator));
}

std::u16string LineText(const ItemRecord& record, int n) {
  const auto& text = record.text();
  if (n < 1 || n > LineCount(record)) return {};
  std::size_t start = 0;
  for (int line = 1; line < n; ++line)
    start = text.find(kLineSeparator, start) + 1;
  const std::size_t end = text.find(kLineSeparator, start);
  return text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
}

std::vector<std::u16string_view> Lines(const ItemRecord& record) {
  const std::u16string_view text = record.text();
  std::vector<std::u16string_view> lines;
  if (text.empty()) return lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(kLineSeparator, start);
    lines.push_back(text.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) return lines;
    start = end + 1;
  }
}

char16_t CodeUnitAt(const ItemRecord& record, int n) {
  const auto& text = record.text();
  return n >= 0 && static_cast<std::size_t>(n) < text.size() ? text[n] : char16_t{0};
}

namespace {

// Bounds, diagonal and angle from x1..y2 (and the circle box of a round picture).
void DeriveFromPixels(ItemRecord& r, bool roundPictureBox) {
  const int32_t x1 = r.x1(), y1 = r.y1(), x2 = r.x2(), y2 = r.y2();
  if (roundPictureBox) {
    const int64_t radius = RoundedSingleLength(int64_t{x1} - x2, int64_t{y1} - y2);
    r.setBoundLeft(ClampToInt32(x1 - radius));
    r.setBoundRight(ClampToInt32(x1 + radius));
    r.setBoundTop(ClampToInt32(y1 - radius));
    r.setBoundBottom(ClampToInt32(y1 + radius));
    r.setBoundWidth(ClampToInt32(2 * radius));
    r.setBoundHeight(ClampToInt32(2 * radius));
  } else {
    r.setBoundLeft(std::min(x1, x2));
    r.setBoundRight(std::max(x1, x2));
    r.setBoundTop(std::min(y1, y2));
    r.setBoundBottom(std::max(y1, y2));
    r.setBoundWidth(ClampToInt32(std::abs(int64_t{x2} - x1)));
    r.setBoundHeight(ClampToInt32(std::abs(int64_t{y2} - y1)));
  }
  r.setDiagonal(RoundedSingleLength(r.boundWidth(), r.boundHeight()));
  r.setAngle(AngleOf({x1, y1}, {x2, y2}));
}

}  // namespace

void RecomputeFromReal(ItemRecord& r, const ScreenMetrics& screen) {
  r.setX1(RoundToInt32(r.realX1() / screen.PxPerMmX()));
  r.setY1(RoundToInt32(r.realY1() / screen.PxPerMmY()));
  r.setX2(RoundToInt32(r.realX2() / screen.PxPerMmX()));
  r.setY2(RoundToInt32(r.realY2() / screen.PxPerMmY()));
  DeriveFromPixels(r, r.kind() == kKindPicture && r.clipShape() == 2);
}

void RecomputeDerived(ItemRecord& r, const ScreenMetrics& screen) {
  DeriveFromPixels(r, false);
  RealFromPixels(r, screen);
}

void RealFromPixels(ItemRecord& r, const ScreenMetrics& screen) {
  r.setRealX1(r.x1() * screen.PxPerMmX());
  r.setRealY1(r.y1() * screen.PxPerMmY());
  r.setRealX2(r.x2() * screen.PxPerMmX());
  r.setRealY2(r.y2() * screen.PxPerMmY());
}

PointEntry& NewPoint(std::vector<PointEntry>& points) {
  return points.emplace_back();
}
void ClearPoints(std::vector<PointEntry>& points) {
  points.clear();
}
int PointCount(const std::vector<PointEntry>& points) {
  return static_cast<int>(points.size());
}

Point PointAt(const std::vector<PointEntry>& points, int n) {
  if (n < 1 || n > PointCount(points)) return {};
  return points[n - 1].point;
}

void AddStamp(ItemRecord& record, int32_t stamp) {
  record.selectionStamps.push_back(stamp);
  if (record.owner_ != nullptr) record.owner_->NoteStamp(record, stamp);
}
void FreeStamps(ItemRecord& record) {
  if (record.owner_ != nullptr) record.owner_->ForgetStamps(record);
  record.selectionStamps.clear();
}

void RemovePoint(ItemRecord& record, int index) {
  if (index >= 0 && index < PointCount(record.points)) {
    record.points.erase(record.points.begin() + index);
  }
}

void SetPackedShadow(ItemRecord& record, int32_t packed) {
  record.setShadowSize(static_cast<uint8_t>(packed & 0xFF));
  record.setShadowSoftness(static_cast<uint8_t>((packed >> 8) & 0xFF));
  record.setShadowLightness(static_cast<uint8_t>((packed >> 16) & 0xFF));
}

}  // namespace quillon
