// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the main frame that holds drawing windows in tests, and documents written
// for them.
#pragma once

#include <QMdiArea>
#include <QString>
#include <vector>

#include "canvas/SandboxHost.h"
#include "canvas/TSandbox.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "render/ShapeBounds.h"
#include "support/DocumentFixtures.h"
#include "support/ScriptedServices.h"

namespace quillon::test {

class FakeHost : public SandboxHost {
 public:
  FakeHost()
      : params(ScreenMetrics{96, 96}),
        dialogs(files, prompter, params, [this](const QString& path) { recent.push_back(path); }) {
    area.resize(1000, 800);
    area.show();
  }

  TParams& Params() override { return params; }
  Prompter& Prompts() override { return prompter; }
  DocumentDialogs& Dialogs() override { return dialogs; }
  Clipboard& SystemClipboard() override { return clipboard; }
  void WindowTitleChanged(TSandbox& window) override { titles.push_back(window.GetTitle()); }
  void WindowIsCurrent(TSandbox& window) override { current = window.GetWindowId(); }
  void SetGridMenus(const ItemRecord&) override { ++gridMenus; }
  void ZoomShown() override { ++zoomShown; }
  void UndoRedoAvailable(bool u, bool r) override {
    undo = u;
    redo = r;
  }
  void PasteAvailable(bool) override {}
  void JoinSplitAvailable(bool, bool) override {}
  void ShowTool(int32_t tool) override { tools.push_back(tool); }
  void AddRecentFile(const QString& path) override { recent.push_back(path); }
  int32_t StartMode() const override { return startMode; }
  void RememberMode(int32_t mode) override { startMode = mode; }
  void OpenPictureFile(const QString& path) override { picture = path; }
  void WindowDestroyed(TSandbox&) override { ++destroyed; }

  // A new drawing window in the area whose client part (base0) has the given size, showing
  // path (a new document when empty).
  TSandbox* Open(const QString& path, QSize client = {800, 600}, int32_t number = 18601) {
    auto* window = new TSandbox(*this);
    area.addSubWindow(window);
    window->show();
    const QSize frame = window->size() - window->widget()->size();
    window->resize(client + frame);
    window->Initialize(number, path);
    return window;
  }

  TParams params;
  QueuedPrompter prompter;
  ScriptedFileDialogs files;
  DocumentDialogs dialogs;
  RecordingClipboard clipboard;
  QMdiArea area;
  std::vector<QString> recent;
  std::vector<QString> titles;
  std::vector<int32_t> tools;
  QString picture;
  int32_t current = 0;
  int32_t startMode = 0;
  int gridMenus = 0;
  int zoomShown = 0;
  int destroyed = 0;
  bool undo = false;
  bool redo = false;
};

// A point (for the EXPECT macros, which take no braces).
inline Point Pt(int32_t x, int32_t y) {
  return {x, y};
}

// A point-list shape of the kind through the points, drawn solid, with its drag-start copies
// and its bounds.
inline ItemRecord& AddShape(ItemList& list, int32_t kind, std::initializer_list<Point> points) {
  ItemRecord& r = AddItem(list, kind, *points.begin(), *points.begin());
  for (Point p : points) {
    PointEntry& e = NewPoint(r.points);
    e.point = e.pointAtDragStart = p;
  }
  r.setShapeStyle(2);
  RecomputeBounds(r, GeometryContext{});
  return r;
}

// A page measured in pixels: the design area at (left, top) of width x height, paper of the
// same size, page kind 0 (no printable area drawn).
inline ItemRecord& AddPixelPage(ItemList& list, int width, int height, int left = 0, int top = 0) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setPageUnits(kUnitPixels);
  page.setPixelsPerUnitX(1);
  page.setPixelsPerUnitY(1);
  page.setZoom(1);
  page.setDesignLeft(left);
  page.setDesignTop(top);
  page.setDesignWidth(width);
  page.setDesignHeight(height);
  page.setPageWidth(width);
  page.setPageHeight(height);
  UpdatePageRect(page);
  NewRecord(list, kKindAnchors).setHistoryState(0);
  SetModified(list, false);
  return page;
}

// Writes a pixel page with `items` rectangles 20 x 20 pixels, side by side in rows.
inline QString WritePixelDocument(const QString& path, int width, int height, int items = 0) {
  ItemList list(ScreenMetrics{96, 96});
  AddPixelPage(list, width, height);
  const int columns = std::max(1, (width - 20) / 25);
  const int rows = std::max(1, (height - 20) / 25);
  for (int i = 0; i < items; ++i) {
    const int x = i % columns * 25;
    const int y = i / columns % rows * 25;
    AddRectangle(list, {x, y}, {x + 20, y + 20});
  }
  return WriteDocument(path, list).ok() ? path : QString();
}

}  // namespace quillon::test
