// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures into documents: Insert > Picture, the clip editor's placing, and picture files the
// window is asked to open.
#include <QFileInfo>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "shell/HostWindow.h"
#include "shell/RecentFiles.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {
namespace {

// The insert dialog's filter entries, in the order of the remembered picture filter.
constexpr const char* kPictureExtensions[] = {"jpg", "gif", "bmp", "ico", "emf", "wmf", "qlln"};
constexpr char kPictureFilter[] =
    "JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|GIF Image Files (*.gif)|*.gif|Bitmaps "
    "(*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles "
    "(*.wmf)|*.wmf|Quillon Files (*.qlln)|*.qlln";

}  // namespace

void TForm1::OpenPictureFile(const QString& path) {
  pendingPicture_ = path.trimmed();
  // The picture clip editor takes the picture; its host shows the file's name.
  formX_->OpenHost(kToolNewPicture, 0, RecentFileCaption(path));
}

void TForm1::InsertPictureCommand() {
  FileDialogRequest request;
  request.title = QStringLiteral("Open");
  request.filter = QString::fromLatin1(kPictureFilter);
  if (params_.picndx >= 1 && params_.picndx <= 7) {
    request.defaultExtension = QString::fromLatin1(kPictureExtensions[params_.picndx - 1]);
    request.filterIndex = params_.picndx;
  }
  if (QFileInfo(params_.picidr).isDir()) request.initialFolder = params_.picidr;
  request.initialFileName = lastInsertedPicture_;
  const QString chosen = services_.fileDialogs->ChooseFileToOpen(request).trimmed();
  if (chosen.isEmpty()) return;
  const QFileInfo info(chosen);
  const QString path = info.absoluteFilePath();
  params_.picidr = info.absolutePath();
  const QString extension = info.suffix().toLower().remove(u'.');
  for (int i = 0; i < 7; ++i) {
    if (extension == QLatin1String(kPictureExtensions[i])) params_.picndx = i + 1;
  }
  if (ActiveWindow() == nullptr) OpenDocumentWindow(QString());
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return;
  lastInsertedPicture_ = path;
  if (extension != QLatin1String("qlln")) {
    OpenPictureFile(path);
    return;
  }
  // A document is pasted into the window as Paste does.
  ItemList& buffer = procs_->PasteBuffer();
  buffer.Clear();
  const FileResult read = ReadDocument(path, buffer, Prompts());
  if (!read.ok()) {
    buffer.Clear();
    if (!read.message.empty()) {
      Prompts().Ask(read.message, PromptStyle::Warning, PromptButtons::Ok);
    }
    PasteAvailable(false);
    return;
  }
  PasteAvailable(HasPasteContent(buffer));
  window->PasteItems(buffer);
}

void TForm1::PlaceClips(TPict& pict) {
  TSandbox* window = ActiveWindow();
  if (window == nullptr || !pict.HasPicture()) return;
  ItemList& list = window->GetItems();
  const PictureInsert insert = pict.Insert();
  int32_t number = 0;
  if (insert.code == kToolNewPicture) {
    const std::vector<TSandbox*> windows = Windows();
    number = NewSourceNumber(sourceNumbers_, [&windows](int32_t n) {
      for (TSandbox* w : windows)
        if (FindSource(w->GetItems(), n) != nullptr) return true;
      return false;
    });
  }
  window->EndGesture();
  const PlacedPicture placed = InsertPicture(list, insert, pict.Editor().Clips(), number,
                                             window->Geometry(), window->Announcements());
  if (placed.items.empty()) return;
  SetModified(list, true);
  window->Announcements().RepaintAll(insert.code == kToolEditClip);
  window->Announcements().SelectionChanged();
  ShowPanel(SoleSelected(list) != nullptr ? kToolSelectedPicture : kToolPointer, false, true);
}

}  // namespace quillon
