// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TForm1.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "output/ui/OutputDialogs.h"
#include "platform/Timers.h"
#include "render/Coordinates.h"
#include "settings/FontList.h"
#include "settings/SettingsStore.h"
#include "shell/FrameCommands.h"
#include "shell/FrameTimers.h"
#include "shell/HostPanels.h"
#include "shell/HostWindow.h"
#include "shell/MainMenu.h"
#include "shell/PanelSwitch.h"
#include "shell/PictureCommands.h"
#include "shell/RecentFiles.h"
#include "shell/RecoveryCopies.h"
#include "shell/ShellIntegration.h"
#include "shell/ShellRequests.h"
#include "shell/SidePanel.h"
#include "shell/TProcs.h"

namespace quillon {
namespace {

constexpr int kStripMinHeight = 24;
constexpr int kStripMaxHeight = 30;
constexpr int kSidePanelWidth = 140;
constexpr int kSuggestionsHeight = 142;

void Colour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QSplitter* Splitter(Qt::Orientation orientation, const char* name, QWidget* parent) {
  auto* splitter = new QSplitter(orientation, parent);
  splitter->setObjectName(QString::fromLatin1(name));
  splitter->setHandleWidth(3);
  splitter->setChildrenCollapsible(false);
  splitter->setStyleSheet(
      QStringLiteral("QSplitter::handle { background-color: %1; }").arg(kSplitterColour.name()));
  return splitter;
}

}  // namespace

TForm1::TForm1(ShellServices services, ScreenMetrics screen, QWidget* parent)
    : QMainWindow(parent), services_(services), params_(screen) {
  setObjectName(QStringLiteral("TForm1"));
  qApp->installEventFilter(this);
  setWindowTitle(QStringLiteral("Quillon"));
  setAcceptDrops(true);
  // A picture another program puts on the clipboard makes Paste available.
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    connect(clipboard, &QClipboard::dataChanged, this, [this] {
      PasteAvailable(ActiveWindow() != nullptr && HasPasteContent(procs_->PasteBuffer()));
    });
  }
  dialogs_ =
      std::make_unique<DocumentDialogs>(*services_.fileDialogs, *services_.prompter, params_,
                                        [this](const QString& path) { AddRecentFile(path); });
  output_ =
      std::make_unique<OutputDialogs>(OutputServices{services_.fileDialogs, services_.prompter,
                                                     services_.printDialog, services_.progress},
                                      params_);
  timers_ = std::make_unique<FrameTimers>(*this);
  files_ = std::make_unique<FileCommands>(*this);
  editing_ = std::make_unique<EditingCommands>(*this);
  tools_ = std::make_unique<ToolCommands>(*this);
  panels_ = std::make_unique<PanelSwitch>(*this);
  pictures_ = std::make_unique<PictureCommands>(*this);
  menu_ = std::make_unique<MainMenu>(*this);
  setup_ = std::make_unique<FirstTimeSetup>(*this);
  requests_ = std::make_unique<OpenRequests>(*this);

  CreateLayout();
  menu_->Create();
  formX_ = new THostWindow(HostKind::X, this);
  formY_ = new THostWindow(HostKind::Y, this);
  for (THostWindow* host : {formX_, formY_}) {
    host->SetPlacements(&params_.hostSlots);
    host->SetPanelFactory([this](HostKind kind, int code, int32_t number) {
      return MakeHostPanel(*this, kind, code, number);
    });
  }
  connect(formX_, &THostWindow::Closed, this, [this](int code) { setup_->HostClosed(code); });
  // A customization dialog closed: the panel's lists show what it saved.
  for (THostWindow* host : {formX_, formY_}) {
    connect(host, &THostWindow::Closed, this, [this] {
      if (PropertyPanel* panel = Side().Properties()) panel->RefillLists();
    });
  }

  auto store = OpenSettingsStore();
  LoadSettings(params_, *store);
  LoadDialogColours(params_, *store);
  copies_ = std::make_unique<RecoveryCopies>(*this, statusText_);
  copies_->SetInterval(params_.recoveryInterval);
  menu_->RebuildReopenMenu();
  UndoRedoAvailable(false, false);
  // The per-document commands wait for the first window.
  menu_->EnableDocumentCommands(false);
  menu_->SetGridMenu(0);
  menu_->SetAnchorMenu(3);
  menu_->SetSnapMenu(0);
  ShowPanel(kToolPointer, false, false);
  // The first start of a user shows the first-time setup instead of an empty document.
  if (SetupCompleted(*store)) {
    timers_->OpenStartDocumentSoon();
  } else {
    setup_->OpenSoon();
  }
  timers_->ListFontsSoon();
  if (services_.fileTypes != nullptr) RepairFileType(*services_.fileTypes, *store);
}

