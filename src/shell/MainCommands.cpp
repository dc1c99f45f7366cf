// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's command handlers, toolbar buttons and timers.
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "output/SheetComposer.h"
#include "output/ui/OutputDialogs.h"
#include "page/AnchorLines.h"
#include "render/Coordinates.h"
#include "settings/Customization.h"
#include "settings/FontList.h"
#include "shell/HostWindow.h"
#include "shell/RecentFiles.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {

void TForm1::New1Click() {
  OpenDocumentWindow(QString());
}

void TForm1::Open1Click() {
  const QString path = Dialogs().ChooseDocumentToOpen().trimmed();
  if (!path.isEmpty()) OpenDocumentWindow(path);
}

void TForm1::OpenRecentFile(int position) {
  const QString path = params_.reopen[position - 1].trimmed();
  if (path.isEmpty()) return;
  if (!QFileInfo(path).isFile()) {
    Prompts().Ask(kCannotFindFile, PromptStyle::Warning, PromptButtons::Cancel);
    return;
  }
  OpenDocumentWindow(path);
}

void TForm1::Clear1Click() {
  if (Prompts().Ask(kClearRecentQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) !=
      PromptAnswer::Yes) {
    return;
  }
  for (QString& path : params_.reopen)
    path.clear();
  RebuildReopenMenu();
}

void TForm1::Save1Click() {
  if (TSandbox* window = ActiveWindow()) window->Save(false);
}

void TForm1::Print1Click() {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  if (page == nullptr) return;
  // A sheet of several cards asks first which of them to print.
  if (LayoutOf(*page, window->GetItems().screen()).multiCard) {
    formY_->OpenHost(66, window->GetWindowId(), window->GetTitle());
    return;
  }
  PrintWindow(*window);
}

void TForm1::PrintPreview1Click() {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  if (page != nullptr && LayoutOf(*page, window->GetItems().screen()).multiCard) {
    formY_->OpenHost(67, window->GetWindowId(), window->GetTitle());
    return;
  }
  OpenPreview(*window);
}

void TForm1::OpenPreview(TSandbox& window) {
  formX_->OpenHost(57, window.GetWindowId(), window.GetTitle());
}

void TForm1::Screenshot1Click() {
  // The frame as it stands now, widened by 4 pixels on every side; the border comes from the
  // screen where the platform lets it be read, and is the frame's own colour otherwise.
  repaint();
  Bitmap capture(width() + 8, height() + 8);
  {
    QImage image = capture.Image();
    QPainter painter(&image);
    painter.fillRect(image.rect(), palette().color(QPalette::Window));
    if (QScreen* shown = screen()) {
      const QPoint corner = mapToGlobal(QPoint(-4, -4)) - shown->geometry().topLeft();
      const QPixmap around =
          shown->grabWindow(0, corner.x(), corner.y(), image.width(), image.height());
      if (!around.isNull() && around.size() == image.size()) painter.drawPixmap(0, 0, around);
    }
    painter.drawPixmap(4, 4, grab());
  }
  output_->ExportScreenshot(capture);
}

void TForm1::PrintWindow(TSandbox& window) {
  output_->PrintDocument(window.GetItems(), window.GetTitle(), window.PrintSelection());
}

void TForm1::Exact1Click() {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  output_->ExportPicture(window->GetItems(), false);
}

void TForm1::Smooth1Click() {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return;
  window->EndGesture();
  output_->ExportPicture(window->GetItems(), true);
}

void TForm1::SaveAs1Click() {
  if (TSandbox* window = ActiveWindow()) window->SaveAs();
}

void TForm1::Close1Click() {
  if (TSandbox* window = ActiveWindow()) window->close();
}

void TForm1::psCurrentFile1Click() {
  TSandbox* window = ActiveWindow();
  formX_->OpenHost(54, window != nullptr ? window->GetWindowId() : -1,
                   window != nullptr ? window->GetTitle() : QStringLiteral("New Files"));
}

