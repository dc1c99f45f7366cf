// SPDX-License-Identifier: GPL-3.0-or-later
// The system clipboard, which takes a picture for other programs.
#pragma once

class QImage;

namespace quillon {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Places the picture on the clipboard; whether the clipboard took it.
  virtual bool PutPicture(const QImage& picture) = 0;
};

}  // namespace quillon
