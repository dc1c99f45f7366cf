// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window: one multiple-document child of the main frame per open document. It
// owns the document, shows its page on a canvas tile of at most 1600 x 1600 pixels between a
// ruler along the top and one along the left edge, scrolls the page, keeps the title and the
// modified state, asks before closing a modified document and saves it.
#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <cstdint>
#include <vector>

#include "canvas/SandboxHost.h"
#include "canvas/WindowPainter.h"
#include "document/EditObserver.h"
#include "document/ItemList.h"

class QScrollBar;
class QTimer;

namespace quillon {

class BitmapView;
class Ruler;

// The rulers' margin added to the page's extent when deciding about scroll bars.
inline constexpr int32_t kPageMargin = 12;

// Where the canvas tile lies inside the zoomed page along one axis, given the canvas offset
// (page origin minus scroll position), the tile's and the viewport's length, the page's
// length and the scroll position.
int32_t TileOriginFor(int32_t canvasOffset, int32_t canvas, int32_t viewport, int32_t page,
                      int32_t scroll);

class TSandbox : public QMdiSubWindow, public EditObserver {
  Q_OBJECT
 public:
  explicit TSandbox(SandboxHost& host, QWidget* parent = nullptr);
  ~TSandbox() override;

  // Builds a new empty document with this window number, or opens path: a document, or a
  // picture (which goes to the clip editor of a new untitled document).
  void Initialize(int32_t windowNumber, const QString& path);

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

  // Takes the zoom from the settings, lays the window out and renders progressively.
  void ZoomChanged();
  // Background, page decoration and every item over the whole canvas; the selection marks
  // follow 100 ms later when deferMarks is set.
  void FullRepaint(bool deferMarks);
  // The same for one rectangle of document pixels, widened to the items it meets.
  void RegionRepaint(Rect area);
  void ClearUndoAndRedo();
  void LightDirectionChanged();
  DisplayOptions GetDisplayOptions() const { return display_; }
  void SetDisplayOptions(DisplayOptions options);

  // The tool chosen in a panel or menu.
  void SelectTool(int32_t toolNumber);
  int32_t Mode() const { return mode_; }
  // Keys offered by the main frame's key hook; whether the window took them.
  bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
  bool CharTyped(QChar character);
  bool AcceptsKeys() const { return acceptsKeys_; }
  void SetAcceptsKeys(bool accepts) { acceptsKeys_ = accepts; }

  // The Grid, Anchors and Snap choices: 0 none, 1 horizontal, 2 vertical, 3 both.
  void SetGridMode(int mode);
  void SetAnchorMode(int mode);
  void SetSnapMode(int mode);
  // Rebuilds the grid lines at equal distances: flags 2 horizontal, 4 vertical, 6 both.
  void ResetGrid(int flags);

  // The Edit commands on this document.
  void UndoEdit();
  void RedoEdit();
  void CutItems();
  void CopyItems(ItemList& buffer);
  void PasteItems(ItemList& buffer);
  void BringItemsToFront();
  void SendItemsToBack();
  void JoinSelection();
  void SplitSelection();

  // Activation by the frame.
  void FormActivate();
  void FormDeactivate();
  // The program ends: the window closes without asking.
  void ProgramEnding() { ending_ = true; }
  bool IsClosing() const { return closing_; }
  bool IsReady() const { return ready_; }

  // The canvas and how the page lies in the viewport.
  const Bitmap& Canvas() const;
  Point TileOrigin() const { return tileOrigin_; }
  Point CanvasOffset() const { return canvasOffset_; }
  bool RenderingProgressively() const;

  // EditObserver.
  void EndGesture() override;
  void RepaintArea(const Rect& area) override { RegionRepaint(area); }
  void RepaintAll(bool deferMarks) override { FullRepaint(deferMarks); }
  void UndoAvailable(bool) override;
  void RedoAvailable(bool) override;
  void PasteAvailable(bool available) override;
  void JoinSplitAvailable(bool join, bool split) override;
  void ShowPanel(int toolNumber) override;
  void ReturnToPointerTool() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateParts();
  bool ClosePrompt();
  // Gives every text item of a loaded document the box its text takes with this screen's fonts.
  void PrepareTexts();

  // Layout, scrolling and the canvas tile (SandboxLayout.cpp).
  bool Layout();
  bool FitCanvas();
  void RebuildRulers();
  void ScrollBarXChange(int value);
  void ScrollBarYChange(int value);
  void ShowPositionMarkers(QPoint canvasPoint);
  void HidePositionMarkers();
  Point PageOrigin() const;

  // Repaints, progressive rendering and selection marks (SandboxRepaint.cpp).
  CanvasTile Tile();
  void Timer3Timer();
  void Timer5Timer();
  void Timer7Timer();
  void ProgressiveStep();
  void StopProgressive();
  void DrawSelectionMarks();
  void RemoveSelectionMarks();
  void ShowHandles(ItemRecord& item, bool oneSelected);
  void HideHandles(ItemRecord& item);
  void RefreshUndoRedo();

  SandboxHost& host_;
  ItemList items_;
  QString fileName_;
  QString untitledNumber_;
  int32_t mode_ = 0;
  int32_t step_ = 0;
  Point tileOrigin_;
  Point canvasOffset_;
  Point pagePixelSize_{-1, -1};
  DisplayOptions display_;

  bool notReady_ = true;
  bool ready_ = false;
  bool closing_ = false;
  bool ending_ = false;
  bool busyLoading_ = false;
  bool acceptsKeys_ = true;
  bool inClosePrompt_ = false;

  // Progressive rendering: the items still to draw, in stacking order; any repaint or edit
  // bumps generation_, after which the rest is taken afresh from the list.
  std::vector<const ItemRecord*> progressiveQueue_;
  std::size_t progressiveNext_ = 0;
  int32_t progressiveLevel_ = 0;
  uint64_t generation_ = 0;
  uint64_t progressiveGeneration_ = 0;

  QWidget* base0_ = nullptr;
  BitmapView* corner1_ = nullptr;
  Ruler* rulerX_ = nullptr;
  Ruler* rulerY_ = nullptr;
  QWidget* panel0_ = nullptr;
  BitmapView* background1_ = nullptr;
  QWidget* panel2_ = nullptr;
  BitmapView* image1_ = nullptr;
  QScrollBar* scrollBarX_ = nullptr;
  QScrollBar* scrollBarY_ = nullptr;
  QWidget* panel1_ = nullptr;
  QTimer* timer3_ = nullptr;
  QTimer* timer5_ = nullptr;
  QTimer* timer7_ = nullptr;
  QTimer* progressiveTimer_ = nullptr;
};

}  // namespace quillon
