// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Chrome.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QToolButton>
#include <array>

#include "shell/ShortcutsPage.h"

namespace quillon {
namespace {

constexpr int kSourceSide = 16;

const char* SourceFile(ColourSource source) {
  switch (source) {
    case ColourSource::Red:
      return ":/chrome/red1.svg";
    case ColourSource::Yellow:
      return ":/chrome/yellow1.svg";
    case ColourSource::Green:
      return ":/chrome/green1.svg";
    case ColourSource::Blue:
      return ":/chrome/blue1.svg";
    case ColourSource::Silver:
      break;
  }
  return ":/chrome/silver1.svg";
}

const Bitmap& SourceBitmap(ColourSource source) {
  static std::array<Bitmap, 5> sources;
  Bitmap& bitmap = sources[static_cast<std::size_t>(source)];
  if (bitmap.empty()) {
    bitmap = Bitmap(kSourceSide, kSourceSide);
    QImage image = bitmap.Image();
    QPainter painter(&image);
    QSvgRenderer(QString::fromLatin1(SourceFile(source))).render(&painter);
  }
  return bitmap;
}

QPixmap RenderIcon(const QString& name, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  QSvgRenderer(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")).render(&painter);
  painter.end();
  return QPixmap::fromImage(image);
}

// The greyed picture of a switched-off button: light grey, keeping the shape.
QPixmap Greyed(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 150 + qGray(row[x]) * 80 / 255;
      row[x] = qRgba(grey, grey, grey, qAlpha(row[x]) * 3 / 4);
    }
  }
  return QPixmap::fromImage(image);
}

bool IsChromeButton(const QWidget* widget) {
  return widget != nullptr && widget->property("chrome").toBool();
}

}  // namespace

QImage HighlightPicture(ColourSource source, QSize size, ResampleFilter filter) {
  if (size.isEmpty()) return {};
  const QString key = QStringLiteral("%1:%2x%3:%4")
                          .arg(static_cast<int>(source))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(static_cast<int>(filter));
  static QHash<QString, QImage>* cache = new QHash<QString, QImage>();
  if (const auto it = cache->constFind(key); it != cache->constEnd()) return *it;
  const Bitmap& from = SourceBitmap(source);
  Bitmap picture = Bitmap::TryCreate(size.width(), size.height());
  if (picture.empty()) return {};
  picture.Fill(from.Pixel(kSourceSide / 2, kSourceSide / 2));
  Resample(from, picture, filter);
  QImage image = picture.Image().convertToFormat(QImage::Format_RGB32);
  if (cache->size() > 256) cache->clear();
  cache->insert(key, image);
  return image;
}

QIcon ToolbarIcon(const QString& name, const QString& onName) {
  QIcon icon;
  for (int side : {20, 24, 32}) {
    const QPixmap off = RenderIcon(name, side);
    icon.addPixmap(off, QIcon::Normal, QIcon::Off);
    icon.addPixmap(Greyed(off), QIcon::Disabled, QIcon::Off);
    if (!onName.isEmpty()) {
      const QPixmap on = RenderIcon(onName, side);
      icon.addPixmap(on, QIcon::Normal, QIcon::On);
      icon.addPixmap(Greyed(on), QIcon::Disabled, QIcon::On);
    }
  }
  return icon;
}

std::vector<QPoint> TickPixels() {
  // Strokes of two pixels: three rising at x = 2..4, four falling at x = 5..8.
  std::vector<QPoint> pixels;
  for (int i = 0; i < 3; ++i) {
    for (int y = 9 + i; y < 11 + i; ++y)
      pixels.emplace_back(2 + i, y);
  }
  for (int i = 0; i < 4; ++i) {
    for (int y = 10 - i; y < 12 - i; ++y)
      pixels.emplace_back(5 + i, y);
  }
  return pixels;
}

ChromeStyle* ChromeStyle::Shared() {
  static QPointer<ChromeStyle> shared;
  if (shared.isNull()) {
    shared = new ChromeStyle();
    shared->setParent(QCoreApplication::instance());
  }
  return shared;
}

ChromeStyle::ChromeStyle(QStyle* base)
    : QProxyStyle(base != nullptr ? base : QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ChromeStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  switch (element) {
    case CE_MenuBarItem:
      DrawMenuBarItem(option, painter);
      return;
    case CE_MenuBarEmptyArea:
      painter->fillRect(option->rect, option->palette.window());
      return;
    case CE_MenuItem:
      DrawMenuItem(option, painter, widget);
      return;
    default:
      QProxyStyle::drawControl(element, option, painter, widget);
  }
}

void ChromeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  if (element == PE_PanelMenuBar) {
    painter->fillRect(option->rect, option->palette.window());
    return;
  }
  if (element == PE_IndicatorToolBarSeparator) {
    // The toolbar's group separators, silver.
    painter->setPen(ToQColor(kSilver));
    const QRect r = option->rect;
    if (option->state & State_Horizontal) {
      painter->drawLine(r.center().x(), r.top() + 2, r.center().x(), r.bottom() - 2);
    } else {
      painter->drawLine(r.left() + 2, r.center().y(), r.right() - 2, r.center().y());
    }
    return;
  }
  if (element == PE_PanelToolBar || element == PE_FrameMenu) {
    if (element == PE_PanelToolBar) painter->fillRect(option->rect, option->palette.window());
    if (element == PE_FrameMenu) QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ChromeStyle::DrawMenuBarItem(const QStyleOption* option, QPainter* painter) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (item == nullptr) return;
  const bool enabled = item->state & State_Enabled;
  const bool highlighted = enabled && (item->state & (State_Selected | State_Sunken));
  const QRect r = item->rect;
  if (highlighted) {
    painter->drawImage(r.topLeft(),
                       HighlightPicture(ColourSource::Blue, r.size(), ResampleFilter::Triangle));
  } else {
    painter->fillRect(r, item->palette.window());
  }
  QFont font = item->font;
  font.setBold(highlighted);
  painter->setFont(font);
  painter->setPen(highlighted ? QColor(Qt::white)
                  : enabled   ? item->palette.color(QPalette::WindowText)
                              : ToQColor(kGreyedText));
  painter->drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item->text);
}

namespace {

// The entry of a menu drawn in the rectangle, if the widget is a menu.
const QAction* EntryAt(const QWidget* widget, const QRect& r) {
  const auto* menu = qobject_cast<const QMenu*>(widget);
  return menu != nullptr ? menu->actionAt(r.center()) : nullptr;
}

// How much wider than its first key the keys of an entry with several are.
int ExtraKeysWidth(const QStyleOptionMenuItem& item, const QWidget* widget) {
  const auto* menu = qobject_cast<const QMenu*>(widget);
  const qsizetype tab = item.text.indexOf(u'\t');
  if (menu == nullptr || tab < 0) return 0;
  const QString caption = item.text.left(tab);
  for (const QAction* action : menu->actions()) {
    if (action->text() != caption || action->shortcuts().size() < 2) continue;
    const QFontMetrics metrics(item.font);
    return std::max(0, metrics.horizontalAdvance(ShortcutsText(*action)) -
                           metrics.horizontalAdvance(item.text.mid(tab + 1)));
  }
  return 0;
}

}  // namespace

