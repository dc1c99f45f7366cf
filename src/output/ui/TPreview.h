// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview panel: the whole sheet as it will print, smoothed to screen size, with the
// cards left out of printing white, and the ways to export or print it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "document/ItemList.h"
#include "render/Bitmap.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace quillon {

inline constexpr char kPreviewWaiting[] = "The print preview is being prepared...";

class TPreview : public QWidget {
  Q_OBJECT
 public:
  // owner is the document's window: once it is gone the list is never read again.
  TPreview(QObject* owner, const ItemList& list, std::u16string selection,
           QWidget* parent = nullptr);

  const ItemList* Document() const { return list_; }
  // The picture shown; empty until prepared.
  const Bitmap& Picture() const { return picture_; }
  bool Prepared() const { return !picture_.empty(); }
  // Makes the picture now (it is otherwise made 200 ms after the panel is shown).
  void Prepare();

  // What the export link and button, and the print button, do.
  std::function<void(const Bitmap&)> onExport;
  std::function<void()> onPrint;
  // Export the picture as soon as it is ready (File > Export > Smooth through the preview).
  bool exportMode = false;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QObject> owner_;
  const ItemList* list_;
  std::u16string selection_;
  Bitmap picture_;
  QLabel* texts_ = nullptr;
  QLabel* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* print_ = nullptr;
  QTimer* prepare_ = nullptr;
};

}  // namespace quillon
