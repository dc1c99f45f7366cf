// SPDX-License-Identifier: GPL-3.0-or-later
// The system clipboard, which takes a picture for other programs and offers theirs.
#pragma once

class QImage;

namespace quillon {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Places the picture on the clipboard; whether the clipboard took it.
  virtual bool PutPicture(const QImage& picture) = 0;
  // Whether another program put a picture on the clipboard, and that picture (a null image
  // when there is none).
  virtual bool HasPicture() const = 0;
  virtual QImage Picture() const = 0;
};

}  // namespace quillon
