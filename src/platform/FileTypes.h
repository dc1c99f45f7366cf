// SPDX-License-Identifier: GPL-3.0-or-later
// Registering ".qlln" documents with the desktop, one entry at a time. Each entry carries the
// failure code that "ddeins" stores when its write fails, so a failed registration is repaired
// at the next start.
#pragma once

namespace quillon {

// The registration's entries in the order they are written; the value is the failure code.
enum class FileTypeStep {
  ExtensionClass = 30,  // ".qlln" belongs to the class "Quillon"
  ContentType = 31,     // ".qlln" is of the type "application/x-quillon"
  ClassName = 32,       // the class is shown as "Quillon"
  OpenCommand = 33,     // the program's full path followed by " -open %1"
  DdeExecute = 34,      // the execute string "[open("%1")]"
  DdeApplication = 35,  // the running program's service, "QUILLON"
  DdeTopic = 36,        // its topic, "DdeServerConv1"
  MimeExtension = 37,   // the type's extension, ".qlln"
};

inline constexpr FileTypeStep kFileTypeSteps[] = {
    FileTypeStep::ExtensionClass, FileTypeStep::ContentType, FileTypeStep::ClassName,
    FileTypeStep::OpenCommand,    FileTypeStep::DdeExecute,  FileTypeStep::DdeApplication,
    FileTypeStep::DdeTopic,       FileTypeStep::MimeExtension,
};

class FileTypeRegistrar {
 public:
  virtual ~FileTypeRegistrar() = default;
  // Writes one entry for the current user; whether it was written.
  virtual bool Write(FileTypeStep step) = 0;
};

}  // namespace quillon
