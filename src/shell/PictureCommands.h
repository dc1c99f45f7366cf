// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures into documents: Insert > Picture, pasting a picture from another program, files
// dropped onto the frame, and the clip editor's placing.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <vector>

namespace quillon {

class TForm1;
class TPict;

class PictureCommands {
 public:
  explicit PictureCommands(TForm1& form) : form_(form) {}

  // A picture file goes to the picture clip editor.
  void OpenPictureFile(const QString& path);
  // Edit > Paste of a picture another program put on the clipboard: the clip editor opens on it.
  void PastePicture();
  // Insert > Picture: chooses a picture file (or a document to paste) and opens it.
  void InsertPictureCommand();
  // Files dropped onto the frame: documents open, pictures go to the clip editor.
  void OpenDropped(const QStringList& files);
  // Insert or Apply of the clip editor: places its picture or clips into the active window.
  void PlaceClips(TPict& pict);
  // The picture file the clip editor opens next (code 51), or the picture's bytes when it
  // came from the clipboard.
  const QString& PendingPicture() const { return pendingPicture_; }
  const std::vector<uint8_t>& PendingPictureBytes() const { return pendingBytes_; }

 private:
  TForm1& form_;
  QString lastInserted_;
  QString pendingPicture_;
  std::vector<uint8_t> pendingBytes_;
  std::mt19937 sourceNumbers_{std::random_device{}()};
};

}  // namespace quillon
