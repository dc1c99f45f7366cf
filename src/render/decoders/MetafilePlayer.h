// SPDX-License-Identifier: GPL-3.0-or-later
// The device context that EMF and WMF records play through: GDI's mapping modes, objects,
// attributes and drawing calls, carried out with QPainter on a 24-bit bitmap, aliased.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <variant>
#include <vector>

#include "render/decoders/DecodePicture.h"

namespace quillon {

// The two record players; both expect bytes whose signature DecodeMetafile has checked.
DecodedPicture PlayEmf(std::span<const uint8_t> bytes, const DecodeLimits& limits);
DecodedPicture PlayWmf(std::span<const uint8_t> bytes, const DecodeLimits& limits);

// A device-independent bitmap, decoded top-down; a null image when the header or the pixel
// data do not hold together. bottomUp says how the rows were stored.
struct DibImage {
  QImage image;
  bool bottomUp = false;
};
// A bitmap info header (with its colour table) and the pixel data stored apart, as EMF does.
// budget is the number of pixels the metafile's bitmaps may still take; a bitmap is refused
// when it is larger, and taken from the budget when it is decoded.
DibImage ReadDib(std::span<const uint8_t> header, std::span<const uint8_t> bits,
                 const DecodeLimits& limits, int64_t& budget);
// A packed bitmap: the info header, colour table and pixel data one after the other, as WMF does.
DibImage ReadPackedDib(std::span<const uint8_t> dib, const DecodeLimits& limits, int64_t& budget);

struct MetaPen {
  uint32_t style = 0;  // PS_* style, end cap and join bits
  double width = 0;    // in logical units, or in device pixels when deviceWidth
  bool deviceWidth = false;
  QColor colour = Qt::black;
};

struct MetaBrush {
  uint32_t style = 0;  // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2; other styles paint solid
  QColor colour = Qt::white;
  uint32_t hatch = 0;  // HS_* when hatched
};

struct MetaFont {
  int height = 0;  // logical units; negative is the em height, positive the cell height
  int width = 0;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  QString face;
};

// Objects the player does not draw with (palettes, regions, pattern brushes) still take a slot.
using MetaObject = std::variant<std::monostate, MetaPen, MetaBrush, MetaFont>;

// Which figure an elliptic arc record draws.
enum class ArcKind { Arc, ArcTo, Pie, Chord };

class MetafileCanvas {
 public:
  // Device units map to bitmap pixels by subtracting deviceOrigin; pxPerMm is the device's
  // resolution, which the metric mapping modes need.
  MetafileCanvas(Bitmap& target, QPointF deviceOrigin, double pxPerMm);
  ~MetafileCanvas();
  MetafileCanvas(const MetafileCanvas&) = delete;
  MetafileCanvas& operator=(const MetafileCanvas&) = delete;

  void SetMapMode(int mode);
  void SetWindowOrg(double x, double y);
  void SetWindowExt(double x, double y);
  void SetViewportOrg(double x, double y);
  void SetViewportExt(double x, double y);
  void OffsetWindowOrg(double dx, double dy);
  void OffsetViewportOrg(double dx, double dy);
  void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
  void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
  void SaveDc();
  // A negative level counts back from the newest saved state; a positive one is absolute.
  void RestoreDc(int level);

  // EMF names its objects' slots; WMF takes the lowest free one of the table's capacity.
  void CreateObject(uint32_t index, MetaObject object);
  void AddObject(MetaObject object);
  void SetObjectCapacity(uint32_t capacity) { capacity_ = capacity; }
  void SelectObject(uint32_t index);
  void SelectStockObject(uint32_t stock);
  void DeleteObject(uint32_t index);

  void SetTextColour(uint32_t colourRef);
  void SetBkColour(uint32_t colourRef);
  void SetBkMode(int mode);
  void SetTextAlign(uint32_t align);
  void SetPolyFillMode(int mode);
  void SetArcDirection(int direction);

