// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's command handlers: the File, Edit, Tools, Customize and Help menus and the
// toolbar's buttons.
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <unordered_set>

#include "canvas/TSandbox.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "output/SheetComposer.h"
#include "output/ui/OutputDialogs.h"
#include "output/ui/TCalibrate.h"
#include "page/AnchorLines.h"
#include "render/Coordinates.h"
#include "settings/Customization.h"
#include "settings/FontList.h"
#include "shell/FrameCommands.h"
#include "shell/FrameTimers.h"
#include "shell/HostWindow.h"
#include "shell/MainMenu.h"
#include "shell/PictureCommands.h"
#include "shell/RecentFiles.h"
#include "shell/ShortcutsPage.h"
#include "shell/SidePanel.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"
#include "shell/UserGuide.h"

namespace quillon {

void FileCommands::New1Click() {
  form_.OpenDocumentWindow(QString());
}

void FileCommands::Open1Click() {
  const QString path = form_.Dialogs().ChooseDocumentToOpen().trimmed();
  if (!path.isEmpty()) form_.OpenDocumentWindow(path);
}

void FileCommands::OpenRecentFile(int position) {
  const QString path = form_.Params().reopen[position - 1].trimmed();
  if (path.isEmpty()) return;
  if (!QFileInfo(path).isFile()) {
    form_.Prompts().Ask(kCannotFindFile, PromptStyle::Warning, PromptButtons::Cancel);
    return;
  }
  form_.OpenDocumentWindow(path);
}

void FileCommands::Clear1Click() {
  if (form_.Prompts().Ask(kClearRecentQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) !=
      PromptAnswer::Yes) {
    return;
  }
  for (QString& path : form_.Params().reopen)
    path.clear();
  form_.Menu().RebuildReopenMenu();
}

void FileCommands::Save1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->Save(false);
  // Saved under its own name, the document keeps its title; only the mark of changes goes.
  form_.ShowModifiedMark(*window);
}

void FileCommands::Print1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  if (page == nullptr) return;
  // A sheet of several cards asks first which of them to print.
  if (LayoutOf(*page, window->GetItems().screen()).multiCard) {
    form_.HostY()->OpenHost(kHostPrintSelection, window->GetWindowId(), window->GetTitle());
    return;
  }
  PrintWindow(*window);
}

void FileCommands::PrintPreview1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  if (page != nullptr && LayoutOf(*page, window->GetItems().screen()).multiCard) {
    form_.HostY()->OpenHost(kHostPreviewSelection, window->GetWindowId(), window->GetTitle());
    return;
  }
  OpenPreview(*window);
}

void FileCommands::OpenPreview(TSandbox& window) {
  form_.HostX()->OpenHost(kHostPreview, window.GetWindowId(), window.GetTitle());
}

void FileCommands::Screenshot1Click() {
  // The frame as it stands now, widened by 4 pixels on every side; the border comes from the
  // screen where the platform lets it be read, and is the frame's own colour otherwise.
  form_.repaint();
  Bitmap capture(form_.width() + 8, form_.height() + 8);
  {
    QImage image = capture.Image();
    QPainter painter(&image);
    painter.fillRect(image.rect(), form_.palette().color(QPalette::Window));
    if (QScreen* shown = form_.screen()) {
      const QPoint corner = form_.mapToGlobal(QPoint(-4, -4)) - shown->geometry().topLeft();
      const QPixmap around =
          shown->grabWindow(0, corner.x(), corner.y(), image.width(), image.height());
      if (!around.isNull() && around.size() == image.size()) painter.drawPixmap(0, 0, around);
    }
    painter.drawPixmap(4, 4, form_.grab());
  }
  form_.Output().ExportScreenshot(capture);
}

void FileCommands::PrintWindow(TSandbox& window) {
  form_.Output().PrintDocument(window.GetItems(), window.GetTitle(), window.PrintSelection());
}

void FileCommands::Exact1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  form_.Output().ExportPicture(window->GetItems(), false);
}

void FileCommands::Smooth1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  form_.Output().ExportPicture(window->GetItems(), true);
}

