// SPDX-License-Identifier: GPL-3.0-or-later
// The file-type registration on a freedesktop.org desktop, for the current user: the MIME type
// "application/x-quillon" (glob "*.qlln" and the records' magic number at offset 60), the
// desktop entry that opens documents with "-open", the icons and the default application.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/FileTypes.h"

namespace quillon {

inline constexpr char kMimeType[] = "application/x-quillon";
inline constexpr char kDesktopEntryName[] = "quillon.desktop";

// Where the entries go: the user's data folder (XDG_DATA_HOME), configuration folder
// (XDG_CONFIG_HOME) and the program they open documents with.
struct FileTypeLocations {
  QString dataHome;
  QString configHome;
  QString program;
};
// The current user's folders and the running program's full path.
FileTypeLocations UserFileTypeLocations();

// The shared-mime-info package that defines the type, as the Debian package installs it.
QByteArray MimePackage();
// The installed desktop entry with a command that opens a file with program.
QByteArray DesktopEntry(const QString& program);
// program as one argument of a desktop entry's Exec line, quoted and escaped where needed.
QString DesktopExecArgument(const QString& program);
// The text of a mimeapps.list with Quillon as the type's default application, keeping every
// other line of the existing text.
QByteArray WithDefaultApplication(const QByteArray& mimeapps);

class FreedesktopFileTypes : public FileTypeRegistrar {
 public:
  // icon: the program's SVG icon, used for the program and for its documents.
  FreedesktopFileTypes(FileTypeLocations locations, QByteArray icon);
  bool Write(FileTypeStep step) override;

 private:
  bool WriteFile(const QString& path, const QByteArray& content) const;
  // Runs a database refresh tool on folder when it is installed; false only when it failed.
  bool Refresh(const char* tool, const QString& folder) const;

  FileTypeLocations locations_;
  QByteArray icon_;
};

}  // namespace quillon