TForm1::~TForm1() {
  ending_ = true;
  qApp->removeEventFilter(this);
  // The windows close from last to first, told that the program ends; windows already closed
  // but not yet freed go too, while this frame can still hear of it.
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (auto* window = qobject_cast<TSandbox*>(*it)) window->ProgramEnding();
    delete *it;
  }
  for (TSandbox* window : findChildren<TSandbox*>())
    delete window;
  auto store = OpenSettingsStore();
  SaveSettings(params_, *store);
  SaveDialogColours(params_, *store);
}

void TForm1::CreateLayout() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  QSplitter* splitter3 = Splitter(Qt::Vertical, "Splitter3", central);
  column->addWidget(splitter3);

  auto* panel5 = new QWidget(splitter3);
  panel5->setObjectName(QStringLiteral("Panel5"));
  panel5->setMinimumHeight(kStripMinHeight);
  panel5->setMaximumHeight(kStripMaxHeight);
  Colour(panel5, kPanelColour);
  auto* strip = new QHBoxLayout(panel5);
  strip->setContentsMargins(0, 0, 0, 0);
  procs_ = new TProcs(params_.screen, panel5);
  procs_->setStyle(ChromeStyle::Shared());
  Colour(procs_, kPanelColour);
  strip->addWidget(procs_);
  connect(procs_, &TProcs::ButtonReleased, this,
          [this](int number) { tools_->ToolbarButtonReleased(number); });
  connect(procs_, &TProcs::ButtonRaised, this, [this] { timers_->RestButtonsLater(); });
  connect(procs_->TrackBar(), &ZoomSlider::Released, this, [this](int position) {
    if (position > 0) SetZoom(position / 100.0);
  });

  QSplitter* splitter2 = Splitter(Qt::Horizontal, "Splitter2", splitter3);
  auto* panel3 = new QWidget(splitter2);
  panel3->setObjectName(QStringLiteral("Panel3"));
  Colour(panel3, kPanelColour);
  auto* side = new QVBoxLayout(panel3);
  side->setContentsMargins(0, 0, 0, 0);
  QSplitter* splitter4 = Splitter(Qt::Vertical, "Splitter4", panel3);
  side->addWidget(splitter4);
  // The side panel's place; the panels themselves fill it by tool number.
  auto* panelPlace = new QWidget(splitter4);
  panelPlace->setObjectName(QStringLiteral("SidePanel"));
  auto* panel1 = new QWidget(splitter4);
  panel1->setObjectName(QStringLiteral("Panel1"));
  Colour(panel1, kPanelColour);
  auto* suggestions = new QVBoxLayout(panel1);
  suggestions->setContentsMargins(0, 0, 0, 0);
  suggestions->setSpacing(0);
  suggestions->addStretch();
  auto* panel2 = new QWidget(panel1);
  panel2->setObjectName(QStringLiteral("Panel2"));
  panel2->setFixedHeight(20);
  Colour(panel2, kPanelColour);
  suggestions->addWidget(panel2);
  panels_->Create(panelPlace, panel1, panel2);
  splitter4->setStretchFactor(0, 1);
  splitter4->setSizes({400, kSuggestionsHeight});

  mdiArea_ = new QMdiArea(splitter2);
  mdiArea_->setObjectName(QStringLiteral("ClientArea"));
  mdiArea_->setBackground(QColor(0x8c, 0x96, 0xa0));
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TForm1::SubWindowActivated);
  splitter2->setStretchFactor(1, 1);
  splitter2->setSizes({kSidePanelWidth, 1000});
  splitter3->setStretchFactor(1, 1);
  splitter3->setSizes({kStripMinHeight, 1000});
  setCentralWidget(central);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusText_ = new QLabel(statusBar());
  statusText_->setObjectName(QStringLiteral("StatusText"));
  // A long message is cut at the window's edge rather than widening the window.
  statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(statusText_, 1);
  statusBar()->setSizeGripEnabled(true);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize available = screen->availableSize();
    resize(std::min(1280, available.width() * 9 / 10), std::min(820, available.height() * 9 / 10));
  }
}

void TForm1::SetGridMenus(const ItemRecord& page) {
  menu_->SetGridMenus(page);
}

void TForm1::ZoomShown() {
  procs_->ShowZoom(params_.zoom);
  menu_->ShowZoom(params_.zoom);
}

