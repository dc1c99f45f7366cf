// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes on the desktop.
#pragma once

#include <QPointer>
#include <QString>

#include "platform/Prompter.h"

class QWidget;

namespace quillon {

// The caption of every message box.
inline constexpr char kMessageCaption[] = "Quillon";

class QtPrompter : public Prompter {
 public:
  // Boxes are modal to parent's window (or application-modal without one).
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  PromptAnswer Ask(std::string_view text, PromptStyle style, PromptButtons buttons) override;
  PromptAnswer AskAbout(std::string_view text, std::string_view details, PromptStyle style,
                        PromptButtons buttons) override;

 private:
  QPointer<QWidget> parent_;
};

// The text as a message box shows it: "\r\n" line breaks become "\n".
QString MessageText(std::string_view text);

}  // namespace quillon