void ChromeStyle::DrawMenuItem(const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (item == nullptr) return;
  const QRect r = item->rect;
  const QColor menuColour = item->palette.color(QPalette::Window);
  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    painter->fillRect(r, menuColour);
    const int y = r.center().y();
    painter->setPen(ToQColor(kSilver));
    painter->drawLine(r.left() + 4, y, r.right() - 4, y);
    painter->setPen(Qt::white);
    painter->drawLine(r.left() + 4, y + 1, r.right() - 4, y + 1);
    return;
  }
  const bool enabled = item->state & State_Enabled;
  const bool highlighted = enabled && (item->state & State_Selected);
  if (highlighted) {
    painter->drawImage(r.topLeft(),
                       HighlightPicture(ColourSource::Yellow, r.size(), ResampleFilter::Triangle));
  } else {
    painter->fillRect(r, menuColour);
  }
  const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
  if (checked) {
    painter->setPen(highlighted ? Qt::white : Qt::black);
    for (const QPoint& p : TickPixels())
      painter->drawPoint(r.topLeft() + p);
  }
  QString text = item->text;
  QString shortcut;
  if (const qsizetype tab = text.indexOf(u'\t'); tab >= 0) {
    shortcut = text.mid(tab + 1);
    text.truncate(tab);
  }
  // An entry with several keys shows them all, not only the first.
  if (const QAction* action = EntryAt(widget, r);
      action != nullptr && action->shortcuts().size() > 1) {
    shortcut = ShortcutsText(*action);
  }
  QFont font = item->font;
  font.setBold(highlighted);
  painter->setFont(font);
  const bool centred = widget != nullptr && widget->objectName() == QStringLiteral("Window1");
  const int arrowRoom = item->menuItemType == QStyleOptionMenuItem::SubMenu ? 16 : 0;
  const QRect textRect = centred ? r : r.adjusted(kSubmenuIndent, 0, -arrowRoom, 0);
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic |
                    (centred ? Qt::AlignHCenter : Qt::AlignLeft);
  const QColor colour = highlighted ? QColor(Qt::white)
                        : enabled   ? item->palette.color(QPalette::WindowText)
                                    : ToQColor(kGreyedText);
  const auto write = [&](const QString& words, int align) {
    if (highlighted) {
      painter->setPen(ToQColor(kTextShadow));
      painter->drawText(textRect.translated(1, 1), (flags & ~Qt::AlignLeft) | align, words);
    }
    painter->setPen(colour);
    painter->drawText(textRect, (flags & ~Qt::AlignLeft) | align, words);
  };
  write(text, centred ? Qt::AlignHCenter : Qt::AlignLeft);
  if (!shortcut.isEmpty()) {
    QFont plain = font;
    plain.setBold(false);
    painter->setFont(plain);
    painter->setPen(highlighted ? QColor(Qt::white) : colour);
    painter->drawText(r.adjusted(kSubmenuIndent, 0, -8 - arrowRoom, 0),
                      Qt::AlignVCenter | Qt::AlignRight, shortcut);
  }
  if (arrowRoom > 0) {
    QStyleOption arrow = *option;
    arrow.rect = QRect(r.right() - 14, r.top() + (r.height() - 9) / 2, 9, 9);
    arrow.palette.setColor(QPalette::ButtonText, colour);
    arrow.palette.setColor(QPalette::WindowText, colour);
    QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
  }
}

void ChromeStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
  if (control == CC_ToolButton && IsChromeButton(widget)) {
    DrawToolButton(option, painter, widget);
    return;
  }
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void ChromeStyle::DrawToolButton(const QStyleOptionComplex* option, QPainter* painter,
                                 const QWidget* widget) const {
  const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
  if (button == nullptr) return;
  const QRect r = button->rect;
  const bool enabled = button->state & State_Enabled;
  const bool raised = enabled && widget->property("raised").toBool();
  const bool current = enabled && widget->property("currentTool").toBool();
  const bool pressed = enabled && (button->state & State_Sunken);
  painter->fillRect(r, button->palette.window());
  if (current || pressed) {
    // The current tool sits sunk into the strip.
    painter->drawImage(
        r.topLeft() + QPoint(1, 1),
        HighlightPicture(ColourSource::Silver, r.size() - QSize(2, 2), ResampleFilter::BSpline)
            .mirrored(false, true));
    painter->setPen(QColor(110, 118, 128));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  } else if (raised) {
    painter->drawImage(r.topLeft(),
                       HighlightPicture(ColourSource::Yellow, r.size(), ResampleFilter::BSpline));
    painter->setPen(QColor(160, 100, 10));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
  const QIcon::State state = button->state & State_On ? QIcon::On : QIcon::Off;
  const QPixmap pixmap = button->icon.pixmap(button->iconSize, mode, state);
  const QSize logical = pixmap.deviceIndependentSize().toSize();
  QPoint at = r.center() - QPoint(logical.width() / 2 - 1, logical.height() / 2 - 1);
  if (current || pressed) at += QPoint(1, 1);
  painter->drawPixmap(at, pixmap);
}

QSize ChromeStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
  QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type == CT_MenuBarItem) result.rwidth() += kTopLevelExtraWidth;
  if (type == CT_MenuItem) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item == nullptr || item->menuItemType != QStyleOptionMenuItem::Separator) {
      result.rwidth() += kSubmenuExtraWidth;
    }
    // Room for the further keys of an entry that has several.
    if (item != nullptr) result.rwidth() += ExtraKeysWidth(*item, widget);
  }
  return result;
}

int ChromeStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  switch (metric) {
    case PM_ToolBarFrameWidth:
    case PM_ToolBarItemMargin:
    case PM_ToolBarItemSpacing:
      return 0;
    case PM_ToolBarSeparatorExtent:
      return 7;
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

}  // namespace quillon
