// SPDX-License-Identifier: GPL-3.0-or-later
// A folder on a small file system of its own that can be filled to the last byte, so that
// writes into it fail as on a full disk. Mounting needs the rights the test machines have;
// where it cannot be had, mounted() is false and the test skips itself.
#pragma once

#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace quillon::test {

class FullDisk {
 public:
  FullDisk() {
    mounted_ = dir_.isValid() && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(),
                                         "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
  }
  ~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  bool mounted() const { return mounted_; }
  QString filePath(const QString& name) const { return dir_.filePath(name); }
  // The names in the folder, hidden ones too, other than the filler.
  QStringList Names() const {
    QStringList names =
        QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("filler"));
    return names;
  }
  // Takes every free byte with a filler file; true when the file system is then full.
  bool Fill() {
    QFile filler(filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
      return false;
    }
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // Whatever a block no longer fits in goes byte by byte.
    while (filler.write("x", 1) == 1) {
    }
    return true;
  }
  // Gives the space back.
  void Free() { QFile::remove(filePath(QStringLiteral("filler"))); }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
};

}  // namespace quillon::test
