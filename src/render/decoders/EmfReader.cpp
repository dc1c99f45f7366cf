// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the records of an enhanced metafile (EMF). libUEMF gives the record layouts and checks
// each record's counts and offsets; every read here is bounded by the record's own size too.
#include <uemf.h>
#include <uemf_safe.h>

#include <cmath>
#include <cstring>

#include "render/decoders/MetafilePlayer.h"

namespace quillon {
namespace {

// One record: fields are copied out with bounds checks, never read through a cast pointer.
class EmfRecord {
 public:
  explicit EmfRecord(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t size() const { return bytes_.size(); }
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  template <class T>
  T At(size_t offset) const {
    T value{};
    if (Has(offset, sizeof(T))) std::memcpy(&value, bytes_.data() + offset, sizeof(T));
    return value;
  }
  int32_t I32(size_t offset) const { return At<int32_t>(offset); }
  uint32_t U32(size_t offset) const { return At<uint32_t>(offset); }
  QPointF PointL(size_t offset) const { return QPointF(I32(offset), I32(offset + 4)); }
  QPointF Point16(size_t offset) const {
    return QPointF(At<int16_t>(offset), At<int16_t>(offset + 2));
  }
  // A run of 32-bit or 16-bit points; empty when it does not fit in the record.
  std::vector<QPointF> Points(size_t offset, uint64_t count, bool small) const {
    const uint64_t step = small ? 4 : 8;
    std::vector<QPointF> points;
    if (!Has(offset, count * step)) return points;
    points.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
      const size_t at = offset + static_cast<size_t>(i * step);
      points.push_back(small ? Point16(at) : PointL(at));
    }
    return points;
  }
  std::span<const uint8_t> Slice(uint64_t offset, uint64_t length) const {
    if (!Has(offset, length)) return {};
    return bytes_.subspan(static_cast<size_t>(offset), static_cast<size_t>(length));
  }
  const char* data() const { return reinterpret_cast<const char*>(bytes_.data()); }

 private:
  std::span<const uint8_t> bytes_;
};

// The fixed part each played record needs before any of its fields are read.
size_t MinimumSize(uint32_t type) {
  switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16:
      return 28;
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16:
      return 32;
    case U_EMR_CREATEPEN:
      return 28;
    case U_EMR_CREATEBRUSHINDIRECT:
      return 24;
    case U_EMR_EXTCREATEPEN:
      return 52;
    case U_EMR_EXTCREATEFONTINDIRECTW:
      return 12 + sizeof(U_LOGFONT);
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_EXTTEXTOUTW:
      return 76;
    case U_EMR_ELLIPSE:
    case U_EMR_RECTANGLE:
    case U_EMR_INTERSECTCLIPRECT:
    case U_EMR_EXCLUDECLIPRECT:
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX:
      return 24;
    case U_EMR_ROUNDRECT:
      return 32;
    case U_EMR_ARC:
    case U_EMR_ARCTO:
    case U_EMR_CHORD:
    case U_EMR_PIE:
      return 40;
    case U_EMR_EXTSELECTCLIPRGN:
      return 16;
    case U_EMR_BITBLT:
      return sizeof(U_EMRBITBLT);
    case U_EMR_STRETCHBLT:
      return sizeof(U_EMRSTRETCHBLT);
    case U_EMR_SETDIBITSTODEVICE:
      return sizeof(U_EMRSETDIBITSTODEVICE);
    case U_EMR_STRETCHDIBITS:
      return sizeof(U_EMRSTRETCHDIBITS);
    case U_EMR_SETWINDOWEXTEX:
    case U_EMR_SETWINDOWORGEX:
    case U_EMR_SETVIEWPORTEXTEX:
    case U_EMR_SETVIEWPORTORGEX:
    case U_EMR_MOVETOEX:
    case U_EMR_LINETO:
      return 16;
    case U_EMR_SETMAPMODE:
    case U_EMR_SETBKMODE:
    case U_EMR_SETPOLYFILLMODE:
    case U_EMR_SETTEXTALIGN:
    case U_EMR_SETTEXTCOLOR:
    case U_EMR_SETBKCOLOR:
    case U_EMR_RESTOREDC:
    case U_EMR_SELECTOBJECT:
    case U_EMR_DELETEOBJECT:
    case U_EMR_SETARCDIRECTION:
      return 12;
    case U_EMR_SAVEDC:
    case U_EMR_BEGINPATH:
    case U_EMR_ENDPATH:
    case U_EMR_CLOSEFIGURE:
    case U_EMR_ABORTPATH:
      return 8;
    case U_EMR_FILLPATH:
    case U_EMR_STROKEANDFILLPATH:
    case U_EMR_STROKEPATH:
      return 24;
    default:
      return 0;  // not played
  }
}

// libUEMF's check of a clip region record reads the region header whenever the record says it
// has region data, even when the record is too short to hold one; only a replacing region is
// played, and a record with data must hold at least its 32-byte header.
bool HoldsRegion(uint32_t type, const EmfRecord& r) {
  if (type != U_EMR_EXTSELECTCLIPRGN) return true;
  return r.U32(12) == U_RGN_COPY && (r.U32(8) == 0 || r.size() >= 48);
}

QString FaceName(const uint16_t* units) {
  size_t length = 0;
  while (length < U_LF_FACESIZE && units[length] != 0)
    ++length;
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(units),
                            static_cast<qsizetype>(length));
}

