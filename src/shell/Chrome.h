// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own look of menus and toolbar buttons: highlight pictures stretched from five
// small colour sources, white bold text on highlighted entries, the tick of checked entries,
// and toolbar buttons that rest, rise under the pointer, show "on" and mark the current tool.
#pragma once

#include <QIcon>
#include <QImage>
#include <QProxyStyle>

#include "render/Resample.h"

namespace quillon {

// The grey of the side panels and host windows (14933984), and the silver of splitters.
inline constexpr QColor kPanelColour(0xE0, 0xDF, 0xE3);
inline constexpr QColor kSplitterColour(0xC0, 0xC0, 0xC0);

enum class ColourSource { Red, Yellow, Green, Blue, Silver };

// Menu text colours: greyed entries, and the shadow under highlighted submenu text.
inline constexpr uint32_t kGreyedText = 8421504;
inline constexpr uint32_t kTextShadow = 657930;
// Menu entries are measured wider than the system does.
inline constexpr int kTopLevelExtraWidth = 4;
inline constexpr int kSubmenuExtraWidth = 30;
inline constexpr int kSubmenuIndent = 14;

// A highlight picture of any size: the colour source stretched with the filter (triangle for
// menus, B-spline for buttons). Small and empty sizes give a plain fill of the source.
QImage HighlightPicture(ColourSource source, QSize size, ResampleFilter filter);

// A toolbar picture from the program's icon set, with the greyed look of a switched-off
// button; "on" adds the picture shown while grid or snap is on.
QIcon ToolbarIcon(const QString& name, const QString& onName = {});

// The pixels of the tick of a checked menu entry, relative to the entry's top-left corner.
std::vector<QPoint> TickPixels();

// The style of the main window's menus and toolbar. Toolbar buttons take part when they carry
// the property "chrome"; the property "raised" shows the raised picture and "currentTool" the
// current tool. Menus named "Window1" centre their entries.
class ChromeStyle : public QProxyStyle {
  Q_OBJECT

 public:
  explicit ChromeStyle(QStyle* base = nullptr);
  // The one instance, made on first use and owned by the application, so that it outlives
  // every widget that draws with it.
  static ChromeStyle* Shared();

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;

 private:
  void DrawMenuBarItem(const QStyleOption* option, QPainter* painter) const;
  void DrawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
  void DrawToolButton(const QStyleOptionComplex* option, QPainter* painter,
                      const QWidget* widget) const;
};

}  // namespace quillon
