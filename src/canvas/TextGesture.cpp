// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/TextGesture.h"

#include <algorithm>

#include "canvas/CreationBuilders.h"
#include "canvas/WindowPainter.h"
#include "document/ToolNumbers.h"

namespace quillon {

TextGesture::TextGesture(CanvasContext& context, std::function<void(bool)> caretMoved)
    : context_(context), caretMoved_(std::move(caretMoved)), entry_(context) {}

TextGesture::TextGesture(CanvasContext& context, std::function<void(bool)> caretMoved,
                         ItemRecord& text)
    : TextGesture(context, std::move(caretMoved)) {
  reopened_ = true;
  entry_.Open(text);
  CaretMoved();
}

void TextGesture::ShowTextPanel() {
  context_.ShowPanel(GuidanceSwitchOn(context_.Settings(), kGuidanceSwitchNewText)
                         ? kGuidanceNewText
                         : kToolTextPanel);
}

void TextGesture::Anchor(Point canvas) {
  anchor_ = canvas;
  step_ = 1;
  ShowTextPanel();
}

void TextGesture::EndEditing() {
  if (!entry_.Editing()) return;
  entry_.End();
  CaretMoved();
  context_.Events().RepaintAll(true);
  step_ = 0;
}

bool TextGesture::ClickInPlace(const PointerInput& input) {
  if (!entry_.Editing() || !entry_.CaretClick(input.raw)) return false;
  CaretMoved();
  return true;
}

void TextGesture::Press(const PointerInput& input) {
  escaped_ = false;
  if (reopened_) {
    // A press outside the text ends its editing; the release selects as in the pointer tool.
    EndEditing();
    return;
  }
  if (step_ != 1) {
    EndEditing();
    SelectOnly(context_.Items(), nullptr);
    context_.Events().RepaintAll(true);
    step_ = 0;
  }
  press_ = input.snapped;
}

void TextGesture::Held() {
  if (!reopened_ && step_ == 0) Anchor(press_);
}

void TextGesture::Move(const PointerInput& input) {
  if (reopened_ || step_ != 1) return;
  // The frame of the box the second click would make.
  Overlay& overlay = context_.Marks();
  const Rect changed = overlay.Restore(Overlay::kGuide);
  const Quad frame =
      entry_.BoxFrame(context_.ToDocument(anchor_), context_.ToDocument(input.snapped));
  Point corners[4];
  Rect span{anchor_.x, anchor_.y, anchor_.x, anchor_.y};
  for (int i = 0; i < 4; ++i) {
    corners[i] = context_.ToCanvasPoint(frame[i]);
    span = {std::min(span.left, corners[i].x), std::min(span.top, corners[i].y),
            std::max(span.right, corners[i].x), std::max(span.bottom, corners[i].y)};
  }
  span = {span.left - 1, span.top - 1, span.right + 2, span.bottom + 2};
  overlay.Save(Overlay::kGuide, span);
  for (int i = 0; i < 4; ++i)
    context_.PaintGuide(corners[i], corners[(i + 1) % 4]);
  context_.CanvasChanged(United(changed, span));
}

void TextGesture::Release(const PointerInput& input) {
  if (reopened_) return;
  if (step_ == 0) {
    Anchor(input.snapped);
  } else if (step_ == 1) {
    context_.CanvasChanged(context_.Marks().Restore(Overlay::kGuide));
    entry_.CreateBox(context_.ToDocument(anchor_), context_.ToDocument(input.snapped));
    step_ = 2;
    CaretMoved();
    ShowTextPanel();
  }
}

bool TextGesture::Key(int key, Qt::KeyboardModifiers modifiers) {
  modifiers_ = modifiers;
  // Delete with nothing being edited does nothing in the text tool.
  if (key == Qt::Key_Delete) {
    if (entry_.Editing()) {
      entry_.DeleteForward();
      CaretMoved();
    }
    return true;
  }
  if (entry_.Editing() && entry_.CaretKey(key)) {
    CaretMoved();
    return true;
  }
  return false;
}

bool TextGesture::Characters(const QString& typed) {
  const Qt::KeyboardModifiers modifiers = modifiers_;
  modifiers_ = {};
  if (!(step_ == 1 || entry_.Editing())) return false;
  // Keys with Ctrl or Alt are shortcuts, not text (both together are AltGr).
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
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
    if (!entry_.Editing()) {
      if (c == 8) continue;
      entry_.StartTyped(context_.ToDocument(anchor_), unit);
      step_ = 2;
    } else {
      entry_.Type(unit);
    }
  }
  if (taken) CaretMoved();
  return taken;
}

void TextGesture::Escape() {
  // Esc in a text opened again does nothing; in the text tool it drops the click and the text.
  if (reopened_ || step_ == 0) return;
  context_.CanvasChanged(context_.Marks().Restore(Overlay::kGuide));
  EndEditing();
  step_ = 0;
  escaped_ = true;
}

void TextGesture::Cancel() {
  EndEditing();
}

}  // namespace quillon
