// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures into documents: Insert > Picture, pasted and dropped pictures, the clip editor's
// placing, and picture files the window is asked to open.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <cstring>
#include <new>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "output/PictureWriters.h"
#include "output/SheetComposer.h"
#include "platform/Clipboard.h"
#include "shell/FrameCommands.h"
#include "shell/HostWindow.h"
#include "shell/PictureCommands.h"
#include "shell/PictureDialog.h"
#include "shell/RecentFiles.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {
void PictureCommands::OpenPictureFile(const QString& path) {
  pendingPicture_ = path.trimmed();
  pendingBytes_.clear();
  // The picture clip editor takes the picture; its host shows the file's name.
  form_.HostX()->OpenHost(kToolNewPicture, 0, RecentFileCaption(path));
}

void PictureCommands::PastePicture() {
  const QImage offered =
      form_.Services().clipboard->Picture().convertToFormat(QImage::Format_BGR888);
  if (offered.isNull() || offered.width() <= 1 || offered.height() <= 1) return;
  Bitmap picture;
  try {
    picture = Bitmap(offered.width(), offered.height());
  } catch (const std::bad_alloc&) {
    form_.Prompts().Ask(kNotEnoughMemory, PromptStyle::Warning, PromptButtons::Ok);
    return;
  }
  for (int y = 0; y < offered.height(); ++y)
    std::memcpy(picture.Row(y), offered.constScanLine(y), 3 * std::size_t(offered.width()));
  // The picture is kept in the document as a Windows bitmap file, as if one had been inserted.
  const QByteArray bmp = EncodeBmp(picture, 96);
  if (form_.ActiveWindow() == nullptr) form_.Files().New1Click();
  pendingPicture_ = QStringLiteral("Pasted picture.bmp");
  pendingBytes_.assign(bmp.begin(), bmp.end());
  form_.HostX()->OpenHost(kToolNewPicture, 0, QStringLiteral("Pasted picture"));
}

void PictureCommands::InsertPictureCommand() {
  TParams& params = form_.Params();
  const QString chosen =
      form_.Services().fileDialogs->ChooseFileToOpen(InsertPictureRequest(params, lastInserted_));
  if (chosen.trimmed().isEmpty()) return;
  const QString path = QFileInfo(chosen.trimmed()).absoluteFilePath();
  const QString extension = RememberPictureChoice(params, path);
  if (form_.ActiveWindow() == nullptr) form_.Files().New1Click();
  if (extension != QLatin1String("qlln")) {
    OpenPictureFile(path);
    lastInserted_ = path;
    return;
  }
  // A document is pasted into the window as Paste does; one that is not read leaves nothing.
  ItemList& buffer = form_.Toolbar()->PasteBuffer();
  const FileResult result = ReadDocument(path, buffer, form_.Prompts());
  if (!result.ok()) {
    buffer.Clear();
    if (result.status == FileResult::Status::Failed) {
      form_.Prompts().Ask(result.message, PromptStyle::Error, PromptButtons::Ok);
    }
    form_.PasteAvailable(false);
    return;
  }
  if (TSandbox* window = form_.ActiveWindow()) window->PasteItems(buffer);
  lastInserted_ = path;
}

namespace {

// The local files a drag carries that the window takes: documents and the picture types.
QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    const bool document =
        QFileInfo(path).suffix().compare(QLatin1String("qlln"), Qt::CaseInsensitive) == 0;
    if (document || PictureTypeOfName(path.toStdU16String()) != 0) files.push_back(path);
  }
  return files;
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  pictures_->OpenDropped(files);
}

void PictureCommands::OpenDropped(const QStringList& files) {
  for (const QString& path : files) {
    if (PictureTypeOfName(path.toStdU16String()) == 0) {
      form_.OpenDocumentWindow(path);
      continue;
    }
    // A picture goes into the active drawing window, a new one when none is open.
    if (form_.ActiveWindow() == nullptr) form_.Files().New1Click();
    lastInserted_ = path;
    OpenPictureFile(path);
  }
}

void PictureCommands::PlaceClips(TPict& pict) {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr || !pict.HasPicture()) return;
  ItemList& list = window->GetItems();
  PictureInsert insert = pict.Insert();
  // New pictures take the frame and shadow chosen on the picture insertion panel.
  const TParams& params = form_.Params();
  insert.frame = params.clframe != 0 && params.frwidth > 0;
  insert.frameWeight = params.frwidth;
  insert.frameColour = params.frcolor;
  insert.frameSurface = params.frplas;
  insert.shadowed = params.clshadw != 0;
  insert.shadow = params.shpict;
  int32_t number = 0;
  if (insert.code == kToolNewPicture) {
    const std::vector<TSandbox*> windows = form_.Windows();
    number = NewSourceNumber(sourceNumbers_, [&windows](int32_t n) {
      for (TSandbox* w : windows)
        if (FindSource(w->GetItems(), n) != nullptr) return true;
      return false;
    });
  }
  window->EndGesture();
  const PlacedPicture placed = InsertPicture(list, insert, pict.Editor().Clips(), number,
                                             window->Context().Geometry(), window->Announcements());
  if (placed.items.empty()) return;
  SetModified(list, true);
  window->Announcements().RepaintAll(insert.code == kToolEditClip);
  window->Announcements().SelectionChanged();
  form_.ShowPanel(SoleSelected(list) != nullptr ? kToolSelectedPicture : kToolPointer, false, true);
}

}  // namespace quillon