class EmfPlayer {
 public:
  EmfPlayer(MetafileCanvas& canvas, const DecodeLimits& limits)
      : canvas_(canvas), limits_(limits), budget_(limits.maxPixels) {}

  void Play(uint32_t type, const EmfRecord& r);

 private:
  void PolyPoints(uint32_t type, const EmfRecord& r);
  void PolyPoly(uint32_t type, const EmfRecord& r);
  void CreatePen(const EmfRecord& r);
  void ExtCreatePen(const EmfRecord& r);
  void CreateBrush(const EmfRecord& r);
  void CreateFont(const EmfRecord& r);
  void Text(uint32_t type, const EmfRecord& r);
  void ClipRegion(const EmfRecord& r);
  void Blit(uint32_t type, const EmfRecord& r);
  DibImage Dib(const EmfRecord& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
               uint32_t cbBits);

  MetafileCanvas& canvas_;
  const DecodeLimits& limits_;
  // The pixels all of the metafile's bitmaps together may have: no more than one picture.
  int64_t budget_;
};

void EmfPlayer::PolyPoints(uint32_t type, const EmfRecord& r) {
  const bool small = type >= U_EMR_POLYBEZIER16;
  const std::vector<QPointF> points = r.Points(28, r.U32(24), small);
  if (points.empty()) return;
  switch (small ? type - (U_EMR_POLYBEZIER16 - U_EMR_POLYBEZIER) : type) {
    case U_EMR_POLYBEZIER:
      canvas_.PolyBezier(points);
      break;
    case U_EMR_POLYGON:
      canvas_.Polygon(points);
      break;
    case U_EMR_POLYLINE:
      canvas_.Polyline(points);
      break;
    case U_EMR_POLYBEZIERTO:
      canvas_.PolyBezierTo(points);
      break;
    case U_EMR_POLYLINETO:
      canvas_.PolylineTo(points);
      break;
  }
}

void EmfPlayer::PolyPoly(uint32_t type, const EmfRecord& r) {
  const bool small = type == U_EMR_POLYPOLYLINE16 || type == U_EMR_POLYPOLYGON16;
  const uint64_t polys = r.U32(24);
  const uint64_t total = r.U32(28);
  if (!r.Has(32, polys * 4)) return;
  const std::vector<QPointF> points = r.Points(32 + static_cast<size_t>(polys * 4), total, small);
  if (points.size() != total) return;
  std::vector<std::vector<QPointF>> figures;
  uint64_t used = 0;
  for (uint64_t i = 0; i < polys; ++i) {
    const uint64_t count = r.U32(32 + static_cast<size_t>(i * 4));
    if (count > total - used) return;
    figures.emplace_back(points.begin() + static_cast<ptrdiff_t>(used),
                         points.begin() + static_cast<ptrdiff_t>(used + count));
    used += count;
  }
  if (type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYGON16) {
    canvas_.PolyPolygon(figures);
  } else {
    canvas_.PolyPolyline(figures);
  }
}

