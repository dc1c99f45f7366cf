// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/TPict.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "document/ToolNumbers.h"
#include "render/PictureItem.h"

namespace quillon {

// The picture, its clips and the outline that follows the pointer.
class PictView : public QWidget {
 public:
  explicit PictView(TPict& pict) : QWidget(&pict), pict_(pict) {
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override { pict_.Paint(*this); }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pict_.Press(event->position().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override { pict_.Move(event->position().toPoint()); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pict_.Release(event->position().toPoint());
  }

 private:
  TPict& pict_;
};

namespace {

// The zoom box runs from 0 to 300 per cent; a zoom of nothing shows a pixel per picture pixel.
constexpr int kZoomTop = 300;
constexpr int kHoldMilliseconds = 200;

QToolButton* ToolButton(QWidget* parent, QLayout* row, const char* name, const QString& text,
                        const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(text);
  if (hint[0] != '\0') button->setToolTip(QString::fromLatin1(hint));
  row->addWidget(button);
  return button;
}

// A slider that a click anywhere off its handle, on the tick marks too, steps towards the
// click; the plain slider does nothing for a click beside its groove.
class StepSlider : public QSlider {
 public:
  using QSlider::QSlider;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || handle.contains(at)) {
      QSlider::mousePressEvent(event);
      return;
    }
    const bool after = orientation() == Qt::Horizontal ? at.x() > handle.center().x()
                                                       : at.y() < handle.center().y();
    triggerAction(after ? SliderPageStepAdd : SliderPageStepSub);
    event->accept();
  }
};

}  // namespace

TPict::TPict(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TPict"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  auto* tools = new QHBoxLayout();
  column->addLayout(tools);
  connect(ToolButton(this, tools, "bmenu1", QStringLiteral("\u2196"), "Select a clip"),
          &QToolButton::clicked, this, [this] {
            editor_.SelectTool();
            Refresh();
          });
  connect(ToolButton(this, tools, "bmenu2", QStringLiteral("\u25AD"), "Outline a clip"),
          &QToolButton::clicked, this, [this] {
            editor_.OutlineTool(false);
            Refresh();
          });
  connect(ToolButton(this, tools, "bmenu4", QStringLiteral("\u25EF"), "Outline a round clip"),
          &QToolButton::clicked, this, [this] {
            editor_.OutlineTool(true);
            Refresh();
          });
  erase_ = ToolButton(this, tools, "bmenu3", QStringLiteral("\u2716"), "Erase the selected clip");
  connect(erase_, &QToolButton::clicked, this, [this] {
    editor_.EraseSelected();
    Refresh();
  });
  const struct {
    const char* name;
    const char* text;
    const char* hint;
    void (ClipEditor::*turn)();
  } turns[] = {{"bmenu20", "\u2194", "Mirror the picture", &ClipEditor::Mirror},
               {"bmenu21", "\u2195", "Flip the picture", &ClipEditor::Flip},
               {"bmenu22", "\u21BA", "Rotate the picture", &ClipEditor::RotateLeft},
               {"bmenu23", "\u21BB", "Rotate the picture", &ClipEditor::RotateRight}};
  for (const auto& t : turns) {
    connect(ToolButton(this, tools, t.name, QString::fromUtf8(t.text), t.hint),
            &QToolButton::clicked, this, [this, turn = t.turn] {
              (editor_.*turn)();
              Refresh();
            });
  }
  undo_ = ToolButton(this, tools, "bmenu6", QStringLiteral("\u21B6"), "");
  connect(undo_, &QToolButton::clicked, this, [this] {
    editor_.Undo();
    Refresh();
  });
  redo_ = ToolButton(this, tools, "bmenu7", QStringLiteral("\u21B7"), "");
  connect(redo_, &QToolButton::clicked, this, [this] {
    editor_.Redo();
    Refresh();
  });
  connect(ToolButton(this, tools, "bmenu8", QStringLiteral("\u27F3"), ""), &QToolButton::clicked,
          this, [this] { view_->update(); });
  tools->addStretch();

  auto* zoomRow = new QHBoxLayout();
  column->addLayout(zoomRow);
  zoomRow->addWidget(new QLabel(QStringLiteral("Zoom"), this));
  zoomSlider_ = new StepSlider(Qt::Horizontal, this);
  zoomSlider_->setObjectName(QStringLiteral("ZoomBox"));
  zoomSlider_->setRange(0, kZoomTop);
  zoomSlider_->setTickInterval(25);
  // A click on the track steps the zoom by one tick towards the click.
  zoomSlider_->setPageStep(25);
  zoomSlider_->setTickPosition(QSlider::TicksBelow);
  zoomRow->addWidget(zoomSlider_, 1);
  zoomLabel_ = new QLabel(this);
  zoomRow->addWidget(zoomLabel_);
  connect(zoomSlider_, &QSlider::valueChanged, this,
          [this](int percent) { SetZoom(std::max(percent, 1) / 100.0); });

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("ScrollBox1"));
  view_ = new PictView(*this);
  scroll_->setWidget(view_);
  column->addWidget(scroll_, 1);
  resize(700, 560);

  hold_ = new QTimer(this);
  hold_->setObjectName(QStringLiteral("Timer2"));
  hold_->setSingleShot(true);
  hold_->setInterval(kHoldMilliseconds);
  connect(hold_, &QTimer::timeout, this, [this] {
    editor_.HoldElapsed();
    view_->update();
  });
  UpdateButtons();
}

bool TPict::OpenBytes(int32_t code, const QString& path, std::vector<uint8_t> bytes, int32_t type) {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QSize room = scroll_->viewport()->size().expandedTo(QSize(480, 360));
  shown_ = DecodeForEditor(bytes, type, room.width() - bar, room.height() - bar);
  path_ = path;
  bytes_ = std::move(bytes);
  type_ = type;
  workingTurn_ = -1;
  editor_.Open(code, shown_.width, shown_.height, shown_.scale);
  if (!HasPicture()) {
    view_->resize(0, 0);
    UpdateButtons();
    return false;
  }
  SetZoom(shown_.scale);
  Refresh();
  return true;
}

bool TPict::OpenPicture(int32_t code, const ItemRecord& picture, const ItemList& list) {
  const ItemRecord* source = FindSource(list, picture.sourceNumber());
  if (picture.kind() != kKindPicture || source == nullptr) return false;
  if (!OpenBytes(code, QString::fromStdU16String(source->text()), source->pictureData,
                 source->clipShape())) {
    return false;
  }
  if (code == kToolEditClip) editor_.EditItem(picture);
  Refresh();
  return true;
}

PictureInsert TPict::Insert() const {
  PictureInsert insert = editor_.Insert();
  insert.pictureType = type_;
  insert.fileName = path_.toStdU16String();
  insert.bytes = bytes_;
  // The zoom box sets the size new pictures take, as the panel's hint tells the user.
  insert.placedScale = zoom_;
  return insert;
}

void TPict::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, 0.01, kZoomTop / 100.0);
  const int percent = static_cast<int>(std::lround(zoom_ * 100));
  if (zoomSlider_->value() != percent) {
    const QSignalBlocker quiet(zoomSlider_);
    zoomSlider_->setValue(percent);
  }
  zoomLabel_->setText(QString::number(zoom_ * 100, 'g', 4) + u'%');
  if (HasPicture()) {
    view_->resize(std::max(1, static_cast<int>(std::lround(editor_.Width() * zoom_))),
                  std::max(1, static_cast<int>(std::lround(editor_.Height() * zoom_))));
  }
  view_->update();
}

QPoint TPict::ToView(Point p) const {
  return {static_cast<int>(std::lround(p.x * zoom_)), static_cast<int>(std::lround(p.y * zoom_))};
}

Point TPict::ToPicture(QPoint v) const {
  return {std::clamp(static_cast<int32_t>(std::lround(v.x() / zoom_)), 0, editor_.Width()),
          std::clamp(static_cast<int32_t>(std::lround(v.y() / zoom_)), 0, editor_.Height())};
}

bool TPict::Key(int key) {
  if (key == Qt::Key_Delete && editor_.State() == kClipSelect) {
    editor_.EraseSelected();
    Refresh();
  } else if (key == Qt::Key_Escape) {
    editor_.Escape();
    Refresh();
  }
  return true;
}

void TPict::keyPressEvent(QKeyEvent* event) {
  Key(event->key());
}

void TPict::Refresh() {
  if (HasPicture() &&
      (workingTurn_ != editor_.Rotation() || workingMirror_ != editor_.MirrorSign() ||
       workingFlip_ != editor_.FlipSign())) {
    // The shown picture turns as the placed picture will.
    Bitmap turned = OrientPicture(shown_.bitmap.Clone(), editor_.Rotation(), editor_.MirrorSign(),
                                  editor_.FlipSign());
    working_ = turned.Image().copy();
    workingTurn_ = editor_.Rotation();
    workingMirror_ = editor_.MirrorSign();
    workingFlip_ = editor_.FlipSign();
    SetZoom(zoom_);
  }
  UpdateButtons();
  view_->update();
}

void TPict::UpdateButtons() {
  erase_->setVisible(editor_.SelectedClip() != nullptr);
  undo_->setEnabled(editor_.CanUndo());
  redo_->setEnabled(editor_.CanRedo());
}

void TPict::Press(QPoint at) {
  if (!HasPicture()) return;
  editor_.Press(ToPicture(at));
  if (editor_.State() == kClipOutline || editor_.State() == kClipRoundOutline) hold_->start();
  view_->update();
}

void TPict::Move(QPoint at) {
  if (!HasPicture()) return;
  editor_.Move(ToPicture(at));
  if (editor_.RubberOutline()) view_->update();
}

void TPict::Release(QPoint at) {
  hold_->stop();
  if (!HasPicture()) return;
  editor_.Release(ToPicture(at));
  Refresh();
}

void TPict::Paint(QWidget& view) {
  QPainter painter(&view);
  painter.fillRect(view.rect(), palette().color(QPalette::Dark));
  if (!HasPicture()) return;
  painter.drawImage(view.rect(), working_);
  const auto outline = [&](bool round, Point a, Point b) {
    const QPoint p = ToView(a), q = ToView(b);
    if (round) {
      const double r = std::hypot(double(q.x() - p.x()), double(q.y() - p.y()));
      painter.drawEllipse(QPointF(p), r, r);
    } else {
      painter.drawRect(QRect(p, q).normalized());
    }
  };
  painter.setBrush(Qt::NoBrush);
  for (const ItemRecord& r : editor_.Clips()) {
    if (!IsVisible(r) || (r.kind() != kKindRectangularClip && r.kind() != kKindRoundClip)) {
      continue;
    }
    const bool round = r.kind() == kKindRoundClip;
    painter.setPen(QPen(Qt::white, 1));
    outline(round, {r.x1(), r.y1()}, {r.x2(), r.y2()});
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    outline(round, {r.x1(), r.y1()}, {r.x2(), r.y2()});
    if (r.selected() != 0) {
      // The handles a drag takes: a rectangle's corners, a circle's rim point.
      std::vector<Point> handles = {{r.x2(), r.y2()}};
      if (!round)
        handles = {{r.x1(), r.y1()}, {r.x2(), r.y2()}, {r.x1(), r.y2()}, {r.x2(), r.y1()}};
      for (Point h : handles) {
        const QPoint c = ToView(h);
        painter.fillRect(QRect(c.x() - 3, c.y() - 3, 7, 7), Qt::black);
        painter.fillRect(QRect(c.x() - 2, c.y() - 2, 5, 5), Qt::white);
      }
    }
  }
  if (const auto rubber = editor_.RubberOutline()) {
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    outline(rubber->round, rubber->a, rubber->b);
  }
}

}  // namespace quillon
