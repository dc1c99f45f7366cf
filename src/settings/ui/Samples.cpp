// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/Samples.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "document/PageSetup.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/RenderItem.h"
#include "settings/Customization.h"

namespace quillon {
namespace {

QImage White(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Renders the visible items of the list onto white paper of the size.
QImage Render(QSize size, const ItemList& list) {
  Bitmap bitmap(size.width(), size.height());
  bitmap.Fill(0xFFFFFF);
  for (const ItemRecord& item : list) {
    if (IsVisible(item)) RenderItem(bitmap, item, list, {0, 0}, 1.0, 1.0);
  }
  return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

// A line across the sample, its pen width in step with its weight as new lines have it.
ItemRecord& AddLine(ItemList& list, QSize size, double mm, int32_t pattern) {
  ItemRecord& line = NewRecord(list, kKindLine);
  line.setLineWeight(mm);
  line.setPenWidth(PixelWidth(1, mm, list.screen()));
  line.setLinePattern(pattern);
  const int32_t y = size.height() / 2;
  line.setX1(12);
  line.setY1(y);
  line.setX2(size.width() - 12);
  line.setY2(y);
  line.setLineColor(0);
  line.setFillColor(-2);
  RecomputeDerived(line, list.screen());
  line.setStackLevel(1);
  return line;
}

}  // namespace

QImage WeightSample(QSize size, double mm, const ScreenMetrics& screen) {
  ItemList list(screen);
  AddLine(list, size, mm, 0);
  return Render(size, list);
}

QImage PatternSample(QSize size, const custPatternRec_t& slot, const ScreenMetrics& screen) {
  ItemList list(screen);
  const int32_t number = slot.inUse ? AddCustomPatternRecord(list, slot) : 0;
  AddLine(list, size, 0.5, number);
  return Render(size, list);
}

QImage ShadowSample(QSize size, ShadowValue shadow, int32_t lightDirection,
                    const ScreenMetrics& screen) {
  ItemList list(screen);
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setLightDirection(static_cast<uint8_t>(std::clamp(lightDirection, 0, 3)));
  ItemRecord& square = NewRecord(list, kKindRectangle);
  const int32_t side = std::min(size.width(), size.height()) / 2;
  const int32_t left = (size.width() - side) / 2;
  const int32_t top = (size.height() - side) / 2;
  square.setX1(left);
  square.setY1(top);
  square.setX2(left + side);
  square.setY2(top + side);
  RecomputeDerived(square, screen);
  for (Point p : {Point{left, top}, Point{left + side, top}, Point{left + side, top + side},
                  Point{left, top + side}}) {
    PointEntry& e = NewPoint(square.points);
    e.point = e.pointAtDragStart = p;
  }
  square.setLineColor(0);
  square.setFillColor(0xF0D8B0);  // pale blue, so that the body stands out from its shadow
  square.setShadowSize(static_cast<uint8_t>(std::clamp(shadow.size, 0, 255)));
  square.setShadowSoftness(static_cast<uint8_t>(std::clamp(shadow.softness, 0, 255)));
  square.setShadowLightness(static_cast<uint8_t>(std::clamp(shadow.lightness, 0, 255)));
  square.setStackLevel(1);
  return Render(size, list);
}

QImage AngleSample(QSize size, std::optional<double> degrees) {
  QImage image = White(size);
  if (!degrees) return image;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 2));
  const double radians = *degrees * std::numbers::pi / 180;
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  const double reach = std::min(size.width(), size.height()) / 2.0 - 4;
  // Screen y grows downwards; angles turn counter-clockwise with y up.
  const QPointF end = centre + QPointF(std::cos(radians), -std::sin(radians)) * reach;
  painter.drawLine(centre, end);
  painter.setBrush(Qt::black);
  painter.drawEllipse(centre, 3, 3);
  return image;
}

QImage FontSizeSample(QSize size, std::optional<double> points) {
  QImage image = White(size);
  if (!points) return image;
  QPainter painter(&image);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(std::clamp(*points, 1.0, 400.0));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QStringLiteral("AaBbCc"));
  return image;
}

}  // namespace quillon