void TForm1::SetZoom(double zoom) {
  params_.zoom = zoom;
  ZoomShown();
  if (TSandbox* window = ActiveWindow()) window->ZoomChanged();
}

void TForm1::UndoRedoAvailable(bool undo, bool redo) {
  editing_->UndoRedoAvailable(undo, redo);
}

void TForm1::PasteAvailable(bool available) {
  editing_->PasteAvailable(available);
}

void TForm1::JoinSplitAvailable(bool join, bool split) {
  editing_->JoinSplitAvailable(join, split);
}

void TForm1::ShowPanel(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory) {
  panels_->Show(toolNumber, skipIfShown, tellWindow, fromHistory);
}

int32_t TForm1::CurrentTool() const {
  return panels_->CurrentTool();
}

SidePanel& TForm1::Side() const {
  return panels_->Side();
}

RecoveryWriter& TForm1::Recovery() {
  return copies_->Writer();
}

void TForm1::DdeServerConv1ExecuteMacro(const QString& macro) {
  requests_->ExecuteMacro(macro);
}

void TForm1::OpenPictureFile(const QString& path) {
  pictures_->OpenPictureFile(path);
}

QAction* TForm1::FindAction(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

QMenu* TForm1::FindMenu(const char* name) const {
  return findChild<QMenu*>(QString::fromLatin1(name));
}

void TForm1::ShowTool(int32_t toolNumber) {
  ShowPanel(toolNumber, false, false);
}

void TForm1::RunTool(int32_t toolNumber) {
  switch (toolNumber) {
    case kToolPreviousTool:
      ShowPanel(panels_->PreviousTool(), false, true);
      return;
    case kToolSelectedText: {
      TSandbox* window = ActiveWindow();
      const bool selected = window != nullptr && FirstSelected(window->GetItems()) != nullptr;
      ShowPanel(selected ? kToolSelectedText : kToolPointer, false, true);
      return;
    }
    case kToolInsertPicture:
      pictures_->InsertPictureCommand();
      return;
    case kToolEditClip:
    case kToolAddClip:
      formX_->OpenHost(toolNumber, 0, QString());
      return;
    case kToolSplineGuidance:
    case kToolSolidGuidance:
    case kToolCurveGuidance:
    case kToolOblongGuidance: {
      const int shape = toolNumber == kToolSplineGuidance  ? kToolSpline
                        : toolNumber == kToolSolidGuidance ? kToolSolid
                        : toolNumber == kToolCurveGuidance ? kToolCurve
                                                           : kToolOblong;
      ShowPanel(shape, true, true);
      return;
    }
    case kToolContinueSplineGuidance:
    case kToolContinueCurveGuidance:
      ShowPanel(toolNumber, true, true);
      return;
    default:
      ShowPanel(toolNumber, false, true);
  }
}

void TForm1::AddRecentFile(const QString& path) {
  quillon::AddRecentFile(params_.reopen, path);
  menu_->RebuildReopenMenu();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!ExitPrompt()) {
    event->ignore();
    return;
  }
  exitConfirmed_ = true;
  formX_->hide();
  formY_->hide();
  event->accept();
}

void TForm1::CloseConfirmed() {
  exitConfirmed_ = true;
  close();
}

bool TForm1::ExitPrompt() {
  if (exitConfirmed_ || params_.endWithoutAsking) return true;
  const auto modified = [this]() -> TSandbox* {
    for (TSandbox* window : Windows()) {
      if (IsModified(window->GetItems())) return window;
    }
    return nullptr;
  };
  if (modified() == nullptr) return true;
  // The question names the documents it is about.
  QStringList names;
  for (TSandbox* window : Windows()) {
    if (IsModified(window->GetItems())) {
      names << (window->FileName().isEmpty() ? window->GetTitle()
                                             : QDir::toNativeSeparators(window->FileName()));
    }
  }
  switch (Prompts().AskAbout(kExitQuestion, names.join(QStringLiteral("\r\n")).toStdString(),
                             PromptStyle::Warning, PromptButtons::YesNoCancel)) {
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Yes:
      break;
    default:
      return false;
  }
  while (TSandbox* window = modified()) {
    mdiArea_->setActiveSubWindow(window);
    if (!window->Save(true)) return false;
    window->close();
  }
  return true;
}

namespace {

// Controls that take typed text: keys there never reach the drawing window.
bool IsTextEntry(const QWidget* widget) {
  if (qobject_cast<const QLineEdit*>(widget) != nullptr) return true;
  if (qobject_cast<const QAbstractSpinBox*>(widget) != nullptr) return true;
  if (qobject_cast<const QTextEdit*>(widget) != nullptr) return true;
  if (qobject_cast<const QPlainTextEdit*>(widget) != nullptr) return true;
  const auto* combo = qobject_cast<const QComboBox*>(widget);
  return combo != nullptr && combo->isEditable();
}

bool PagesItself(const QWidget* widget) {
  return qobject_cast<const QAbstractItemView*>(widget) != nullptr ||
         qobject_cast<const QAbstractSlider*>(widget) != nullptr ||
         qobject_cast<const QComboBox*>(widget) != nullptr;
}

// Keys that are menu shortcuts and also keys of the drawing window in some of its modes (point
// editing's Ctrl+A and Ctrl+D, the caret's Page Up and Page Down): the window hears them first
// and the menu command runs only when the window leaves the key.
bool SharedWithCanvas(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  switch (key.key()) {
    case Qt::Key_A:
    case Qt::Key_D:
      return modifiers == Qt::ControlModifier;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return modifiers == Qt::NoModifier;
    default:
      return false;
  }
}

}  // namespace

TSandbox* TForm1::KeyWindow(QObject* watched) const {
  if (!watched->isWidgetType()) return nullptr;
  // The key hook: the active drawing window sees every key typed in this window before the
  // control that has the focus, once per key (not again as the key travels to the parents).
  auto* widget = static_cast<QWidget*>(watched);
  QWidget* first = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                          : const_cast<TForm1*>(this);
  if (widget != first || widget->window() != this) return nullptr;
  // Keys typed into a field are the field's: Delete there must not cut the selection.
  if (IsTextEntry(first)) return nullptr;
  TSandbox* window = ActiveWindow();
  return window != nullptr && window->AcceptsKeys() ? window : nullptr;
}

bool TForm1::ClipEditorTakesKeys() const {
  auto* pict = qobject_cast<TPict*>(formX_->Panel());
  return pict != nullptr && formX_->isVisible() && !formY_->isVisible();
}

void TForm1::ReturnKeysAfter(QWidget* hidden) {
  const Qt::WindowType type = hidden->windowType();
  if (hidden == this || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool)) return;
  // A window of the program that closes hands the keys to the window it belongs to, as a
  // window manager would (where there is none, nothing else does, even when the toolkit still
  // counts that window as active): Save, Undo and the other shortcuts work again at once.
  // Another window of the program that has the keys keeps them.
  QWidget* owner = hidden->parentWidget() != nullptr ? hidden->parentWidget()->window() : this;
  const QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active != hidden && active != owner) return;
  if (owner->isVisible()) owner->activateWindow();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    ReturnKeysAfter(static_cast<QWidget*>(watched));
  }
  // While a host window is open the active document takes no keys; when it hides, it does again.
  if ((watched == formX_ || watched == formY_) &&
      (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    if (TSandbox* window = ActiveWindow()) {
      const bool hostOpen = formX_->isVisible() || formY_->isVisible();
      window->SetAcceptsKeys(event->type() == QEvent::Hide ? !hostOpen : false);
    }
  }
  // Characters composed by an input method (dead keys, compose, other scripts) are typed like
  // any other character.
  if (event->type() == QEvent::InputMethod && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
    TSandbox* window = ActiveWindow();
    if (!committed.isEmpty() && window != nullptr && window->AcceptsKeys() &&
        window->CharTyped(committed)) {
      return true;
    }
  }
  // A shortcut the drawing window shares waits: the key comes to the hook below first.
  if (event->type() == QEvent::ShortcutOverride &&
      SharedWithCanvas(*static_cast<QKeyEvent*>(event)) && !ClipEditorTakesKeys() &&
      KeyWindow(watched) != nullptr) {
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* widget = static_cast<QWidget*>(watched);
  QWidget* first = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
  if (widget != first || widget->window() != this || IsTextEntry(first)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // While the clip editor shows, every key is its own, unless the second host is open too.
  if (ClipEditorTakesKeys()) return qobject_cast<TPict*>(formX_->Panel())->Key(key->key());
  TSandbox* window = KeyWindow(watched);
  if (window == nullptr) return false;
  bool taken = window->KeyDown(key->key(), key->modifiers());
  if (!taken && !key->text().isEmpty()) {
    taken = window->CharTyped(key->text());
  }
  // A list or slider with the focus pages with Page Up and Page Down itself.
  if (!taken && SharedWithCanvas(*key) && !PagesItself(first)) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    taken = menu_->RunShortcut(QKeySequence(QKeyCombination(modifiers, Qt::Key(key->key()))));
  }
  return taken;
}

}  // namespace quillon
