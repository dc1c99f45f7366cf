// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TProcs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "shell/Chrome.h"

namespace quillon {
namespace {

struct ButtonInfo {
  const char* picture;
  const char* onPicture;
  const char* hint;
  int tool;  // the tool whose button it is, 0 for commands
};

// Indexed by button number; 0 is unused.
constexpr ButtonInfo kButtons[kToolbarButtons + 1] = {
    {nullptr, nullptr, nullptr, 0},
    {"new", nullptr, "Create a new file", 0},
    {"open", nullptr, "Open an existing file", 0},
    {"save", nullptr, "Save the file", 0},
    {"export", nullptr, "Export as a picture", 0},
    {"print", nullptr, "Print the picture", 0},
    {"undo", nullptr, "Undo the last edit", 0},
    {"redo", nullptr, "Redo the last undo", 0},
    {"repaint", nullptr, "Repaint the screen", 0},
    {"select", nullptr, "Select an item", 0},
    {"zoomout", nullptr, "Zoom out", 0},
    {"zoomin", nullptr, "Zoom in", 0},
    {"toback", nullptr, "Place the selected item behind other objects", 0},
    {"tofront", nullptr, "Place the selected item on top of other objects", 0},
    {"erase", nullptr, "Erase the selected item", 0},
    {"paste", nullptr, "Paste from clipboard", 0},
    {"copy", nullptr, "Copy to clipboard", 0},
    {"line", nullptr, "Insert line", 98},
    {"text", nullptr, "Insert text", 300},
    {"grid", "grid-on", "Gridlines", 0},
    {"snap", "snap-on", "Snap", 0},
    {"triangle", nullptr, "Insert triangle", 100},
    {"square", nullptr, "Insert square", 101},
    {"rectangle", nullptr, "Insert rectangle", 102},
    {"circle", nullptr, "Insert circle", 103},
    {"ellipse", nullptr, "Insert ellipse", 104},
    {"polygon", nullptr, "Insert polygon", 199},
    {"picture", nullptr, "Insert picture", 400},
    {"arc", nullptr, "Insert arc", 108},
    {"spline", nullptr, "Insert spline", 109},
    {"curve", nullptr, "Insert curve", 111},
    {"pie", nullptr, "Insert pie", 107},
    {"star", nullptr, "Insert star", 105},
    {"solid", nullptr, "Insert solid", 110},
    {"oblong", nullptr, "Insert oblong", 112},
    {"join", nullptr, "Join items", 0},
    {"split", nullptr, "Split group", 0},
};

// The strip's groups, left to right; the zoom buttons sit with the slider at the right end.
constexpr int kGroups[][9] = {
    {1, 2, 3, 4, 5},
    {6, 7, 8},
    {9},
    {12, 13, 14, 15, 16},
    {17, 18},
    {19, 20},
    {21, 22, 23, 24, 25, 26},
    {27, 28, 29, 30, 31, 32, 33, 34},
    {35, 36},
};

QString ButtonName(int number) {
  if (number == kZoomOutButton) return QStringLiteral("bzoom1");
  if (number == kZoomInButton) return QStringLiteral("bzoom2");
  return QStringLiteral("bmenu%1").arg(number);
}

QString ActionName(int number) {
  return ButtonName(number).mid(1);
}

}  // namespace

int ToolButtonOf(int toolNumber) {
  for (int n = 1; n <= kToolbarButtons; ++n) {
    if (kButtons[n].tool == toolNumber) return n;
  }
  return 0;
}

int ToolOfButton(int number) {
  return number >= 1 && number <= kToolbarButtons ? kButtons[number].tool : 0;
}

ZoomSlider::ZoomSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void ZoomSlider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  emit Released(value());
}

void ZoomSlider::wheelEvent(QWheelEvent* event) {
  event->accept();
}

