// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/TPrsel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "output/PrinterSettings.h"
#include "output/SheetComposer.h"
#include "output/UsedCards.h"
#include "output/ui/SheetPanel.h"
#include "settings/SettingsStore.h"

namespace quillon {
namespace {

// A text with one link: hovered, the link is underlined in blue.
QLabel* LinkText(const QString& before, const char* link, const QString& linkText,
                 const QString& after, QWidget* parent) {
  auto* label = new QLabel(before +
                               QStringLiteral("<a href=\"%1\" style=\"color: black; "
                                              "text-decoration: none\">%2</a>")
                                   .arg(QString::fromLatin1(link), linkText) +
                               after,
                           parent);
  label->setObjectName(QString::fromLatin1(link));
  label->setWordWrap(true);
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  QObject::connect(label, &QLabel::linkHovered, label, [label](const QString& hovered) {
    const QString style = hovered.isEmpty()
                              ? QStringLiteral("color: black; text-decoration: none")
                              : QStringLiteral("color: blue; text-decoration: underline");
    QString text = label->text();
    const qsizetype at = text.indexOf(QStringLiteral("style=\""));
    const qsizetype end = text.indexOf(u'"', at + 7);
    if (at >= 0 && end > at) text.replace(at + 7, end - at - 7, style);
    label->setText(text);
  });
  return label;
}

}  // namespace

SelectionMapView::SelectionMapView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SelectionMap"));
}

void SelectionMapView::SetMap(SelectionMap map, const std::u16string* selection) {
  map_ = std::move(map);
  selection_ = selection;
  setFixedSize(map_.width, map_.height);
  update();
}

void SelectionMapView::SetMarks(const std::u16string* used, const int* firstCard) {
  used_ = used;
  firstCard_ = firstCard;
  update();
}

QSize SelectionMapView::sizeHint() const {
  return {map_.width, map_.height};
}

void SelectionMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const std::u16string none;
  const std::u16string& selection = selection_ != nullptr ? *selection_ : none;
  for (size_t i = 0; i < map_.cards.size(); ++i) {
    const MapCard& card = map_.cards[i];
    const QRect box(card.left, card.top, std::max(card.width, 1), std::max(card.height, 1));
    const int position = static_cast<int>(i) + 1;
    if (used_ != nullptr && IsUsedCard(*used_, position)) {
      painter.fillRect(box, QColor(200, 200, 200));
      painter.setPen(QColor(150, 150, 150));
      painter.drawRect(box.adjusted(0, 0, -1, -1));
      continue;
    }
    const bool skipped = firstCard_ != nullptr && position < *firstCard_;
    if (!skipped && PrintsCard(selection, position)) {
      painter.setPen(QColor(255, 0, 0));
      painter.drawRect(box.adjusted(0, 0, -1, -1));
    } else {
      painter.setPen(QColor(192, 192, 192));
      painter.drawRect(box.adjusted(0, 0, -1, -1));
      painter.drawLine(box.topLeft(), box.bottomRight());
      painter.drawLine(box.topRight(), box.bottomLeft());
    }
  }
}

void SelectionMapView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int index = CardAt(map_, at.x(), at.y());
  if (index >= 0) emit CardClicked(index);
}

