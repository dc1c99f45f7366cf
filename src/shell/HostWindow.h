// SPDX-License-Identifier: GPL-3.0-or-later
// The two stay-on-top host windows, TFormX and TFormY, each showing one dialog panel at a
// time above a strip with two raised buttons; and the raised button itself.
#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "settings/TParams.h"
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

// The panel a host shows for a code, and what its first button does.
struct HostPanel {
  HostPanel() = default;
  HostPanel(QWidget* panel, std::function<void()> action, std::function<bool()> check = nullptr)
      : widget(panel), firstAction(std::move(action)), mayProceed(std::move(check)) {}

  QWidget* widget = nullptr;  // the host takes it; null for no panel
  std::function<void()> firstAction;
  // Asked before the first button's action; the host stays open, nothing done, on false.
  std::function<bool()> mayProceed;
  // A panel with nothing to act on yet shows its first button disabled.
  bool firstEnabled = true;
  // Nothing to show at all: the host hides at once.
  bool hideAtOnce = false;
};
using HostPanelFactory = std::function<HostPanel(HostKind kind, int code, int32_t number)>;

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
  // Where the panels come from.
  void SetPanelFactory(HostPanelFactory factory) { factory_ = std::move(factory); }
  QWidget* Panel() const { return panel_; }
  // Where the placement of each code is remembered (the settings' slots).
  void SetPlacements(std::array<HostPlacement, kHostSlots>* placements) {
    placements_ = placements;
  }

 signals:
  // The host hid, after the first button's action when it ran; the panel is freed.
  void Closed(int code);

 protected:
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FirstButtonReleased();
  // The slot remembering this code's placement, or null.
  HostPlacement* Slot() const;
  void Place(QSize wanted);
  void KeepPlacement();

  HostPanelFactory factory_;
  std::array<HostPlacement, kHostSlots>* placements_ = nullptr;
  QPointer<QWidget> panel_;
  std::function<void()> firstAction_;
  std::function<bool()> mayProceed_;
  bool acting_ = false;
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
// The placement slot (1 .. 16) of a host's code; 0 for codes without one.
int HostSlotFor(HostKind kind, int code);

}  // namespace quillon
