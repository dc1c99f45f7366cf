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
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace quillon {

// The map itself: white, printed cards outlined in red, the others grey and crossed out; cards
// used by earlier prints filled grey.
class SelectionMapView : public QWidget {
  Q_OBJECT
 public:
  explicit SelectionMapView(QWidget* parent = nullptr);
  void SetMap(SelectionMap map, const std::u16string* selection);
  // The used cards and the first card to print, which the panel keeps.
  void SetMarks(const std::u16string* used, const int* firstCard);
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
  const std::u16string* used_ = nullptr;
  const int* firstCard_ = nullptr;
};

class TPrsel : public QWidget {
  Q_OBJECT
 public:
  // list is the document of the window the panel was opened for; selection its stored one;
  // used the cards of this sheet that earlier prints used (UsedCards.h).
  TPrsel(const ItemList& list, const std::u16string& selection, std::u16string used = {},
         QWidget* parent = nullptr);

  const std::u16string& Selection() const { return selection_; }
  // The card printing starts at (from 1): at first the first card not used.
  int FirstCard() const { return first_; }
  void SetFirstCard(int first);
  const std::u16string& Used() const { return used_; }
  // Forgets the used cards of this sheet, here and in the settings.
  void ClearUsed();
  // What the print leaves blank and prints, one character per card.
  std::u16string SelectionToPrint() const;
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

  void ShowMemory();

  const ItemList& list_;
  std::u16string selection_;
  std::u16string used_;
  int first_ = 1;
  QSpinBox* start_ = nullptr;
  QLabel* usedText_ = nullptr;
  QPushButton* clear_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  SelectionMapView* view_ = nullptr;
};

}  // namespace quillon
