// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SidePanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/ToolNumbers.h"
#include "shell/Navigation.h"

namespace quillon {
namespace {

QWidget* MakePanel(PanelContext& context, int32_t tool) {
  switch (PanelOfTool(tool)) {
    case PanelKind::Unibox:
      return new TUnibox(context);
    case PanelKind::Linebox:
      return new TLinebox(context, tool);
    case PanelKind::Polybox:
      return new TPolybox(context, tool);
    case PanelKind::Textbox:
      return new TTextbox(context, tool);
    case PanelKind::Pictbox:
      return new TPictbox(context);
    case PanelKind::Colorbox:
      return new TColorbox(context);
    case PanelKind::Guidance:
      return new TLinehelp(context, tool);
    default:
      return nullptr;
  }
}

}  // namespace

SidePanel::SidePanel(PanelContext& context, QWidget* place, QWidget* suggestions, QWidget* strip)
    : QObject(place), context_(context) {
  auto* fill = new QVBoxLayout(place);
  fill->setContentsMargins(0, 0, 0, 0);
  stack_ = new QStackedWidget(place);
  stack_->setObjectName(QStringLiteral("SidePanelStack"));
  fill->addWidget(stack_);
  toolbox_ = new TToolbox(context);
  stack_->addWidget(toolbox_);

  auto* list = static_cast<QVBoxLayout*>(suggestions->layout());
  prompt_ = new QLabel(QString::fromLatin1(kSuggestionPrompt), suggestions);
  prompt_->setObjectName(QStringLiteral("RichEdit4"));
  prompt_->setWordWrap(true);
  list->insertWidget(0, prompt_);
  for (int i = 0; i < kSuggestionEntries; ++i) {
    auto* entry = new QPushButton(suggestions);
    entry->setObjectName(QStringLiteral("Panel%1").arg((i + 1) * 10));
    entry->setFlat(true);
    entry->setFixedHeight(20);
    entry->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
    list->insertWidget(1 + i, entry);
    connect(entry, &QPushButton::clicked, this, [this, i, entry] {
      entry->hide();
      emit SuggestionChosen(numbers_[std::size_t(i)]);
    });
    entries_[std::size_t(i)] = entry;
  }

  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(4, 0, 4, 0);
  back_ = new QToolButton(strip);
  back_->setObjectName(QStringLiteral("back1button"));
  back_->setText(QStringLiteral("\u25C0 Back"));
  back_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  back_->setAutoRaise(true);
  forward_ = new QToolButton(strip);
  forward_->setObjectName(QStringLiteral("forward1button"));
  forward_->setText(QStringLiteral("\u25B6"));
  forward_->setAutoRaise(true);
  row->addWidget(back_);
  row->addStretch();
  row->addWidget(forward_);
  connect(back_, &QToolButton::clicked, this, &SidePanel::BackClicked);
  connect(forward_, &QToolButton::clicked, this, &SidePanel::ForwardClicked);
  ShowSuggestions({});
  SetHistoryState(false, false);
}

QWidget* SidePanel::Show(int32_t tool) {
  if (current_ != nullptr && current_ != toolbox_) {
    stack_->removeWidget(current_);
    delete current_;
  }
  current_ = MakePanel(context_, tool);
  if (current_ == nullptr) {
    // The palette is kept; it stands in for the tools that have no panel of their own.
    current_ = toolbox_;
  } else {
    stack_->addWidget(current_);
  }
  if (auto* pictbox = qobject_cast<TPictbox*>(current_)) {
    connect(pictbox, &TPictbox::InsertRequested, this, &SidePanel::PictureInsertRequested);
  }
  stack_->setCurrentWidget(current_);
  return current_;
}

QWidget* SidePanel::Current() const {
  return current_;
}

PropertyPanel* SidePanel::Properties() const {
  return qobject_cast<PropertyPanel*>(current_);
}

TUnibox* SidePanel::Unibox() const {
  return qobject_cast<TUnibox*>(current_);
}

TPictbox* SidePanel::Pictbox() const {
  return qobject_cast<TPictbox*>(current_);
}

void SidePanel::ShowSuggestions(const std::vector<int>& set) {
  const std::vector<int> shown = quillon::ShownSuggestions(set);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const bool used = i < shown.size();
    numbers_[i] = used ? shown[i] : 0;
    entries_[i]->setText(used ? SuggestionText(shown[i]) : QString());
    entries_[i]->setVisible(used);
  }
  prompt_->setVisible(!set.empty());
}

std::vector<int> SidePanel::ShownSuggestions() const {
  std::vector<int> shown;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i]->isHidden()) shown.push_back(numbers_[i]);
  }
  return shown;
}

void SidePanel::SetHistoryState(bool back, bool forward) {
  back_->setEnabled(back);
  forward_->setEnabled(forward);
}

}  // namespace quillon
