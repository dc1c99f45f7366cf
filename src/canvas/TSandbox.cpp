// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/TSandbox.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTimer>
#include <string>

#include "canvas/BitmapView.h"
#include "canvas/ProgressiveRendering.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxDesk.h"
#include "canvas/SandboxView.h"
#include "document/DocumentFile.h"
#include "document/ForeignContent.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "platform/Timers.h"
#include "render/ShapeBounds.h"
#include "render/Text.h"
#include "settings/NewDocument.h"

namespace quillon {
namespace {

// The panel of the line or text tool shows again this long after activation; a progressive
// pass starts this long after a load or zoom.
constexpr int kModePanelDelay = 200;
constexpr int kProgressiveDelay = 100;

constexpr char kSaveChangesQuestion[] = "Do you want to save changes to ";
constexpr char kSaveFileQuestion[] = "Do you want to save the file?";

// The extensions of pictures, which open in the clip editor of a new document.
bool IsPicturePath(const QString& path) {
  QString extension = path.trimmed();
  const qsizetype dot = extension.lastIndexOf(u'.');
  if (dot < 0) return false;
  extension = extension.mid(dot + 1).toLower();
  for (const char* picture : {"jpg", "jpeg", "gif", "bmp", "ico", "emf", "wmf"}) {
    if (extension == QLatin1String(picture)) return true;
  }
  return false;
}

// Modes a new window may start in: the line tool, the text tool and the shape tools.
int32_t StartingMode(int32_t remembered) {
  return IsToolMode(remembered) ? remembered : kModePointer;
}

// What the user learns when a file opens damaged or without a page; empty when it opened
// whole. read is the document as read, before it is given a page.
std::string OpeningNotice(const QString& path, const FileResult& result, const ItemList& read) {
  // A file that is no Quillon document at all, opened anyway, says so rather than "damaged".
  const std::size_t records = result.cutShort ? std::size_t(result.cutShort->records) : read.size();
  if (std::string foreign = ForeignDocumentNotice(path, result, records); !foreign.empty()) {
    return foreign;
  }
  const std::string name = '"' + QFileInfo(path.trimmed()).fileName().toStdString() + '"';
  if (result.cutShort) {
    const CutShort& cut = *result.cutShort;
    return name + " is damaged: it breaks off in the middle of a record. Only the first " +
           std::to_string(cut.bytesRead) + " of its " + std::to_string(cut.fileLength) +
           " bytes (" + std::to_string(cut.records) + (cut.records == 1 ? " record" : " records") +
           ") could be read.\r\nThe document opens untitled, so that saving it does not "
           "overwrite the damaged file.";
  }
  if (read.PageRecord() != nullptr) return {};
  if (read.empty()) {
    return name +
           " holds no drawing: the file is empty or too short for a Quillon document."
           "\r\nIt opens as a new document with the page setup for new files.";
  }
  return name + " has no page setup record.\r\nIts " + std::to_string(read.size()) +
         (read.size() == 1 ? " record opens" : " records open") +
         " on the page setup for new files; save the document to keep them with that page.";
}

// Puts the new-file page setup and anchors records before the records read from a file that
// had no page setup record.
void GivePage(ItemList& items, const TParams& params, int32_t windowNumber) {
  ItemList read(items.screen());
  read.TakeFrom(items);
  NewDocument(items, params, windowNumber);
  items.AppendAllFrom(read);
  // Records without a page are kept, so the document differs from its file until saved.
  SetModified(items, items.size() > 2);
}

// Gives every text item of a loaded document the box its text takes with this screen's fonts.
void PrepareTexts(ItemList& items) {
  const FontTextMetrics metrics(items.screen());
  GeometryContext context;
  context.screen = items.screen();
  context.text = &metrics;
  for (ItemRecord& item : items) {
    if (item.kind() == kKindText && item.hidden() == 0) BoundsAfterTransform(item, context);
  }
}

}  // namespace

TSandbox::TSandbox(SandboxHost& host, QWidget* parent)
    : QMdiSubWindow(parent),
      host_(host),
      items_(host.Params().screen) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("TSandbox"));
  canvas_ = std::make_unique<SandboxCanvas>(*this);
  ViewWindow hooks;
  hooks.ready = [this] { return !closing_ && !notReady_; };
  hooks.repaintCanvas = [this] { FullRepaint(true); };
  hooks.rulersRebuilt = [this] {
    if (desk_ != nullptr) desk_->RepaintStrips();
  };
  view_ = std::make_unique<SandboxView>(*this, items_, std::move(hooks));
  canvas_->Attach(*view_->Image());
  desk_ = std::make_unique<Desk>(*this);
  ConnectAnnouncements();
  // The press-and-hold clock: when the button stays down, the press is the first click and
  // the release the second.
  timer1_ = OneShot(this, "Timer1", 200);
  connect(timer1_, &QTimer::timeout, this, [this] {
    if (!outcome_.cancelled && !closing_ && gesture_ != nullptr) gesture_->Held();
  });
  timer2_ = OneShot(this, "Timer2", 200);
  connect(timer2_, &QTimer::timeout, this, &TSandbox::Timer2Timer);
  // The panel of the line or text tool, a moment after activation.
  modePanelTimer_ = OneShot(this, "ModePanel", kModePanelDelay);
  connect(modePanelTimer_, &QTimer::timeout, this, [this] {
    if (closing_) return;
    if (Mode() == kModeLine) host_.ShowTool(kToolLine);
    if (Mode() == kModeText) host_.ShowTool(kToolText);
  });
  ProgressiveCanvas canvas;
  canvas.drawable = [this] { return !closing_ && !notReady_; };
  canvas.tile = [this] { return canvas_->Tile(); };
  canvas.scope = [this] { return CanvasScope(); };
  canvas.changed = [this](Rect r) { canvas_->CanvasChanged(r); };
  canvas.finished = [this] { canvas_->DeferMarks(); };
  progressive_ = new ProgressiveRendering(items_, std::move(canvas), kProgressiveDelay, this);
}

