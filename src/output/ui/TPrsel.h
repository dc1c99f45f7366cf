// SPDX-License-Identifier: GPL-3.0-or-later
// The print selection panel: explanations with the "all areas" and "no areas" links beside a
// map of the sheet's cards, where a click leaves a card out of printing or takes it back.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "document/ItemList.h"
#include "output/PrintSelection.h"

class QLabel;
class QScrollArea;

namespace quillon {

// The map itself: white, printed cards outlined in red, the others grey and crossed out.
class SelectionMapView : public QWidget {
  Q_OBJECT
 public:
  explicit SelectionMapView(QWidget* parent = nullptr);
  void SetMap(SelectionMap map, const std::u16string* selection);
  const SelectionMap& Map() const { return map_; }
  QSize sizeHint() const override;

 signals:
  void CardClicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  SelectionMap map_;
  const std::u16string* selection_ = nullptr;
};

class TPrsel : public QWidget {
  Q_OBJECT
 public:
  // list is the document of the window the panel was opened for; selection its stored one.
  TPrsel(const ItemList& list, const std::u16string& selection, QWidget* parent = nullptr);

  const std::u16string& Selection() const { return selection_; }
  // The document the panel was opened for.
  const ItemList* Document() const { return &list_; }
  SelectionMapView* MapView() const { return view_; }
  // The links' actions: every card printed, or none.
  void SelectAll(bool print);
  void ToggleCardAt(int index);
  QSize sizeHint() const override { return {640, 420}; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Relayout();

  const ItemList& list_;
  std::u16string selection_;
  QScrollArea* scroll_ = nullptr;
  SelectionMapView* view_ = nullptr;
};

}  // namespace quillon