void EmfPlayer::CreatePen(const EmfRecord& r) {
  const uint32_t style = r.U32(12);
  const int32_t width = r.I32(16);
  // A width of zero is one device pixel whatever the mapping.
  canvas_.CreateObject(r.U32(8),
                       MetaPen{.style = style,
                               .width = width == 0 ? 1.0 : std::abs(static_cast<double>(width)),
                               .deviceWidth = width == 0,
                               .colour = QColor::fromRgb(r.U32(24) & 0xFF, (r.U32(24) >> 8) & 0xFF,
                                                         (r.U32(24) >> 16) & 0xFF)});
}

void EmfPlayer::ExtCreatePen(const EmfRecord& r) {
  const uint32_t style = r.U32(28);
  const uint32_t width = r.U32(32);
  const uint32_t colour = r.U32(40);
  // Cosmetic pens are one device pixel wide; geometric ones are as wide as they say.
  const bool geometric = style & U_PS_GEOMETRIC;
  canvas_.CreateObject(
      r.U32(8),
      MetaPen{.style = style,
              .width = geometric && width > 0 ? static_cast<double>(width) : 1.0,
              .deviceWidth = !geometric || width == 0,
              .colour = QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF)});
}

void EmfPlayer::CreateBrush(const EmfRecord& r) {
  const uint32_t colour = r.U32(16);
  canvas_.CreateObject(r.U32(8), MetaBrush{.style = r.U32(12),
                                           .colour = QColor(colour & 0xFF, (colour >> 8) & 0xFF,
                                                            (colour >> 16) & 0xFF),
                                           .hatch = r.U32(20)});
}

void EmfPlayer::CreateFont(const EmfRecord& r) {
  const U_LOGFONT logFont = r.At<U_LOGFONT>(12);
  canvas_.CreateObject(r.U32(8), MetaFont{.height = logFont.lfHeight,
                                          .width = logFont.lfWidth,
                                          .escapement = logFont.lfEscapement,
                                          .weight = logFont.lfWeight,
                                          .italic = logFont.lfItalic != 0,
                                          .underline = logFont.lfUnderline != 0,
                                          .strikeOut = logFont.lfStrikeOut != 0,
                                          .face = FaceName(logFont.lfFaceName)});
}

// ExtTextOut: the text block starts at byte 36 with the reference point, the character count,
// the string's offset and the options; an optional rectangle and the spacing array's offset
// follow.
void EmfPlayer::Text(uint32_t type, const EmfRecord& r) {
  const QPointF reference = r.PointL(36);
  const uint64_t count = r.U32(44);
  const uint32_t offString = r.U32(48);
  const uint32_t options = r.U32(52);
  const bool hasRect = !(options & U_ETO_NO_RECT);
  const uint32_t offDx = r.U32(hasRect ? 72 : 56);
  std::optional<std::pair<QPointF, QPointF>> rect;
  if (hasRect) rect = std::make_pair(r.PointL(56), r.PointL(64));
  const bool wide = type == U_EMR_EXTTEXTOUTW;
  const std::span<const uint8_t> chars = r.Slice(offString, count * (wide ? 2 : 1));
  if (chars.size() != count * (wide ? 2 : 1)) return;
  QString text;
  if (wide) {
    std::u16string units(static_cast<size_t>(count), u'\0');
    if (!chars.empty()) std::memcpy(units.data(), chars.data(), chars.size());
    text = QString::fromStdU16String(units);
  } else {
    text = QString::fromLatin1(reinterpret_cast<const char*>(chars.data()),
                               static_cast<qsizetype>(count));
  }
  // The spacing array holds one advance per character, or an x and y pair with ETO_PDY.
  std::vector<double> dx;
  const uint64_t stride = (options & U_ETO_PDY) ? 8 : 4;
  if (offDx != 0 && r.Has(offDx, count * stride)) {
    for (uint64_t i = 0; i < count; ++i)
      dx.push_back(r.I32(offDx + static_cast<size_t>(i * stride)));
  }
  canvas_.TextOut(reference, text, dx, options, rect);
}

