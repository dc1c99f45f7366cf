// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview panel: the whole sheet as it will print, smoothed to screen size, with the
// cards left out of printing white, and the ways to export or print it.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "document/ItemList.h"
#include "output/PrinterCorrection.h"
#include "render/Bitmap.h"

class QComboBox;
class QLabel;
class QTimer;
class QToolButton;

namespace quillon {

inline constexpr char kPreviewWaiting[] = "The print preview is being prepared...";

// The right-hand area: a backdrop picture stretched over it, and the preview picture on it,
// reduced to fit when it is larger than the area, centred but at least 10 pixels from the left
// and top edges.
class PreviewView : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewView(QWidget* parent = nullptr);
  void SetPicture(const Bitmap* picture);
  // Where the picture is shown and at what size, in this widget.
  QRect PictureRect() const;
  QSize sizeHint() const override { return {560, 560}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Bitmap* picture_ = nullptr;
  // The backdrop and the reduced picture, each kept for the size it was made for.
  QImage backdrop_;
  QImage shown_;
};

class TPreview : public QWidget {
  Q_OBJECT
 public:
  // owner is the document's window: once it is gone the list is never read again. used marks
  // the cards earlier prints used (UsedCards.h), which show grey.
  TPreview(QObject* owner, const ItemList& list, std::u16string selection, std::u16string used = {},
           QWidget* parent = nullptr);

  const ItemList* Document() const { return list_; }
  // The picture shown; empty until prepared.
  const Bitmap& Picture() const { return picture_; }
  bool Prepared() const { return !picture_.empty(); }
  PreviewView* View() const { return view_; }
  // Makes the picture now (it is otherwise made 200 ms after the panel is shown).
  void Prepare();
  // Shows the sheet where the named printer's stored correction puts it; empty shows it as
  // designed. The picture is made again.
  void ShowLandingOn(const QString& printer);
  QComboBox* LandingChoice() const { return landing_; }
  // The printer whose correction the preview shows; empty for the sheet as designed.
  QString LandingPrinter() const;

  // What the export link and button, and the print button, do.
  std::function<void(const Bitmap&)> onExport;
  std::function<void()> onPrint;
  // Export the picture as soon as it is ready (File > Export > Smooth through the preview).
  bool exportMode = false;

  QSize sizeHint() const override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QObject> owner_;
  const ItemList* list_;
  std::u16string selection_;
  std::u16string used_;
  PrinterCorrection correction_;
  Bitmap picture_;
  QComboBox* landing_ = nullptr;
  QLabel* texts_ = nullptr;
  PreviewView* view_ = nullptr;
  QToolButton* export_ = nullptr;
  QToolButton* print_ = nullptr;
  QTimer* prepare_ = nullptr;
};

}  // namespace quillon
