// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part in living on the desktop: the first-time setup at the first start and
// the open requests that the desktop and later starts of the program send.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>

class QTimer;

namespace quillon {

class TForm1;

// The first-time setup: its host opens a second after the start; Proceed records the unit and
// registers the document type; left unfinished, the program ends.
class FirstTimeSetup {
 public:
  explicit FirstTimeSetup(TForm1& form);

  // Opens the setup shortly (Timer6).
  void OpenSoon();
  // Proceed with a unit (2 millimetres, 3 inches): the unit of new files, the setup recorded
  // and the document type registered.
  void Proceed(int32_t units);
  // A host of TFormX closed.
  void HostClosed(int code);

 private:
  TForm1& form_;
  bool finished_ = false;
  QTimer* open_ = nullptr;
  // Ends the program half a second after the setup was left unfinished.
  QTimer* end_ = nullptr;
};

// Files handed over by the desktop or by other starts, opened one at a time.
class OpenRequests {
 public:
  explicit OpenRequests(TForm1& form);

  // An execute request: opens the file an [open("...")] macro names when it exists; anything
  // else is ignored.
  void ExecuteMacro(const QString& macro);

 private:
  // Queues a file; Serve opens it.
  void Queue(const QString& name);
  // Opens the first file waiting, once no print or export runs, no dialog waits for an answer
  // and no earlier request is still being opened.
  void Serve();

  TForm1& form_;
  std::deque<QString> waiting_;
  bool serving_ = false;
  // Tries the waiting requests again while something else must finish first.
  QTimer* retry_ = nullptr;
};

}  // namespace quillon
