// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: its tree with captions, tags, shortcuts and separators, and the state of the
// Reopen, Grid, Anchors and Snap entries.
#include <QActionGroup>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "canvas/GridLines.h"
#include "canvas/TSandbox.h"
#include "render/Coordinates.h"
#include "shell/FrameCommands.h"
#include "shell/HostWindow.h"
#include "shell/MainMenu.h"
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

QAction* MainMenu::AddEntry(QMenu* menu, const char* name, const char* caption, int tag) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setProperty("tag", tag);
  return action;
}

template <class Commands>
QAction* MainMenu::AddEntry(QMenu* menu, const char* name, const char* caption, int tag,
                            Commands* commands, void (Commands::*handler)(),
                            const QKeySequence& shortcut) {
  QAction* action = AddEntry(menu, name, caption, tag);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  QObject::connect(action, &QAction::triggered, &form_,
                   [commands, handler] { (commands->*handler)(); });
  return action;
}

QMenu* MainMenu::AddMenu(QMenu* parent, const char* name, const char* caption, int tag) {
  QMenu* menu = parent != nullptr ? parent->addMenu(QString::fromLatin1(caption))
                                  : form_.menuBar()->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setProperty("tag", tag);
  menu->setStyle(ChromeStyle::Shared());
  return menu;
}

void MainMenu::Create() {
  form_.menuBar()->setObjectName(QStringLiteral("mainMenu1"));
  form_.menuBar()->setStyle(ChromeStyle::Shared());
  CreateFileMenu();
  CreateInsertMenu();
  CreateEditMenus();
  CreateToolsMenus();
  CreateHelpMenu();
}

void MainMenu::CreateInsertMenu() {
  QMenu* insert = AddMenu(nullptr, "Insert1", "Insert", 8100);
  for (const InsertEntry& entry : kInsertEntries) {
    QAction* action = insert->addAction(QString::fromLatin1(entry.caption));
    action->setObjectName(QStringLiteral("Insert") + QString::fromLatin1(entry.caption) + u'1');
    action->setProperty("tag", entry.tool);
    QObject::connect(action, &QAction::triggered, &form_,
                     [this, tool = entry.tool] { form_.RunTool(tool); });
  }
}

void MainMenu::CreateFileMenu() {
  QMenu* file = AddMenu(nullptr, "File1", "File", 8000);
  AddEntry(file, "New1", "New", 8001, &form_.Files(), &FileCommands::New1Click,
           QKeySequence(Qt::CTRL | Qt::Key_N));
  AddEntry(file, "Open1", "Open", 8002, &form_.Files(), &FileCommands::Open1Click,
           QKeySequence(Qt::CTRL | Qt::Key_O));
  reopenMenu_ = AddMenu(file, "Reopen", "Reopen", 8003);
  reopenMenu_->setToolTipsVisible(true);
  for (int n = 1; n <= kRecentFiles; ++n) {
    QAction* entry = reopenMenu_->addAction(QString());
    entry->setObjectName(QStringLiteral("Reopen%1").arg(n));
    entry->setProperty("tag", kFirstReopenTag + n - 1);
    QObject::connect(entry, &QAction::triggered, &form_,
                     [this, n] { form_.Files().OpenRecentFile(n); });
    reopenEntries_[n - 1] = entry;
  }
  reopenMenu_->addSeparator();
  AddEntry(reopenMenu_, "Clear1", "Clear...", 8004, &form_.Files(), &FileCommands::Clear1Click);
  QAction* save = AddEntry(file, "Save1", "Save", 8005, &form_.Files(), &FileCommands::Save1Click,
                           QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAs =
      AddEntry(file, "SaveAs1", "Save As", 8006, &form_.Files(), &FileCommands::SaveAs1Click);
  QAction* close =
      AddEntry(file, "Close1", "Close", 8007, &form_.Files(), &FileCommands::Close1Click);
  file->addSeparator();
  QMenu* pageSetup = AddMenu(file, "PageSetup1", "Page Setup", 8008);
  psCurrentFile_ = AddEntry(pageSetup, "psCurrentFile1", "", 8016, &form_.Files(),
                            &FileCommands::psCurrentFile1Click);
  psSeparator_ = pageSetup->addSeparator();
  AddEntry(pageSetup, "psNewFiles1", "New Files", 8017, &form_.Files(),
           &FileCommands::psNewFiles1Click);
  QMenu* gridAndSnap = AddMenu(file, "GridandSnap1", "Grid and Snap", 8009);
  gasCurrentFile_ = AddEntry(gridAndSnap, "gasCurrentFile1", "", 8018, &form_.Files(),
                             &FileCommands::gasCurrentFile1Click);
  gasSeparator_ = gridAndSnap->addSeparator();
  AddEntry(gridAndSnap, "gasNewFiles1", "New Files", 8019, &form_.Files(),
           &FileCommands::gasNewFiles1Click);
  file->addSeparator();
  QAction* preview = AddEntry(file, "PrintPreview1", "Print Preview", 8010, &form_.Files(),
                              &FileCommands::PrintPreview1Click);
  QAction* print = AddEntry(file, "Print1", "Print", 8011, &form_.Files(),
                            &FileCommands::Print1Click, QKeySequence(Qt::CTRL | Qt::Key_P));
  file->addSeparator();
  QMenu* exportMenu = AddMenu(file, "Export1", "Export", 8012);
  AddEntry(exportMenu, "Exact1", "Exact", 8013, &form_.Files(), &FileCommands::Exact1Click);
  AddEntry(exportMenu, "Smooth1", "Smooth", 8014, &form_.Files(), &FileCommands::Smooth1Click);
  AddEntry(exportMenu, "Resolution1", "Picture at a resolution...", 8020, &form_.Files(),
           &FileCommands::Resolution1Click);
  AddEntry(file, "Screenshot1", "Screenshot", 0, &form_.Files(), &FileCommands::Screenshot1Click)
      ->setVisible(false);
  file->addSeparator();
  AddEntry(file, "Exit1", "Exit", 8015, &form_.Files(), &FileCommands::Exit1Click);
  documentCommands_ = {save, saveAs, close, preview, print, exportMenu->menuAction()};
  SetCurrentFileTitle(QString());
}

void MainMenu::CreateEditMenus() {
  QMenu* edit = AddMenu(nullptr, "Edit1", "Edit", 8200);
  AddEntry(edit, "Undo1", "Undo", 8201, &form_.Editing(), &EditingCommands::Undo1Click,
           QKeySequence(Qt::CTRL | Qt::Key_Z));
  // Besides the program's own keys, the ones other programs use.
  AddEntry(edit, "Redo1", "Redo", 8202, &form_.Editing(), &EditingCommands::Redo1Click)
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z),
                      QKeySequence(Qt::CTRL | Qt::Key_Y),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit->addSeparator();
  documentCommands_.push_back(AddEntry(edit, "ClearUndoandRedo1", "Clear Undo and Redo", 8203,
                                       &form_.Editing(), &EditingCommands::ClearUndoandRedo1Click));
  edit->addSeparator();
  AddEntry(edit, "Cut1", "Cut", 8204, &form_.Editing(), &EditingCommands::Cut1Click,
           QKeySequence(Qt::CTRL | Qt::Key_Delete));
  AddEntry(edit, "Copy1", "Copy", 8205, &form_.Editing(), &EditingCommands::Copy1Click)
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_C)});
  AddEntry(edit, "Paste1", "Paste", 8206, &form_.Editing(), &EditingCommands::Paste1Click)
      ->setShortcuts(
          {QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_V)});
  // Cut only deletes; Ctrl+X keeps what it cuts for pasting, as elsewhere.
  AddEntry(edit, "CutandCopy1", "Cut and Copy", 8210, &form_.Editing(),
           &EditingCommands::CutandCopy1Click, QKeySequence(Qt::CTRL | Qt::Key_X));
  // Ctrl+D and Ctrl+A edit the points of a selected spline or curve; elsewhere they serve here.
  AddEntry(edit, "Duplicate1", "Duplicate", 8211, &form_.Editing(),
           &EditingCommands::Duplicate1Click)
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), QKeySequence(Qt::CTRL | Qt::Key_D)});
  AddEntry(edit, "SelectAll1", "Select All", 8212, &form_.Editing(),
           &EditingCommands::SelectAll1Click)
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::Key_A)});
  edit->addSeparator();
  QAction* clipboard = AddEntry(edit, "CopytoClipboard1", "Copy to Clipboard", 8207,
                                &form_.Editing(), &EditingCommands::CopytoClipboard1Click);
  clipboard->setVisible(false);
  clipboard->setEnabled(false);
  QObject::connect(edit, &QMenu::aboutToShow, &form_, [this] { form_.Editing().EditMenuShown(); });
  AddEntry(edit, "Join1", "Join Items", 8208, &form_.Editing(), &EditingCommands::Join1Click,
           QKeySequence(Qt::CTRL | Qt::Key_G));
  AddEntry(edit, "Split1", "Split Group", 8209, &form_.Editing(), &EditingCommands::Split1Click,
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
  edit->addSeparator();
  // Page Up and Page Down move the caret while a text is typed.
  AddEntry(edit, "BringForward1", "Bring Forward", 8213, &form_.Editing(),
           &EditingCommands::BringForward1Click, QKeySequence(Qt::Key_PageUp));
  AddEntry(edit, "SendBackward1", "Send Backward", 8214, &form_.Editing(),
           &EditingCommands::SendBackward1Click, QKeySequence(Qt::Key_PageDown));

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
    QObject::connect(entry, &QAction::triggered, &form_,
                     [this, percent] { form_.SetZoom(percent / 100.0); });
    zoomEntries_[i] = entry;
  }
  zoomEntries_[3]->setChecked(true);
  zoomEntries_[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  zoom->addSeparator();
  // Ctrl+plus is Ctrl+Shift+= on many keyboards; Ctrl+= serves there too.
  AddEntry(zoom, "ZoomIn1", "Zoom In", 8310, &form_.Tools(), &ToolCommands::ZoomIn1Click)
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  AddEntry(zoom, "ZoomOut1", "Zoom Out", 8311, &form_.Tools(), &ToolCommands::ZoomOut1Click,
           QKeySequence(Qt::CTRL | Qt::Key_Minus));
}

void MainMenu::CreateToolsMenus() {
  QMenu* tools = AddMenu(nullptr, "Tools1", "Tools", 8400);
  QMenu* grid = AddMenu(tools, "Grid1", "Grid", 8401);
  static constexpr const char* kGridNames[] = {"None1", "Horizontal1", "Vertical1", "Both1"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    gridEntries_[mode] = AddEntry(grid, kGridNames[mode], kFourWay[mode], 8402 + mode);
    gridEntries_[mode]->setCheckable(true);
    QObject::connect(gridEntries_[mode], &QAction::triggered, &form_,
                     [this, mode] { form_.Tools().ChooseGrid(mode); });
  }
  grid->addSeparator();
  AddEntry(grid, "Customize1", "Customize...", 8406, &form_.Tools(),
           &ToolCommands::Customize1Click);
  resetMenu_ = AddMenu(grid, "Reset1", "Reset", 8407);
  static constexpr const char* kResetNames[] = {"Horizontal4", "Vertical4", "Both4"};
  for (int i = 0; i < 3; ++i) {
    resetEntries_[i] = AddEntry(resetMenu_, kResetNames[i], kFourWay[i + 1], 8408 + i);
    QObject::connect(resetEntries_[i], &QAction::triggered, &form_,
                     [this, i] { form_.Tools().ResetGrid(2 * (i + 1)); });
  }
  grid->addSeparator();
  anchorsMenu_ = AddMenu(grid, "Anchors1", "Anchors", 8411);
  static constexpr const char* kAnchorNames[] = {"None3", "Horizontal3", "Vertical3", "Both3"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    anchorEntries_[mode] = AddEntry(anchorsMenu_, kAnchorNames[mode], kFourWay[mode], 8412 + mode);
    anchorEntries_[mode]->setCheckable(true);
    QObject::connect(anchorEntries_[mode], &QAction::triggered, &form_,
                     [this, mode] { form_.Tools().ChooseAnchors(mode); });
  }
  QMenu* snap = AddMenu(tools, "Snap1", "Snap", 8416);
  static constexpr const char* kSnapNames[] = {"None2", "Horizontal2", "Vertical2", "Both2"};
  for (int mode = kDirectionsNone; mode <= kDirectionsBoth; ++mode) {
    snapEntries_[mode] = AddEntry(snap, kSnapNames[mode], kFourWay[mode], 8417 + mode);
    snapEntries_[mode]->setCheckable(true);
    QObject::connect(snapEntries_[mode], &QAction::triggered, &form_,
                     [this, mode] { form_.Tools().ChooseSnap(mode); });
  }
  tools->addSeparator();
  AddEntry(tools, "Speed1", "Speed...", 8421, &form_.Tools(), &ToolCommands::Speed1Click);
  AddEntry(tools, "CalibratePrinter1", "Calibrate Printer...", 8422, &form_.Tools(),
           &ToolCommands::CalibratePrinter1Click);

  QMenu* customize = AddMenu(nullptr, "Customize2", "Customize", 8500);
  AddEntry(customize, "Colors1", "Colors", 8501, &form_.Tools(), &ToolCommands::Colors1Click);
  struct HostEntry {
    const char* name;
    const char* caption;
    bool hostY;
    int code;
  };
  static constexpr HostEntry kHostEntries[] = {
      {"LineWeights1", "Line Weights", true, kHostLineWeights},
      {"LinePatterns1", "Line Patterns", false, kHostLinePatterns},
      {"Alignments1", "Line Angles", false, kHostLineAngles},
      {"Textsize1", "Text Sizes", false, kHostFontSizes},
      {"Textdirection1", "Text Angles", false, kHostTextAngles},
      {"Shadows1", "Shadows", true, kHostShadows},
  };
  int tag = 8502;
  for (const HostEntry& entry : kHostEntries) {
    QAction* action = AddEntry(customize, entry.name, entry.caption, tag++);
    QObject::connect(action, &QAction::triggered, &form_, [this, entry] {
      (entry.hostY ? form_.HostY() : form_.HostX())->OpenHost(entry.code, 0, QString());
    });
  }
  windowMenu_ = AddMenu(nullptr, "Window1", "Window", 8600);
  windowMenu_->menuAction()->setVisible(false);
  CreateArrangeEntries();
}

void MainMenu::CreateArrangeEntries() {
  // Tile and Cascade head the Window menu while it is open; between times the menu holds only
  // the windows' own entries, one per open document.
  tile_ = new QAction(QStringLiteral("Tile"), windowMenu_);
  tile_->setObjectName(QStringLiteral("Tile1"));
  tile_->setProperty("tag", 8601);
  QObject::connect(tile_, &QAction::triggered, &form_,
                   [this] { form_.ClientArea()->tileSubWindows(); });
  cascade_ = new QAction(QStringLiteral("Cascade"), windowMenu_);
  cascade_->setObjectName(QStringLiteral("Cascade1"));
  cascade_->setProperty("tag", 8602);
  QObject::connect(cascade_, &QAction::triggered, &form_,
                   [this] { form_.ClientArea()->cascadeSubWindows(); });
  arrangeSeparator_ = new QAction(windowMenu_);
  arrangeSeparator_->setSeparator(true);
  QObject::connect(windowMenu_, &QMenu::aboutToShow, &form_, [this] {
    const QList<QAction*> entries = windowMenu_->actions();
    windowMenu_->insertActions(entries.isEmpty() ? nullptr : entries.front(),
                               {tile_, cascade_, arrangeSeparator_});
  });
  // The entries leave as the menu closes; a chosen one still runs.
  QObject::connect(windowMenu_, &QMenu::aboutToHide, &form_, [this] {
    for (QAction* entry : {tile_, cascade_, arrangeSeparator_})
      windowMenu_->removeAction(entry);
  });
}

void MainMenu::CreateHelpMenu() {
  QMenu* help = AddMenu(nullptr, "Help1", "Help", 8700);
  AddEntry(help, "Contents1", "Contents", 8702, &form_.Tools(), &ToolCommands::Contents1Click,
           QKeySequence(Qt::Key_F1));
  QMenu* hints = AddMenu(help, "Hints1", "Hints", 8701);
  AddEntry(hints, "ShowAll1", "Show All", 8703, &form_.Tools(), &ToolCommands::ShowAll1Click)
      ->setCheckable(true);
  AddEntry(hints, "ShowNone1", "Show None", 8704, &form_.Tools(), &ToolCommands::ShowNone1Click)
      ->setCheckable(true);
  help->addSeparator();
  AddEntry(help, "Notice1", "Notice", 8705)->setVisible(false);
  AddEntry(help, "KeyboardShortcuts1", "Keyboard Shortcuts", 8707, &form_.Tools(),
           &ToolCommands::KeyboardShortcuts1Click);
  AddEntry(help, "About1", "About", 8706, &form_.Tools(), &ToolCommands::About1Click);
  for (QMenu* menu : {help, hints}) {
    QObject::connect(menu, &QMenu::aboutToShow, &form_, [this] { form_.Tools().HelpMenuShown(); });
  }
}

void MainMenu::RebuildReopenMenu() {
  bool any = false;
  for (int n = 0; n < kRecentFiles; ++n) {
    QString& path = form_.Params().reopen[n];
    path = path.trimmed();
    QAction* entry = reopenEntries_[n];
    entry->setText(RecentFileCaption(path));
    // Files of the same name in different folders are told apart by their full path.
    entry->setToolTip(QDir::toNativeSeparators(path));
    entry->setStatusTip(QDir::toNativeSeparators(path));
    entry->setVisible(!path.isEmpty());
    any = any || !path.isEmpty();
  }
  reopenMenu_->setEnabled(any);
  reopenMenu_->menuAction()->setEnabled(any);
}

void MainMenu::SetGridMenu(int mode) {
  gridMode_ = mode;
  for (int i = 0; i < 4; ++i)
    gridEntries_[i]->setChecked(i == mode);
  resetMenu_->menuAction()->setEnabled(mode != 0);
  anchorsMenu_->menuAction()->setEnabled(mode != 0);
  for (QAction* entry : resetEntries_)
    entry->setEnabled(true);
  for (QAction* entry : anchorEntries_)
    entry->setEnabled(true);
  if (mode == kDirectionsHorizontal) {
    resetEntries_[1]->setEnabled(false);
    resetEntries_[2]->setEnabled(false);
  } else if (mode == kDirectionsVertical) {
    resetEntries_[0]->setEnabled(false);
    resetEntries_[2]->setEnabled(false);
  }
  form_.Toolbar()->SetGridOn(mode != 0);
}

void MainMenu::SetAnchorMenu(int mode) {
  for (int i = 0; i < 4; ++i)
    anchorEntries_[i]->setChecked(i == mode);
}

void MainMenu::SetSnapMenu(int mode) {
  snapMode_ = mode;
  for (int i = 0; i < 4; ++i)
    snapEntries_[i]->setChecked(i == mode);
  form_.Toolbar()->SetSnapOn(mode != 0);
}

void MainMenu::SetGridMenus(const ItemRecord& page) {
  const auto mode = [](uint8_t horizontal, uint8_t vertical) {
    return (horizontal != 0 ? 1 : 0) + (vertical != 0 ? 2 : 0);
  };
  SetGridMenu(mode(page.gridHorizontal(), page.gridVertical()));
  SetAnchorMenu(mode(page.anchorsHorizontal(), page.anchorsVertical()));
  SetSnapMenu(mode(page.snapHorizontal(), page.snapVertical()));
}

void MainMenu::EnableDocumentCommands(bool enabled) {
  for (QAction* action : documentCommands_)
    action->setEnabled(enabled);
  for (int number : {3, 4, 5})
    form_.Toolbar()->Action(number)->setEnabled(enabled);
}

void MainMenu::ShowZoom(double zoom) {
  const int checked = ZoomMenuIndex(zoom);
  for (std::size_t i = 0; i < zoomEntries_.size(); ++i) {
    zoomEntries_[i]->setChecked(static_cast<int>(i) == checked);
  }
}

void MainMenu::ShowWindowTitle(TSandbox& window) {
  const int32_t number = window.GetWindowId();
  QAction* entry = nullptr;
  for (QAction* action : windowMenu_->actions()) {
    if (action->property("tag").toInt() == number) entry = action;
  }
  if (entry == nullptr) {
    entry = windowMenu_->addAction(window.GetTitle());
    entry->setCheckable(true);
    entry->setProperty("tag", number);
    QObject::connect(entry, &QAction::triggered, &form_, [this, number] {
      for (TSandbox* w : form_.Windows()) {
        if (w->GetWindowId() == number) form_.ClientArea()->setActiveSubWindow(w);
      }
      // The entry stays checked only for the window in front.
      if (TSandbox* active = form_.ActiveWindow()) CheckWindow(*active);
    });
  }
  entry->setText(window.GetTitle());
  windowMenu_->menuAction()->setVisible(true);
  if (&window == form_.ActiveWindow()) SetCurrentFileTitle(window.GetTitle());
}

void MainMenu::CheckWindow(TSandbox& window) {
  const int32_t number = window.GetWindowId();
  for (QAction* action : windowMenu_->actions()) {
    action->setChecked(action->property("tag").toInt() == number);
  }
  SetCurrentFileTitle(window.GetTitle());
}

void MainMenu::SetCurrentFileTitle(const QString& title) {
  const bool shown = !title.isEmpty();
  for (QAction* entry : {psCurrentFile_, gasCurrentFile_}) {
    entry->setText(title);
    entry->setVisible(shown);
  }
  psSeparator_->setVisible(shown);
  gasSeparator_->setVisible(shown);
}

void MainMenu::RemoveWindowEntry(int32_t number) {
  for (QAction* action : windowMenu_->actions()) {
    if (action->property("tag").toInt() == number) {
      windowMenu_->removeAction(action);
      action->deleteLater();
    }
  }
  if (windowMenu_->actions().isEmpty()) {
    windowMenu_->menuAction()->setVisible(false);
    SetCurrentFileTitle(QString());
  }
}

bool MainMenu::RunShortcut(const QKeySequence& key) {
  for (QAction* action : form_.menuBar()->findChildren<QAction*>()) {
    if (action->isEnabled() && action->shortcuts().contains(key)) {
      action->trigger();
      return true;
    }
  }
  return false;
}

}  // namespace quillon