TProcs::TProcs(const ScreenMetrics& screen, QWidget* parent)
    : QWidget(parent), pasteBuffer_(screen) {
  setObjectName(QStringLiteral("TProcs"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  strip_ = new QToolBar(this);
  strip_->setObjectName(QStringLiteral("ToolStrip"));
  strip_->setMovable(false);
  strip_->setFloatable(false);
  strip_->setIconSize(QSize(20, 20));
  strip_->setContextMenuPolicy(Qt::PreventContextMenu);
  row->addWidget(strip_, 1);
  bool first = true;
  for (const auto& group : kGroups) {
    if (!first) strip_->addSeparator();
    first = false;
    for (int number : group) {
      if (number != 0) strip_->addWidget(PlaceOf(AddButton(number)));
    }
  }
  AddZoomControls();
}

void TProcs::setStyle(QStyle* style) {
  QWidget::setStyle(style);
  strip_->setStyle(style);
  for (QToolButton* button : buttons_) {
    if (button != nullptr) button->setStyle(style);
  }
}

QToolButton* TProcs::AddButton(int number) {
  const ButtonInfo& info = kButtons[number];
  auto* action = new QAction(
      ToolbarIcon(QString::fromLatin1(info.picture),
                  info.onPicture != nullptr ? QString::fromLatin1(info.onPicture) : QString()),
      QString::fromLatin1(info.hint), this);
  action->setObjectName(ActionName(number));
  action->setToolTip(QString::fromLatin1(info.hint));
  action->setStatusTip(QString::fromLatin1(info.hint));
  action->setCheckable(info.onPicture != nullptr);
  connect(action, &QAction::triggered, this, [this, number] { emit ButtonReleased(number); });
  auto* button = new QToolButton(this);
  button->setDefaultAction(action);
  button->setIconSize(QSize(20, 20));
  button->setAutoRaise(true);
  button->setObjectName(ButtonName(number));
  button->setProperty("chrome", true);
  button->setFixedSize(24, 24);
  button->setFocusPolicy(Qt::NoFocus);
  button->installEventFilter(this);
  actions_[number] = action;
  buttons_[number] = button;
  return button;
}

QWidget* TProcs::PlaceOf(QToolButton* button) {
  // The place keeps its size while its button is hidden, so that the buttons after it never
  // move under the pointer when the selection comes and goes.
  auto* place = new QWidget(this);
  place->setFixedSize(button->size());
  button->setParent(place);
  button->move(0, 0);
  return place;
}

void TProcs::AddZoomControls() {
  auto* row = static_cast<QHBoxLayout*>(layout());
  auto* readout = new QWidget(this);
  auto* column = new QVBoxLayout(readout);
  column->setContentsMargins(4, 0, 4, 0);
  column->setSpacing(0);
  QFont small = font();
  small.setPixelSize(10);
  auto* caption = new QLabel(QStringLiteral("Zoom"), readout);
  caption->setObjectName(QStringLiteral("ZoomCaption"));
  zoomLabel_ = new QLabel(QStringLiteral("100%"), readout);
  zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));
  for (QLabel* label : {caption, zoomLabel_}) {
    label->setFont(small);
    label->setAlignment(Qt::AlignCenter);
    column->addWidget(label);
  }
  readout->setFixedWidth(40);
  row->addWidget(readout);
  row->addWidget(AddButton(kZoomOutButton));
  trackBar_ = new ZoomSlider(this);
  trackBar_->setObjectName(QStringLiteral("TrackBar1"));
  trackBar_->setRange(0, 300);
  trackBar_->setTickInterval(25);
  trackBar_->setTickPosition(QSlider::TicksBelow);
  trackBar_->setPageStep(25);
  trackBar_->setValue(100);
  trackBar_->setFixedWidth(160);
  trackBar_->setFocusPolicy(Qt::NoFocus);
  // While it moves the label shows the position; 0 is ignored.
  connect(trackBar_, &QSlider::valueChanged, this, [this](int position) {
    if (position > 0) zoomLabel_->setText(QString::number(position) + u'%');
  });
  row->addWidget(trackBar_);
  row->addWidget(AddButton(kZoomInButton));
  row->addSpacing(4);
}

QToolButton* TProcs::Button(int number) const {
  return number >= 1 && number <= kToolbarButtons ? buttons_[number] : nullptr;
}

QAction* TProcs::Action(int number) const {
  return number >= 1 && number <= kToolbarButtons ? actions_[number] : nullptr;
}

void TProcs::ShowZoom(double zoom) {
  const int percent = static_cast<int>(std::lround(zoom * 100));
  const QSignalBlocker blocker(trackBar_);
  trackBar_->setValue(percent);
  zoomLabel_->setText(QString::number(percent) + u'%');
}

void TProcs::SetCurrentTool(int toolNumber) {
  const int current = ToolButtonOf(toolNumber);
  for (int n = 1; n <= kToolbarButtons; ++n) {
    if (QToolButton* button = Button(n)) {
      const bool mark = n == current;
      if (button->property("currentTool").toBool() != mark) {
        button->setProperty("currentTool", mark);
        button->update();
      }
    }
  }
}

void TProcs::SetGridOn(bool on) {
  actions_[19]->setChecked(on);
}

void TProcs::SetSnapOn(bool on) {
  actions_[20]->setChecked(on);
}

void TProcs::Raise(QToolButton* raised) {
  for (int n = 1; n <= kToolbarButtons; ++n) {
    QToolButton* button = Button(n);
    if (button == nullptr) continue;
    const bool up = button == raised;
    if (button->property("raised").toBool() != up) {
      button->setProperty("raised", up);
      button->update();
    }
  }
}

void TProcs::RestAll() {
  Raise(nullptr);
}

QToolButton* TProcs::RaisedButton() const {
  for (int n = 1; n <= kToolbarButtons; ++n) {
    QToolButton* button = Button(n);
    if (button != nullptr && button->property("raised").toBool()) return button;
  }
  return nullptr;
}

void TProcs::ShowButton(int number, bool shown) {
  actions_[number]->setEnabled(shown);
  buttons_[number]->setVisible(shown);
}

bool TProcs::eventFilter(QObject* watched, QEvent* event) {
  auto* button = qobject_cast<QToolButton*>(watched);
  if (button != nullptr && event->type() == QEvent::Enter) {
    // Switched-off buttons take part in neither state.
    if (button->isEnabled()) {
      Raise(button);
      emit ButtonRaised();
    } else {
      RestAll();
    }
  } else if (button != nullptr && event->type() == QEvent::Leave) {
    RestAll();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillon
