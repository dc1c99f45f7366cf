// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/ui/TPage.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/PageSetup.h"
#include "page/ApplyPageset.h"
#include "page/Catalogue.h"
#include "render/Bitmap.h"

namespace quillon {
namespace {

constexpr int kExampleWidth = 180;
constexpr int kExampleHeight = 260;

const char* const kDescriptions[kPageKindCount] = {
    "'Illustrations' include posters, flyers, charts, photo books and other designs that are "
    "printed on the whole sheet of paper.",
    "'Postcards' include postcards, greeting cards, rotary cards, name badges, and other designs "
    "that are printed in rows and columns on a sheet of pre-cut paper.",
    "'Greeting Cards' include any cards that have one or more folds, either horizontal or "
    "vertical, that are printed in rows and columns on a sheet of pre-cut paper.",
    "'Business Cards' include business cards, either horizontal or vertical, simple or folding, "
    "that are printed in rows and columns on a sheet of pre-cut paper.",
    "'Labels' include mailing and other labels that are printed in rows and columns on a sheet "
    "of paper.",
    "'CD/DVD Labels' have circular shapes and are printed on a sheet of pre-cut paper or foil, "
    "and then applied on the surface of CDs or DVDs.",
    "'Jewel Case Inserts' include front and back case designs that are printed on a sheet of "
    "pre-cut paper, and then inserted into CD or DVD jewel cases.",
    "'DVD Case Inserts' include front and back case designs that are printed on a sheet of "
    "pre-cut paper, and then inserted into DVD cases.",
    "'Digital Images' include Web and email pictures that are published or sent over the "
    "Internet.",
    "'Brochures' include designs and publications that are printed on a sheet of paper and then "
    "folded.",
    "'Tent Cards' include any cards that fold in the middle to stand upright.",
};

const QString kMenuTexts = QStringLiteral(
    "<p>Highlight the type of your design in the left menu (<b>move</b> the mouse to place the "
    "cursor over the menu).</p>"
    "<p>If you are not sure what you want to design, select <b>Illustrations</b>. You will be "
    "able to redefine the page setup later.</p>"
    "<p>Then, click on the highlighted button in the left menu to proceed.</p>");

// The two texts that explain a kind beside its page dimensions.
QString KindTexts(int32_t kind) {
  const char* first;
  const char* second;
  if (kind == kKindIllustrations || kind == kKindBrochures) {
    first =
        "On your screen, you can draw beyond the paper edges or margins, but your printer "
        "will only print what fits on your paper.";
    second =
        "You will see the margins drawn in dotted lines around your art. Also, you will see "
        "the outline of your paper drawn in solid lines around your art when you enlarge "
        "the canvas area by dragging the ruler ends.";
  } else if (kind == kKindDigitalImages) {
    first =
        "Digital images, for instance in Web sites or photo-albums, have their sizes "
        "specified in pixels.";
    second =
        "A pixel is one color dot on your screen. The screen has several hundred pixels in "
        "each direction, horizontal and vertical.";
  } else {
    first =
        "Before printing, the software will copy your design to all the cards in the rows "
        "and columns that you set up.";
    second =
        "The size of your canvas equals the size of one card. You will see the outline of "
        "your card drawn in solid lines when you enlarge the canvas area by dragging the "
        "ruler ends.";
  }
  return QStringLiteral("<p>%1</p><p>%2</p>")
      .arg(QString::fromLatin1(first), QString::fromLatin1(second));
}

QFont Bold(QFont font, int larger) {
  font.setBold(true);
  font.setPointSize(font.pointSize() + larger);
  return font;
}

}  // namespace

QString KindDescription(int32_t kind) {
  return IsPageKind(kind) ? QString::fromLatin1(kDescriptions[kind - 1]) : QString();
}

QImage KindExample(int32_t kind) {
  QImage picture(kExampleWidth, kExampleHeight, QImage::Format_RGB32);
  picture.fill(Qt::white);
  // The sheet new files of the kind start with, in millimetres; a digital image as a landscape
  // picture.
  pageset_t set = DefaultPageset(kind, kUnitMillimetres);
  set.units = kUnitMillimetres;
  if (kind == kKindDigitalImages) {
    set.current() = UnitBlock{};
    set.current().paperWidth = QStringLiteral("160");
    set.current().paperHeight = QStringLiteral("120");
  }
  const SheetSketch sketch = SketchSheet(kind, set, kExampleWidth - 20, kExampleHeight - 20);
  if (!sketch.drawn) return picture;
  QPainter painter(&picture);
  painter.translate((kExampleWidth - sketch.paper.width()) / 2,
                    (kExampleHeight - sketch.paper.height()) / 2);
  painter.setPen(QPen(QColor(128, 128, 128), 0));
  painter.drawRect(sketch.paper);
  painter.setPen(QPen(ToQColor(kSilver), 0, Qt::DotLine));
  if (!sketch.margins.isEmpty()) painter.drawRect(sketch.margins);
  painter.setPen(QPen(QColor(128, 128, 128), 0));
  for (const QRectF& card : sketch.cards)
    painter.drawRect(card);
  return picture;
}

KindEntry::KindEntry(int32_t kind, QWidget* parent)
    : QLabel(QString::fromLatin1(PageKindName(kind)), parent), kind_(kind) {
  setObjectName(QStringLiteral("Kind%1").arg(kind));
  setAutoFillBackground(true);
  setIndent(8);
  SetRaised(false);
}

void KindEntry::SetRaised(bool raised) {
  raised_ = raised;
  setFrameStyle(raised ? QFrame::Panel | QFrame::Raised : QFrame::NoFrame);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, raised ? QColor(0x31, 0x6A, 0xC5) : QColor(Qt::transparent));
  colours.setColor(QPalette::WindowText, raised ? Qt::white : Qt::black);
  setPalette(colours);
  if (raised) raise();
}