TSandbox::~TSandbox() {
  closing_ = true;
  gesture_.reset();
  progressive_->Stop();
  host_.WindowDestroyed(*this);
}

CanvasContext& TSandbox::Context() {
  return *canvas_;
}

const SandboxView& TSandbox::View() const {
  return *view_;
}

void TSandbox::Initialize(int32_t windowNumber, const QString& path) {
  TParams& params = host_.Params();
  fileName_ = path;
  tool_ = StartingMode(host_.StartMode());
  view_->NewPage();
  params.zoom = 1.0;
  progressive_->Stop();
  items_.Clear();
  NewDocument(items_, params, windowNumber);
  notReady_ = false;
  view_->Layout();

  bool loaded = false;
  std::string notice;
  if (IsPicturePath(path)) {
    fileName_.clear();
    untitledNumber_ = QString::number(++params.untitledCounter);
    host_.OpenPictureFile(QFileInfo(path.trimmed()).absoluteFilePath());
  } else if (!path.trimmed().isEmpty()) {
    const FileResult result = ReadDocument(path, items_, host_.Prompts());
    if (result.ok()) {
      host_.Dialogs().RememberOpened(QFileInfo(path.trimmed()).absoluteFilePath());
      notice = OpeningNotice(path, result, items_);
      if (items_.PageRecord() == nullptr) GivePage(items_, host_.Params(), windowNumber);
      if (result.cutShort) {
        // Saving must not replace the damaged original with the part that could be read.
        fileName_.clear();
        untitledNumber_ = QString::number(++params.untitledCounter);
        SetModified(items_, true);
      }
      PrepareTexts(items_);
      if (ItemRecord* page = items_.PageRecord()) {
        page->setDocumentId(windowNumber);
        page->setZoom(params.zoom);
        UpdatePageRect(*page);
      }
      busyLoading_ = true;
      if (!view_->Layout()) FullRepaint(false);
      busyLoading_ = false;
      tool_ = kModePointer;
      loaded = true;
    } else {
      if (result.status == FileResult::Status::Failed) {
        host_.Prompts().Ask(result.message, PromptStyle::Error, PromptButtons::Ok);
      }
      fileName_.clear();
      untitledNumber_ = QString::number(++params.untitledCounter);
    }
  } else {
    untitledNumber_ = QString::number(++params.untitledCounter);
  }

  ready_ = true;
  RefreshTitle();
  host_.WindowIsCurrent(*this);
  AnnounceHistory(items_, events_);
  if (const ItemRecord* page = items_.PageRecord()) host_.SetGridMenus(*page);
  host_.ZoomShown();
  view_->Layout();
  show();
  if (loaded) progressive_->Start();
  if (!notice.empty()) host_.Prompts().Ask(notice, PromptStyle::Warning, PromptButtons::Ok);
}

void TSandbox::Restore(int32_t windowNumber, ItemList& records, const QString& originalPath) {
  Initialize(windowNumber, QString());
  items_.Clear();
  items_.TakeFrom(records);
  if (items_.PageRecord() == nullptr) GivePage(items_, host_.Params(), windowNumber);
  PrepareTexts(items_);
  if (ItemRecord* page = items_.PageRecord()) {
    page->setDocumentId(windowNumber);
    page->setZoom(host_.Params().zoom);
    UpdatePageRect(*page);
    host_.SetGridMenus(*page);
  }
  // The untitled number taken by the empty start stays taken; a path gives the title instead.
  fileName_ = originalPath;
  SetModified(items_, true);
  RefreshTitle();
  AnnounceHistory(items_, events_);
  if (!view_->Layout()) FullRepaint(false);
}

QString TSandbox::GetTitle() const {
  if (!fileName_.isEmpty()) {
    const QString title = QFileInfo(fileName_).completeBaseName().trimmed();
    if (!title.isEmpty()) return title;
  }
  return QStringLiteral("Untitled ") + untitledNumber_;
}

