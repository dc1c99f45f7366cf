// SPDX-License-Identifier: GPL-3.0-or-later
// How the program asks for a file name: an open or a save dialog. The desktop shows the
// system's file dialog; the tests answer from a script.
#pragma once

#include <QString>

namespace quillon {

inline constexpr char kReplaceQuestion[] = "Replace the existing file?";

struct FileDialogRequest {
  QString title;
  // Pairs of a caption and its patterns, all separated by '|':
  // "All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln".
  QString filter;
  int filterIndex = 1;       // the preselected pair, counted from 1
  QString defaultExtension;  // added to a name typed without one; no dot
  QString initialFolder;     // used when it exists
  QString initialFileName;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The full path of the chosen existing file, or an empty string when cancelled.
  virtual QString ChooseFileToOpen(const FileDialogRequest& request) = 0;
  // The full path to write to, or an empty string when cancelled. Asks nothing about an
  // existing file: the caller does. chosenFilter, when given, receives the filter pair the
  // user left selected, counted from 1.
  virtual QString ChooseFileToSave(const FileDialogRequest& request,
                                   int* chosenFilter = nullptr) = 0;
};

}  // namespace quillon
