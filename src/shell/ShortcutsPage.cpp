// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShortcutsPage.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/TForm1.h"

namespace quillon {
namespace {

void CollectRows(const QMenu& menu, const QString& path, std::vector<ShortcutRow>& rows) {
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    const QString name = path + QStringLiteral(" > ") + QString(action->text()).remove(u'&');
    if (action->menu() != nullptr) {
      CollectRows(*action->menu(), name, rows);
    } else if (!action->shortcuts().isEmpty()) {
      rows.push_back({ShortcutsText(*action), name});
    }
  }
}

}  // namespace

QString ShortcutsText(const QAction& action) {
  QStringList keys;
  for (const QKeySequence& key : action.shortcuts())
    keys << key.toString(QKeySequence::NativeText);
  return keys.join(QStringLiteral(", "));
}

std::vector<ShortcutRow> MenuShortcutRows(const QMenuBar& bar) {
  std::vector<ShortcutRow> rows;
  for (const QAction* top : bar.actions()) {
    if (top->menu() != nullptr) CollectRows(*top->menu(), QString(top->text()).remove(u'&'), rows);
  }
  return rows;
}

std::vector<ShortcutRow> CanvasKeyRows() {
  const auto row = [](const char* keys, const char* command) {
    return ShortcutRow{QString::fromUtf8(keys), QString::fromUtf8(command)};
  };
  return {
      row("Delete",
          "Delete the selection; the highlighted anchor's grid line; while typing a "
          "text, the character after the caret"),
      row("Esc",
          "Stop drawing the line, shape or text begun; take back pasted items that "
          "still follow the pointer"),
      row("Backspace", "Drawing a spline, solid, curve or oblong: take back the last point"),
      row("Enter", "Drawing a spline, solid, curve or oblong: finish it at the last point"),
      row("C", "Drawing an open spline or curve: close and finish it"),
      row("Ctrl+A", "One open spline or curve selected: add points at its end (else Select All)"),
      row("Ctrl+D",
          "One spline or curve selected: delete the point under the pointer (else "
          "Duplicate)"),
      row("Ctrl+I, Tab",
          "One spline or curve selected: insert a point on its outline under the "
          "pointer"),
      row("Page Up, Page Down",
          "Typing a text: caret to the start or end of the text (else Bring "
          "Forward, Send Backward)"),
      row("Home, End, Left, Right, Up, Down", "Typing a text: move the caret"),
      row("Shift+click", "Add an item to the selection or take it out"),
      row("Ctrl+drag", "Select the items inside a rectangle (with Shift: also those it touches)"),
  };
}

void ShowShortcutsPage(TForm1& form) {
  auto* page = form.findChild<QDialog*>(QStringLiteral("KeyboardShortcuts"));
  if (page == nullptr) {
    page = new QDialog(&form);
    page->setObjectName(QStringLiteral("KeyboardShortcuts"));
    page->setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    auto* column = new QVBoxLayout(page);
    auto* table = new QTableWidget(page);
    table->setObjectName(QStringLiteral("ShortcutTable"));
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({QStringLiteral("Keys"), QStringLiteral("Command")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, page);
    QObject::connect(buttons, &QDialogButtonBox::rejected, page, &QDialog::hide);
    column->addWidget(buttons);
    page->resize(720, 560);
  }
  // The table is filled each time from the menus as they are, so it never differs from them.
  auto* table = page->findChild<QTableWidget*>(QStringLiteral("ShortcutTable"));
  std::vector<ShortcutRow> rows = MenuShortcutRows(*form.menuBar());
  for (ShortcutRow& row : CanvasKeyRows())
    rows.push_back(std::move(row));
  table->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    table->setItem(i, 0, new QTableWidgetItem(rows[i].keys));
    table->setItem(i, 1, new QTableWidgetItem(rows[i].command));
  }
  table->resizeColumnToContents(0);
  page->show();
  page->raise();
  page->activateWindow();
}

}  // namespace quillon
