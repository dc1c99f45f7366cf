// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "document/PageSetup.h"
#include "page/TemplateSearch.h"
#include "page/ui/TPage.h"
#include "render/Bitmap.h"

namespace quillon {

SketchView::SketchView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Sketch"));
}

void SketchView::SetSketch(SheetSketch sketch) {
  sketch_ = std::move(sketch);
  update();
}

void SketchView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  QFont sample(QStringLiteral("Arial"));
  sample.setPixelSize(24);  // 18 points on a 96 dpi screen
  painter.setFont(sample);
  painter.setPen(ToQColor(kSilver));
  painter.drawText(QPoint(4, QFontMetrics(sample).ascent() + 2), QStringLiteral("Sample"));
  if (!sketch_.drawn) return;
  // The paper sits centred in the view with a few pixels of white around it.
  const QPointF corner((width() - sketch_.paper.width()) / 2,
                       (height() - sketch_.paper.height()) / 2);
  painter.translate(std::max(corner.x(), 4.0), std::max(corner.y(), 4.0));
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(sketch_.paper.adjusted(0, 0, -1, -1));
  if (!sketch_.margins.isEmpty()) {
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(sketch_.margins);
  }
  painter.setPen(QPen(QColor(255, 0, 0), 0));
  for (const QRectF& card : sketch_.cards)
    painter.drawRect(card);
}

TPagedim::TPagedim(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TPagedim"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  auto* fields = new QGridLayout;
  portrait_ = new QCheckBox(QStringLiteral("Portrait"), this);
  landscape_ = new QCheckBox(QStringLiteral("Landscape"), this);
  // The boxes keep their own width, so that a wide column does not stretch them past their
  // caption, where a click would not reach them.
  fields->addWidget(portrait_, 0, 0, Qt::AlignLeft);
  fields->addWidget(landscape_, 0, 1, Qt::AlignLeft);
  fields->addWidget(new QLabel(QStringLiteral("Quick select"), this), 1, 0);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("QuickSelectSearch"));
  search_->setPlaceholderText(QString::fromLatin1(kQuickSelectSearchShort));
  search_->setToolTip(QString::fromLatin1(kQuickSelectSearchHint));
  search_->setClearButtonEnabled(true);
  fields->addWidget(search_, 1, 1);
  quickSelect_ = new QComboBox(this);
  quickSelect_->setObjectName(QStringLiteral("ComboBox1"));
  quickSelect_->setMaxVisibleItems(16);
  quickSelect_->setMinimumContentsLength(28);
  fields->addWidget(quickSelect_, 2, 0, 1, 2);
  fields->addWidget(new QLabel(QStringLiteral("Measuring Units"), this), 3, 0, 1, 2);
  units_ = new QComboBox(this);
  units_->setObjectName(QStringLiteral("ComboBox2"));
  for (int32_t units = 1; units <= 3; ++units)
    units_->addItem(QString::fromLatin1(UnitCaption(units)));
  fields->addWidget(units_, 4, 0, 1, 2);
  for (int n = 1; n <= kPageDimensionEdits; ++n) {
    const int line = 5 + (n - 1) / 2 * 2;
    const int column = (n - 1) % 2;
    labels_[n - 1] = new QLabel(this);
    edits_[n - 1] = new QLineEdit(this);
    edits_[n - 1]->setObjectName(QStringLiteral("Edit%1").arg(n));
    fields->addWidget(labels_[n - 1], line, column);
    fields->addWidget(edits_[n - 1], line + 1, column);
    connect(edits_[n - 1], &QLineEdit::textEdited, this, [this, n](const QString& text) {
      form_.TypeText(n, text);
      Refresh();
    });
  }
  rowFold_ = new QCheckBox(QStringLiteral("Row fold"), this);
  rowFold_->setObjectName(QStringLiteral("CheckBox3"));
  columnFold_ = new QCheckBox(QStringLiteral("Column fold"), this);
  columnFold_->setObjectName(QStringLiteral("CheckBox4"));
  fields->addWidget(rowFold_, 15, 0);
  fields->addWidget(columnFold_, 15, 1);
  problemText_ = new QLabel(this);
  problemText_->setObjectName(QStringLiteral("Problems"));
  problemText_->setWordWrap(true);
  problemText_->setStyleSheet(QStringLiteral("QLabel { color: #C00000; }"));
  problemText_->hide();
  fields->addWidget(problemText_, 16, 0, 1, 2);
  fields->setRowStretch(17, 1);
  row->addLayout(fields);

  auto* sketchColumn = new QVBoxLayout;
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("SketchCaption"));
  sketchColumn->addWidget(caption_);
  sketchArea_ = new QScrollArea(this);
  sketchArea_->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
  sketch_ = new SketchView;
  sketchArea_->setWidget(sketch_);
  sketchArea_->viewport()->installEventFilter(this);
  sketchColumn->addWidget(sketchArea_, 1);
  row->addLayout(sketchColumn, 1);

  connect(portrait_, &QCheckBox::clicked, this, [this] {
    if (filling_) return;
    form_.SetOrientation(kPortrait);
    Refresh();
  });
  connect(landscape_, &QCheckBox::clicked, this, [this] {
    if (filling_) return;
    form_.SetOrientation(kLandscape);
    Refresh();
  });
  // The list shows the entries the search finds; each carries its index in the whole list.
  connect(quickSelect_, &QComboBox::activated, this, [this](int index) {
    if (filling_) return;
    form_.ChooseTemplate(quickSelect_->itemData(index).toInt());
    Refresh();
  });
  connect(search_, &QLineEdit::textChanged, this, [this] {
    if (!filling_) Refresh();
  });
  connect(units_, &QComboBox::activated, this, [this](int index) {
    if (filling_) return;
    form_.SetUnits(index + 1);
    Refresh();
  });
  connect(rowFold_, &QCheckBox::clicked, this, [this](bool on) {
    if (filling_) return;
    form_.SetRowFold(on);
    Refresh();
  });
  connect(columnFold_, &QCheckBox::clicked, this, [this](bool on) {
    if (filling_) return;
    form_.SetColumnFold(on);
    Refresh();
  });
}

