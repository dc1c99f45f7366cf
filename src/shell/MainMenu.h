// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu: its tree with captions, tags, shortcuts and separators, and the state
// of the Reopen, Grid, Anchors, Snap, Zoom, Window and "Current File" entries.
#pragma once

#include <QKeySequence>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "settings/TParams.h"

class QAction;
class QMenu;

namespace quillon {

class TForm1;
class TSandbox;

class MainMenu {
 public:
  explicit MainMenu(TForm1& form) : form_(form) {}

  // Builds the menu bar's menus with their handlers.
  void Create();

  // The Reopen entries show the recent files of the settings.
  void RebuildReopenMenu();
  void SetGridMenu(int mode);
  void SetAnchorMenu(int mode);
  void SetSnapMenu(int mode);
  // The Grid, Anchors and Snap entries from a page setup record.
  void SetGridMenus(const ItemRecord& page);
  int GridMode() const { return gridMode_; }
  int SnapMode() const { return snapMode_; }
  // The commands that need a document.
  void EnableDocumentCommands(bool enabled);
  // The Zoom entry of the settings' zoom is checked.
  void ShowZoom(double zoom);
  // The Window menu's entry of a window shows its title; the current window's is checked.
  void ShowWindowTitle(TSandbox& window);
  void CheckWindow(TSandbox& window);
  void RemoveWindowEntry(int32_t number);
  // Runs the enabled menu command that has the key among its shortcuts; whether there was one.
  bool RunShortcut(const QKeySequence& key);

 private:
  void CreateFileMenu();
  void CreateInsertMenu();
  void CreateEditMenus();
  void CreateToolsMenus();
  void CreateHelpMenu();
  void CreateArrangeEntries();
  template <class Commands>
  QAction* AddEntry(QMenu* menu, const char* name, const char* caption, int tag, Commands* commands,
                    void (Commands::*handler)(), const QKeySequence& shortcut = {});
  QAction* AddEntry(QMenu* menu, const char* name, const char* caption, int tag);
  QMenu* AddMenu(QMenu* parent, const char* name, const char* caption, int tag);
  void SetCurrentFileTitle(const QString& title);

  TForm1& form_;
  int gridMode_ = 0;
  int snapMode_ = 0;
  QMenu* reopenMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* resetMenu_ = nullptr;
  QMenu* anchorsMenu_ = nullptr;
  std::array<QAction*, kRecentFiles> reopenEntries_{};
  std::array<QAction*, 4> gridEntries_{};
  std::array<QAction*, 3> resetEntries_{};
  std::array<QAction*, 4> anchorEntries_{};
  std::array<QAction*, 4> snapEntries_{};
  std::array<QAction*, 9> zoomEntries_{};
  QAction* psCurrentFile_ = nullptr;
  QAction* gasCurrentFile_ = nullptr;
  QAction* psSeparator_ = nullptr;
  QAction* gasSeparator_ = nullptr;
  QAction* tile_ = nullptr;
  QAction* cascade_ = nullptr;
  QAction* arrangeSeparator_ = nullptr;
  std::vector<QAction*> documentCommands_;
};

}  // namespace quillon