TPrsel::TPrsel(const ItemList& list, const std::u16string& selection, std::u16string used,
               QWidget* parent)
    : QWidget(parent), list_(list), used_(std::move(used)) {
  setObjectName(QStringLiteral("TPrsel"));
  auto* column = new QVBoxLayout;
  auto* title = new QLabel(QStringLiteral("Prepare Print"), this);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 4);
  title->setFont(big);
  column->addWidget(title);
  auto* intro = new QLabel(
      QStringLiteral("The software will arrange your design into rows and columns. Select the "
                     "areas you do or do not want to print by clicking inside the rectangles."),
      this);
  intro->setWordWrap(true);
  column->addWidget(intro);
  QLabel* all =
      LinkText(QStringLiteral("Click here to select "), "all", QStringLiteral("all areas"),
               QStringLiteral(". Then, you can quickly select the areas you do not "
                              "want to print."),
               this);
  QLabel* none =
      LinkText(QStringLiteral("Click here to select "), "none", QStringLiteral("no areas"),
               QStringLiteral(". Then, you can quickly select the areas you want to "
                              "print."),
               this);
  connect(all, &QLabel::linkActivated, this, [this] { SelectAll(true); });
  connect(none, &QLabel::linkActivated, this, [this] { SelectAll(false); });
  column->addWidget(all);
  column->addWidget(none);
  auto* legend = new QLabel(
      QStringLiteral("The areas under the red rectangles will print. The crossed-out areas will "
                     "not print. This layout is symbolic (not drawn to exact scale)."),
      this);
  legend->setWordWrap(true);
  column->addWidget(legend);
  // A sheet partly used before: printing starts at a later card, and the used cards stay blank.
  auto* startRow = new QHBoxLayout;
  auto* startLabel = new QLabel(QStringLiteral("Start at card"), this);
  start_ = new QSpinBox(this);
  start_->setObjectName(QStringLiteral("startAt"));
  start_->setRange(1, std::max(1, CardCount(list)));
  startLabel->setBuddy(start_);
  startRow->addWidget(startLabel);
  startRow->addWidget(start_);
  startRow->addStretch();
  column->addLayout(startRow);
  usedText_ = new QLabel(this);
  usedText_->setObjectName(QStringLiteral("usedText"));
  usedText_->setWordWrap(true);
  column->addWidget(usedText_);
  clear_ = new QPushButton(QStringLiteral("Clear the used cards"), this);
  clear_->setObjectName(QStringLiteral("clearUsed"));
  column->addWidget(clear_, 0, Qt::AlignLeft);
  connect(clear_, &QPushButton::clicked, this, &TPrsel::ClearUsed);
  column->addStretch();
  view_ = new SelectionMapView;
  scroll_ = SheetPanelLayout(this, column, view_);
  scroll_->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
  connect(view_, &SelectionMapView::CardClicked, this, &TPrsel::ToggleCardAt);
  view_->SetMarks(&used_, &first_);
  connect(start_, &QSpinBox::valueChanged, this, [this](int value) {
    first_ = value;
    view_->update();
  });
  ShowMemory();
  scroll_->viewport()->installEventFilter(this);
  // Every card starts printed; the window's stored selection then takes its place.
  selection_ = selection;
  resize(620, 360);
  Relayout();
}

void TPrsel::Relayout() {
  const QSize area = scroll_->viewport()->size() - QSize(20, 20);
  view_->SetMap(MapOfCards(list_, std::max(area.width(), 50), std::max(area.height(), 50)),
                &selection_);
}

bool TPrsel::eventFilter(QObject* watched, QEvent* event) {
  // The map follows the area it is shown in, which the layout sizes after the panel.
  if (watched == scroll_->viewport() && event->type() == QEvent::Resize) Relayout();
  return QWidget::eventFilter(watched, event);
}

void TPrsel::SelectAll(bool print) {
  selection_ = SelectAllCards(static_cast<int>(view_->Map().cards.size()), print);
  view_->update();
}

void TPrsel::SetFirstCard(int first) {
  start_->setValue(first);
}

void TPrsel::ShowMemory() {
  const int cards = CardCount(list_);
  const int free = FirstFreeCard(used_, cards);
  start_->setValue(free <= cards ? free : 1);
  first_ = start_->value();
  const bool any = used_.find(kUsedCard) != std::u16string::npos;
  usedText_->setText(any ? QStringLiteral("The grey cards were used by earlier prints on this "
                                          "sheet and stay blank.")
                         : QString());
  usedText_->setVisible(any);
  clear_->setVisible(any);
  view_->update();
}

void TPrsel::ClearUsed() {
  used_.clear();
  WriteUsedCards(*OpenSettingsStore(), SheetLayoutName(list_), used_);
  ShowMemory();
}

std::u16string TPrsel::SelectionToPrint() const {
  return SelectionForPrint(selection_, first_, used_, CardCount(list_));
}

void TPrsel::ToggleCardAt(int index) {
  // A used card, or one before the first card printed, stays blank whatever is clicked.
  if (IsUsedCard(used_, index + 1) || index + 1 < first_) return;
  selection_ = ToggleCard(selection_, index, static_cast<int>(view_->Map().cards.size()));
  view_->update();
}

}  // namespace quillon