void FileCommands::Resolution1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  form_.Output().ExportAtResolution(window->GetItems(), &form_);
}

void FileCommands::SaveAs1Click() {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->SaveAs();
  form_.ShowModifiedMark(*window);
}

void FileCommands::Close1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->close();
}

void FileCommands::psCurrentFile1Click() {
  TSandbox* window = form_.ActiveWindow();
  form_.HostX()->OpenHost(kHostPageSetup, window != nullptr ? window->GetWindowId() : -1,
                          window != nullptr ? window->GetTitle() : QStringLiteral("New Files"));
}

void FileCommands::psNewFiles1Click() {
  form_.HostX()->OpenHost(kHostPageSetup, 0, QStringLiteral("New Files"));
}

void FileCommands::gasCurrentFile1Click() {
  if (TSandbox* window = form_.ActiveWindow()) {
    form_.HostX()->OpenHost(kHostGridForWindow, window->GetWindowId(), window->GetTitle());
  }
}

void FileCommands::gasNewFiles1Click() {
  form_.HostX()->OpenHost(kHostGridForNewFiles, 0, QStringLiteral("New Files"));
}

void FileCommands::Exit1Click() {
  if (!form_.ExitPrompt()) return;
  form_.CloseConfirmed();
}

void EditingCommands::UndoRedoAvailable(bool undo, bool redo) {
  form_.FindAction("Undo1")->setEnabled(undo);
  form_.FindAction("Redo1")->setEnabled(redo);
  form_.Toolbar()->Action(6)->setEnabled(undo);
  form_.Toolbar()->Action(7)->setEnabled(redo);
}

void EditingCommands::PasteAvailable(bool available) {
  // A picture from another program can be pasted too: it opens in the clip editor. The Edit
  // menu's entry follows the button.
  const bool paste = available || form_.Services().clipboard->HasPicture();
  form_.Toolbar()->Action(15)->setEnabled(paste);
  form_.FindAction("Paste1")->setEnabled(paste);
}

void EditingCommands::JoinSplitAvailable(bool join, bool split) {
  if (TUnibox* unibox = form_.Side().Unibox()) unibox->SetJoinSplit(join, split);
  form_.Toolbar()->ShowButton(35, join);
  form_.FindAction("Join1")->setEnabled(join);
  form_.Toolbar()->ShowButton(36, split);
  form_.FindAction("Split1")->setEnabled(split);
}

void EditingCommands::SelectionChanged() {
  if (PropertyPanel* panel = form_.Side().Properties()) panel->SelectionChanged();
  // A panel switch usually follows at once and brings the commands up to date; otherwise they
  // follow on the next turn of the event loop.
  selectionCommandsStale_ = true;
  QTimer::singleShot(0, &form_, [this] {
    if (selectionCommandsStale_) UpdateSelectionCommands();
  });
}

void EditingCommands::UpdateSelectionCommands() {
  selectionCommandsStale_ = false;
  TSandbox* window = form_.ActiveWindow();
  bool selected = false;
  int count = 0;
  bool grouped = false;
  if (window != nullptr) {
    std::unordered_set<int32_t> groups;
    for (const ItemRecord* r : SelectedRecords(window->GetItems())) {
      selected = true;
      if (r->groupNumber() > 0) {
        grouped = true;
        count += groups.insert(r->groupNumber()).second ? 1 : 0;
      } else {
        ++count;
      }
    }
  }
  // The buttons that act on the selection show only while there is one.
  for (int number : {12, 13, 14, 16})
    form_.Toolbar()->ShowButton(number, selected);
  for (const char* name :
       {"Cut1", "Copy1", "CutandCopy1", "Duplicate1", "BringForward1", "SendBackward1"}) {
    form_.FindAction(name)->setEnabled(selected);
  }
  JoinSplitAvailable(count >= 2, grouped);
  form_.PasteAvailable(window != nullptr && HasPasteContent(form_.Toolbar()->PasteBuffer()));
}

void EditingCommands::Undo1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->Run(Undo);
}

void EditingCommands::Redo1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->Run(Redo);
}

