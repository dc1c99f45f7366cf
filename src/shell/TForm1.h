// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: a multiple-document frame holding the drawing windows, with the main menu,
// the toolbar strip, the side panel's column, the status bar and the one-shot timers. Every
// command is a thin handler that acts on the active drawing window, opens a host window or
// switches the side panel.
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

class OutputDialogs;
class SidePanel;
class THostWindow;
class TProcs;
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

class TForm1 : public QMainWindow, public SandboxHost, public PanelContext {
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

  // Runs a tool number as the Insert menu, the toolbar and the timers do.
  void RunTool(int32_t toolNumber) override;
  // Switches the side panel to a tool number; tellWindow also activates the tool in the active
  // drawing window; a step taken from the history is not recorded again.
  void ShowPanel(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory = false);
  int32_t CurrentTool() const { return currentTool_; }
  SidePanel& Side() const { return *side_; }
  // Runs a suggestion entry's action.
  void RunSuggestion(int number);
  // Shows the previous or next panel step of the history that can still be shown.
  void GoBack();
  void GoForward();

  // Sets the zoom, its controls and the active window's zoom.
  void SetZoom(double zoom);
  // Prints the window's sheet with its print selection through the print dialog.
  void PrintWindow(TSandbox& window);
  // Shows the print preview of the window in TFormX.
  void OpenPreview(TSandbox& window);
  OutputDialogs& Output() { return *output_; }
  // The exit prompt: whether the program may end.
  bool ExitPrompt();
  // Offers the recovery copies left behind by programs that no longer run (TRecover) and
  // restores, discards or keeps them as the user chooses.
  void OfferRecovery();
  // Seconds from a change to its recovery copy, 0 for none.
  void SetRecoveryInterval(int32_t seconds);
  // This program's recovery copies.
  RecoveryWriter& Recovery() { return *recovery_; }

  // An execute request from the desktop or from a later start of the program: opens the file
  // an [open("...")] macro names when it exists; anything else is ignored.
  void DdeServerConv1ExecuteMacro(const QString& macro);
  // The first-time setup's Proceed with a unit (2 millimetres, 3 inches): the unit of new
  // files, the setup recorded and the document type registered.
  void ProceedWithSetup(int32_t units);
  // The shadow settings were saved: shortly after, every open document takes the light
  // direction and is drawn again (Timer7).
  void ShadowsChanged();

  TParams& Params() override { return params_; }
  // PanelContext.
  ItemList* ActiveDocument() override;
  DocumentEvents* ActiveEvents() override;
  GeometryContext ActiveGeometry() override;
  void Customize(ValueListKind kind) override;
  void SelectionEdited() override;
  void PanelChanged(int32_t tool) override;
  bool ChangeEditedText(const std::function<void(ItemRecord&)>& change) override;
  TProcs* Toolbar() const { return procs_; }
  THostWindow* HostX() const { return formX_; }
  THostWindow* HostY() const { return formY_; }
  QMdiArea* ClientArea() const { return mdiArea_; }
  QAction* FindAction(const char* name) const;
  QMenu* FindMenu(const char* name) const;

  // SandboxHost.
  Prompter& Prompts() override { return *services_.prompter; }
  DocumentDialogs& Dialogs() override { return *dialogs_; }
  Clipboard& SystemClipboard() override { return *services_.clipboard; }
  void WindowTitleChanged(TSandbox& window) override;
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
  // The picture file the clip editor opens next (code 51), or the picture's bytes when it
  // came from the clipboard.
  const QString& PendingPicture() const { return pendingPicture_; }
  const std::vector<uint8_t>& PendingPictureBytes() const { return pendingBytes_; }
  // Edit > Paste of a picture another program put on the clipboard: the clip editor opens on it.
  void PastePicture();
  // Insert or Apply of the clip editor: places its picture or clips into the active window.
  void PlaceClips(TPict& pict);
  // Insert > Picture: chooses a picture file (or a document to paste) and opens it.
  void InsertPictureCommand();
  void WindowDestroyed(TSandbox& window) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Gives the keys back to the window a closed window of the program belonged to.
  void ReturnKeysAfter(QWidget* hidden);
  // Files dropped onto the window: documents open, pictures go to the clip editor.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Building the frame (TForm1.cpp, MainMenus.cpp).
  void CreateLayout();
  void CreateMenus();
  void CreateFileMenu();
  void CreateEditMenus();
  void CreateToolsMenus();
  void CreateHelpMenu();
  void CreateTimers();
  QAction* AddEntry(QMenu* menu, const char* name, const char* caption, int tag,
                    void (TForm1::*handler)() = nullptr, const QKeySequence& shortcut = {});
  QMenu* AddMenu(QMenu* parent, const char* name, const char* caption, int tag);

  // Menu state.
  void RebuildReopenMenu();
  void SetGridMenu(int mode);
  void SetAnchorMenu(int mode);
  void SetSnapMenu(int mode);
  void EnableDocumentCommands(bool enabled);
  void UpdateSelectionCommands();
  void SetCurrentFileTitle(const QString& title);
  void RemoveWindowEntry(int32_t number);
  void SubWindowActivated(QMdiSubWindow* window);

  // Handlers (MainCommands.cpp).
  void New1Click();
  void Open1Click();
  void OpenRecentFile(int position);
  void Clear1Click();
  void Save1Click();
  void SaveAs1Click();
  void Close1Click();
  void psCurrentFile1Click();
  void psNewFiles1Click();
  void gasCurrentFile1Click();
  void gasNewFiles1Click();
  void Print1Click();
  void PrintPreview1Click();
  void Screenshot1Click();
  void Exact1Click();
  void Smooth1Click();
  void Exit1Click();
  void Undo1Click();
  void Redo1Click();
  void ClearUndoandRedo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  // The active document's selection changed: the Edit commands and buttons follow.
  void SelectionChanged();
  void CopytoClipboard1Click();
  void EditMenuShown();
  void Join1Click();
  void Split1Click();
  void ChooseGrid(int mode);
  void ChooseAnchors(int mode);
  void ChooseSnap(int mode);
  void ResetGrid(int flags);
  void Customize1Click();
  void Speed1Click();
  void Colors1Click();
  void ShowAll1Click();
  void ShowNone1Click();
  void HelpMenuShown();
  void About1Click();
  void ToolbarButtonReleased(int number);
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();
  void Timer4Timer();
  void Timer5Timer();
  void Timer6Timer();
  void Timer7Timer();
  void HostXClosed(int code);
  // Recovery copies (Recovery.cpp in this folder): a document changed, the copies are due.
  void DocumentTouched(TSandbox& window);
  void RecoveryTimerTimer();
  void WriteRecoveryCopy(TSandbox& window);
  void RestoreCopies(const std::vector<LeftBehindCopy>& copies);
  // Queues a file another start of the program handed over; ServeRequests opens it.
  void OpenRequestedFile(const QString& name);
  // Opens the first file waiting, once no print or export runs, no dialog waits for an answer
  // and no earlier request is still being opened: one request at a time.
  void ServeRequests();
  // What became of a recovery copy: an empty problem when it was written.
  void RecoveryCopyWritten(const QString& problem);
  // The side panel (SideCommands.cpp).
  void CreateSidePanel(QWidget* place, QWidget* suggestions, QWidget* strip);
  void RecordStep(int32_t tool);
  bool CanShowStep(const HistoryStep& step) const;
  void ShowStep(const HistoryStep& step);
  void RefreshHistoryStrip();
  // The side panel follows the active window: the panel of its drawing tool, else of its
  // selection, else the tool palette; force also when the window stayed but its document changed.
  void FollowActiveWindow(bool force = false);
  SuggestionFacts CurrentFacts() const;
  // Selects only the newest drawable item of the active document that is neither locked nor
  // hidden; whether one was selected.
  bool SelectNewest();

  ShellServices services_;
  bool selectionCommandsStale_ = false;
  TParams params_;
  std::unique_ptr<DocumentDialogs> dialogs_;
  std::unique_ptr<OutputDialogs> output_;

  int32_t currentTool_ = 0;
  int32_t previousTool_ = 20;
  QString lastInsertedPicture_;
  int32_t pendingTool_ = 0;
  int32_t startMode_ = 0;
  QString currentFileTitle_;
  bool exitConfirmed_ = false;
  bool ending_ = false;
  bool setupFinished_ = false;
  int gridMode_ = 0;
  int snapMode_ = 0;
  SidePanel* side_ = nullptr;
  PanelHistory history_;
  std::mt19937 stamps_{18601};
  std::mt19937 sourceNumbers_{std::random_device{}()};
  QString pendingPicture_;
  std::vector<uint8_t> pendingBytes_;
  // The window last activated; cleared when it is destroyed.
  TSandbox* activeWindow_ = nullptr;
  // The window whose state the side panel shows; null for none.
  QPointer<TSandbox> panelWindow_;

  TProcs* procs_ = nullptr;
  QMdiArea* mdiArea_ = nullptr;
  QWidget* panel3_ = nullptr;
  QLabel* statusText_ = nullptr;
  THostWindow* formX_ = nullptr;
  THostWindow* formY_ = nullptr;
  QMenu* reopenMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  std::array<QAction*, kRecentFiles> reopenEntries_{};
  std::array<QAction*, 4> gridEntries_{};
  std::array<QAction*, 3> resetEntries_{};
  std::array<QAction*, 4> anchorEntries_{};
  std::array<QAction*, 4> snapEntries_{};
  std::array<QAction*, 9> zoomEntries_{};
  QMenu* resetMenu_ = nullptr;
  QMenu* anchorsMenu_ = nullptr;
  QAction* psCurrentFile_ = nullptr;
  QAction* gasCurrentFile_ = nullptr;
  QAction* psSeparator_ = nullptr;
  QAction* gasSeparator_ = nullptr;
  std::vector<QAction*> documentCommands_;
  QTimer* timer1_ = nullptr;
  QTimer* timer2_ = nullptr;
  QTimer* timer3_ = nullptr;
  QTimer* timer4_ = nullptr;
  QTimer* timer5_ = nullptr;
  QTimer* timer6_ = nullptr;
  QTimer* timer7_ = nullptr;
  // Writes the recovery copies of the documents changed since the last ones.
  QTimer* recoveryTimer_ = nullptr;
  std::set<int32_t> touched_;
  std::unique_ptr<RecoveryWriter> recovery_;
  // Whether this run told the user that recovery copies cannot be written.
  bool recoveryProblemSaid_ = false;
  QString recoveryProblemText_;
  // Files handed over by other starts, waiting to be opened one at a time.
  std::deque<QString> requests_;
  bool servingRequest_ = false;
  // Tries the waiting requests again while something else must finish first.
  QTimer* requestTimer_ = nullptr;
  // Ends the program half a second after the first-time setup was left unfinished.
  QTimer* setupEnd_ = nullptr;
};

}  // namespace quillon
