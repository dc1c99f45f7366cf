// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecordReport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "document/PageSetup.h"

namespace quillon {
namespace {

// JSON text of code units: ASCII as it is, everything else as \uXXXX of each UTF-16 unit, so
// that any text survives, unpaired surrogates included.
template <class Unit>
void WriteJsonString(std::ostream& out, const std::basic_string<Unit>& text) {
  out << '"';
  for (Unit c : text) {
    const auto unit = static_cast<std::make_unsigned_t<Unit>>(c);
    if (unit == '"' || unit == '\\') {
      out << '\\' << static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
      out << static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
      out << escaped;
    }
  }
  out << '"';
}

void WriteDouble(std::ostream& out, double value) {
  if (!std::isfinite(value)) {
    out << "null";
    return;
  }
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.write(digits, result.ptr - digits);
}

int32_t LoadI32(const ItemRecord& r, int offset) {
  int32_t v;
  std::memcpy(&v, r.persisted().data() + offset, 4);
  return v;
}

void WriteField(std::ostream& out, const ItemRecord& r, const FieldInfo& field) {
  out << '"' << field.name << "\": ";
  const uint8_t* p = r.persisted().data() + field.offset;
  switch (field.type) {
    case FieldType::I32:
      out << LoadI32(r, field.offset);
      break;
    case FieldType::U32: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      out << v;
      break;
    }
    case FieldType::U8:
      out << static_cast<int>(*p);
      break;
    case FieldType::F64: {
      double v;
      std::memcpy(&v, p, 8);
      WriteDouble(out, v);
      break;
    }
    case FieldType::Name:
      WriteJsonString(out, r.fontName());
      break;
  }
}

bool Overlaps(const FieldInfo& a, const FieldInfo& b) {
  return a.offset < b.offset + b.size && b.offset < a.offset + a.size;
}

// The page record shows its own names where they lie over item fields.
bool HiddenByPageFields(const FieldInfo& itemField) {
  for (const auto& table : {PageFields(), PageReservedSpans()}) {
    for (const FieldInfo& f : table) {
      if (Overlaps(itemField, f)) return true;
    }
  }
  return false;
}

void WritePoint(std::ostream& out, const char* name, Point p) {
  out << '"' << name << "\": [" << p.x << ", " << p.y << ']';
}

void WritePoints(std::ostream& out, const ItemRecord& r) {
  out << ", \"points\": [";
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    const PointEntry& e = r.points[i];
    out << (i ? ", {" : "{");
    WritePoint(out, "point", e.point);
    out << ", ";
    WritePoint(out, "pointAtDragStart", e.pointAtDragStart);
    out << ", ";
    WritePoint(out, "handleIn", e.handleIn);
    out << ", ";
    WritePoint(out, "handleOut", e.handleOut);
    out << ", ";
    WritePoint(out, "handleInAtDragStart", e.handleInAtDragStart);
    out << ", ";
    WritePoint(out, "handleOutAtDragStart", e.handleOutAtDragStart);
    out << ", \"pointFlagA\": " << int(e.pointFlagA) << ", \"pointFlagB\": " << int(e.pointFlagB)
        << '}';
  }
  out << ']';
}

void WriteAnchors(std::ostream& out, const char* name, const std::vector<AnchorEntry>& anchors) {
  out << ", \"" << name << "\": [";
  bool first = true;
  for (const AnchorEntry& a : anchors) {
    if (a.deleted != 0) continue;
    out << (first ? "" : ", ") << a.position;
    first = false;
  }
  out << ']';
}

int PatternSegmentsInUse(const ItemRecord& r) {
  return std::clamp(r.patternCount(), 0, kPatternSegments);
}

