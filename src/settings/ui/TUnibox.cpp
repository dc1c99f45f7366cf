// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/GuidancePages.h"
#include "settings/ui/PropertyPanels.h"

namespace quillon {
namespace {

std::optional<double> Field(double value) {
  return value;
}

QString LinkText(const QString& before, const QString& link, const QString& after, bool enabled) {
  const QString shown = enabled ? QStringLiteral("<a href=\"go\">%1</a>").arg(link)
                                : QStringLiteral("<u>%1</u>").arg(link);
  return before + shown + after;
}

}  // namespace

TUnibox::TUnibox(PanelContext& context, QWidget* parent)
    : PropertyPanel(context, kToolSeveralKinds, QStringLiteral("Basics"), QStringLiteral("Effects"),
                    parent) {
  setObjectName(QStringLiteral("TUnibox"));
  Pages()->setTabVisible(1, false);
  AddList(0, QStringLiteral("Color"),
          {ValueListKind::Colours, [](const ItemRecord& r) { return Field(r.lineColor()); },
           nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyLineColor(l, o, int32_t(e.value));
           }});
  AddList(0, QStringLiteral("Fill Color"),
          {ValueListKind::FillColours, [](const ItemRecord& r) { return Field(r.fillColor()); },
           nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyFillColor(l, o, int32_t(e.value));
           }});
  AddList(0, QStringLiteral("Outline Weight"),
          {ValueListKind::LineWeights, [](const ItemRecord& r) { return Field(r.lineWeight()); },
           nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyWeight(l, o, e.value);
           }});
  AddTurnButtons(0);
  join_ = new QLabel(this);
  split_ = new QLabel(this);
  for (QLabel* link : {join_, split_})
    link->setWordWrap(true);
  connect(join_, &QLabel::linkActivated, this, [this] {
    if (!joinEnabled_) return;
    SetJoinSplit(false, splitEnabled_);
    emit JoinRequested();
  });
  connect(split_, &QLabel::linkActivated, this, [this] {
    if (!splitEnabled_) return;
    SetJoinSplit(joinEnabled_, false);
    emit SplitRequested();
  });
  SetGuidance({QStringLiteral("Hold down the Shift key to select more items."), QString(),
               QString(), QString()});
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->insertWidget(column->count() - 1, join_);
  column->insertWidget(column->count() - 1, split_);
  SetJoinSplit(false, false);
  ShowValues();
}

void TUnibox::SetJoinSplit(bool join, bool split) {
  joinEnabled_ = join;
  splitEnabled_ = split;
  join_->setText(LinkText(QStringLiteral("Click on the "), QStringLiteral("Join items"),
                          QStringLiteral(" button to create a single object comprised of the "
                                         "selected items."),
                          join));
  split_->setText(LinkText(QStringLiteral("Click on the "), QStringLiteral("Split group"),
                           QStringLiteral(" button to separate the group members into "
                                          "individual items."),
                           split));
}

namespace {

struct PaletteButton {
  const char* caption;
  int32_t tool;
};
constexpr PaletteButton kPalette[] = {
    {"Picture", 400},   {"Text", 300},   {"Line", 98},      {"Arc", 108},
    {"Spline", 109},    {"Curve", 111},  {"Triangle", 100}, {"Square", 101},
    {"Rectangle", 102}, {"Circle", 103}, {"Pie", 107},      {"Ellipse", 104},
    {"Polygon", 199},   {"Star", 105},   {"Solid", 110},    {"Oblong", 112},
};

}  // namespace

TToolbox::TToolbox(PanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("TToolbox"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  auto* heading = new QLabel(QStringLiteral("Insert"), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  column->addWidget(heading);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  int i = 0;
  for (const PaletteButton& entry : kPalette) {
    auto* button = new QPushButton(QString::fromLatin1(entry.caption), this);
    button->setObjectName(QString::fromLatin1(entry.caption));
    button->setFlat(true);
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const int32_t tool = entry.tool;
    connect(button, &QPushButton::clicked, this, [this, tool] {
      if (pressed_) return;  // one tool per showing of the palette
      pressed_ = true;
      context_.RunTool(tool);
    });
    grid->addWidget(button, i / 2, i % 2);
    ++i;
  }
  column->addLayout(grid);
  auto* pageSetup = new QLabel(
      QStringLiteral("Use <a href=\"page\">Page Setup</a> to change the size and layout of the "
                     "page."),
      this);
  pageSetup->setWordWrap(true);
  connect(pageSetup, &QLabel::linkActivated, this, [this] { emit PageSetupRequested(); });
  column->addWidget(pageSetup);
  column->addStretch();
}

QPushButton* TToolbox::Button(const QString& caption) const {
  return findChild<QPushButton*>(caption);
}

void TToolbox::showEvent(QShowEvent* event) {
  Rearm();
  QWidget::showEvent(event);
}

TLinehelp::TLinehelp(PanelContext& context, int32_t page, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TLinehelp"));
  auto* column = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Guidance"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  column->addWidget(title);
  auto* text = new QLabel(GuidanceRichText(page), this);
  text->setObjectName(QStringLiteral("GuidanceText"));
  text->setTextFormat(Qt::RichText);
  text->setWordWrap(true);
  column->addWidget(text);
  auto* back = new QLabel(QStringLiteral("<a href=\"back\">Back</a>"), this);
  back->setObjectName(QStringLiteral("Back"));
  connect(back, &QLabel::linkActivated, this, [&context] { context.RunTool(43); });
  column->addWidget(back);
  column->addStretch();
}

}  // namespace quillon