void EditingCommands::ClearUndoandRedo1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->ClearUndoAndRedo();
}

void EditingCommands::Cut1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->Run(CutSelection);
  UpdateSelectionCommands();
}

void EditingCommands::Copy1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->CopyItems(form_.Toolbar()->PasteBuffer());
  UpdateSelectionCommands();
}

void EditingCommands::Paste1Click() {
  if (!HasPasteContent(form_.Toolbar()->PasteBuffer()) &&
      form_.Services().clipboard->HasPicture()) {
    form_.Pictures().PastePicture();
    return;
  }
  if (TSandbox* window = form_.ActiveWindow()) window->PasteItems(form_.Toolbar()->PasteBuffer());
  UpdateSelectionCommands();
}

void EditingCommands::CopytoClipboard1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->CopyAreaToClipboard();
}

void EditingCommands::EditMenuShown() {
  TSandbox* window = form_.ActiveWindow();
  form_.FindAction("CopytoClipboard1")
      ->setEnabled(window != nullptr && HasCopyArea(window->LastGesture()));
  form_.PasteAvailable(window != nullptr && HasPasteContent(form_.Toolbar()->PasteBuffer()));
}

void EditingCommands::Join1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->Run(JoinItems);
  UpdateSelectionCommands();
}

void EditingCommands::Split1Click() {
  if (TSandbox* window = form_.ActiveWindow()) window->Run(SplitGroup);
  UpdateSelectionCommands();
}

template <class Command>
void EditingCommands::OnActiveDocument(Command command) {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  if (!command(window->GetItems(), window->Announcements())) window->FullRepaint(true);
  UpdateSelectionCommands();
}

void EditingCommands::CutandCopy1Click() {
  Copy1Click();
  Cut1Click();
}

void EditingCommands::Duplicate1Click() {
  OnActiveDocument([](ItemList& list, EditObserver& observer) {
    return DuplicateSelection(list, DuplicateOffset(list), observer);
  });
}

void EditingCommands::SelectAll1Click() {
  OnActiveDocument([](ItemList& list, EditObserver& observer) {
    SelectAllItems(list, observer);
    return true;
  });
}

void EditingCommands::BringForward1Click() {
  OnActiveDocument(RaiseSelectionOneStep);
}

void EditingCommands::SendBackward1Click() {
  OnActiveDocument(LowerSelectionOneStep);
}

void ToolCommands::ChooseGrid(int mode) {
  form_.Menu().SetGridMenu(mode);
  if (TSandbox* window = form_.ActiveWindow()) window->SetGuides(Guides::Grid, mode);
}

void ToolCommands::ChooseAnchors(int mode) {
  form_.Menu().SetAnchorMenu(mode);
  if (TSandbox* window = form_.ActiveWindow()) window->SetGuides(Guides::Anchors, mode);
}

void ToolCommands::ChooseSnap(int mode) {
  form_.Menu().SetSnapMenu(mode);
  if (TSandbox* window = form_.ActiveWindow()) window->SetGuides(Guides::Snap, mode);
}

void ToolCommands::ResetGrid(int flags) {
  if (form_.Prompts().Ask(kGridResetQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) ==
      PromptAnswer::No) {
    return;
  }
  if (TSandbox* window = form_.ActiveWindow()) window->ResetGrid(flags);
}

void ToolCommands::Customize1Click() {
  // The active window's grid; new files' without a window.
  TSandbox* window = form_.ActiveWindow();
  form_.HostX()->OpenHost(kHostGridForWindow, window != nullptr ? window->GetWindowId() : 0,
                          QString());
}

void ToolCommands::Speed1Click() {
  TSandbox* window = form_.ActiveWindow();
  form_.HostY()->OpenHost(kHostSpeed, window != nullptr ? window->GetWindowId() : 0,
                          window != nullptr ? QStringLiteral("Speed - ") + window->GetTitle()
                                            : QStringLiteral("Speed"));
}