void TSandbox::RefreshTitle() {
  setWindowTitle(GetTitle());
  host_.WindowTitleChanged(*this);
}

int32_t TSandbox::GetWindowId() const {
  const ItemRecord* page = items_.PageRecord();
  return page != nullptr ? page->documentId() : -1;
}

double TSandbox::GetZoom() const {
  const ItemRecord* page = items_.PageRecord();
  return page != nullptr ? page->zoom() : 1.0;
}

bool TSandbox::Save(bool askForName) {
  EndGesture();
  DocumentDialogs& dialogs = host_.Dialogs();
  if (!fileName_.isEmpty() && QFileInfo::exists(fileName_)) {
    if (!dialogs.Write(fileName_, items_)) return false;
    RefreshTitle();
    return true;
  }
  const QString proposed = !fileName_.isEmpty() ? fileName_ : askForName ? GetTitle() : QString();
  const QString written = dialogs.SaveDocumentAs(proposed, items_);
  if (written.isEmpty()) return false;
  fileName_ = written;
  RefreshTitle();
  return true;
}

bool TSandbox::SaveAs() {
  EndGesture();
  const QString written = host_.Dialogs().SaveDocumentAs(fileName_, items_);
  if (written.isEmpty()) return false;
  fileName_ = written;
  RefreshTitle();
  return true;
}

bool TSandbox::ClosePrompt() {
  if (!IsModified(items_)) return true;
  const std::string question =
      fileName_.isEmpty()
          ? std::string(kSaveFileQuestion)
          : kSaveChangesQuestion + QFileInfo(fileName_).completeBaseName().toStdString() + "?";
  switch (host_.Prompts().Ask(question, PromptStyle::Confirmation, PromptButtons::YesNoCancel)) {
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Yes:
      return Save(true);
    default:
      return false;
  }
}

void TSandbox::closeEvent(QCloseEvent* event) {
  if (ending_) {
    closing_ = true;
    progressive_->Stop();
    QMdiSubWindow::closeEvent(event);
    return;
  }
  if (inClosePrompt_) {
    event->ignore();
    return;
  }
  EndGesture();
  closing_ = true;
  notReady_ = true;
  progressive_->Stop();
  inClosePrompt_ = true;
  const bool allowed = ClosePrompt();
  inClosePrompt_ = false;
  if (!fileName_.isEmpty()) host_.AddRecentFile(fileName_);
  if (!allowed) {
    // The window stays and keeps working.
    closing_ = false;
    notReady_ = false;
    event->ignore();
    view_->Layout();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

void TSandbox::FormActivate() {
  acceptsKeys_ = true;
  if (!ready_ || closing_) return;
  // The frame's Undo and Redo show this document's history as it last announced it.
  host_.UndoRedoAvailable(history_.undo, history_.redo);
  host_.Params().zoom = GetZoom();
  host_.ZoomShown();
  if (const ItemRecord* page = items_.PageRecord()) host_.SetGridMenus(*page);
  host_.WindowIsCurrent(*this);
  modePanelTimer_->start();
}

void TSandbox::FormDeactivate() {
  host_.RememberMode(Mode());
}

void TSandbox::ConnectAnnouncements() {
  connect(&events_, &DocumentEvents::gestureEnded, this, &TSandbox::EndGesture);
  connect(&events_, &DocumentEvents::areaChanged, this, &TSandbox::RegionRepaint);
  connect(&events_, &DocumentEvents::repaintAll, this, &TSandbox::FullRepaint);
  connect(&events_, &DocumentEvents::undoAvailable, this, [this](bool available) {
    history_.undo = available;
    host_.UndoRedoAvailable(history_.undo, history_.redo);
  });
  connect(&events_, &DocumentEvents::redoAvailable, this, [this](bool available) {
    history_.redo = available;
    host_.UndoRedoAvailable(history_.undo, history_.redo);
  });
  connect(&events_, &DocumentEvents::pasteAvailable, this,
          [this](bool available) { host_.PasteAvailable(available); });
  connect(&events_, &DocumentEvents::joinSplitAvailable, this,
          [this](bool join, bool split) { host_.JoinSplitAvailable(join, split); });
  connect(&events_, &DocumentEvents::panelWanted, this, [this](int tool) { host_.ShowTool(tool); });
  connect(&events_, &DocumentEvents::pointerToolWanted, this, [this] {
    tool_ = kModePointer;
    view_->Image()->setCursor(Qt::ArrowCursor);
    host_.ShowTool(kToolPointer);
  });
}

bool TSandbox::LightDirectionChanged() {
  ItemRecord* page = items_.PageRecord();
  const int32_t light = host_.Params().lgtdir;
  if (page == nullptr || light < 0 || light > 3 || LightDirectionOf(*page) == light) return false;
  page->setLightDirection(static_cast<uint8_t>(light));
  FullRepaint(true);
  return true;
}

void TSandbox::SetDisplayOptions(DisplayOptions options) {
  if (options == display_) return;
  display_ = options;
  FullRepaint(true);
}

}  // namespace quillon