void TForm1::psNewFiles1Click() {
  formX_->OpenHost(54, 0, QStringLiteral("New Files"));
}

void TForm1::gasCurrentFile1Click() {
  if (TSandbox* window = ActiveWindow()) {
    formX_->OpenHost(27, window->GetWindowId(), window->GetTitle());
  }
}

void TForm1::gasNewFiles1Click() {
  formX_->OpenHost(26, 0, QStringLiteral("New Files"));
}

void TForm1::Exit1Click() {
  if (!ExitPrompt()) return;
  exitConfirmed_ = true;
  close();
}

void TForm1::Undo1Click() {
  if (TSandbox* window = ActiveWindow()) window->UndoEdit();
}

void TForm1::Redo1Click() {
  if (TSandbox* window = ActiveWindow()) window->RedoEdit();
}

void TForm1::ClearUndoandRedo1Click() {
  if (TSandbox* window = ActiveWindow()) window->ClearUndoAndRedo();
}

void TForm1::Cut1Click() {
  if (TSandbox* window = ActiveWindow()) window->CutItems();
  UpdateSelectionCommands();
}

void TForm1::Copy1Click() {
  if (TSandbox* window = ActiveWindow()) window->CopyItems(procs_->PasteBuffer());
  UpdateSelectionCommands();
}

void TForm1::Paste1Click() {
  if (!HasPasteContent(procs_->PasteBuffer()) && services_.clipboard->HasPicture()) {
    PastePicture();
    return;
  }
  if (TSandbox* window = ActiveWindow()) window->PasteItems(procs_->PasteBuffer());
  UpdateSelectionCommands();
}

void TForm1::CopytoClipboard1Click() {
  if (TSandbox* window = ActiveWindow()) window->CopyAreaToClipboard();
}

void TForm1::EditMenuShown() {
  TSandbox* window = ActiveWindow();
  FindAction("CopytoClipboard1")->setEnabled(window != nullptr && window->HasCopyArea());
  PasteAvailable(window != nullptr && HasPasteContent(procs_->PasteBuffer()));
}

void TForm1::Join1Click() {
  if (TSandbox* window = ActiveWindow()) window->JoinSelection();
  UpdateSelectionCommands();
}

void TForm1::Split1Click() {
  if (TSandbox* window = ActiveWindow()) window->SplitSelection();
  UpdateSelectionCommands();
}

void TForm1::ChooseGrid(int mode) {
  SetGridMenu(mode);
  if (TSandbox* window = ActiveWindow()) window->SetGridMode(mode);
}

void TForm1::ChooseAnchors(int mode) {
  SetAnchorMenu(mode);
  if (TSandbox* window = ActiveWindow()) window->SetAnchorMode(mode);
}

void TForm1::ChooseSnap(int mode) {
  SetSnapMenu(mode);
  if (TSandbox* window = ActiveWindow()) window->SetSnapMode(mode);
}

void TForm1::ResetGrid(int flags) {
  if (Prompts().Ask(kGridResetQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) ==
      PromptAnswer::No) {
    return;
  }
  if (TSandbox* window = ActiveWindow()) window->ResetGrid(flags);
}

void TForm1::Customize1Click() {
  // The active window's grid; new files' without a window.
  TSandbox* window = ActiveWindow();
  formX_->OpenHost(27, window != nullptr ? window->GetWindowId() : 0, QString());
}

void TForm1::Speed1Click() {
  TSandbox* window = ActiveWindow();
  formY_->OpenHost(64, window != nullptr ? window->GetWindowId() : 0,
                   window != nullptr ? QStringLiteral("Speed - ") + window->GetTitle()
                                     : QStringLiteral("Speed"));
}

void TForm1::Colors1Click() {
  const std::optional<uint32_t> chosen =
      services_.colourChooser->ChooseColour(0, params_.dialogColours);
  if (chosen) TakeChosenColour(params_, *chosen);
}

void TForm1::ShowAll1Click() {
  params_.hints.fill(true);
}

void TForm1::ShowNone1Click() {
  params_.hints.fill(false);
}