void ToolCommands::CalibratePrinter1Click() {
  // One dialog at a time; it stays open beside the documents while the user measures.
  if (auto* open = form_.findChild<TCalibrate*>()) {
    open->raise();
    return;
  }
  auto* dialog =
      new TCalibrate(form_.Services().fileDialogs, QPrinterInfo::availablePrinterNames(), &form_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
}

void ToolCommands::Colors1Click() {
  const std::optional<uint32_t> chosen =
      form_.Services().colourChooser->ChooseColour(0, form_.Params().dialogColours);
  if (chosen) TakeChosenColour(form_.Params(), *chosen);
}

void ToolCommands::ShowAll1Click() {
  form_.Params().hints.fill(true);
}

void ToolCommands::ShowNone1Click() {
  form_.Params().hints.fill(false);
}

void ToolCommands::HelpMenuShown() {
  const auto& hints = form_.Params().hints;
  form_.FindAction("ShowAll1")->setChecked(std::all_of(hints.begin(), hints.end(), [](bool h) {
    return h;
  }));
  form_.FindAction("ShowNone1")->setChecked(std::none_of(hints.begin(), hints.end(), [](bool h) {
    return h;
  }));
}

void ToolCommands::About1Click() {
  form_.HostX()->OpenHost(kHostAbout, 0, QString());
}

void ToolCommands::Contents1Click() {
  OpenUserGuide(form_, form_.Prompts(), QCoreApplication::applicationDirPath());
}

void ToolCommands::KeyboardShortcuts1Click() {
  ShowShortcutsPage(form_);
}

void ToolCommands::ZoomIn1Click() {
  form_.SetZoom(ZoomInStep(form_.Params().zoom));
}

void ToolCommands::ZoomOut1Click() {
  form_.SetZoom(ZoomOutStep(form_.Params().zoom));
}

void ToolCommands::ToolbarButtonReleased(int number) {
  TSandbox* window = form_.ActiveWindow();
  switch (number) {
    case 1:
      form_.Files().New1Click();
      return;
    case 2:
      form_.Files().Open1Click();
      return;
    case 3:
      form_.Files().Save1Click();
      return;
    case 4:
      form_.Files().Exact1Click();
      return;
    case 5:
      form_.Files().Print1Click();
      return;
    case 6:
    case 7:
      if (window != nullptr) window->Run(number == 6 ? Undo : Redo);
      // The tool box follows on a later turn of the event loop, after the repaint the step
      // asked for, without running other input in the middle of this command.
      QTimer::singleShot(0, &form_, [this] { form_.ShowPanel(kToolPointer, false, true); });
      return;
    case 8:
      if (window != nullptr) {
        SelectOnly(window->GetItems(), nullptr);
        window->FullRepaint(true);
      }
      form_.ShowPanel(kToolPointer, false, true);
      return;
    case 9:
      form_.ShowPanel(kToolPointer, false, true);
      return;
    case kZoomOutButton:
      form_.SetZoom(ZoomOutStep(form_.Params().zoom));
      return;
    case kZoomInButton:
      form_.SetZoom(ZoomInStep(form_.Params().zoom));
      return;
    case 12:
      if (window != nullptr) window->Run(SendSelectionToBack);
      return;
    case 13:
      if (window != nullptr) window->Run(BringSelectionToFront);
      return;
    case 14:
      form_.Editing().Cut1Click();
      return;
    case 15:
      form_.Editing().Paste1Click();
      return;
    case 16:
      form_.Editing().Copy1Click();
      return;
    case 19:
      ChooseGrid(form_.Menu().GridMode() != 0 ? 0 : 3);
      return;
    case 20:
      ChooseSnap(form_.Menu().SnapMode() != 0 ? 0 : 3);
      return;
    case 27:
      form_.Timers().RunToolSoon(kToolPointer);
      form_.Pictures().InsertPictureCommand();
      return;
    case 35:
      form_.Editing().Join1Click();
      return;
    case 36:
      form_.Editing().Split1Click();
      form_.Timers().RunToolSoon(kToolPointer);
      return;
    default:
      break;
  }
  if (const int tool = ToolOfButton(number); tool != 0) form_.ShowPanel(tool, false, true);
}

}  // namespace quillon