void TPagedim::LoadPageset(int32_t kind, const pageset_t& set) {
  form_.Load(kind, set);
  lastSound_.reset();
  Refresh();
}

bool TPagedim::EditMarked(int n) const {
  return n >= 1 && n <= kPageDimensionEdits && edits_[n - 1]->property("problem").toBool();
}

bool TPagedim::FocusFirstProblem() {
  const std::vector<FieldProblem> problems = form_.Problems();
  ShowProblems(problems);
  if (problems.empty()) return true;
  QLineEdit* edit = edits_[problems.front().edit - 1];
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  return false;
}

void TPagedim::ShowProblems(const std::vector<FieldProblem>& problems) {
  QStringList sentences;
  for (int n = 1; n <= kPageDimensionEdits; ++n) {
    QString why;
    for (const FieldProblem& problem : problems) {
      if (problem.edit == n) why = problem.why;
    }
    QLineEdit* edit = edits_[n - 1];
    const bool marked = !why.isEmpty();
    if (marked) sentences.append(why);
    if (edit->property("problem").toBool() == marked && edit->toolTip() == why) continue;
    edit->setProperty("problem", marked);
    edit->setToolTip(why);
    edit->setStyleSheet(marked ? QStringLiteral("QLineEdit { background: #FFE8E8; border: 1px "
                                                "solid #C00000; }")
                               : QString());
  }
  problemText_->setText(sentences.join(u'\n'));
  problemText_->setVisible(!sentences.isEmpty());
}

void TPagedim::Refresh() {
  filling_ = true;
  portrait_->setChecked(form_.orientation() == kPortrait);
  landscape_->setChecked(form_.orientation() == kLandscape);
  const QStringList names = form_.QuickSelectNames();
  const std::vector<int> found = SearchTemplates(form_.units(), form_.kind(), search_->text());
  std::vector<int> shown;
  for (int i = 0; i < quickSelect_->count(); ++i)
    shown.push_back(quickSelect_->itemData(i).toInt());
  if (shown != found) {
    quickSelect_->clear();
    for (int index : found)
      quickSelect_->addItem(names.value(index), index);
  }
  quickSelect_->setPlaceholderText(found.empty() ? QString::fromLatin1(kQuickSelectNothingFound)
                                                 : QString());
  quickSelect_->setCurrentIndex(quickSelect_->findData(form_.selectedTemplate()));
  units_->setCurrentIndex(form_.units() - 1);
  for (int n = 1; n <= kPageDimensionEdits; ++n) {
    const bool shownEdit = form_.EditShown(n);
    labels_[n - 1]->setVisible(shownEdit);
    edits_[n - 1]->setVisible(shownEdit);
    labels_[n - 1]->setText(form_.EditLabel(n));
    // Typing keeps the cursor where it is: only a text that differs is replaced.
    if (edits_[n - 1]->text() != form_.EditText(n)) edits_[n - 1]->setText(form_.EditText(n));
  }
  rowFold_->setVisible(form_.FoldBoxesShown());
  columnFold_->setVisible(form_.FoldBoxesShown());
  rowFold_->setChecked(form_.rowFold());
  columnFold_->setChecked(form_.columnFold());
  filling_ = false;
  const std::vector<FieldProblem> problems = form_.Problems();
  ShowProblems(problems);
  if (problems.empty()) lastSound_ = form_.Store();
  RefreshSketch();
}

void TPagedim::RefreshSketch() {
  const QSize area = sketchArea_->viewport()->size();
  // While a field cannot be applied the sheet that last could stays in view.
  const pageset_t& shown = lastSound_ && !form_.Problems().empty() ? *lastSound_ : form_.Store();
  SheetSketch sketch = SketchSheet(form_.kind(), shown, area.width(), area.height());
  caption_->setText(!sketch.drawn       ? QString()
                    : sketch.actualSize ? QString::fromLatin1(kSketchActualCaption)
                                        : QString::fromLatin1(kSketchScaledCaption));
  // At actual size a picture larger than the area scrolls; scaled, it fills the area.
  const QSize paper(static_cast<int>(std::ceil(sketch.paper.width())) + 8,
                    static_cast<int>(std::ceil(sketch.paper.height())) + 8);
  sketch_->resize(paper.expandedTo(area));
  sketch_->SetSketch(std::move(sketch));
}

bool TPagedim::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sketchArea_->viewport() && event->type() == QEvent::Resize) RefreshSketch();
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillon
