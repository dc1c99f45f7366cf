// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: a multiple-document frame holding the drawing windows, with the main menu,
// the toolbar strip, the side panel's column and the status bar. The menu, the command groups,
// the side panel's switch, the pictures, the recovery copies, the desktop's requests and the
// one-shot timers are parts of their own that the frame holds.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <deque>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "canvas/DocumentDialogs.h"
#include "canvas/SandboxHost.h"
#include "document/Recovery.h"
#include "document/ToolNumbers.h"
#include "platform/Clipboard.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/FileTypes.h"
#include "platform/PrintDialog.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "settings/TParams.h"
#include "settings/ui/PanelContext.h"
#include "shell/Chrome.h"
#include "shell/Navigation.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace quillon {

class TPict;

class EditingCommands;
class FileCommands;
class FirstTimeSetup;
class FrameTimers;
class MainMenu;
class OpenRequests;
class OutputDialogs;
class PanelSwitch;
class PictureCommands;
class RecoveryCopies;
class SidePanel;
class THostWindow;
class TProcs;
class ToolCommands;
class TSandbox;

// The first window number; windows take the smallest free number above it.
inline constexpr int32_t kWindowNumberBase = 18600;
inline constexpr char kExitQuestion[] =
    "One or more files were modified, but the changes have not been saved.\r\n"
    "Do you want to save the files?";
inline constexpr char kGridResetQuestion[] =
    "Make the distances between the gridlines equal?\r\n"
    "(Use 'Tools|Grid|Customize...' to set the default distance).";

// The services through which the main window asks the user.
struct ShellServices {
  Prompter* prompter = nullptr;
  FileDialogs* fileDialogs = nullptr;
  ColourChooser* colourChooser = nullptr;
  Clipboard* clipboard = nullptr;
  // Registers the document type with the desktop; none, nothing is registered.
  FileTypeRegistrar* fileTypes = nullptr;
  // The system's print dialog; none, nothing is printed.
  PrintDialog* printDialog = nullptr;
  // Shows long printing and exporting; none, they show nothing.
  ProgressDialogs* progress = nullptr;
};

// The smallest number above kWindowNumberBase that none of the used numbers is.
int32_t FreeWindowNumber(const std::vector<int32_t>& used);

class TForm1 : public QMainWindow, public SandboxHost {
  Q_OBJECT
 public:
  // Creates the frame and loads the settings from the user's store (FormCreate).
  TForm1(ShellServices services, ScreenMetrics screen, QWidget* parent = nullptr);
  // Closes the drawing windows and saves the settings (FormDestroy).
  ~TForm1() override;

  // Opens a window for a file or, with an empty path, a new document; an untouched new window
  // that is the only one takes the file instead.
  void OpenDocumentWindow(const QString& path);
  // The open drawing windows in creation order, and the active one (or null).
  std::vector<TSandbox*> Windows() const;
  TSandbox* ActiveWindow() const;
  int32_t NextWindowNumber() const;
  // Whether the frame is being destroyed.
  bool Ending() const { return ending_; }

  // Runs a tool number as the Insert menu, the toolbar and the timers do.
  void RunTool(int32_t toolNumber);
  void ShowPanel(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory = false);
  int32_t CurrentTool() const;
  SidePanel& Side() const;
  // Sets the zoom, its controls and the active window's zoom.
  void SetZoom(double zoom);
  // The exit prompt: whether the program may end.
  bool ExitPrompt();
  // Ends the program without asking again.
  void CloseConfirmed();
  RecoveryWriter& Recovery();
  // An execute request from the desktop or from a later start of the program.
  void DdeServerConv1ExecuteMacro(const QString& macro);

  // The parts of the frame.
  MainMenu& Menu() { return *menu_; }
  FileCommands& Files() { return *files_; }
  EditingCommands& Editing() { return *editing_; }
  ToolCommands& Tools() { return *tools_; }
  PanelSwitch& Panels() const { return *panels_; }
  PictureCommands& Pictures() { return *pictures_; }
  FrameTimers& Timers() { return *timers_; }
  RecoveryCopies& Copies() { return *copies_; }
  FirstTimeSetup& Setup() { return *setup_; }
  OutputDialogs& Output() { return *output_; }
  const ShellServices& Services() const { return services_; }
  TProcs* Toolbar() const { return procs_; }
  THostWindow* HostX() const { return formX_; }
  THostWindow* HostY() const { return formY_; }
  QMdiArea* ClientArea() const { return mdiArea_; }
  QAction* FindAction(const char* name) const;
  QMenu* FindMenu(const char* name) const;

  // SandboxHost.
  TParams& Params() override { return params_; }
  Prompter& Prompts() override { return *services_.prompter; }
  DocumentDialogs& Dialogs() override { return *dialogs_; }
  Clipboard& SystemClipboard() override { return *services_.clipboard; }
  void WindowTitleChanged(TSandbox& window) override;
  // The window's caption carries an asterisk while its document has unsaved changes.
  void ShowModifiedMark(TSandbox& window);
  void WindowIsCurrent(TSandbox& window) override;
  void SetGridMenus(const ItemRecord& page) override;
  void ZoomShown() override;
  void UndoRedoAvailable(bool undo, bool redo) override;
  void PasteAvailable(bool available) override;
  void JoinSplitAvailable(bool join, bool split) override;
  void ShowTool(int32_t toolNumber) override;
  void AddRecentFile(const QString& path) override;
  int32_t StartMode() const override { return startMode_; }
  void RememberMode(int32_t mode) override { startMode_ = mode; }
  void OpenPictureFile(const QString& path) override;
  void EditPictureClip() override { RunTool(kToolEditClip); }
  void WindowDestroyed(TSandbox& window) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Gives the keys back to the window a closed window of the program belonged to.
  void ReturnKeysAfter(QWidget* hidden);
  // The drawing window that hears a key sent to watched: the active one, when watched has the
  // focus in this window, is no field for typing, and the window takes keys; else null.
  TSandbox* KeyWindow(QObject* watched) const;
  // Whether the open clip editor has every key.
  bool ClipEditorTakesKeys() const;
  // Files dropped onto the window: documents open, pictures go to the clip editor.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateLayout();
  void SubWindowActivated(QMdiSubWindow* window);

  ShellServices services_;
  TParams params_;
  std::unique_ptr<DocumentDialogs> dialogs_;
  std::unique_ptr<OutputDialogs> output_;
  int32_t startMode_ = 0;
  bool exitConfirmed_ = false;
  bool ending_ = false;
  // The window last activated; cleared when it is destroyed.
  TSandbox* activeWindow_ = nullptr;
  TProcs* procs_ = nullptr;
  QMdiArea* mdiArea_ = nullptr;
  QLabel* statusText_ = nullptr;
  THostWindow* formX_ = nullptr;
  THostWindow* formY_ = nullptr;
  std::unique_ptr<FrameTimers> timers_;
  std::unique_ptr<MainMenu> menu_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<EditingCommands> editing_;
  std::unique_ptr<ToolCommands> tools_;
  std::unique_ptr<PanelSwitch> panels_;
  std::unique_ptr<PictureCommands> pictures_;
  std::unique_ptr<RecoveryCopies> copies_;
  std::unique_ptr<FirstTimeSetup> setup_;
  std::unique_ptr<OpenRequests> requests_;
};

}  // namespace quillon
