// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the records of a Windows metafile (WMF) through libUEMF's record readers. Those readers
// trust the sizes inside a record, so each record is checked here first to hold every byte the
// reader will touch.
#include <uemf.h>
#include <uwmf.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "render/decoders/MetafilePlayer.h"

namespace quillon {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr double kScreenDpi = 96;
// Without a placeable header the picture is the file's window, shrunk to fit this many pixels.
constexpr double kDefaultSide = 1024;

QColor FromColourRef(U_COLORREF c) {
  return QColor(c.Red, c.Green, c.Blue);
}

uint32_t ColourRefOf(U_COLORREF c) {
  return c.Red | (c.Green << 8) | (uint32_t{c.Blue} << 16);
}

QPointF PointOf(U_POINT16 p) {
  return QPointF(p.x, p.y);
}

class WmfRecord {
 public:
  explicit WmfRecord(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t size() const { return bytes_.size(); }
  const char* data() const { return reinterpret_cast<const char*>(bytes_.data()); }
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  template <class T>
  T At(size_t offset) const {
    T value{};
    if (Has(offset, sizeof(T))) std::memcpy(&value, bytes_.data() + offset, sizeof(T));
    return value;
  }
  // The bytes from a pointer a libUEMF reader returned to the end of the record.
  std::span<const uint8_t> From(const char* p) const {
    if (p < data() || p > data() + size()) return {};
    return bytes_.subspan(static_cast<size_t>(p - data()));
  }
  std::vector<QPointF> Points(size_t offset, uint64_t count) const {
    std::vector<QPointF> points;
    if (!Has(offset, count * 4)) return points;
    for (uint64_t i = 0; i < count; ++i) {
      const size_t at = offset + static_cast<size_t>(i * 4);
      points.emplace_back(At<int16_t>(at), At<int16_t>(at + 2));
    }
    return points;
  }

 private:
  std::span<const uint8_t> bytes_;
};

// The fixed size each played record needs, from libUEMF's record sizes.
size_t MinimumSize(int index) {
  switch (index) {
    case U_WMR_SETBKCOLOR:
    case U_WMR_SETTEXTCOLOR:
      return U_SIZE_WMRSETBKCOLOR;
    case U_WMR_SETBKMODE:
    case U_WMR_SETMAPMODE:
    case U_WMR_SETPOLYFILLMODE:
    case U_WMR_SETTEXTALIGN:
    case U_WMR_RESTOREDC:
    case U_WMR_SELECTOBJECT:
    case U_WMR_DELETEOBJECT:
      return 8;
    case U_WMR_SETWINDOWORG:
    case U_WMR_SETWINDOWEXT:
    case U_WMR_SETVIEWPORTORG:
    case U_WMR_SETVIEWPORTEXT:
    case U_WMR_OFFSETWINDOWORG:
    case U_WMR_OFFSETVIEWPORTORG:
    case U_WMR_LINETO:
    case U_WMR_MOVETO:
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE:
    case U_WMR_POLYPOLYGON:
      return 10;
    case U_WMR_SCALEWINDOWEXT:
    case U_WMR_SCALEVIEWPORTEXT:
    case U_WMR_EXCLUDECLIPRECT:
    case U_WMR_INTERSECTCLIPRECT:
    case U_WMR_ELLIPSE:
    case U_WMR_RECTANGLE:
    case U_WMR_EXTTEXTOUT:
    case U_WMR_CREATEBRUSHINDIRECT:
      return 14;
    case U_WMR_ROUNDRECT:
    case U_WMR_PATBLT:
      return 18;
    case U_WMR_ARC:
    case U_WMR_PIE:
    case U_WMR_CHORD:
      return 22;
    case U_WMR_TEXTOUT:
      return 8;
    case U_WMR_CREATEPENINDIRECT:
      return 16;
    case U_WMR_CREATEFONTINDIRECT:
      return 6 + U_SIZE_FONT_CORE;
    // Bitmap records: the fixed part and at least a 40-byte bitmap info header, which libUEMF's
    // reader looks into.
    case U_WMR_SETDIBTODEV:
      return U_SIZE_WMRSETDIBTODEV + 40;
    case U_WMR_DIBBITBLT:
      return U_SIZE_WMRDIBBITBLT_NOPX;
    case U_WMR_DIBSTRETCHBLT:
      return U_SIZE_WMRDIBSTRETCHBLT_NOPX;
    case U_WMR_STRETCHDIB:
      return U_SIZE_WMRSTRETCHDIB + 40;
    case U_WMR_SAVEDC:
    case U_WMR_CREATEPALETTE:
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_DIBCREATEPATTERNBRUSH:
    case U_WMR_CREATEREGION:
      return 6;
    default:
      return 0;
  }
}

// The two blit records carry a bitmap unless their size says otherwise (libUEMF's test: the
// record is exactly three words longer than the function's high byte). libUEMF's reader then
// looks into the bitmap's 40-byte info header, which must lie inside the record.
bool HoldsBitmapHeader(uint16_t function, const WmfRecord& r) {
  const int index = function & 0xFF;
  if (index != U_WMR_DIBBITBLT && index != U_WMR_DIBSTRETCHBLT) return true;
  const size_t words = r.size() / 2;
  if (words == static_cast<size_t>(function >> 8) + 3) return true;
  const size_t fixed =
      index == U_WMR_DIBBITBLT ? U_SIZE_WMRDIBBITBLT_PX : U_SIZE_WMRDIBSTRETCHBLT_PX;
  return r.size() >= fixed + 40;
}

class WmfPlayer {
 public:
  WmfPlayer(MetafileCanvas& canvas, const DecodeLimits& limits)
      : canvas_(canvas), limits_(limits), budget_(limits.maxPixels) {}
  void Play(uint16_t function, const WmfRecord& r);