  void MoveTo(QPointF p);
  void LineTo(QPointF p);
  void Polyline(const std::vector<QPointF>& points);
  void PolylineTo(const std::vector<QPointF>& points);
  void Polygon(const std::vector<QPointF>& points);
  void PolyPolygon(const std::vector<std::vector<QPointF>>& polygons);
  void PolyPolyline(const std::vector<std::vector<QPointF>>& polylines);
  void PolyBezier(const std::vector<QPointF>& points);
  void PolyBezierTo(const std::vector<QPointF>& points);
  void Rectangle(QPointF topLeft, QPointF bottomRight);
  void RoundRect(QPointF topLeft, QPointF bottomRight, QSizeF corner);
  void Ellipse(QPointF topLeft, QPointF bottomRight);
  void EllipticArc(QPointF topLeft, QPointF bottomRight, QPointF start, QPointF end, ArcKind kind);

  void BeginPath();
  void EndPath();
  void CloseFigure();
  void AbortPath();
  void FillPath();
  void StrokePath();
  void StrokeAndFillPath();

  void IntersectClipRect(QPointF topLeft, QPointF bottomRight);
  void ExcludeClipRect(QPointF topLeft, QPointF bottomRight);
  // Replaces the clip by device rectangles (RGN_COPY), or removes it when there are none.
  void SelectClipRects(const std::vector<QRectF>& deviceRects);

  // Text at a logical reference point; dx holds logical advances per character (or is empty),
  // options are ETO_* bits and rect the logical rectangle they refer to.
  void TextOut(QPointF reference, const QString& text, const std::vector<double>& dx,
               uint32_t options, std::optional<std::pair<QPointF, QPointF>> rect);
  // A bitmap stretched over the logical rectangle at corner with size (signed, mirroring);
  // source is in the image's top-down pixels.
  void DrawBitmap(const QImage& image, QRectF source, QPointF corner, QSizeF size, uint32_t rop);
  // A raster operation without a source bitmap over a logical rectangle.
  void PatternBlt(QPointF corner, QSizeF size, uint32_t rop);

 private:
  struct Mapping {
    int mode = 1;
    double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    double viewOrgX = 0, viewOrgY = 0, viewExtX = 1, viewExtY = 1;
  };
  struct State {
    Mapping mapping;
    MetaPen pen;
    MetaBrush brush;
    MetaFont font;
    QColor textColour = Qt::black;
    QColor bkColour = Qt::white;
    int bkMode = 2;  // OPAQUE
    uint32_t textAlign = 0;
    int polyFillMode = 1;  // ALTERNATE
    bool clockwise = false;
    QPointF position;
    std::optional<QRegion> clip;
  };

  void UpdateTransform();
  QPointF Map(QPointF logical) const;
  bool MapAll(const std::vector<QPointF>& logical, QPolygonF& device) const;
  bool MapBox(QPointF topLeft, QPointF bottomRight, QRectF& device) const;
  QPen DevicePen() const;
  QBrush DeviceBrush() const;
  bool PenIsNull() const;
  bool BrushIsNull() const;
  void StrokeDevicePath(const QPainterPath& path);
  void FillDevicePath(const QPainterPath& path);
  void DrawShape(const QPainterPath& outline, bool closed);
  QPainterPath ArcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind,
                       bool connectFromCurrent) const;
  void ApplyClip();
  void SetClip(const QRegion& region);
  QFont DeviceFont(double& ascent, double& descent) const;
  // Takes a drawing call's pixels from the work budget; false when the budget is spent and
  // the call is to be skipped.
  bool Spend(double pixels);
  double AreaOnBitmap(const QRectF& device) const;

  QImage image_;
  QPainter painter_;
  QPointF deviceOrigin_;
  double pxPerMm_;
  State state_;
  std::vector<State> saved_;
  std::map<uint32_t, MetaObject> objects_;
  uint32_t capacity_ = 0;
  std::set<uint32_t> freeSlots_;  // freed slots below nextSlot_
  uint32_t nextSlot_ = 0;         // the lowest slot never used
  double scaleX_ = 1, scaleY_ = 1, offsetX_ = 0, offsetY_ = 0;
  double maxPenWidth_ = 1;
  double workLeft_ = 0;  // pixels the remaining drawing calls may still fill
  bool inPath_ = false;
  QPainterPath path_;
  QPainterPath finishedPath_;
};

}  // namespace quillon
