// SPDX-License-Identifier: GPL-3.0-or-later
// The "Position and size" row of the selection panels: X, Y, width, height and angle of the
// selection in the document's unit, filled from the selection whenever it or the document
// changes and applied on Return or when a field loses the focus, each as one undo step.
#pragma once

#include <QGroupBox>
#include <QPointer>
#include <array>

#include "edit/PlaceCommands.h"
#include "settings/ui/PanelContext.h"

class QLabel;
class QLineEdit;

namespace quillon {

class PlaceRow : public QGroupBox {
  Q_OBJECT
 public:
  PlaceRow(PanelContext& context, QWidget* parent = nullptr);
  QLineEdit* Field(PlaceField field) const { return fields_[static_cast<std::size_t>(field)]; }
  // The sentence under the fields while a typed value is refused; empty otherwise.
  QString Problem() const;
  // Whether the field is marked as holding a refused value.
  bool Refused(PlaceField field) const;
  // Shows the selection's values (fields being typed in keep their text).
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Commit(PlaceField field);
  void MarkRefused(PlaceField field, const QString& problem);
  void ClearRefusal(PlaceField field);
  void FollowDocument();
  void ScheduleRefresh();

  PanelContext& context_;
  std::array<QLineEdit*, 5> fields_{};
  std::array<QString, 5> shown_;
  std::array<bool, 5> refused_{};
  QLabel* unit_ = nullptr;
  QLabel* problem_ = nullptr;
  QPointer<DocumentEvents> events_;
  bool refreshPending_ = false;
};

}  // namespace quillon