 private:
  void PolyPolygon(const WmfRecord& r);
  void CreateFont(const WmfRecord& r);
  void TextOut(const WmfRecord& r);
  void ExtTextOut(const WmfRecord& r);
  void Blit(int index, uint16_t function, const WmfRecord& r);
  void DrawDib(std::span<const uint8_t> dib, U_POINT16 src, U_POINT16 cSrc, U_POINT16 dst,
               U_POINT16 cDst, uint32_t rop);

  MetafileCanvas& canvas_;
  const DecodeLimits& limits_;
  // The pixels all of the metafile's bitmaps together may have: no more than one picture.
  int64_t budget_;
};

void WmfPlayer::PolyPolygon(const WmfRecord& r) {
  uint16_t count = 0;
  const uint16_t* counts = nullptr;
  const char* points = nullptr;
  if (!r.Has(6, 2)) return;
  const uint64_t polys = r.At<uint16_t>(6);
  if (!r.Has(8, polys * 2)) return;
  if (!U_WMRPOLYPOLYGON_get(r.data(), &count, &counts, &points)) return;
  std::vector<std::vector<QPointF>> figures;
  size_t at = 8 + static_cast<size_t>(polys * 2);
  for (uint64_t i = 0; i < polys; ++i) {
    const uint16_t n = r.At<uint16_t>(8 + static_cast<size_t>(i * 2));
    figures.push_back(r.Points(at, n));
    if (figures.back().size() != n) return;
    at += size_t{n} * 4;
  }
  canvas_.PolyPolygon(figures);
}

void WmfPlayer::CreateFont(const WmfRecord& r) {
  const char* data = nullptr;
  if (!U_WMRCREATEFONTINDIRECT_get(r.data(), &data) || r.From(data).size() < U_SIZE_FONT_CORE)
    return;
  const std::span<const uint8_t> font = r.From(data);
  const WmfRecord f(font);
  // The face name follows the 18 fixed bytes, ended by a zero or by the record.
  QByteArray face;
  for (size_t i = U_SIZE_FONT_CORE; i < font.size() && i < U_SIZE_FONT_CORE + 32; ++i) {
    if (font[i] == 0) break;
    face.append(static_cast<char>(font[i]));
  }
  canvas_.AddObject(MetaFont{.height = f.At<int16_t>(0),
                             .width = f.At<int16_t>(2),
                             .escapement = f.At<int16_t>(4),
                             .weight = f.At<int16_t>(8),
                             .italic = f.At<uint8_t>(10) != 0,
                             .underline = f.At<uint8_t>(11) != 0,
                             .strikeOut = f.At<uint8_t>(12) != 0,
                             .face = QString::fromLatin1(face)});
}

// TextOut: a byte count, the string padded to a whole word, then y and x.
void WmfPlayer::TextOut(const WmfRecord& r) {
  const int16_t length = r.At<int16_t>(6);
  const uint64_t padded = (uint64_t(std::max<int16_t>(length, 0)) + 1) & ~uint64_t{1};
  // libUEMF pads the length in 16 bits, which the longest odd length overflows.
  if (length < 0 || length == INT16_MAX || !r.Has(8, padded + 4)) return;
  U_POINT16 at{};
  int16_t count = 0;
  const char* string = nullptr;
  if (!U_WMRTEXTOUT_get(r.data(), &at, &count, &string)) return;
  canvas_.TextOut(PointOf(at), QString::fromLatin1(string, count), {}, 0, std::nullopt);
}

// ExtTextOut: y, x, byte count, options, an optional rectangle, the padded string, and an
// optional array of advances.
void WmfPlayer::ExtTextOut(const WmfRecord& r) {
  const int16_t length = r.At<int16_t>(10);
  const uint16_t options = r.At<uint16_t>(12);
  const bool hasRect = options & (U_ETO_OPAQUE | U_ETO_CLIPPED);
  const size_t stringAt = 14 + (hasRect ? 8 : 0);
  const uint64_t padded = (uint64_t(std::max<int16_t>(length, 0)) + 1) & ~uint64_t{1};
  if (length < 0 || !r.Has(stringAt, padded)) return;
  U_POINT16 at{};
  int16_t count = 0;
  uint16_t opts = 0;
  const char* string = nullptr;
  const int16_t* advances = nullptr;
  U_RECT16 rect{};
  if (!U_WMREXTTEXTOUT_get(r.data(), &at, &count, &opts, &string, &advances, &rect)) return;
  std::vector<double> dx;
  const size_t dxAt = stringAt + static_cast<size_t>(padded);
  if (r.Has(dxAt, uint64_t(count) * 2)) {
    for (int i = 0; i < count; ++i)
      dx.push_back(r.At<int16_t>(dxAt + 2 * static_cast<size_t>(i)));
  }
  // The rectangle is stored left, top, right, bottom; libUEMF's reader takes it the other way
  // round, so it is read here.
  std::optional<std::pair<QPointF, QPointF>> box;
  if (hasRect) {
    box = std::make_pair(QPointF(r.At<int16_t>(14), r.At<int16_t>(16)),
                         QPointF(r.At<int16_t>(18), r.At<int16_t>(20)));
  }
  canvas_.TextOut(PointOf(at), QString::fromLatin1(string, count), dx, options, box);
}

void WmfPlayer::DrawDib(std::span<const uint8_t> dib, U_POINT16 src, U_POINT16 cSrc, U_POINT16 dst,
                        U_POINT16 cDst, uint32_t rop) {
  const DibImage image = ReadPackedDib(dib, limits_, budget_);
  if (image.image.isNull()) return;
  // The source rectangle of a bottom-up bitmap is measured from its last row.
  QRectF source(src.x, src.y, cSrc.x, cSrc.y);
  if (image.bottomUp) source.moveTop(image.image.height() - src.y - cSrc.y);
  canvas_.DrawBitmap(image.image, source, PointOf(dst), QSizeF(cDst.x, cDst.y), rop);
}

void WmfPlayer::Blit(int index, uint16_t function, const WmfRecord& r) {
  U_POINT16 dst{}, cDst{}, src{}, cSrc{};
  uint32_t rop = 0;
  const char* dib = nullptr;
  switch (index) {
    case U_WMR_DIBSTRETCHBLT:
      if (!U_WMRDIBSTRETCHBLT_get(r.data(), &dst, &cDst, &src, &cSrc, &rop, &dib)) return;
      break;
    case U_WMR_DIBBITBLT:
      if (!U_WMRDIBBITBLT_get(r.data(), &dst, &cDst, &src, &rop, &dib)) return;
      cSrc = cDst;
      break;
    case U_WMR_STRETCHDIB: {
      uint16_t usage = 0;
      if (!U_WMRSTRETCHDIB_get(r.data(), &dst, &cDst, &src, &cSrc, &usage, &rop, &dib)) return;
      break;
    }
    case U_WMR_SETDIBTODEV: {
      uint16_t usage = 0, scans = 0, start = 0;
      if (!U_WMRSETDIBTODEV_get(r.data(), &dst, &cDst, &src, &usage, &scans, &start, &dib)) return;
      cSrc = cDst;
      rop = U_SRCCOPY;
      break;
    }
    default:
      return;
  }
  if (dib == nullptr) {
    canvas_.PatternBlt(PointOf(dst), QSizeF(cDst.x, cDst.y), rop);
    return;
  }
  (void)function;
  DrawDib(r.From(dib), src, cSrc, dst, cDst, rop);
}

void WmfPlayer::Play(uint16_t function, const WmfRecord& r) {
  const int index = function & 0xFF;
  const char* c = r.data();
  U_COLORREF colour{};
  uint16_t mode = 0;
  int16_t level = 0;
  U_POINT16 p{}, q{}, s{}, e{};
  U_RECT16 rect{};
  uint16_t length = 0;
  const char* points = nullptr;
  switch (index) {
    case U_WMR_SETBKCOLOR:
      if (U_WMRSETBKCOLOR_get(c, &colour)) canvas_.SetBkColour(ColourRefOf(colour));
      return;
    case U_WMR_SETTEXTCOLOR:
      if (U_WMRSETTEXTCOLOR_get(c, &colour)) canvas_.SetTextColour(ColourRefOf(colour));
      return;
    case U_WMR_SETBKMODE:
      if (U_WMRSETBKMODE_get(c, &mode)) canvas_.SetBkMode(mode);
      return;
    case U_WMR_SETMAPMODE:
      if (U_WMRSETMAPMODE_get(c, &mode)) canvas_.SetMapMode(mode);
      return;
    case U_WMR_SETPOLYFILLMODE:
      if (U_WMRSETPOLYFILLMODE_get(c, &mode)) canvas_.SetPolyFillMode(mode);
      return;
    case U_WMR_SETTEXTALIGN:
      if (U_WMRSETTEXTALIGN_get(c, &mode)) canvas_.SetTextAlign(mode);
      return;
    case U_WMR_SETWINDOWORG:
      if (U_WMRSETWINDOWORG_get(c, &p)) canvas_.SetWindowOrg(p.x, p.y);
      return;
    case U_WMR_SETWINDOWEXT:
      if (U_WMRSETWINDOWEXT_get(c, &p)) canvas_.SetWindowExt(p.x, p.y);
      return;
    case U_WMR_SETVIEWPORTORG:
      if (U_WMRSETVIEWPORTORG_get(c, &p)) canvas_.SetViewportOrg(p.x, p.y);
      return;
    case U_WMR_SETVIEWPORTEXT:
      if (U_WMRSETVIEWPORTEXT_get(c, &p)) canvas_.SetViewportExt(p.x, p.y);
      return;
    case U_WMR_OFFSETWINDOWORG:
      if (U_WMROFFSETWINDOWORG_get(c, &p)) canvas_.OffsetWindowOrg(p.x, p.y);
      return;
    case U_WMR_OFFSETVIEWPORTORG:
      if (U_WMROFFSETVIEWPORTORG_get(c, &p)) canvas_.OffsetViewportOrg(p.x, p.y);
      return;
    // libUEMF's readers of the two scaling records mix up numerators and denominators, so
    // these are read here in the file's order: y denominator, y numerator, x denominator,
    // x numerator.
    case U_WMR_SCALEWINDOWEXT:
      canvas_.ScaleWindowExt(r.At<int16_t>(12), r.At<int16_t>(10), r.At<int16_t>(8),
                             r.At<int16_t>(6));
      return;
    case U_WMR_SCALEVIEWPORTEXT:
      canvas_.ScaleViewportExt(r.At<int16_t>(12), r.At<int16_t>(10), r.At<int16_t>(8),
                               r.At<int16_t>(6));
      return;
    case U_WMR_MOVETO:
      if (U_WMRMOVETO_get(c, &p)) canvas_.MoveTo(PointOf(p));
      return;
    case U_WMR_LINETO:
      if (U_WMRLINETO_get(c, &p)) canvas_.LineTo(PointOf(p));
      return;
    case U_WMR_EXCLUDECLIPRECT:
      if (U_WMREXCLUDECLIPRECT_get(c, &rect))
        canvas_.ExcludeClipRect({double(rect.left), double(rect.top)},
                                {double(rect.right), double(rect.bottom)});
      return;
    case U_WMR_INTERSECTCLIPRECT:
      if (U_WMRINTERSECTCLIPRECT_get(c, &rect))
        canvas_.IntersectClipRect({double(rect.left), double(rect.top)},
                                  {double(rect.right), double(rect.bottom)});
      return;
    case U_WMR_RECTANGLE:
      if (U_WMRRECTANGLE_get(c, &rect))
        canvas_.Rectangle({double(rect.left), double(rect.top)},
                          {double(rect.right), double(rect.bottom)});
      return;
    case U_WMR_ELLIPSE:
      if (U_WMRELLIPSE_get(c, &rect))
        canvas_.Ellipse({double(rect.left), double(rect.top)},
                        {double(rect.right), double(rect.bottom)});
      return;
    case U_WMR_ROUNDRECT: {
      int16_t w = 0, h = 0;
      if (U_WMRROUNDRECT_get(c, &w, &h, &rect))
        canvas_.RoundRect({double(rect.left), double(rect.top)},
                          {double(rect.right), double(rect.bottom)}, QSizeF(w, h));
      return;
    }
    case U_WMR_ARC:
    case U_WMR_PIE:
    case U_WMR_CHORD: {
      const int got = index == U_WMR_ARC   ? U_WMRARC_get(c, &s, &e, &rect)
                      : index == U_WMR_PIE ? U_WMRPIE_get(c, &s, &e, &rect)
                                           : U_WMRCHORD_get(c, &s, &e, &rect);
      const ArcKind kind = index == U_WMR_ARC   ? ArcKind::Arc
                           : index == U_WMR_PIE ? ArcKind::Pie
                                                : ArcKind::Chord;
      if (got)
        canvas_.EllipticArc({double(rect.left), double(rect.top)},
                            {double(rect.right), double(rect.bottom)}, PointOf(s), PointOf(e),
                            kind);
      return;
    }
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE: {
      const uint64_t count = r.At<uint16_t>(6);
      if (!r.Has(8, count * 4)) return;
      const int got = index == U_WMR_POLYGON ? U_WMRPOLYGON_get(c, &length, &points)
                                             : U_WMRPOLYLINE_get(c, &length, &points);
      if (!got) return;
      const std::vector<QPointF> figure = r.Points(8, length);
      if (index == U_WMR_POLYGON) {
        canvas_.Polygon(figure);
      } else {
        canvas_.Polyline(figure);
      }
      return;
    }
    case U_WMR_POLYPOLYGON:
      return PolyPolygon(r);
    case U_WMR_SAVEDC:
      if (U_WMRSAVEDC_get(c)) canvas_.SaveDc();
      return;
    case U_WMR_RESTOREDC:
      if (U_WMRRESTOREDC_get(c, &level)) canvas_.RestoreDc(level);
      return;
    case U_WMR_SELECTOBJECT:
      if (U_WMRSELECTOBJECT_get(c, &mode)) canvas_.SelectObject(mode);
      return;
    case U_WMR_DELETEOBJECT:
      if (U_WMRDELETEOBJECT_get(c, &mode)) canvas_.DeleteObject(mode);
      return;
    case U_WMR_CREATEPENINDIRECT: {
      U_PEN pen{};
      if (!U_WMRCREATEPENINDIRECT_get(c, &pen)) return;
      canvas_.AddObject(
          MetaPen{.style = pen.Style,
                  .width = pen.Widthw[0] == 0 ? 1.0 : static_cast<double>(pen.Widthw[0]),
                  .deviceWidth = pen.Widthw[0] == 0,
                  .colour = FromColourRef(pen.Color)});
      return;
    }
    case U_WMR_CREATEBRUSHINDIRECT: {
      const char* data = nullptr;
      if (!U_WMRCREATEBRUSHINDIRECT_get(c, &data) || r.From(data).size() < U_SIZE_WLOGBRUSH) return;
      const WmfRecord b(r.From(data));
      canvas_.AddObject(MetaBrush{.style = b.At<uint16_t>(0),
                                  .colour = FromColourRef(b.At<U_COLORREF>(2)),
                                  .hatch = b.At<uint16_t>(6)});
      return;
    }
    case U_WMR_CREATEFONTINDIRECT:
      return CreateFont(r);
    case U_WMR_CREATEPALETTE:
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_DIBCREATEPATTERNBRUSH:
    case U_WMR_CREATEREGION:
      return canvas_.AddObject(std::monostate{});
    case U_WMR_TEXTOUT:
      return TextOut(r);
    case U_WMR_EXTTEXTOUT:
      return ExtTextOut(r);
    case U_WMR_PATBLT: {
      uint32_t rop = 0;
      if (U_WMRPATBLT_get(c, &p, &q, &rop)) canvas_.PatternBlt(PointOf(p), QSizeF(q.x, q.y), rop);
      return;
    }
    case U_WMR_DIBBITBLT:
    case U_WMR_DIBSTRETCHBLT:
    case U_WMR_STRETCHDIB:
    case U_WMR_SETDIBTODEV:
      return Blit(index, function, r);
    default:
      return;
  }
}

// The records after the header, each with its size checked against what is left.
template <class Visit>
void ForEachRecord(std::span<const uint8_t> bytes, size_t at, Visit visit) {
  while (bytes.size() - at >= 6) {
    uint32_t words = 0;
    uint16_t function = 0;
    std::memcpy(&words, bytes.data() + at, 4);
    std::memcpy(&function, bytes.data() + at + 4, 2);
    const uint64_t size = uint64_t{words} * 2;
    if (size < 6 || size > bytes.size() - at || function == 0) return;
    if (!visit(function, WmfRecord(bytes.subspan(at, static_cast<size_t>(size))))) return;
    at += static_cast<size_t>(size);
  }
}

struct WmfWindow {
  double left = 0, top = 0, width = 0, height = 0;
};

// Without a placeable header the first window origin and extent the file sets stand for its
// bounding box.
WmfWindow FirstWindow(std::span<const uint8_t> bytes, size_t at) {
  WmfWindow window;
  bool haveOrigin = false;
  bool haveExtent = false;
  ForEachRecord(bytes, at, [&](uint16_t function, const WmfRecord& r) {
    const int index = function & 0xFF;
    U_POINT16 p{};
    if (index == U_WMR_SETWINDOWORG && !haveOrigin && r.size() >= 10 &&
        U_WMRSETWINDOWORG_get(r.data(), &p)) {
      window.left = p.x;
      window.top = p.y;
      haveOrigin = true;
    } else if (index == U_WMR_SETWINDOWEXT && !haveExtent && r.size() >= 10 &&
               U_WMRSETWINDOWEXT_get(r.data(), &p) && p.x != 0 && p.y != 0) {
      window.width = p.x;
      window.height = p.y;
      haveExtent = true;
    }
    return !(haveOrigin && haveExtent);
  });
  if (!haveExtent) window = {0, 0, kDefaultSide, kDefaultSide};
  return window;
}

}  // namespace

DecodedPicture PlayWmf(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  U_WMRPLACEABLE placeable{};
  U_WMRHEADER header{};
  const char* begin = reinterpret_cast<const char*>(bytes.data());
  if (bytes.size() < U_SIZE_WMRHEADER ||
      wmfheader_get(begin, begin + bytes.size(), &placeable, &header) <= 0) {
    return DecodedPicture::Failure("The metafile is damaged: its header is cut short.");
  }
  const bool hasPlaceable = placeable.Key == kPlaceableKey;
  const size_t recordsAt = (hasPlaceable ? U_SIZE_WMRPLACEABLE : 0) + size_t{header.Size16w} * 2;
  if (header.Size16w < U_SIZE_WMRHEADER / 2 || recordsAt > bytes.size())
    return DecodedPicture::Failure("The metafile is damaged: its header is cut short.");

  WmfWindow window;
  double width = 0;
  double height = 0;
  if (hasPlaceable) {
    // The bounding box in logical units, at the file's units per inch, shown at screen size.
    const U_RECT16& box = placeable.Dst;
    const double inch = placeable.Inch != 0 ? placeable.Inch : 1440;
    window = {double(box.left), double(box.top), double(box.right) - box.left,
              double(box.bottom) - box.top};
    width = std::round(std::abs(window.width) * kScreenDpi / inch);
    height = std::round(std::abs(window.height) * kScreenDpi / inch);
  } else {
    window = FirstWindow(bytes, recordsAt);
    const double shrink =
        std::min(1.0, kDefaultSide / std::max(std::abs(window.width), std::abs(window.height)));
    width = std::round(std::abs(window.width) * shrink);
    height = std::round(std::abs(window.height) * shrink);
  }
  if (width < 1 || height < 1 || window.width == 0 || window.height == 0)
    return DecodedPicture::Failure("The metafile has no size.");
  if (std::string refused = CheckPictureSize(int64_t(width), int64_t(height), limits);
      !refused.empty()) {
    return DecodedPicture::Failure(refused);
  }
  Bitmap bitmap = Bitmap::TryCreate(static_cast<int>(width), static_cast<int>(height));
  if (bitmap.empty())
    return DecodedPicture::Failure("There is not enough memory to draw the metafile.");
  {
    // The window maps onto the whole bitmap until the file's own records say otherwise.
    MetafileCanvas canvas(bitmap, QPointF(0, 0), kScreenDpi / 25.4);
    canvas.SetObjectCapacity(header.nObjects);
    canvas.SetMapMode(U_MM_ANISOTROPIC);
    canvas.SetWindowOrg(window.left, window.top);
    canvas.SetWindowExt(window.width, window.height);
    canvas.SetViewportExt(width, height);
    WmfPlayer player(canvas, limits);
    ForEachRecord(bytes, recordsAt, [&](uint16_t function, const WmfRecord& r) {
      const size_t minimum = MinimumSize(function & 0xFF);
      if (minimum != 0 && r.size() >= minimum && HoldsBitmapHeader(function, r))
        player.Play(function, r);
      return true;
    });
  }
  return DecodedPicture::Success(std::move(bitmap));
}

}  // namespace quillon
