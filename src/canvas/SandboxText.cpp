// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's side of text typed on the canvas: the text being edited by the text
// gesture, the caret's clock, and the panels' changes to the edited text.
#include <QTimer>

#include "canvas/SandboxView.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/TSandbox.h"
#include "canvas/TextGesture.h"

namespace quillon {

TextEntry* TSandbox::EditedText() const {
  auto* text = dynamic_cast<TextGesture*>(gesture_.get());
  return text != nullptr && text->Entry().Editing() ? &text->Entry() : nullptr;
}

void TSandbox::RestartCaret(bool editing) {
  if (timer4_ == nullptr) {
    timer4_ = new QTimer(this);
    timer4_->setObjectName(QStringLiteral("Timer4"));
    timer4_->setInterval(500);
    connect(timer4_, &QTimer::timeout, this, [this] {
      if (TextEntry* text = EditedText()) text->Blink();
    });
  }
  if (editing) {
    timer4_->start();
  } else {
    timer4_->stop();
  }
}

void TSandbox::EndTextEdit() {
  auto* text = dynamic_cast<TextGesture*>(gesture_.get());
  if (text == nullptr) return;
  text->EndEditing();
  // A text opened again ends with its editing; the text tool stays.
  if (text->Finished()) gesture_.reset();
}

bool TSandbox::ChangeEditedText(const std::function<void(ItemRecord&)>& change) {
  TextEntry* text = EditedText();
  if (text == nullptr) return false;
  text->Rejustify(true, change);
  RestartCaret(true);
  return true;
}

}  // namespace quillon
