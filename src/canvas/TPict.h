// SPDX-License-Identifier: GPL-3.0-or-later
// The picture clip editor's panel: the picture at a zoom, the clips on it, and the tool buttons
// over the headless editor.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "canvas/ClipEditor.h"

class QKeyEvent;
class QLabel;
class QScrollArea;
class QSlider;
class QTimer;
class QToolButton;

namespace quillon {

inline constexpr char kNotAValidFile[] = "This is not a valid file.";

class TPict : public QWidget {
  Q_OBJECT
 public:
  explicit TPict(QWidget* parent = nullptr);

  // Opens a picture file's bytes for a new picture (code 51); false when they cannot be shown.
  bool OpenBytes(int32_t code, const QString& path, std::vector<uint8_t> bytes, int32_t type);
  // Opens the source of a placed picture: its clip and orientation for code 503, a fresh clip
  // for code 510; false when the picture has no source that can be shown.
  bool OpenPicture(int32_t code, const ItemRecord& picture, const ItemList& list);
  bool HasPicture() const { return !shown_.bitmap.empty(); }
  ClipEditor& Editor() { return editor_; }
  // What Insert or Apply hands to the document, the file's bytes included.
  PictureInsert Insert() const;
  // The zoom, full-size picture pixels to screen pixels.
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  // Screen pixels of the view from picture pixels and back.
  QPoint ToView(Point picture) const;
  Point ToPicture(QPoint view) const;
  QWidget* View() const { return view_; }
  // Keys while the editor is shown: Delete and Esc act, everything else is taken too.
  bool Key(int key);
  // The hold time of a press that starts an outline; tests shorten it.
  QTimer* HoldTimer() const { return hold_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class PictView;
  void Refresh();
  void UpdateButtons();
  void Press(QPoint at);
  void Move(QPoint at);
  void Release(QPoint at);
  void Paint(QWidget& view);

  ClipEditor editor_;
  EditorPicture shown_;
  QImage working_;  // the shown picture, turned as the editor says
  int32_t workingTurn_ = -1;
  int workingMirror_ = 0, workingFlip_ = 0;
  QString path_;
  std::vector<uint8_t> bytes_;
  int32_t type_ = 0;
  double zoom_ = 1;
  QWidget* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QSlider* zoomSlider_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QToolButton* erase_ = nullptr;
  QToolButton* undo_ = nullptr;
  QToolButton* redo_ = nullptr;
  QTimer* hold_ = nullptr;
};

}  // namespace quillon
