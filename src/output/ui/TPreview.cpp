// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/TPreview.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>

#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/PrintDriver.h"
#include "output/PrinterSettings.h"
#include "output/UsedCards.h"
#include "render/Resample.h"
#include "settings/SettingsStore.h"

namespace quillon {
namespace {

constexpr int kPictureMargin = 10;

// A soft backdrop, light at the top and greyer at the bottom, as a picture of a few pixels.
Bitmap BackdropSource() {
  Bitmap source(4, 16);
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const int shade = 236 - y * 4 - (x == 0 || x == 3 ? 6 : 0);
      source.SetPixel(x, y, ColourOf(shade - 10, shade - 4, shade + 4));
    }
  }
  return source;
}

// A bitmap brought to a size with the resampler, as a picture to draw; null when it cannot be
// made.
QImage Resized(const Bitmap& source, QSize size, ResampleFilter filter) {
  try {
    Bitmap target(size.width(), size.height());
    Resample(source, target, filter);
    return target.Image().copy();
  } catch (const std::bad_alloc&) {
    return {};
  }
}

// A button picture: a printer or a picture with an arrow, drawn in a few strokes.
QIcon ButtonPicture(bool printer) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(60, 60, 70), 1.2));
  if (printer) {
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7, 2.5, 10, 7));
    painter.setBrush(QColor(150, 160, 175));
    painter.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6.5, 15.5, 11, 6));
  } else {
    painter.setBrush(QColor(170, 205, 235));
    painter.drawRect(QRectF(2.5, 4.5, 15, 12));
    painter.setBrush(QColor(90, 160, 90));
    painter.drawPolygon(QPolygonF({{3, 16}, {8, 10}, {12, 14}, {17, 9}, {17, 16}}));
    painter.setPen(QPen(QColor(30, 90, 200), 2));
    painter.drawLine(QPointF(14, 20), QPointF(21, 20));
    painter.drawLine(QPointF(18, 17), QPointF(21, 20));
    painter.drawLine(QPointF(18, 23), QPointF(21, 20));
  }
  return QIcon(pixmap);
}

QToolButton* PreviewButton(const QString& caption, bool printer, const char* name,
                           QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setIcon(ButtonPicture(printer));
  button->setIconSize(QSize(24, 24));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  // A resting picture that the pointer raises.
  button->setAutoRaise(true);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return button;
}

// Fills the used cards of the preview picture light grey, where the correction puts them.
void GreyUsedCards(Bitmap& picture, const ItemList& list, const std::u16string& used,
                   const PrinterCorrection& correction) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr || used.find(kUsedCard) == std::u16string::npos) return;
  const CardLayout layout = LayoutOf(*page, list.screen());
  const QSizeF paper = PaperMillimetres(*page, list.screen());
  if (!layout.multiCard || paper.width() <= 0 || paper.height() <= 0) return;
  // Picture pixels per millimetre of the paper.
  const double px = picture.width() / paper.width(), py = picture.height() / paper.height();
  for (int r = 0; r < layout.rows; ++r) {
    for (int k = 0; k < layout.columns; ++k) {
      if (!IsUsedCard(used, k + layout.columns * r + 1)) continue;
      const QPointF from(25.4 * (layout.marginLeft + k * (layout.cardWidth + layout.gapHorizontal)),
                         25.4 * (layout.marginTop + r * (layout.cardHeight + layout.gapVertical)));
      const QPointF to = from + QPointF(25.4 * layout.cardWidth, 25.4 * layout.cardHeight);
      const QPointF a = CorrectedPoint(correction, from), b = CorrectedPoint(correction, to);
      const int left = std::clamp(int(std::lround(a.x() * px)), 0, picture.width());
      const int top = std::clamp(int(std::lround(a.y() * py)), 0, picture.height());
      const int right = std::clamp(int(std::lround(b.x() * px)), 0, picture.width());
      const int bottom = std::clamp(int(std::lround(b.y() * py)), 0, picture.height());
      for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
          picture.SetPixel(x, y, ColourOf(215, 215, 215));
      }
    }
  }
}

}  // namespace

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picture"));
  setMinimumSize(120, 120);
}

void PreviewView::SetPicture(const Bitmap* picture) {
  picture_ = picture;
  shown_ = QImage();
  update();
}

