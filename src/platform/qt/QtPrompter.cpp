// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPrompter.h"

#include <QMessageBox>

namespace quillon {

QString MessageText(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

namespace {

QMessageBox::Icon IconOf(PromptStyle style) {
  switch (style) {
    case PromptStyle::Confirmation:
      return QMessageBox::Question;
    case PromptStyle::Warning:
      return QMessageBox::Warning;
    case PromptStyle::Error:
      return QMessageBox::Critical;
    case PromptStyle::Information:
      break;
  }
  return QMessageBox::Information;
}

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Cancel:
      return QMessageBox::Cancel;
    case PromptButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

}  // namespace

PromptAnswer QtPrompter::Ask(std::string_view text, PromptStyle style, PromptButtons buttons) {
  return AskAbout(text, {}, style, buttons);
}

PromptAnswer QtPrompter::AskAbout(std::string_view text, std::string_view details,
                                  PromptStyle style, PromptButtons buttons) {
  QMessageBox box(IconOf(style), QString::fromLatin1(kMessageCaption), MessageText(text),
                  ButtonsOf(buttons), parent_);
  if (!details.empty()) box.setInformativeText(MessageText(details));
  // Escape and the close box give the most cautious answer.
  box.setEscapeButton(buttons == PromptButtons::YesNo ? QMessageBox::No
                      : buttons == PromptButtons::Ok  ? QMessageBox::Ok
                                                      : QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    default:
      break;
  }
  if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
  return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

}  // namespace quillon