void KindEntry::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  emit Hovered(kind_);
}

void KindEntry::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed(kind_);
}

TPagebox::TPagebox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TPagebox"));
  auto* row = new QHBoxLayout(this);
  auto* menu = new QWidget(this);
  menu->setFixedWidth(170);
  int top = 8;
  for (int32_t kind : kMenuKinds) {
    auto* entry = new KindEntry(kind, menu);
    entry->setGeometry(4, top, 160, 20);
    top += 18;
    connect(entry, &KindEntry::Hovered, this, &TPagebox::Hover);
    connect(entry, &KindEntry::Pressed, this, &TPagebox::Pressed);
    entries_.push_back(entry);
  }
  menu->setMinimumHeight(top + 10);
  row->addWidget(menu, 0, Qt::AlignTop | Qt::AlignLeft);
  // The kind under the pointer: its picture, and beside it what it is for.
  example_ = new QLabel(this);
  example_->setObjectName(QStringLiteral("Example"));
  example_->setFixedSize(kExampleWidth, kExampleHeight);
  row->addWidget(example_, 0, Qt::AlignTop);
  description_ = new QLabel(this);
  description_->setObjectName(QStringLiteral("Description"));
  description_->setWordWrap(true);
  description_->setFixedWidth(260);
  description_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  row->addWidget(description_, 0, Qt::AlignTop);
  row->addStretch(1);
  Hover(kMenuKinds[0]);
}

KindEntry* TPagebox::Entry(int32_t kind) const {
  for (KindEntry* entry : entries_) {
    if (entry->Kind() == kind) return entry;
  }
  return nullptr;
}

void TPagebox::Hover(int32_t kind) {
  if (kind == hoveredKind_) return;
  hoveredKind_ = kind;
  for (KindEntry* entry : entries_)
    entry->SetRaised(entry->Kind() == kind);
  description_->setText(KindDescription(kind));
  example_->setPixmap(QPixmap::fromImage(KindExample(kind)));
}

