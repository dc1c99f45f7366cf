// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup wizard: the design-type menu, then the page dimensions of the chosen kind
// with a sketch of the sheet, over a working copy of the eleven page descriptions.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/ItemList.h"
#include "page/PageDimensions.h"
#include "page/Pageset.h"
#include "page/SheetSketch.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QScrollArea;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace quillon {

inline constexpr int32_t kStepMenu = 55;
inline constexpr int32_t kStepDimensions = 56;

// The kinds the design-type menu offers, top to bottom.
inline constexpr int32_t kMenuKinds[] = {1, 10, 2, 3, 4, 11, 5, 9};

// The description of a kind shown while the pointer rests on its menu entry.
QString KindDescription(int32_t kind);
// The schematic picture of a kind's sheet, 180 x 260 pixels: white with grey outlines.
QImage KindExample(int32_t kind);

// One entry of the design-type menu; it rises under the pointer.
class KindEntry : public QLabel {
  Q_OBJECT
 public:
  KindEntry(int32_t kind, QWidget* parent);
  int32_t Kind() const { return kind_; }
  void SetRaised(bool raised);
  bool IsRaised() const { return raised_; }

 signals:
  void Hovered(int32_t kind);
  void Pressed(int32_t kind);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int32_t kind_;
  bool raised_ = false;
};

// The design-type menu.
class TPagebox : public QWidget {
  Q_OBJECT
 public:
  explicit TPagebox(QWidget* parent = nullptr);
  KindEntry* Entry(int32_t kind) const;
  int32_t HoveredKind() const { return hoveredKind_; }
  // Raises a kind's entry and shows its description and picture.
  void Hover(int32_t kind);

 signals:
  void Pressed(int32_t kind);

 private:
  std::vector<KindEntry*> entries_;
  QLabel* description_ = nullptr;
  QLabel* example_ = nullptr;
  int32_t hoveredKind_ = 0;
};

// The sheet sketch: white, "Sample" at the top left, the paper, dotted margins, red cards.
class SketchView : public QWidget {
  Q_OBJECT
 public:
  explicit SketchView(QWidget* parent = nullptr);
  void SetSketch(SheetSketch sketch);
  const SheetSketch& Sketch() const { return sketch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SheetSketch sketch_;
};

// The search box above "Quick select", and what the list says when it finds nothing.
inline constexpr char kQuickSelectSearchShort[] = "Search name or size";
inline constexpr char kQuickSelectSearchHint[] =
    "Find sheets by any part of their name or by their size, e.g. 63.5 x 38.1";
inline constexpr char kQuickSelectNothingFound[] = "No sheet in this list matches the search";

// The page-dimensions form over PageDimensions, with the sheet sketch beside it; the search box
// filters the "Quick select" list.
class TPagedim : public QWidget {
  Q_OBJECT
 public:
  explicit TPagedim(QWidget* parent = nullptr);
  void LoadPageset(int32_t kind, const pageset_t& set);
  const pageset_t& StorePageset() const { return form_.Store(); }
  const PageDimensions& Form() const { return form_; }

  QComboBox* QuickSelect() const { return quickSelect_; }
  QLineEdit* QuickSelectSearch() const { return search_; }
  QComboBox* Units() const { return units_; }
  QLineEdit* Edit(int n) const { return edits_[n - 1]; }
  QCheckBox* Portrait() const { return portrait_; }
  QCheckBox* Landscape() const { return landscape_; }
  QCheckBox* RowFold() const { return rowFold_; }
  QCheckBox* ColumnFold() const { return columnFold_; }
  SketchView* Sketch() const { return sketch_; }
  QLabel* SketchCaption() const { return caption_; }
  // The sentence under the fields that says why a marked field cannot be applied.
  QLabel* ProblemText() const { return problemText_; }
  // Whether edit box n is marked as one that cannot be applied.
  bool EditMarked(int n) const;
  // Puts the cursor into the first marked field; true when there is none and the form applies.
  bool FocusFirstProblem();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the model's state in every widget, without reacting to the changes it makes.
  void Refresh();
  void RefreshSketch();
  void ShowProblems(const std::vector<FieldProblem>& problems);

  PageDimensions form_;
  // The sheet of the last description that could be applied, which the sketch keeps showing
  // while a field cannot be.
  std::optional<pageset_t> lastSound_;
  bool filling_ = false;
  QCheckBox* portrait_ = nullptr;
  QCheckBox* landscape_ = nullptr;
  QComboBox* quickSelect_ = nullptr;
  QLineEdit* search_ = nullptr;
  QComboBox* units_ = nullptr;
  QLabel* labels_[kPageDimensionEdits] = {};
  QLineEdit* edits_[kPageDimensionEdits] = {};
  QCheckBox* rowFold_ = nullptr;
  QCheckBox* columnFold_ = nullptr;
  QLabel* caption_ = nullptr;
  QLabel* problemText_ = nullptr;
  QScrollArea* sketchArea_ = nullptr;
  SketchView* sketch_ = nullptr;
};

class TPage : public QWidget {
  Q_OBJECT
 public:
  // defaults are the new-file page descriptions; page the page setup record of the document
  // being set up (null for new files), document its list (null for new files).
  TPage(const pagesetArr_t& defaults, const ItemRecord* page, const ItemList* document,
        QWidget* parent = nullptr);

  int32_t Step() const { return step_; }
  int32_t CurrentKind() const { return currentKind_; }
  const pagesetArr_t& WorkingPagesets() const { return working_; }
  // The document the wizard sets up, null for new files.
  const ItemList* Document() const { return document_; }
  TPagebox* Menu() const { return menu_; }
  TPagedim* Dimensions() const { return dimensions_; }
  QToolButton* BackLink() const { return back_; }
  QToolButton* ForwardArrow() const { return forward_; }
  QLabel* Title() const { return title_; }

  // A press on a menu entry: the kind is chosen and the dimensions follow 200 ms later; a
  // second press before then is ignored.
  void ChooseKind(int32_t kind);
  void GoBack();
  void GoForward();
  // Asked before Apply: false, showing the dimensions with the fields at fault marked, while
  // the chosen kind's description has a field that cannot be applied.
  bool CanApply();
  // Apply's first steps: the form's description is stored into the working copy. The kind to
  // apply, or 0 when none is chosen.
  int32_t Finish();

  QSize sizeHint() const override { return {900, 560}; }

 private:
  void ShowStep(int32_t step);

  pagesetArr_t working_;
  const ItemList* document_;
  int32_t currentKind_ = 0;
  int32_t step_ = 0;
  QLabel* title_ = nullptr;
  QLabel* texts_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  TPagebox* menu_ = nullptr;
  TPagedim* dimensions_ = nullptr;
  QWidget* menuColumn_ = nullptr;
  QTimer* proceed_ = nullptr;
};

}  // namespace quillon
