// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TRecover.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillon {

TRecover::TRecover(const std::vector<LeftBehindCopy>& copies, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TRecover"));
  setWindowTitle(QString::fromLatin1(kRecoveryCaption));
  auto* column = new QVBoxLayout(this);
  auto* text = new QLabel(QString::fromLatin1(kRecoveryText), this);
  text->setWordWrap(true);
  column->addWidget(text);

  auto* list = new QTreeWidget(this);
  list->setObjectName(QStringLiteral("Copies"));
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setHeaderLabels(
      {QStringLiteral("Document"), QStringLiteral("Original file"), QStringLiteral("Changed")});
  for (const LeftBehindCopy& copy : copies) {
    const QString original = copy.note.originalPath.isEmpty()
                                 ? QStringLiteral("(never saved)")
                                 : QDir::toNativeSeparators(copy.note.originalPath);
    list->addTopLevelItem(new QTreeWidgetItem(
        {copy.note.title, original, QLocale().toString(copy.note.written, QLocale::ShortFormat)}));
  }
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list->setMinimumSize(560, 160);
  column->addWidget(list);

  auto* buttons = new QDialogButtonBox(this);
  const std::pair<const char*, RecoveryChoice> kButtons[] = {
      {"Restore", RecoveryChoice::Restore},
      {"Discard", RecoveryChoice::Discard},
      {"Later", RecoveryChoice::Later},
  };
  for (const auto& [caption, choice] : kButtons) {
    QPushButton* button =
        buttons->addButton(QString::fromLatin1(caption), QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(caption));
    connect(button, &QPushButton::clicked, this, [this, choice = choice] { Choose(choice); });
  }
  column->addWidget(buttons);
  if (auto* restore = findChild<QPushButton*>(QStringLiteral("Restore"))) restore->setDefault(true);
}

void TRecover::Choose(RecoveryChoice choice) {
  choice_ = choice;
  accept();
}

}  // namespace quillon