void TForm1::HelpMenuShown() {
  const auto& hints = params_.hints;
  FindAction("ShowAll1")->setChecked(std::all_of(hints.begin(), hints.end(), [](bool h) {
    return h;
  }));
  FindAction("ShowNone1")->setChecked(std::none_of(hints.begin(), hints.end(), [](bool h) {
    return h;
  }));
}

void TForm1::About1Click() {
  formX_->OpenHost(45, 0, QString());
}

void TForm1::ToolbarButtonReleased(int number) {
  TSandbox* window = ActiveWindow();
  switch (number) {
    case 1:
      New1Click();
      return;
    case 2:
      Open1Click();
      return;
    case 3:
      Save1Click();
      return;
    case 4:
      Exact1Click();
      return;
    case 5:
      Print1Click();
      return;
    case 6:
    case 7:
      if (window != nullptr) number == 6 ? window->UndoEdit() : window->RedoEdit();
      // The tool box follows on a later turn of the event loop, after the repaint the step
      // asked for, without running other input in the middle of this command.
      QTimer::singleShot(0, this, [this] { ShowPanel(20, false, true); });
      return;
    case 8:
      if (window != nullptr) {
        SelectOnly(window->GetItems(), nullptr);
        window->FullRepaint(true);
      }
      ShowPanel(20, false, true);
      return;
    case 9:
      ShowPanel(20, false, true);
      return;
    case kZoomOutButton:
      SetZoom(ZoomOutStep(params_.zoom));
      return;
    case kZoomInButton:
      SetZoom(ZoomInStep(params_.zoom));
      return;
    case 12:
      if (window != nullptr) window->SendItemsToBack();
      return;
    case 13:
      if (window != nullptr) window->BringItemsToFront();
      return;
    case 14:
      Cut1Click();
      return;
    case 15:
      Paste1Click();
      return;
    case 16:
      Copy1Click();
      return;
    case 19:
      ChooseGrid(gridMode_ != 0 ? 0 : 3);
      return;
    case 20:
      ChooseSnap(snapMode_ != 0 ? 0 : 3);
      return;
    case 27:
      pendingTool_ = 20;
      timer1_->start();
      InsertPictureCommand();
      return;
    case 35:
      Join1Click();
      return;
    case 36:
      Split1Click();
      pendingTool_ = 20;
      timer1_->start();
      return;
    default:
      break;
  }
  if (const int tool = ToolOfButton(number); tool != 0) ShowPanel(tool, false, true);
}

void TForm1::Timer1Timer() {
  const int tool = pendingTool_;
  pendingTool_ = 0;
  RunTool(tool);
}

void TForm1::Timer2Timer() {
  if (Windows().empty()) OpenDocumentWindow(QString());
}

void TForm1::Timer3Timer() {
  procs_->RestAll();
}

void TForm1::Timer4Timer() {
  if (!Windows().empty()) return;
  params_.zoom = 1.0;
  ZoomShown();
  ShowPanel(20, false, false);
  const defaults_t& d = params_.defaults;
  SetGridMenu((d.gridHorizontal != 0 ? 1 : 0) + (d.gridVertical != 0 ? 2 : 0));
  SetAnchorMenu((d.anchorsHorizontal != 0 ? 1 : 0) + (d.anchorsVertical != 0 ? 2 : 0));
  SetSnapMenu((d.snapHorizontal != 0 ? 1 : 0) + (d.snapVertical != 0 ? 2 : 0));
  EnableDocumentCommands(false);
  UndoRedoAvailable(false, false);
}

void TForm1::Timer5Timer() {
  EnumerateFonts(params_);
}

void TForm1::ShadowsChanged() {
  timer7_->start();
}

void TForm1::Timer7Timer() {
  const std::vector<TSandbox*> windows = Windows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    // A document whose light already falls that way is drawn again all the same.
    if (!(*it)->LightDirectionChanged()) (*it)->FullRepaint(true);
  }
}

}  // namespace quillon