// ExtSelectClipRgn: the region is a list of device rectangles after a 32-byte header.
void EmfPlayer::ClipRegion(const EmfRecord& r) {
  const uint64_t length = r.U32(8);
  const uint32_t mode = r.U32(12);
  if (mode != U_RGN_COPY) return;
  if (length == 0) {
    canvas_.SelectClipRects({});
    return;
  }
  const uint64_t count = r.U32(16 + 8);
  if (length < 32 || !r.Has(16, length) || count > (length - 32) / 16) return;
  std::vector<QRectF> rects;
  for (uint64_t i = 0; i < count; ++i) {
    const size_t at = 48 + static_cast<size_t>(i * 16);
    rects.emplace_back(r.PointL(at), r.PointL(at + 8));
  }
  canvas_.SelectClipRects(rects);
}

DibImage EmfPlayer::Dib(const EmfRecord& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                        uint32_t cbBits) {
  const std::span<const uint8_t> header = r.Slice(offBmi, cbBmi);
  const std::span<const uint8_t> bits = r.Slice(offBits, cbBits);
  if (header.empty() || bits.empty()) return {};
  return ReadDib(header, bits, limits_, budget_);
}

QPointF PointOf(U_POINTL p) {
  return QPointF(p.x, p.y);
}

QSizeF SizeOf(U_POINTL p) {
  return QSizeF(p.x, p.y);
}

// The source rectangle of a bottom-up bitmap is measured from its last row.
QRectF SourceRect(const DibImage& dib, QPointF origin, QSizeF size) {
  QRectF source(origin, size);
  if (dib.bottomUp) source.moveTop(dib.image.height() - origin.y() - size.height());
  return source;
}

void EmfPlayer::Blit(uint32_t type, const EmfRecord& r) {
  if (type == U_EMR_STRETCHDIBITS) {
    const auto f = r.At<U_EMRSTRETCHDIBITS>(0);
    const DibImage dib = Dib(r, f.offBmiSrc, f.cbBmiSrc, f.offBitsSrc, f.cbBitsSrc);
    canvas_.DrawBitmap(dib.image, SourceRect(dib, PointOf(f.Src), SizeOf(f.cSrc)), PointOf(f.Dest),
                       SizeOf(f.cDest), f.dwRop);
  } else if (type == U_EMR_SETDIBITSTODEVICE) {
    const auto f = r.At<U_EMRSETDIBITSTODEVICE>(0);
    const DibImage dib = Dib(r, f.offBmiSrc, f.cbBmiSrc, f.offBitsSrc, f.cbBitsSrc);
    canvas_.DrawBitmap(dib.image, SourceRect(dib, PointOf(f.Src), SizeOf(f.cSrc)), PointOf(f.Dest),
                       SizeOf(f.cSrc), U_SRCCOPY);
  } else {
    // BitBlt and StretchBlt share their first fields; without a bitmap they paint the brush.
    const auto f = r.At<U_EMRBITBLT>(0);
    QSizeF sourceSize = SizeOf(f.cDest);
    if (type == U_EMR_STRETCHBLT) {
      const auto s = r.At<U_EMRSTRETCHBLT>(0);
      sourceSize = SizeOf(s.cSrc);
    }
    if (f.cbBmiSrc == 0) {
      canvas_.PatternBlt(PointOf(f.Dest), SizeOf(f.cDest), f.dwRop);
      return;
    }
    const DibImage dib = Dib(r, f.offBmiSrc, f.cbBmiSrc, f.offBitsSrc, f.cbBitsSrc);
    canvas_.DrawBitmap(dib.image, QRectF(PointOf(f.Src), sourceSize), PointOf(f.Dest),
                       SizeOf(f.cDest), f.dwRop);
  }
}