QRect PreviewView::PictureRect() const {
  if (picture_ == nullptr || picture_->empty()) return {};
  const QSize room = size() - QSize(2 * kPictureMargin, 2 * kPictureMargin);
  QSize fitted(picture_->width(), picture_->height());
  if (fitted.width() > room.width() || fitted.height() > room.height()) {
    fitted.scale(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    fitted = fitted.expandedTo(QSize(1, 1));
  }
  const int left = std::max(kPictureMargin, (width() - fitted.width()) / 2);
  const int top = std::max(kPictureMargin, (height() - fitted.height()) / 2);
  return {QPoint(left, top), fitted};
}

void PreviewView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (backdrop_.size() != size()) {
    static const Bitmap source = BackdropSource();
    backdrop_ = Resized(source, size(), ResampleFilter::BSpline);
  }
  if (backdrop_.isNull()) {
    painter.fillRect(rect(), QColor(210, 216, 224));
  } else {
    painter.drawImage(0, 0, backdrop_);
  }
  const QRect shown = PictureRect();
  if (shown.isEmpty()) return;
  if (shown.size() == QSize(picture_->width(), picture_->height())) {
    painter.drawImage(shown.topLeft(), picture_->Image());
    return;
  }
  if (shown_.size() != shown.size())
    shown_ = Resized(*picture_, shown.size(), ResampleFilter::Triangle);
  if (!shown_.isNull()) painter.drawImage(shown.topLeft(), shown_);
}

TPreview::TPreview(QObject* owner, const ItemList& list, std::u16string selection,
                   std::u16string used, QWidget* parent)
    : QWidget(parent),
      owner_(owner),
      list_(&list),
      selection_(std::move(selection)),
      used_(std::move(used)) {
  setObjectName(QStringLiteral("TPreview"));
  auto* row = new QHBoxLayout(this);
  auto* left = new QWidget(this);
  left->setFixedWidth(220);
  auto* column = new QVBoxLayout(left);
  texts_ = new QLabel(QString::fromLatin1(kPreviewWaiting), left);
  texts_->setObjectName(QStringLiteral("texts"));
  texts_->setWordWrap(true);
  texts_->setTextFormat(Qt::RichText);
  texts_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  connect(texts_, &QLabel::linkActivated, this, [this] {
    if (onExport && Prepared()) onExport(picture_);
  });
  column->addWidget(texts_, 1);
  export_ = PreviewButton(QStringLiteral("Export"), false, "exportButton", left);
  print_ = PreviewButton(QStringLiteral("Print"), true, "printButton", left);
  export_->hide();
  print_->hide();
  connect(export_, &QToolButton::clicked, this, [this] {
    if (onExport && Prepared()) onExport(picture_);
  });
  connect(print_, &QToolButton::clicked, this, [this] {
    if (onPrint) onPrint();
  });
  column->addWidget(export_);
  column->addWidget(print_);
  // Where the sheet lands on a printer whose correction is stored.
  const QStringList printers = CorrectedPrinters(*OpenSettingsStore());
  landing_ = new QComboBox(left);
  landing_->setObjectName(QStringLiteral("landsOn"));
  landing_->addItem(QStringLiteral("As designed"), QString());
  for (const QString& printer : printers) {
    landing_->addItem(QStringLiteral("As it lands on %1").arg(printer), printer);
  }
  landing_->setVisible(!printers.isEmpty());
  connect(landing_, &QComboBox::activated, this,
          [this](int index) { ShowLandingOn(landing_->itemData(index).toString()); });
  column->addWidget(landing_);
  row->addWidget(left);
  view_ = new PreviewView(this);
  row->addWidget(view_, 1);
  prepare_ = new QTimer(this);
  prepare_->setSingleShot(true);
  prepare_->setInterval(200);
  connect(prepare_, &QTimer::timeout, this, &TPreview::Prepare);
}

QSize TPreview::sizeHint() const {
  // Most of the screen, so that the sheet shows large.
  QSize wanted(1000, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() * 0.85);
  }
  return wanted;
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
  const ComposeResult made = PreviewPicture(*list_, list_->screen(), PrintQualityRenderer(),
                                            selection_, picture, {}, AsPageCorrection(correction_));
  if (!made.ok) {
    if (FindPageRecord(*list_) != nullptr) texts_->setText(QString::fromStdString(made.message));
    return;
  }
  GreyUsedCards(picture, *list_, used_, correction_);
  picture_ = std::move(picture);
  view_->SetPicture(&picture_);
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

QString TPreview::LandingPrinter() const {
  return landing_->currentData().toString();
}

void TPreview::ShowLandingOn(const QString& printer) {
  std::string note;
  correction_ = ReadPrinterCorrection(*OpenSettingsStore(), printer, note);
  const int index = landing_->findData(printer);
  if (index >= 0) landing_->setCurrentIndex(index);
  picture_ = Bitmap();
  view_->SetPicture(nullptr);
  Prepare();
  if (!note.empty()) texts_->setText(QString::fromStdString(note));
}

}  // namespace quillon
