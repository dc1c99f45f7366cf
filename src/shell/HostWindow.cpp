// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HostWindow.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "document/ToolNumbers.h"
#include "shell/HostTable.h"

namespace quillon {
namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 252;
constexpr int kStripHeight = 36;

}  // namespace

RaisedButton::RaisedButton(ColourSource colour, QWidget* parent)
    : QAbstractButton(parent), colour_(colour) {
  rest_ = new QTimer(this);
  rest_->setObjectName(QStringLiteral("Timer1"));
  rest_->setSingleShot(true);
  rest_->setInterval(5000);
  connect(rest_, &QTimer::timeout, this, [this] { SetRaised(false); });
  setFocusPolicy(Qt::NoFocus);
}

void RaisedButton::SetRaised(bool raised) {
  if (raised_ == raised) return;
  raised_ = raised;
  if (raised) rest_->start();
  update();
}

void RaisedButton::enterEvent(QEnterEvent* event) {
  SetRaised(true);
  QAbstractButton::enterEvent(event);
}

void RaisedButton::leaveEvent(QEvent* event) {
  SetRaised(false);
  QAbstractButton::leaveEvent(event);
}

void RaisedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (!raised_ || !isEnabled()) {
    painter.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
    painter.drawText(rect(), Qt::AlignCenter, text());
    return;
  }
  // The raised picture: 3 pixels narrower and 2 lower than the panel, at (1, 1).
  const QRect picture(1, 1, width() - 3, height() - 2);
  painter.drawImage(picture.topLeft(),
                    HighlightPicture(colour_, picture.size(), ResampleFilter::BSpline));
  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  if (colour_ == ColourSource::Yellow) {
    painter.setPen(QColor(0x0A, 0x0A, 0x0A));
    painter.drawText(picture.translated(1, 1), Qt::AlignCenter, text());
  }
  painter.setPen(Qt::white);
  painter.drawText(picture, Qt::AlignCenter, text());
}

HostLayout HostLayoutFor(HostKind kind, int code, const QString& title) {
  const HostEntry* entry = FindHost(kind, code);
  if (entry == nullptr) return {QString(), QStringLiteral("Save"), QStringLiteral("Cancel")};
  const QString caption = QString::fromLatin1(entry->caption);
  const QString first = QString::fromLatin1(entry->first);
  const QString second = QString::fromLatin1(entry->second);
  switch (entry->title) {
    case HostTitle::Only:
      return {title, first, second};
    case HostTitle::After:
      return {caption + title, first, second};
    case HostTitle::AfterDash:
      return {title.isEmpty() ? caption : caption + QStringLiteral(" - ") + title, first, second};
    case HostTitle::None:
      break;
  }
  return {caption, first, second};
}

THostWindow::THostWindow(HostKind kind, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), kind_(kind) {
  setObjectName(kind == HostKind::X ? QStringLiteral("TFormX") : QStringLiteral("TFormY"));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kPanelColour);
  setPalette(colours);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setHandleWidth(3);
  splitter->setStyleSheet(
      QStringLiteral("QSplitter::handle { background-color: %1; }").arg(kSplitterColour.name()));
  panel0_ = new QWidget(splitter);
  panel0_->setObjectName(QStringLiteral("Panel0"));
  auto* strip = new QWidget(splitter);
  strip->setObjectName(QStringLiteral("menuPanel1"));
  strip->setFixedHeight(kStripHeight);
  QPalette stripColours = strip->palette();
  stripColours.setColor(QPalette::Window, kSplitterColour);
  strip->setPalette(stripColours);
  strip->setAutoFillBackground(true);
  button1_ = new RaisedButton(ColourSource::Blue, strip);
  button1_->setObjectName(QStringLiteral("panel1"));
  button1_->setGeometry(11, (kStripHeight - 20) / 2, 118, 20);
  button2_ = new RaisedButton(ColourSource::Yellow, strip);
  button2_->setObjectName(QStringLiteral("panel2"));
  button2_->setGeometry(147, (kStripHeight - 20) / 2, 118, 20);
  connect(button1_, &QAbstractButton::released, this, &THostWindow::FirstButtonReleased);
  connect(button2_, &QAbstractButton::released, this, &QWidget::hide);
  layout->addWidget(splitter);
  auto* place = new QVBoxLayout(panel0_);
  place->setContentsMargins(0, 0, 0, 0);
  resize(kClientWidth, kClientHeight);
}

