// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window: one multiple-document child of the main frame per open document. It
// owns the document, shows its page on a canvas tile of at most 1600 x 1600 pixels between a
// ruler along the top and one along the left edge, scrolls the page, keeps the title and the
// modified state, asks before closing a modified document and saves it.
#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "canvas/Gesture.h"
#include "canvas/GridLines.h"
#include "canvas/Overlay.h"
#include "canvas/SandboxHost.h"
#include "canvas/WindowPainter.h"
#include "document/DocumentEvents.h"
#include "document/ItemList.h"
#include "page/ApplyPageset.h"

class QLabel;
class QScrollBar;
class QTimer;

namespace quillon {

class BitmapView;
class FontTextMetrics;
class ProgressiveRendering;
class SandboxCanvas;
class SandboxView;
class Ruler;
class TextEntry;
struct GestureHooks;

class TSandbox : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit TSandbox(SandboxHost& host, QWidget* parent = nullptr);
  ~TSandbox() override;

  // Builds a new empty document with this window number, or opens path: a document, or a
  // picture (which goes to the clip editor of a new untitled document).
  void Initialize(int32_t windowNumber, const QString& path);
  // Builds the window around records read back from a recovery copy: modified, titled and
  // saved as originalPath, or untitled without one.
  void Restore(int32_t windowNumber, ItemList& records, const QString& originalPath);

  // Writes the document to its file when that exists, else runs the Save As dialog (proposing
  // the title when there is no file name and askForName is set). Whether it was written.
  bool Save(bool askForName);
  bool SaveAs();

  QString GetTitle() const;
  void RefreshTitle();
  // The page setup record's documentId, -1 without one.
  int32_t GetWindowId() const;
  ItemList& GetItems() { return items_; }
  const ItemList& GetItems() const { return items_; }
  // The page setup record's zoom, 1.0 without one.
  double GetZoom() const;
  const QString& FileName() const { return fileName_; }
  // The cards left out of printing, one character per card and "x" for a blank one; it
  // belongs to the window and is never saved.
  std::u16string& PrintSelection() { return printSelection_; }

  // Takes the zoom from the settings, lays the window out and renders progressively.
  void ZoomChanged();
  // Background, page decoration and every item over the whole canvas; the selection marks
  // follow 100 ms later when deferMarks is set.
  void FullRepaint(bool deferMarks);
  // The same for one rectangle of document pixels, widened to the items it meets.
  void RegionRepaint(Rect area);
  void ClearUndoAndRedo();
  // Takes the settings' light direction; whether the document changed and was drawn again.
  bool LightDirectionChanged();
  DisplayOptions GetDisplayOptions() const { return display_; }
  void SetDisplayOptions(DisplayOptions options);

  // The tool chosen in a panel or menu; it decides the gesture of the presses that follow.
  void SelectTool(int32_t toolNumber);
  // The mode of the gesture running, else the current tool's.
  int32_t Mode() const;
  // Keys offered by the main frame's key hook; whether the window took them.
  bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
  // A character, a pair of halves or an input method's text.
  bool CharTyped(const QString& characters);
  // The text being typed on the canvas, null when none is edited.
  TextEntry* EditedText() const;
  // A panel's change to the text being edited: change, when given, is made to it in place,
  // inside the step its editing opened, and the text is fitted again. Whether a text was edited.
  bool ChangeEditedText(const std::function<void(ItemRecord&)>& change = {});
  bool AcceptsKeys() const { return acceptsKeys_; }
  void SetAcceptsKeys(bool accepts) { acceptsKeys_ = accepts; }

  // The Grid, Anchors or Snap choice (kDirectionsNone ... kDirectionsBoth).
  void SetGuides(Guides guides, int mode);
  // Rebuilds the grid lines at equal distances: flags 2 horizontal, 4 vertical, 6 both.
  void ResetGrid(int flags);
  // The page setup wizard's Apply: the document takes the page description for the kind, the
  // grid lines are rebuilt and the window lays out its new page.
  void ApplyPageSetup(const pageset_t& set, int32_t kind, const UnitGridDistances& grids);

  // The Edit commands that change the document (Undo, Redo, Cut, the stacking and grouping
  // commands) run through here: the gesture in progress ends first.
  using DocumentCommand = void (*)(ItemList&, EditObserver&);
  void Run(DocumentCommand command);
  void CopyItems(ItemList& buffer);
  // Adds copies of the buffer's items, which then follow the pointer until a click.
  void PasteItems(ItemList& buffer);
  // Puts the pixels of the last rubber band on the system clipboard, 100 ms later, without
  // the handle marks.
  void CopyAreaToClipboard();
  // Switches between the Spline and Solid tools, and between the Curve and Oblong tools.
  void SwitchSplineTool(int32_t tool);

