// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's side of text typed on the canvas: the text tool's clicks, the double
// click that opens a text again, the characters and caret keys, and the caret's clock.
#include <QTimer>

#include "canvas/CreationBuilders.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/TSandbox.h"
#include "canvas/TextEntry.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

constexpr int32_t kToolTextPanel = 302;
constexpr int32_t kTextGuidance = 1035;
constexpr int kTextGuidanceSwitch = 4;

}  // namespace

TextEntry& TSandbox::Text() {
  if (text_ == nullptr) text_ = std::make_unique<TextEntry>(*canvas_);
  return *text_;
}

bool TSandbox::TextEditing() const {
  return text_ != nullptr && text_->Editing();
}

void TSandbox::RestartCaret() {
  if (timer4_ == nullptr) {
    timer4_ = new QTimer(this);
    timer4_->setObjectName(QStringLiteral("Timer4"));
    timer4_->setInterval(500);
    connect(timer4_, &QTimer::timeout, this, [this] {
      if (TextEditing()) text_->Blink();
    });
  }
  if (TextEditing()) {
    timer4_->start();
  } else {
    timer4_->stop();
  }
}

void TSandbox::EndTextEdit() {
  if (!TextEditing()) return;
  text_->End();
  RestartCaret();
  FullRepaint(true);
  if (mode_ == kModeTextEdit) mode_ = kModePointer;
  step_ = 0;
}

void TSandbox::BeginTextEdit(ItemRecord& text) {
  EndTextEdit();
  mode_ = kModeTextEdit;
  step_ = 0;
  Text().Open(text);
  RestartCaret();
  RefreshUndoRedo();
}

void TSandbox::ShowTextPanel() {
  host_.ShowTool(GuidanceSwitchOn(host_.Params(), kTextGuidanceSwitch) ? kTextGuidance
                                                                       : kToolTextPanel);
}

void TSandbox::ReleaseInText(const PointerInput& input) {
  if (step_ == 0) {
    anchorPt_ = input.snapped;
    step_ = 1;
    ShowTextPanel();
  } else if (step_ == 1) {
    canvas_->CanvasChanged(canvas_->Marks().Restore(Overlay::kGuide));
    Text().CreateBox(canvas_->ToDocument(anchorPt_), canvas_->ToDocument(input.snapped));
    step_ = 2;
    RestartCaret();
    ShowTextPanel();
  }
}

void TSandbox::MoveInText(Point snapped) {
  if (mode_ != kModeText || step_ != 1) return;
  // The frame of the box the second click would make.
  Rect changed = canvas_->Marks().Restore(Overlay::kGuide);
  const Quad frame = Text().BoxFrame(canvas_->ToDocument(anchorPt_), canvas_->ToDocument(snapped));
  Point corners[4];
  Rect span{anchorPt_.x, anchorPt_.y, anchorPt_.x, anchorPt_.y};
  for (int i = 0; i < 4; ++i) {
    corners[i] = canvas_->ToCanvasPoint(frame[i]);
    span = {std::min(span.left, corners[i].x), std::min(span.top, corners[i].y),
            std::max(span.right, corners[i].x), std::max(span.bottom, corners[i].y)};
  }
  span = {span.left - 1, span.top - 1, span.right + 2, span.bottom + 2};
  canvas_->Marks().Save(Overlay::kGuide, span);
  for (int i = 0; i < 4; ++i)
    canvas_->PaintGuide(corners[i], corners[(i + 1) % 4]);
  canvas_->CanvasChanged(United(changed, span));
}

bool TSandbox::TextKey(int key, Qt::KeyboardModifiers modifiers) {
  keyModifiers_ = modifiers;
  if (key == Qt::Key_Escape && mode_ == kModeText && step_ > 0) {
    canvas_->CanvasChanged(canvas_->Marks().Restore(Overlay::kGuide));
    EndTextEdit();
    step_ = 0;
    gestureCancelled_ = true;
    return true;
  }
  if (mode_ != kModeText && mode_ != kModeTextEdit) return false;
  // Delete with nothing being edited does nothing in the text tool.
  if (key == Qt::Key_Delete) {
    if (TextEditing()) {
      text_->DeleteForward();
      RestartCaret();
    }
    return true;
  }
  if (TextEditing() && text_->CaretKey(key)) {
    RestartCaret();
    return true;
  }
  return false;
}

bool TSandbox::TypeText(const QString& typed) {
  const bool editing = TextEditing();
  if (!(mode_ == kModeText && (step_ == 1 || editing)) && !(mode_ == kModeTextEdit && editing)) {
    return false;
  }
  // Keys with Ctrl or Alt are shortcuts, not text (both together are AltGr).
  const bool ctrl = keyModifiers_.testFlag(Qt::ControlModifier);
  const bool alt = keyModifiers_.testFlag(Qt::AltModifier);
  if (ctrl != alt) return false;
  bool taken = false;
  for (qsizetype i = 0; i < typed.size(); ++i) {
    const char16_t c = typed[i].unicode();
    const bool pair =
        typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate();
    const std::u16string unit =
        pair ? std::u16string{c, typed[i + 1].unicode()} : std::u16string{c};
    if (pair) ++i;
    if (!(c == 8 || c == 10 || c == 13 || c >= 32) || c == 127) continue;
    taken = true;
    if (!TextEditing()) {
      if (c == 8) continue;
      Text().StartTyped(canvas_->ToDocument(anchorPt_), unit);
      step_ = 2;
      RefreshUndoRedo();
    } else {
      text_->Type(unit);
    }
  }
  if (taken) RestartCaret();
  return taken;
}

void TSandbox::ApplyTextSettings() {
  if (!TextEditing()) return;
  text_->ApplySettings();
  RestartCaret();
}

void TSandbox::RejustifyEditedText(const std::function<void(ItemRecord&)>& change) {
  if (!TextEditing()) {
    FullRepaint(true);
    return;
  }
  text_->Rejustify(true, change);
  RestartCaret();
}

bool TSandbox::CaretClick(Point canvas) {
  if (!TextEditing() || !text_->CaretClick(canvas)) return false;
  RestartCaret();
  return true;
}

}  // namespace quillon