void THostWindow::FirstButtonReleased() {
  if (acting_) return;
  acting_ = true;
  const bool proceed = !mayProceed_ || mayProceed_();
  acting_ = false;
  if (!proceed) return;
  if (firstAction_) {
    // The button hides while the action runs, so that it cannot run twice.
    acting_ = true;
    button1_->hide();
    firstAction_();
    acting_ = false;
  }
  hide();
}

void THostWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (event->spontaneous()) return;
  KeepPlacement();
  firstAction_ = nullptr;
  mayProceed_ = nullptr;
  if (panel_ != nullptr) {
    panel_->hide();
    panel_->deleteLater();
    panel_ = nullptr;
  }
  emit Closed(code_);
}

void THostWindow::OpenHost(int code, int32_t number, const QString& title) {
  // While the first-time setup shows, every other request for this host is ignored.
  if (kind_ == HostKind::X && isVisible() && code_ == kHostFirstTimeSetup &&
      code != kHostFirstTimeSetup) {
    return;
  }
  HostPanel panel = factory_ ? factory_(kind_, code, number) : HostPanel{};
  if (panel.hideAtOnce) {
    // The panel shown before goes, under its own code and placement.
    hide();
    return;
  }
  code_ = code;
  number_ = number;
  const HostLayout layout = HostLayoutFor(kind_, code, title);
  setWindowTitle(layout.caption);
  button1_->setText(layout.first);
  button2_->setText(layout.second);
  button1_->show();
  button2_->show();
  if (panel_ != nullptr) {
    panel_->hide();
    panel_->deleteLater();
  }
  panel_ = panel.widget;
  button1_->setEnabled(panel.firstEnabled);
  firstAction_ = std::move(panel.firstAction);
  mayProceed_ = std::move(panel.mayProceed);
  QSize wanted(kClientWidth, kClientHeight);
  if (panel_ != nullptr) {
    panel0_->layout()->addWidget(panel_);
    panel_->show();
    // The window grows to the panel's preferred size above the button strip.
    const QSize preferred = panel_->sizeHint();
    wanted = wanted.expandedTo(QSize(preferred.width(), preferred.height() + kStripHeight + 3));
  }
  Place(wanted);
  raise();
}

int HostSlotFor(HostKind kind, int code) {
  const HostEntry* entry = FindHost(kind, code);
  return entry != nullptr ? entry->slot : 0;
}

HostPlacement* THostWindow::Slot() const {
  const int slot = HostSlotFor(kind_, code_);
  return placements_ != nullptr && slot > 0 ? &(*placements_)[std::size_t(slot - 1)] : nullptr;
}

void THostWindow::Place(QSize wanted) {
  HostPlacement* slot = Slot();
  if (slot != nullptr && slot->maximised == 1) {
    showMaximized();
    return;
  }
  if (isMaximized()) showNormal();
  if (slot != nullptr && slot->placed != 0) {
    resize(std::max(slot->width, 1), std::max(slot->height, 1));
    move(slot->left, slot->top);
  } else if (!isVisible() || slot != nullptr) {
    // Centred on the screen at the panel's preferred size, and remembered so.
    resize(wanted);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      move(std::max(area.left(), area.center().x() - width() / 2),
           std::max(area.top(), area.center().y() - height() / 2));
    }
    if (slot != nullptr) *slot = {x(), y(), width(), height(), 0, 1};
  }
  showNormal();
}

void THostWindow::KeepPlacement() {
  HostPlacement* slot = Slot();
  if (slot == nullptr) return;
  if (isMaximized()) {
    slot->maximised = 1;
    return;
  }
  *slot = {x(), y(), width(), height(), 0, 1};
}

void THostWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  // Restored from maximised: the window takes its last normal placement again.
  HostPlacement* slot = Slot();
  if (slot != nullptr && (change->oldState() & Qt::WindowMaximized) && !isMaximized() &&
      slot->maximised == 1) {
    slot->maximised = 0;
    if (slot->placed != 0) {
      QTimer::singleShot(0, this, [this] {
        if (HostPlacement* s = Slot(); s != nullptr && !isMaximized()) {
          resize(std::max(s->width, 1), std::max(s->height, 1));
          move(s->left, s->top);
        }
      });
    }
  }
}

}  // namespace quillon
