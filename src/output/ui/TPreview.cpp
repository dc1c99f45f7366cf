// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/TPreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/ui/SheetPanel.h"

namespace quillon {

TPreview::TPreview(QObject* owner, const ItemList& list, std::u16string selection, QWidget* parent)
    : QWidget(parent), owner_(owner), list_(&list), selection_(std::move(selection)) {
  setObjectName(QStringLiteral("TPreview"));
  auto* column = new QVBoxLayout;
  texts_ = new QLabel(QString::fromLatin1(kPreviewWaiting), this);
  texts_->setObjectName(QStringLiteral("texts"));
  texts_->setWordWrap(true);
  texts_->setTextFormat(Qt::RichText);
  texts_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  connect(texts_, &QLabel::linkActivated, this, [this] {
    if (onExport && Prepared()) onExport(picture_);
  });
  column->addWidget(texts_, 1);
  export_ = new QPushButton(QStringLiteral("Export"), this);
  export_->setObjectName(QStringLiteral("exportButton"));
  print_ = new QPushButton(QStringLiteral("Print"), this);
  print_->setObjectName(QStringLiteral("printButton"));
  export_->hide();
  print_->hide();
  connect(export_, &QPushButton::clicked, this, [this] {
    if (onExport && Prepared()) onExport(picture_);
  });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (onPrint) onPrint();
  });
  column->addWidget(export_);
  column->addWidget(print_);
  view_ = new QLabel;
  view_->setObjectName(QStringLiteral("picture"));
  scroll_ = SheetPanelLayout(this, column, view_);
  resize(720, 480);
  prepare_ = new QTimer(this);
  prepare_->setSingleShot(true);
  prepare_->setInterval(200);
  connect(prepare_, &QTimer::timeout, this, &TPreview::Prepare);
}

void TPreview::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!Prepared()) prepare_->start();
}

void TPreview::Prepare() {
  prepare_->stop();
  // The window may have closed: its document is gone, and nothing is prepared.
  if (owner_ == nullptr || Prepared()) return;
  Bitmap picture;
  const ComposeResult made =
      PreviewPicture(*list_, list_->screen(), PrintQualityRenderer(), selection_, picture);
  if (!made.ok) {
    if (FindPageRecord(*list_) != nullptr) texts_->setText(QString::fromStdString(made.message));
    return;
  }
  picture_ = std::move(picture);
  view_->setPixmap(QPixmap::fromImage(picture_.Image().copy()));
  view_->resize(picture_.width(), picture_.height());
  texts_->setText(QStringLiteral(
      "<p>The preview is scaled to fit your screen.</p>"
      "<p>Your printer will make a sharper print than what you can see on your screen, so "
      "verify only the layout, not the quality of the print preview.</p>"
      "<p>Most printers cannot print on the edges of the paper and leave some small margins "
      "blank. The preview shows the entire image, including the margins.</p>"
      "<p>You can <a href=\"export\">export</a> the preview into a file that you can display in "
      "the Web browser or show in an email message.</p>"));
  export_->show();
  print_->show();
  if (exportMode && onExport) onExport(picture_);
}

}  // namespace quillon
