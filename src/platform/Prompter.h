// SPDX-License-Identifier: GPL-3.0-or-later
// How the program asks the user: a modal message with fixed buttons. The desktop shows a
// message box; the command line and the tests answer from their own rules.
#pragma once

#include <string_view>

namespace quillon {

enum class PromptStyle { Confirmation, Warning, Error, Information };
// Cancel: a single Cancel button, for a warning that offers nothing to do.
enum class PromptButtons { Ok, YesNo, YesNoCancel, Cancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows text (lines separated by "\r\n") and returns the button chosen.
  virtual PromptAnswer Ask(std::string_view text, PromptStyle style, PromptButtons buttons) = 0;
  // The same with details shown under the text (the documents a question is about, one a
  // line); a prompter without room for them shows the text alone.
  virtual PromptAnswer AskAbout(std::string_view text, std::string_view details, PromptStyle style,
                                PromptButtons buttons) {
    (void)details;
    return Ask(text, style, buttons);
  }
};

}  // namespace quillon
