// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/PlaceRow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "document/PageSetup.h"

namespace quillon {
namespace {

constexpr std::array<PlaceField, 5> kFields{PlaceField::X, PlaceField::Y, PlaceField::Width,
                                            PlaceField::Height, PlaceField::Angle};

std::size_t IndexOf(PlaceField field) {
  return static_cast<std::size_t>(field);
}

QString PlaceUnitCaption(int32_t units) {
  if (units == kUnitPixels) return QStringLiteral("in pixels");
  return units == kUnitMillimetres ? QStringLiteral("in mm") : QStringLiteral("in inches");
}

}  // namespace

PlaceRow::PlaceRow(PanelContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("Position and size"), parent), context_(context) {
  setObjectName(QStringLiteral("PositionAndSize"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 2, 4, 4);
  grid->setHorizontalSpacing(3);
  grid->setVerticalSpacing(1);
  // Two measures to a line with one-letter captions, so that the row takes little of the side
  // column's height; the tooltips name each field.
  const char* captions[] = {"X", "Y", "W", "H", "Angle"};
  const char* names[] = {"X", "Y", "Width", "Height", "Angle"};
  const char* hints[] = {"X: the left edge of the selection", "Y: the top edge of the selection",
                         "Width of the selection", "Height of the selection",
                         "Angle of the selection in degrees, counter-clockwise"};
  auto* angleRow = new QHBoxLayout;
  angleRow->setSpacing(3);
  for (PlaceField field : kFields) {
    const std::size_t i = IndexOf(field);
    auto* caption = new QLabel(QString::fromLatin1(captions[i]), this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Place") + QString::fromLatin1(names[i]));
    edit->setAccessibleName(QString::fromLatin1(names[i]));
    edit->setToolTip(QString::fromLatin1(hints[i]));
    caption->setToolTip(edit->toolTip());
    edit->setMinimumWidth(20);
    edit->setMaximumHeight(edit->fontMetrics().height() + 6);
    caption->setBuddy(edit);
    if (field == PlaceField::Angle) {
      edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000.0")) + 10);
      angleRow->addWidget(caption);
      angleRow->addWidget(edit);
      angleRow->addWidget(new QLabel(QStringLiteral("\u00B0"), this));
    } else {
      const int row = static_cast<int>(i) / 2, column = static_cast<int>(i) % 2 * 2;
      grid->addWidget(caption, row, column);
      grid->addWidget(edit, row, column + 1);
    }
    connect(edit, &QLineEdit::editingFinished, this, [this, field] { Commit(field); });
    fields_[i] = edit;
  }
  unit_ = new QLabel(this);
  unit_->setObjectName(QStringLiteral("PlaceUnit"));
  angleRow->addStretch();
  angleRow->addWidget(unit_);
  grid->addLayout(angleRow, 2, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("PlaceProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #b00000;"));
  problem_->hide();
  grid->addWidget(problem_, 3, 0, 1, 4);
}

QString PlaceRow::Problem() const {
  return problem_->isHidden() ? QString() : problem_->text();
}

bool PlaceRow::Refused(PlaceField field) const {
  return refused_[IndexOf(field)];
}

void PlaceRow::showEvent(QShowEvent* event) {
  QGroupBox::showEvent(event);
  Refresh();
}

void PlaceRow::Refresh() {
  FollowDocument();
  ItemList* list = context_.ActiveDocument();
  const std::optional<SelectionPlace> place =
      list != nullptr ? SelectionPlaceOf(*list, context_.ActiveGeometry()) : std::nullopt;
  const PlaceUnits units = list != nullptr ? PlaceUnitsOf(*list) : PlaceUnits{};
  unit_->setText(PlaceUnitCaption(units.units));
  for (PlaceField field : kFields) {
    const std::size_t i = IndexOf(field);
    QLineEdit* edit = fields_[i];
    shown_[i] =
        place ? FormatFieldValue(field, FieldValue(*place, field, units), units.units) : QString();
    edit->setEnabled(place.has_value());
    // What the user is typing stays until it is applied or left.
    if (edit->hasFocus() && edit->isModified()) continue;
    edit->setText(shown_[i]);
    edit->setModified(false);
    ClearRefusal(field);
  }
}

void PlaceRow::Commit(PlaceField field) {
  QLineEdit* edit = Field(field);
  ItemList* list = context_.ActiveDocument();
  DocumentEvents* events = context_.ActiveEvents();
  if (list == nullptr || events == nullptr || !edit->isEnabled()) return;
  if (edit->text().trimmed() == shown_[IndexOf(field)]) {
    ClearRefusal(field);
    return;
  }
  const PlaceUnits units = PlaceUnitsOf(*list);
  const bool vertical = field == PlaceField::Y || field == PlaceField::Height;
  const PlaceInput input = ParsePlaceField(field, edit->text(), units.units,
                                           vertical ? units.perUnitY : units.perUnitX);
  if (!input.value) {
    MarkRefused(field, input.problem);
    return;
  }
  // A flat selection (a level or upright line) cannot be scaled in the direction it lacks.
  const bool wide = field == PlaceField::Width;
  if ((wide || field == PlaceField::Height) && shown_[IndexOf(field)] == QStringLiteral("0")) {
    MarkRefused(field, wide ? QStringLiteral("The selection has no width to scale; type its "
                                             "height instead.")
                            : QStringLiteral("The selection has no height to scale; type its "
                                             "width instead."));
    return;
  }
  if (ApplyPlace(*list, *events, field, *input.value, context_.ActiveGeometry())) {
    context_.SelectionEdited();
  }
  edit->setModified(false);
  Refresh();
}

void PlaceRow::MarkRefused(PlaceField field, const QString& problem) {
  const std::size_t i = IndexOf(field);
  refused_[i] = true;
  fields_[i]->setStyleSheet(QStringLiteral("QLineEdit { background: #ffd0d0; color: #800000; }"));
  problem_->setText(problem);
  problem_->show();
}

void PlaceRow::ClearRefusal(PlaceField field) {
  const std::size_t i = IndexOf(field);
  if (!refused_[i]) return;
  refused_[i] = false;
  fields_[i]->setStyleSheet(QString());
  if (std::none_of(refused_.begin(), refused_.end(), [](bool r) { return r; })) problem_->hide();
}

void PlaceRow::FollowDocument() {
  DocumentEvents* events = context_.ActiveEvents();
  if (events == events_) return;
  if (events_ != nullptr) disconnect(events_, nullptr, this, nullptr);
  events_ = events;
  if (events == nullptr) return;
  // Moves by the pointer, undo and redo redraw the document: the row follows them.
  connect(events, &DocumentEvents::areaChanged, this, &PlaceRow::ScheduleRefresh);
  connect(events, &DocumentEvents::repaintAll, this, &PlaceRow::ScheduleRefresh);
  connect(events, &DocumentEvents::selectionChanged, this, &PlaceRow::ScheduleRefresh);
}

void PlaceRow::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshPending_ = false;
    Refresh();
  });
}

}  // namespace quillon
