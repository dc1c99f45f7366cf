// SPDX-License-Identifier: GPL-3.0-or-later
// Drives a real drawing window on a pixel page with pointer and key events at document
// positions, as a user would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "support/Wait.h"

namespace quillon::test {

class CanvasDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    AddPixelPage(list_, 600, 400);
  }

  // Writes the list, opens it and waits until it is drawn.
  void OpenBuilt() {
    const QString path = dir_.filePath(QStringLiteral("canvas.qlln"));
    ASSERT_TRUE(WriteDocument(path, list_).ok());
    window_ = host_.Open(path);
    canvas_ = window_->findChild<BitmapView*>(QStringLiteral("Image1"));
    ASSERT_NE(canvas_, nullptr);
    Settle();
  }
  void Settle() {
    ASSERT_TRUE(WaitUntil([&] { return !window_->RenderingProgressively(); }));
  }

  QPoint At(Point document) const {
    const Point p = ToWindowPoint(document, window_->GetZoom(), window_->View().TileOrigin());
    return {p.x, p.y};
  }
  void Send(QEvent::Type type, Point document, Qt::KeyboardModifiers modifiers,
            Qt::MouseButtons buttons) {
    const QPointF local = At(document);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, canvas_->mapToGlobal(local), button, buttons, modifiers);
    QApplication::sendEvent(canvas_, &event);
  }
  void Press(Point p, Qt::KeyboardModifiers m = {}) {
    Send(QEvent::MouseButtonPress, p, m, Qt::LeftButton);
  }
  void Move(Point p, Qt::KeyboardModifiers m = {}) {
    Send(QEvent::MouseMove, p, m, Qt::LeftButton);
  }
  void Release(Point p, Qt::KeyboardModifiers m = {}) {
    Send(QEvent::MouseButtonRelease, p, m, Qt::NoButton);
  }
  void Click(Point p, Qt::KeyboardModifiers m = {}) {
    Press(p, m);
    Release(p, m);
  }
  void Drag(Point from, Point to, Qt::KeyboardModifiers m = {}) {
    Press(from, m);
    Move({(from.x + to.x) / 2, (from.y + to.y) / 2}, m);
    Move(to, m);
    Release(to, m);
  }
  // The button held until the press-and-hold timer fired, then released at to.
  void HoldAndDrag(Point from, Point to) {
    auto* timer = window_->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    timer->setInterval(1);
    Press(from);
    ASSERT_TRUE(WaitUntil([&] { return !timer->isActive(); }));
    Move(to);
    Release(to);
    timer->setInterval(200);
  }
  // A key as the main frame's hook hands it on: KeyDown first, then its character.
  bool Key(int key, Qt::KeyboardModifiers m = {}, const QString& text = {}) {
    bool taken = window_->KeyDown(key, m);
    if (!taken && !text.isEmpty()) taken = window_->CharTyped(text.front());
    return taken;
  }
  void Type(const QString& text) {
    for (QChar c : text)
      Key(0, {}, QString(c));
  }

  ItemList& Items() { return window_->GetItems(); }
  // The visible drawable items in list order.
  std::vector<ItemRecord*> Visible() {
    std::vector<ItemRecord*> out;
    for (ItemRecord& r : Items()) {
      if (IsVisible(r) && IsDrawableKind(r.kind())) out.push_back(&r);
    }
    return out;
  }
  // The number of undo steps (undone and redone again).
  int Steps() {
    int steps = 0;
    while (CanUndo(Items()) && steps < 1000) {
      Undo(Items(), window_->Announcements());
      ++steps;
    }
    for (int i = 0; i < steps; ++i)
      Redo(Items(), window_->Announcements());
    return steps;
  }
  std::vector<Point> PointsOf(const ItemRecord& r) {
    std::vector<Point> out;
    for (const PointEntry& e : r.points)
      out.push_back(e.point);
    return out;
  }

  QTemporaryDir dir_;
  FakeHost host_;
  ItemList list_{ScreenMetrics{96, 96}};
  TSandbox* window_ = nullptr;
  BitmapView* canvas_ = nullptr;
};

}  // namespace quillon::test
