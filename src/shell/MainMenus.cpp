// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: its tree with captions, tags, shortcuts and separators, and the state of the
// Reopen, Grid, Anchors and Snap entries.
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "canvas/GridLines.h"
#include "render/Coordinates.h"
#include "shell/HostWindow.h"
#include "shell/RecentFiles.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {
namespace {

struct InsertEntry {
  const char* caption;
  int tool;
};
constexpr InsertEntry kInsertEntries[] = {
    {"Picture", 400},   {"Text", 300},   {"Line", 98},      {"Arc", 108},
    {"Spline", 109},    {"Curve", 111},  {"Triangle", 100}, {"Square", 101},
    {"Rectangle", 102}, {"Circle", 103}, {"Pie", 107},      {"Ellipse", 104},
    {"Polygon", 199},   {"Star", 105},   {"Solid", 110},    {"Oblong", 112},
};

constexpr const char* kFourWay[] = {"None", "Horizontal", "Vertical", "Both"};

}  // namespace

QAction* TForm1::AddEntry(QMenu* menu, const char* name, const char* caption, int tag,
                          void (TForm1::*handler)(), const QKeySequence& shortcut) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setProperty("tag", tag);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
  return action;
}

QMenu* TForm1::AddMenu(QMenu* parent, const char* name, const char* caption, int tag) {
  QMenu* menu = parent != nullptr ? parent->addMenu(QString::fromLatin1(caption))
                                  : menuBar()->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setProperty("tag", tag);
  menu->setStyle(ChromeStyle::Shared());
  return menu;
}

