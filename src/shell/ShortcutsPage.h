// SPDX-License-Identifier: GPL-3.0-or-later
// Help > Keyboard Shortcuts: every menu command that has keys, and the keys of the drawing
// window, in one table.
#pragma once

#include <QString>
#include <vector>

class QAction;
class QMenuBar;

namespace quillon {

class TForm1;

struct ShortcutRow {
  QString keys;
  QString command;
};

// All the keys of a command, as the menus show them: "Ctrl+Shift+A, Ctrl+A".
QString ShortcutsText(const QAction& action);
// The menu commands that have keys, named "Menu > Entry", in menu order.
std::vector<ShortcutRow> MenuShortcutRows(const QMenuBar& bar);
// The keys the drawing window itself takes, and what each does there.
std::vector<ShortcutRow> CanvasKeyRows();
// Shows the page beside the main window (raised when it is open already).
void ShowShortcutsPage(TForm1& form);

}  // namespace quillon