TPage::TPage(const pagesetArr_t& defaults, const ItemRecord* page, const ItemList* document,
             QWidget* parent)
    : QWidget(parent), working_(defaults), document_(document) {
  setObjectName(QStringLiteral("TPage"));
  auto* column = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("Title"));
  title_->setFont(Bold(title_->font(), 4));
  top->addWidget(title_, 1);
  back_ = new QToolButton(this);
  back_->setObjectName(QStringLiteral("Back"));
  back_->setText(QStringLiteral("Back"));
  back_->setArrowType(Qt::LeftArrow);
  back_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_->setAutoRaise(true);
  back_->setStyleSheet(
      QStringLiteral("QToolButton:hover:enabled { color: blue; text-decoration: underline; }"));
  forward_ = new QToolButton(this);
  forward_->setObjectName(QStringLiteral("Forward"));
  forward_->setArrowType(Qt::RightArrow);
  forward_->setAutoRaise(true);
  top->addWidget(back_);
  top->addWidget(forward_);
  column->addLayout(top);
  texts_ = new QLabel(this);
  texts_->setObjectName(QStringLiteral("Texts"));
  texts_->setWordWrap(true);
  texts_->setTextFormat(Qt::RichText);
  column->addWidget(texts_);
  pages_ = new QStackedWidget(this);
  menu_ = new TPagebox(pages_);
  dimensions_ = new TPagedim(pages_);
  pages_->addWidget(menu_);
  pages_->addWidget(dimensions_);
  column->addWidget(pages_, 1);
  proceed_ = new QTimer(this);
  proceed_->setSingleShot(true);
  proceed_->setInterval(200);
  connect(proceed_, &QTimer::timeout, this, [this] { ShowStep(kStepDimensions); });
  connect(menu_, &TPagebox::Pressed, this, &TPage::ChooseKind);
  connect(back_, &QToolButton::clicked, this, &TPage::GoBack);
  connect(forward_, &QToolButton::clicked, this, &TPage::GoForward);

  if (page != nullptr) currentKind_ = TakePagesetFromRecord(*page, working_);
  ShowStep(currentKind_ != 0 ? kStepDimensions : kStepMenu);
}

void TPage::ShowStep(int32_t step) {
  step_ = step;
  const bool dimensions = step == kStepDimensions;
  if (dimensions) dimensions_->LoadPageset(currentKind_, working_[currentKind_ - 1]);
  pages_->setCurrentWidget(dimensions ? static_cast<QWidget*>(dimensions_) : menu_);
  title_->setText(dimensions ? QString::fromLatin1(PageKindName(currentKind_))
                             : QStringLiteral("Design type"));
  texts_->setText(dimensions ? KindTexts(currentKind_) : kMenuTexts);
  back_->setEnabled(dimensions);
  forward_->setEnabled(!dimensions && IsPageKind(currentKind_));
}

void TPage::ChooseKind(int32_t kind) {
  if (step_ != kStepMenu || proceed_->isActive() || !IsPageKind(kind)) return;
  currentKind_ = kind;
  proceed_->start();
}

void TPage::GoBack() {
  if (step_ != kStepDimensions) return;
  working_[currentKind_ - 1] = dimensions_->StorePageset();
  ShowStep(kStepMenu);
}

void TPage::GoForward() {
  if (step_ == kStepMenu && IsPageKind(currentKind_) && !proceed_->isActive()) {
    ShowStep(kStepDimensions);
  }
}

bool TPage::CanApply() {
  if (!IsPageKind(currentKind_)) return true;
  if (step_ != kStepDimensions) {
    PageDimensions form;
    form.Load(currentKind_, working_[currentKind_ - 1]);
    if (form.Problems().empty()) return true;
    proceed_->stop();
    ShowStep(kStepDimensions);
  }
  return dimensions_->FocusFirstProblem();
}

int32_t TPage::Finish() {
  if (!IsPageKind(currentKind_)) return 0;
  if (step_ == kStepDimensions) working_[currentKind_ - 1] = dimensions_->StorePageset();
  return currentKind_;
}

}  // namespace quillon