QAction* TForm1::FindAction(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

QMenu* TForm1::FindMenu(const char* name) const {
  return findChild<QMenu*>(QString::fromLatin1(name));
}

void TForm1::CreateMenus() {
  menuBar()->setObjectName(QStringLiteral("mainMenu1"));
  menuBar()->setStyle(ChromeStyle::Shared());
  CreateFileMenu();
  QMenu* insert = AddMenu(nullptr, "Insert1", "Insert", 8100);
  for (const InsertEntry& entry : kInsertEntries) {
    QAction* action = insert->addAction(QString::fromLatin1(entry.caption));
    action->setObjectName(QStringLiteral("Insert") + QString::fromLatin1(entry.caption) + u'1');
    action->setProperty("tag", entry.tool);
    connect(action, &QAction::triggered, this, [this, tool = entry.tool] { RunTool(tool); });
  }
  CreateEditMenus();
  CreateToolsMenus();
  CreateHelpMenu();
}

void TForm1::CreateFileMenu() {
  QMenu* file = AddMenu(nullptr, "File1", "File", 8000);
  AddEntry(file, "New1", "New", 8001, &TForm1::New1Click, QKeySequence(Qt::CTRL | Qt::Key_N));
  AddEntry(file, "Open1", "Open", 8002, &TForm1::Open1Click, QKeySequence(Qt::CTRL | Qt::Key_O));
  reopenMenu_ = AddMenu(file, "Reopen", "Reopen", 8003);
  for (int n = 1; n <= kRecentFiles; ++n) {
    QAction* entry = reopenMenu_->addAction(QString());
    entry->setObjectName(QStringLiteral("Reopen%1").arg(n));
    entry->setProperty("tag", kFirstReopenTag + n - 1);
    connect(entry, &QAction::triggered, this, [this, n] { OpenRecentFile(n); });
    reopenEntries_[n - 1] = entry;
  }
  reopenMenu_->addSeparator();
  AddEntry(reopenMenu_, "Clear1", "Clear...", 8004, &TForm1::Clear1Click);
  QAction* save = AddEntry(file, "Save1", "Save", 8005, &TForm1::Save1Click,
                           QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAs = AddEntry(file, "SaveAs1", "Save As", 8006, &TForm1::SaveAs1Click);
  QAction* close = AddEntry(file, "Close1", "Close", 8007, &TForm1::Close1Click);
  file->addSeparator();
  QMenu* pageSetup = AddMenu(file, "PageSetup1", "Page Setup", 8008);
  psCurrentFile_ = AddEntry(pageSetup, "psCurrentFile1", "", 8016, &TForm1::psCurrentFile1Click);
  psSeparator_ = pageSetup->addSeparator();
  AddEntry(pageSetup, "psNewFiles1", "New Files", 8017, &TForm1::psNewFiles1Click);
  QMenu* gridAndSnap = AddMenu(file, "GridandSnap1", "Grid and Snap", 8009);
  gasCurrentFile_ =
      AddEntry(gridAndSnap, "gasCurrentFile1", "", 8018, &TForm1::gasCurrentFile1Click);
  gasSeparator_ = gridAndSnap->addSeparator();
  AddEntry(gridAndSnap, "gasNewFiles1", "New Files", 8019, &TForm1::gasNewFiles1Click);
  file->addSeparator();
  QAction* preview =
      AddEntry(file, "PrintPreview1", "Print Preview", 8010, &TForm1::PrintPreview1Click);
  QAction* print = AddEntry(file, "Print1", "Print", 8011, &TForm1::Print1Click,
                            QKeySequence(Qt::CTRL | Qt::Key_P));
  file->addSeparator();
  QMenu* exportMenu = AddMenu(file, "Export1", "Export", 8012);
  AddEntry(exportMenu, "Exact1", "Exact", 8013, &TForm1::Exact1Click);
  AddEntry(exportMenu, "Smooth1", "Smooth", 8014, &TForm1::Smooth1Click);
  AddEntry(file, "Screenshot1", "Screenshot", 0, &TForm1::Screenshot1Click)->setVisible(false);
  file->addSeparator();
  AddEntry(file, "Exit1", "Exit", 8015, &TForm1::Exit1Click);
  documentCommands_ = {save, saveAs, close, preview, print, exportMenu->menuAction()};
  SetCurrentFileTitle(QString());
}

void TForm1::CreateEditMenus() {
  QMenu* edit = AddMenu(nullptr, "Edit1", "Edit", 8200);
  AddEntry(edit, "Undo1", "Undo", 8201, &TForm1::Undo1Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
  AddEntry(edit, "Redo1", "Redo", 8202, &TForm1::Redo1Click,
           QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
  edit->addSeparator();
  documentCommands_.push_back(AddEntry(edit, "ClearUndoandRedo1", "Clear Undo and Redo", 8203,
                                       &TForm1::ClearUndoandRedo1Click));
  edit->addSeparator();
  AddEntry(edit, "Cut1", "Cut", 8204, &TForm1::Cut1Click, QKeySequence(Qt::CTRL | Qt::Key_Delete));
  AddEntry(edit, "Copy1", "Copy", 8205, &TForm1::Copy1Click,
           QKeySequence(Qt::CTRL | Qt::Key_Insert));
  AddEntry(edit, "Paste1", "Paste", 8206, &TForm1::Paste1Click,
           QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  edit->addSeparator();
  QAction* clipboard =
      AddEntry(edit, "CopytoClipboard1", "Copy to Clipboard", 8207, &TForm1::CopytoClipboard1Click);
  clipboard->setVisible(false);
  clipboard->setEnabled(false);
  connect(edit, &QMenu::aboutToShow, this, &TForm1::EditMenuShown);
  AddEntry(edit, "Join1", "Join Items", 8208, &TForm1::Join1Click);
  AddEntry(edit, "Split1", "Split Group", 8209, &TForm1::Split1Click);

  QMenu* zoom = AddMenu(nullptr, "Zoom1", "Zoom", 8300);
  auto* zoomGroup = new QActionGroup(zoom);
  for (std::size_t i = 0; i < kZoomMenuPercents.size(); ++i) {
    const int percent = kZoomMenuPercents[i];
    const QByteArray name = (u'N' + QString::number(percent) + u'1').toLatin1();
    const QByteArray caption = QStringLiteral("%1%").arg(percent).toLatin1();
    QAction* entry =
        AddEntry(zoom, name.constData(), caption.constData(), 8301 + static_cast<int>(i));
    entry->setCheckable(true);
    zoomGroup->addAction(entry);
    connect(entry, &QAction::triggered, this, [this, percent] { SetZoom(percent / 100.0); });
    zoomEntries_[i] = entry;
  }
  zoomEntries_[3]->setChecked(true);
}

void TForm1::CreateToolsMenus() {
  QMenu* tools = AddMenu(nullptr, "Tools1", "Tools", 8400);
  QMenu* grid = AddMenu(tools, "Grid1", "Grid", 8401);
  static constexpr const char* kGridNames[] = {"None1", "Horizontal1", "Vertical1", "Both1"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    gridEntries_[mode] = AddEntry(grid, kGridNames[mode], kFourWay[mode], 8402 + mode);
    gridEntries_[mode]->setCheckable(true);
    connect(gridEntries_[mode], &QAction::triggered, this, [this, mode] { ChooseGrid(mode); });
  }
  grid->addSeparator();
  AddEntry(grid, "Customize1", "Customize...", 8406, &TForm1::Customize1Click);
  resetMenu_ = AddMenu(grid, "Reset1", "Reset", 8407);
  static constexpr const char* kResetNames[] = {"Horizontal4", "Vertical4", "Both4"};
  for (int i = 0; i < 3; ++i) {
    resetEntries_[i] = AddEntry(resetMenu_, kResetNames[i], kFourWay[i + 1], 8408 + i);
    connect(resetEntries_[i], &QAction::triggered, this, [this, i] { ResetGrid(2 * (i + 1)); });
  }
  grid->addSeparator();
  anchorsMenu_ = AddMenu(grid, "Anchors1", "Anchors", 8411);
  static constexpr const char* kAnchorNames[] = {"None3", "Horizontal3", "Vertical3", "Both3"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    anchorEntries_[mode] = AddEntry(anchorsMenu_, kAnchorNames[mode], kFourWay[mode], 8412 + mode);
    anchorEntries_[mode]->setCheckable(true);
    connect(anchorEntries_[mode], &QAction::triggered, this, [this, mode] { ChooseAnchors(mode); });
  }
  QMenu* snap = AddMenu(tools, "Snap1", "Snap", 8416);
  static constexpr const char* kSnapNames[] = {"None2", "Horizontal2", "Vertical2", "Both2"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    snapEntries_[mode] = AddEntry(snap, kSnapNames[mode], kFourWay[mode], 8417 + mode);
    snapEntries_[mode]->setCheckable(true);
    connect(snapEntries_[mode], &QAction::triggered, this, [this, mode] { ChooseSnap(mode); });
  }
  tools->addSeparator();
  AddEntry(tools, "Speed1", "Speed...", 8421, &TForm1::Speed1Click);

  QMenu* customize = AddMenu(nullptr, "Customize2", "Customize", 8500);
  AddEntry(customize, "Colors1", "Colors", 8501, &TForm1::Colors1Click);
  struct HostEntry {
    const char* name;
    const char* caption;
    bool hostY;
    int code;
  };
  static constexpr HostEntry kHostEntries[] = {
      {"LineWeights1", "Line Weights", true, 9},    {"LinePatterns1", "Line Patterns", false, 10},
      {"Alignments1", "Line Angles", false, 11},    {"Textsize1", "Text Sizes", false, 41},
      {"Textdirection1", "Text Angles", false, 40}, {"Shadows1", "Shadows", true, 63},
  };
  int tag = 8502;
  for (const HostEntry& entry : kHostEntries) {
    QAction* action = AddEntry(customize, entry.name, entry.caption, tag++);
    connect(action, &QAction::triggered, this,
            [this, entry] { (entry.hostY ? formY_ : formX_)->OpenHost(entry.code, 0, QString()); });
  }
  windowMenu_ = AddMenu(nullptr, "Window1", "Window", 8600);
  windowMenu_->menuAction()->setVisible(false);
}

void TForm1::CreateHelpMenu() {
  helpMenu_ = AddMenu(nullptr, "Help1", "Help", 8700);
  QMenu* hints = AddMenu(helpMenu_, "Hints1", "Hints", 8701);
  AddEntry(hints, "ShowAll1", "Show All", 8703, &TForm1::ShowAll1Click)->setCheckable(true);
  AddEntry(hints, "ShowNone1", "Show None", 8704, &TForm1::ShowNone1Click)->setCheckable(true);
  helpMenu_->addSeparator();
  AddEntry(helpMenu_, "Notice1", "Notice", 8705)->setVisible(false);
  AddEntry(helpMenu_, "About1", "About", 8706, &TForm1::About1Click);
  connect(helpMenu_, &QMenu::aboutToShow, this, &TForm1::HelpMenuShown);
  connect(hints, &QMenu::aboutToShow, this, &TForm1::HelpMenuShown);
}

void TForm1::RebuildReopenMenu() {
  bool any = false;
  for (int n = 0; n < kRecentFiles; ++n) {
    QString& path = params_.reopen[n];
    path = path.trimmed();
    QAction* entry = reopenEntries_[n];
    entry->setText(RecentFileCaption(path));
    entry->setVisible(!path.isEmpty());
    any = any || !path.isEmpty();
  }
  reopenMenu_->setEnabled(any);
  reopenMenu_->menuAction()->setEnabled(any);
}

void TForm1::SetGridMenu(int mode) {
  gridMode_ = mode;
  for (int i = 0; i < 4; ++i)
    gridEntries_[i]->setChecked(i == mode);
  resetMenu_->menuAction()->setEnabled(mode != 0);
  anchorsMenu_->menuAction()->setEnabled(mode != 0);
  for (QAction* entry : resetEntries_)
    entry->setEnabled(true);
  for (QAction* entry : anchorEntries_)
    entry->setEnabled(true);
  if (mode == 1) {
    resetEntries_[1]->setEnabled(false);
    resetEntries_[2]->setEnabled(false);
  } else if (mode == 2) {
    resetEntries_[0]->setEnabled(false);
    resetEntries_[2]->setEnabled(false);
  }
  procs_->SetGridOn(mode != 0);
}

void TForm1::SetAnchorMenu(int mode) {
  for (int i = 0; i < 4; ++i)
    anchorEntries_[i]->setChecked(i == mode);
}

void TForm1::SetSnapMenu(int mode) {
  snapMode_ = mode;
  for (int i = 0; i < 4; ++i)
    snapEntries_[i]->setChecked(i == mode);
  procs_->SetSnapOn(mode != 0);
}

}  // namespace quillon