  // Activation by the frame.
  void FormActivate();
  void FormDeactivate();
  // The program ends: the window closes without asking.
  void ProgramEnding() { ending_ = true; }
  bool IsClosing() const { return closing_; }
  bool IsReady() const { return ready_; }

  // The rulers, the canvas and how the page lies in the viewport.
  const SandboxView& View() const;
  bool RenderingProgressively() const;

  // The document's announcements, for the frame and the panels to subscribe to.
  DocumentEvents& Announcements() { return events_; }

  // Ends whatever gesture is in progress: what it drew is taken away, the document left
  // consistent, the handle marks removed; every command that leaves a gesture calls it.
  void EndGesture();
  // What the gestures work on: the items, the announcements, the overlay and the geometry.
  CanvasContext& Context();
  // Pointer events on the canvas (canvas pixels), as the widget delivers them.
  void Image1MouseDown(Point canvas, Qt::KeyboardModifiers modifiers);
  void Image1MouseMove(Point canvas, Qt::KeyboardModifiers modifiers);
  void Image1MouseUp(Point canvas, Qt::KeyboardModifiers modifiers);
  void Image1DblClick();
  // The point rounded to page pixels at this zoom and snapped to the grid (canvas pixels).
  Point SnapPoint(Point canvas) const;
  // What the last gesture left: its rubber band (document pixels), whether Esc cancelled it.
  const GestureOutcome& LastGesture() const { return outcome_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class SandboxCanvas;
  bool ClosePrompt();

  // The desk's anchor strips and the rulers' page edges (SandboxGrid.cpp, SandboxDesk.h): the
  // desk and the rulers hand their pointer events to the desk parts.
  class Desk;

  // The double click's clock ran out: a text opens for editing, a picture for its clip.
  void Timer2Timer();
  void ConnectAnnouncements();
  // Ends the gesture in progress like EndGesture but leaves the handle marks.
  void LeaveGesture();
  // Pointer routing (SandboxPointer.cpp): the press goes to the gesture the factory picks;
  // events go to the gesture taken out of the window, which keeps it unless it finished.
  void PressGesture(const PointerInput& input);
  bool ToGesture(const std::function<bool(Gesture&)>& event);
  GestureHooks Hooks();
  void UpdateCursor(Point canvas);
  // Ctrl-A, Ctrl-D and Ctrl-I on the selected spline or curve; whether the character was one.
  bool PointCommand(char16_t command);
  void ContinueItem(ItemRecord& item);
  // Text typed on the canvas (SandboxText.cpp): the caret's clock, and the end of editing.
  void RestartCaret(bool editing);
  void EndTextEdit();
  // Which items the canvas shows: all but pasted copies that follow the pointer.
  PaintScope CanvasScope() const;

  SandboxHost& host_;
  ItemList items_;
  QString fileName_;
  std::u16string printSelection_;
  QString untitledNumber_;
  // The current tool as a mode: the pointer, the line, the text or a shape tool.
  int32_t tool_ = 0;
  DisplayOptions display_;
  DocumentEvents events_;
  // The rulers, the viewport with the desk and the canvas tile, and the scroll bars.
  std::unique_ptr<SandboxView> view_;
  // The context the gestures work on, with the overlay over the canvas tile.
  std::unique_ptr<SandboxCanvas> canvas_;
  std::unique_ptr<Gesture> gesture_;
  GestureOutcome outcome_;
  Point lastDownPt_;
  Point lastPointerPt_;

  bool notReady_ = true;
  bool ready_ = false;
  bool closing_ = false;
  bool ending_ = false;
  bool busyLoading_ = false;
  bool acceptsKeys_ = true;
  bool inClosePrompt_ = false;
  // What the document last announced about its Undo and Redo, for the frame on activation.
  struct {
    bool undo = false;
    bool redo = false;
  } history_;

  ProgressiveRendering* progressive_ = nullptr;

  // The anchor strips, the page-edge read-out and the drag pressed on the desk or a ruler.
  std::unique_ptr<Desk> desk_;
  QTimer* timer1_ = nullptr;
  QTimer* timer2_ = nullptr;
  QTimer* modePanelTimer_ = nullptr;
  QTimer* timer4_ = nullptr;  // the caret's clock
};

}  // namespace quillon