void EmfPlayer::Play(uint32_t type, const EmfRecord& r) {
  switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16:
      return PolyPoints(type, r);
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16:
      return PolyPoly(type, r);
    case U_EMR_SETWINDOWEXTEX:
      return canvas_.SetWindowExt(r.I32(8), r.I32(12));
    case U_EMR_SETWINDOWORGEX:
      return canvas_.SetWindowOrg(r.I32(8), r.I32(12));
    case U_EMR_SETVIEWPORTEXTEX:
      return canvas_.SetViewportExt(r.I32(8), r.I32(12));
    case U_EMR_SETVIEWPORTORGEX:
      return canvas_.SetViewportOrg(r.I32(8), r.I32(12));
    case U_EMR_SCALEVIEWPORTEXTEX:
      return canvas_.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case U_EMR_SCALEWINDOWEXTEX:
      return canvas_.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case U_EMR_SETMAPMODE:
      return canvas_.SetMapMode(r.I32(8));
    case U_EMR_SETBKMODE:
      return canvas_.SetBkMode(r.I32(8));
    case U_EMR_SETPOLYFILLMODE:
      return canvas_.SetPolyFillMode(r.I32(8));
    case U_EMR_SETTEXTALIGN:
      return canvas_.SetTextAlign(r.U32(8));
    case U_EMR_SETTEXTCOLOR:
      return canvas_.SetTextColour(r.U32(8));
    case U_EMR_SETBKCOLOR:
      return canvas_.SetBkColour(r.U32(8));
    case U_EMR_SETARCDIRECTION:
      return canvas_.SetArcDirection(r.I32(8));
    case U_EMR_MOVETOEX:
      return canvas_.MoveTo(r.PointL(8));
    case U_EMR_LINETO:
      return canvas_.LineTo(r.PointL(8));
    case U_EMR_INTERSECTCLIPRECT:
      return canvas_.IntersectClipRect(r.PointL(8), r.PointL(16));
    case U_EMR_EXCLUDECLIPRECT:
      return canvas_.ExcludeClipRect(r.PointL(8), r.PointL(16));
    case U_EMR_EXTSELECTCLIPRGN:
      return ClipRegion(r);
    case U_EMR_SAVEDC:
      return canvas_.SaveDc();
    case U_EMR_RESTOREDC:
      return canvas_.RestoreDc(r.I32(8));
    case U_EMR_SELECTOBJECT:
      return canvas_.SelectObject(r.U32(8));
    case U_EMR_DELETEOBJECT:
      return canvas_.DeleteObject(r.U32(8));
    case U_EMR_CREATEPEN:
      return CreatePen(r);
    case U_EMR_EXTCREATEPEN:
      return ExtCreatePen(r);
    case U_EMR_CREATEBRUSHINDIRECT:
      return CreateBrush(r);
    case U_EMR_EXTCREATEFONTINDIRECTW:
      return CreateFont(r);
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_EXTTEXTOUTW:
      return Text(type, r);
    case U_EMR_RECTANGLE:
      return canvas_.Rectangle(r.PointL(8), r.PointL(16));
    case U_EMR_ELLIPSE:
      return canvas_.Ellipse(r.PointL(8), r.PointL(16));
    case U_EMR_ROUNDRECT:
      return canvas_.RoundRect(r.PointL(8), r.PointL(16), QSizeF(r.I32(24), r.I32(28)));
    case U_EMR_ARC:
      return canvas_.EllipticArc(r.PointL(8), r.PointL(16), r.PointL(24), r.PointL(32),
                                 ArcKind::Arc);
    case U_EMR_ARCTO:
      return canvas_.EllipticArc(r.PointL(8), r.PointL(16), r.PointL(24), r.PointL(32),
                                 ArcKind::ArcTo);
    case U_EMR_PIE:
      return canvas_.EllipticArc(r.PointL(8), r.PointL(16), r.PointL(24), r.PointL(32),
                                 ArcKind::Pie);
    case U_EMR_CHORD:
      return canvas_.EllipticArc(r.PointL(8), r.PointL(16), r.PointL(24), r.PointL(32),
                                 ArcKind::Chord);
    case U_EMR_BEGINPATH:
      return canvas_.BeginPath();
    case U_EMR_ENDPATH:
      return canvas_.EndPath();
    case U_EMR_CLOSEFIGURE:
      return canvas_.CloseFigure();
    case U_EMR_ABORTPATH:
      return canvas_.AbortPath();
    case U_EMR_FILLPATH:
      return canvas_.FillPath();
    case U_EMR_STROKEPATH:
      return canvas_.StrokePath();
    case U_EMR_STROKEANDFILLPATH:
      return canvas_.StrokeAndFillPath();
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT:
    case U_EMR_SETDIBITSTODEVICE:
    case U_EMR_STRETCHDIBITS:
      return Blit(type, r);
    default:
      return;
  }
}