void WriteRecordJson(std::ostream& out, const ItemRecord& r) {
  const bool page = r.kind() == kKindPageSetup;
  out << '{';
  bool first = true;
  auto separate = [&] {
    if (!first) out << ", ";
    first = false;
  };
  for (const FieldInfo& field : ItemFields()) {
    if (page && HiddenByPageFields(field)) continue;
    separate();
    WriteField(out, r, field);
  }
  if (page) {
    for (const FieldInfo& field : PageFields()) {
      separate();
      WriteField(out, r, field);
    }
  }
  out << ", \"text\": ";
  if (r.text().empty()) {
    out << "null";
  } else {
    WriteJsonString(out, r.text());
  }
  if (IsPointListKind(r.kind())) WritePoints(out, r);
  if (r.kind() == kKindAnchors) {
    WriteAnchors(out, "verticalAnchors", r.verticalAnchors);
    WriteAnchors(out, "horizontalAnchors", r.horizontalAnchors);
  }
  if (r.kind() == kKindPictureSource) out << ", \"pictureDataLength\": " << r.pictureData.size();
  if (r.recordClass() == kClassLinePattern) {
    out << ", \"patternCount\": " << r.patternCount() << ", \"patternSegments\": [";
    for (int i = 0; i < PatternSegmentsInUse(r); ++i) {
      if (i) out << ", ";
      WriteDouble(out, r.patternSegment(i));
    }
    out << ']';
  }
  out << '}';
}

// The kind's name, with the names the user knows for a solid spline, an oblong curve and a
// custom line pattern.
const char* RecordName(const ItemRecord& r) {
  if (r.recordClass() == kClassLinePattern) return "line pattern";
  if (r.kind() == kKindSpline && r.shapeStyle() == 2) return "solid";
  if (r.kind() == kKindCurve && r.shapeStyle() == 2) return "oblong";
  return KindName(r.kind());
}

const char* UnitName(int32_t units) {
  switch (units) {
    case kUnitPixels:
      return "pixels";
    case kUnitMillimetres:
      return "mm";
    case kUnitInches:
      return "inches";
    default:
      return "unknown units";
  }
}

void WritePageSummary(std::ostream& out, const ItemRecord& page) {
  out << "Page: kind " << PageKindOf(page) << ", " << page.pageWidth() << " x " << page.pageHeight()
      << ' ' << UnitName(page.pageUnits());
  if (page.rows() > 0 || page.columns() > 0) {
    out << ", " << page.columns() << " x " << page.rows() << " cards of " << page.cardWidth()
        << " x " << page.cardHeight();
  }
  out << ", design " << page.designWidth() << " x " << page.designHeight() << ", format version "
      << page.formatVersion() << (page.modified() ? ", modified" : "") << '\n';
}

void WriteRecordLine(std::ostream& out, int index, const ItemRecord& r) {
  char head[64];
  std::snprintf(head, sizeof head, "%5d  %-16s", index, RecordName(r));
  out << head;
  if (r.recordClass() == kClassContent) {
    out << " id " << r.itemId() << ", level " << r.stackLevel() << ", (" << r.x1() << ", " << r.y1()
        << ")-(" << r.x2() << ", " << r.y2() << ")";
    if (r.groupNumber() != 0) out << ", group " << r.groupNumber();
    if (r.hidden() != 0) out << ", hidden";
  } else {
    out << " class " << r.recordClass();
  }
  if (IsPointListKind(r.kind())) out << ", " << r.points.size() << " points";
  if (r.kind() == kKindText || r.kind() == kKindPictureSource) {
    out << ", " << LineCount(r) << " text lines";
  }
  if (r.kind() == kKindAnchors) {
    out << ", " << r.verticalAnchors.size() << " vertical and " << r.horizontalAnchors.size()
        << " horizontal anchor lines";
  }
  if (r.kind() == kKindPictureSource) out << ", " << r.pictureData.size() << " picture bytes";
  out << '\n';
}

}  // namespace

void WriteRecordsJson(const ItemList& list, std::ostream& out) {
  out << "{\"records\": [";
  bool first = true;
  for (const ItemRecord& r : list) {
    out << (first ? "\n" : ",\n");
    first = false;
    WriteRecordJson(out, r);
  }
  out << "\n]}\n";
}

void WriteRecordsSummary(const ItemList& list, std::ostream& out) {
  out << list.size() << (list.size() == 1 ? " record\n" : " records\n");
  if (const ItemRecord* page = FindPageRecord(list)) {
    WritePageSummary(out, *page);
  } else {
    out << "No page setup record\n";
  }
  int index = 0;
  for (const ItemRecord& r : list)
    WriteRecordLine(out, ++index, r);
}

}  // namespace quillon
