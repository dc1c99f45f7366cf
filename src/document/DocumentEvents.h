// SPDX-License-Identifier: GPL-3.0-or-later
// The document's announcements as Qt signals: edits report through this observer, and the
// window, the main frame and the panels subscribe to what concerns them instead of polling.
#pragma once

#include <QObject>

#include "document/EditObserver.h"

namespace quillon {

class DocumentEvents : public QObject, public EditObserver {
  Q_OBJECT
 public:
  using QObject::QObject;

  void EndGesture() override { emit gestureEnded(); }
  void RepaintArea(const Rect& area) override { emit areaChanged(area); }
  void RepaintAll(bool deferMarks) override { emit repaintAll(deferMarks); }
  void UndoAvailable(bool available) override { emit undoAvailable(available); }
  void RedoAvailable(bool available) override { emit redoAvailable(available); }
  void PasteAvailable(bool available) override { emit pasteAvailable(available); }
  void JoinSplitAvailable(bool join, bool split) override { emit joinSplitAvailable(join, split); }
  void ShowPanel(int toolNumber) override { emit panelWanted(toolNumber); }
  void SelectionChanged() override { emit selectionChanged(); }
  void ReturnToPointerTool() override { emit pointerToolWanted(); }

 signals:
  void gestureEnded();
  void areaChanged(const quillon::Rect& area);
  void repaintAll(bool deferMarks);
  void undoAvailable(bool available);
  void redoAvailable(bool available);
  void pasteAvailable(bool available);
  void joinSplitAvailable(bool join, bool split);
  void panelWanted(int toolNumber);
  void selectionChanged();
  void pointerToolWanted();
};

}  // namespace quillon