// The picture's size: the frame (in 0.01 mm) at the reference device's resolution, or, when
// the frame is empty, the bounds in device pixels.
struct EmfGeometry {
  int64_t width = 0;
  int64_t height = 0;
  QPointF origin;
  double pxPerMm = 96 / 25.4;
};

EmfGeometry GeometryOf(const U_EMRHEADER& header) {
  EmfGeometry g;
  if (header.szlDevice.cx > 0 && header.szlMillimeters.cx > 0) {
    const double pxPerMm = static_cast<double>(header.szlDevice.cx) / header.szlMillimeters.cx;
    if (pxPerMm >= 0.01 && pxPerMm <= 1000) g.pxPerMm = pxPerMm;
  }
  const U_RECTL& frame = header.rclFrame;
  const double scale = g.pxPerMm / 100;
  const double left = std::min(frame.left, frame.right) * scale;
  const double top = std::min(frame.top, frame.bottom) * scale;
  g.width = std::llround(std::abs(static_cast<double>(frame.right) - frame.left) * scale);
  g.height = std::llround(std::abs(static_cast<double>(frame.bottom) - frame.top) * scale);
  g.origin = QPointF(std::round(left), std::round(top));
  if (g.width <= 0 || g.height <= 0) {
    const U_RECTL& bounds = header.rclBounds;
    g.width = int64_t{bounds.right} - bounds.left + 1;
    g.height = int64_t{bounds.bottom} - bounds.top + 1;
    g.origin = QPointF(bounds.left, bounds.top);
  }
  return g;
}

}  // namespace

DecodedPicture PlayEmf(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  U_EMRHEADER header{};
  const uint32_t headerSize = EmfRecord(bytes).U32(4);
  if (headerSize < U_SIZE_EMRHEADER_MIN || headerSize % 4 != 0 || headerSize > bytes.size() ||
      !U_emf_record_safe(reinterpret_cast<const char*>(bytes.data()))) {
    return DecodedPicture::Failure("The metafile is damaged: its header is cut short.");
  }
  std::memcpy(&header, bytes.data(), std::min<size_t>(headerSize, sizeof header));
  const EmfGeometry g = GeometryOf(header);
  if (g.width <= 0 || g.height <= 0) return DecodedPicture::Failure("The metafile has no size.");
  if (std::string refused = CheckPictureSize(g.width, g.height, limits); !refused.empty())
    return DecodedPicture::Failure(refused);
  Bitmap bitmap = Bitmap::TryCreate(static_cast<int>(g.width), static_cast<int>(g.height));
  if (bitmap.empty())
    return DecodedPicture::Failure("There is not enough memory to draw the metafile.");
  {
    MetafileCanvas canvas(bitmap, g.origin, g.pxPerMm);
    EmfPlayer player(canvas, limits);
    // Records follow one another up to the end-of-file record; a record that runs past the
    // end, or is not a whole number of 32-bit words, ends the picture where it stands.
    size_t at = headerSize;
    while (bytes.size() - at >= 8) {
      const EmfRecord head(bytes.subspan(at, 8));
      const uint32_t type = head.U32(0);
      const uint32_t size = head.U32(4);
      if (size < 8 || size % 4 != 0 || size > bytes.size() - at || type == U_EMR_EOF) break;
      const EmfRecord record(bytes.subspan(at, size));
      at += size;
      const size_t minimum = MinimumSize(type);
      if (minimum == 0 || record.size() < minimum || !HoldsRegion(type, record) ||
          !U_emf_record_safe(record.data())) {
        continue;
      }
      player.Play(type, record);
    }
  }
  return DecodedPicture::Success(std::move(bitmap));
}

}  // namespace quillon
