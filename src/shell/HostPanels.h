// SPDX-License-Identifier: GPL-3.0-or-later
// The panels the two host windows show for their codes: the customization dialogs, the speed
// dialog and the About panel, each with what the host's first button does.
#pragma once

#include <QString>
#include <QWidget>

#include "shell/HostWindow.h"

namespace quillon {

class TForm1;

HostPanel MakeHostPanel(TForm1& form, HostKind kind, int code, int32_t number);

// The About panel: the program's name, version and purpose.
class TAbout : public QWidget {
  Q_OBJECT
 public:
  explicit TAbout(QWidget* parent = nullptr);
};

}  // namespace quillon
