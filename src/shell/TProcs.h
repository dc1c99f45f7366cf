// SPDX-License-Identifier: GPL-3.0-or-later
// The engine frame along the top of the main window: the toolbar with its 36 buttons and the
// zoom controls, and the paste buffer shared by all drawing windows.
#pragma once

#include <QSlider>
#include <QWidget>
#include <array>

#include "document/ItemList.h"

class QLabel;
class QToolBar;
class QToolButton;

namespace quillon {

// Button numbers of the two zoom buttons, between "Select an item" and "Place ... behind".
inline constexpr int kZoomOutButton = 10;
inline constexpr int kZoomInButton = 11;
inline constexpr int kToolbarButtons = 36;

// The toolbar button that marks a tool as current, or 0.
int ToolButtonOf(int toolNumber);
// The tool a button chooses, or 0 for the command buttons.
int ToolOfButton(int number);

// The zoom slider: releasing the button reports the position; the wheel never moves it.
class ZoomSlider : public QSlider {
  Q_OBJECT
 public:
  explicit ZoomSlider(QWidget* parent);
 signals:
  void Released(int position);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

// The buttons sit on a toolbar that folds what does not fit into its extension menu; the zoom
// controls stay at the right end whatever the width.
class TProcs : public QWidget {
  Q_OBJECT
 public:
  TProcs(const ScreenMetrics& screen, QWidget* parent);
  QToolBar* Strip() const { return strip_; }
  // The chrome style reaches the strip and every button.
  void setStyle(QStyle* style);

  // Buttons 1 to 36 (10 and 11 are the zoom buttons) and their actions.
  QToolButton* Button(int number) const;
  QAction* Action(int number) const;
  // Shows (and enables) a button or hides it; a hidden button keeps its place on the strip.
  void ShowButton(int number, bool shown);
  ZoomSlider* TrackBar() const { return trackBar_; }
  QLabel* ZoomLabel() const { return zoomLabel_; }

  // Shows a zoom on the slider and the label without running the slider's handler.
  void ShowZoom(double zoom);
  // Marks the button of the tool as the current tool (none for other tools).
  void SetCurrentTool(int toolNumber);
  void SetGridOn(bool on);
  void SetSnapOn(bool on);
  // Every button back to its resting picture.
  void RestAll();
  QToolButton* RaisedButton() const;

  ItemList& PasteBuffer() { return pasteBuffer_; }

 signals:
  // A button's raised picture was released.
  void ButtonReleased(int number);
  // A button rose under the pointer.
  void ButtonRaised();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddButton(int number);
  // A place of the button's size on the strip, holding the button.
  QWidget* PlaceOf(QToolButton* button);
  void AddZoomControls();
  void Raise(QToolButton* button);

  QToolBar* strip_ = nullptr;
  std::array<QAction*, kToolbarButtons + 1> actions_{};
  std::array<QToolButton*, kToolbarButtons + 1> buttons_{};
  ZoomSlider* trackBar_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  ItemList pasteBuffer_;
};

}  // namespace quillon
