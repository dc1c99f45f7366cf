// SPDX-License-Identifier: GPL-3.0-or-later
// The two stay-on-top host windows, TFormX and TFormY, each showing one dialog panel at a
// time above a strip with two raised buttons; and the raised button itself.
#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "shell/Chrome.h"

class QTimer;

namespace quillon {

// A button that rests as a plain panel with its caption and rises under the pointer as a
// highlight picture with the caption in white; a 5-second timer lowers it again.
class RaisedButton : public QAbstractButton {
  Q_OBJECT
 public:
  RaisedButton(ColourSource colour, QWidget* parent);
  bool IsRaised() const { return raised_; }
  void SetRaised(bool raised);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  ColourSource colour_;
  bool raised_ = false;
  QTimer* rest_ = nullptr;
};

// Which host: TFormX or TFormY.
enum class HostKind { X, Y };

class THostWindow : public QWidget {
  Q_OBJECT
 public:
  THostWindow(HostKind kind, QWidget* parent);

  // Shows the panel for a code with its caption and buttons; number is a window number or
  // similar, title completes some captions.
  void OpenHost(int code, int32_t number, const QString& title);
  int Code() const { return code_; }
  int32_t Number() const { return number_; }
  QWidget* PanelArea() const { return panel0_; }
  RaisedButton* FirstButton() const { return button1_; }
  RaisedButton* SecondButton() const { return button2_; }

 private:
  HostKind kind_;
  int code_ = 0;
  int32_t number_ = 0;
  QWidget* panel0_ = nullptr;
  RaisedButton* button1_ = nullptr;
  RaisedButton* button2_ = nullptr;
};

// The caption and the two button captions a host shows for a code.
struct HostLayout {
  QString caption;
  QString first;
  QString second;
};
HostLayout HostLayoutFor(HostKind kind, int code, const QString& title);

}  // namespace quillon
