// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's clipboard.
#pragma once

#include "platform/Clipboard.h"

namespace quillon {

class QtClipboard : public Clipboard {
 public:
  bool PutPicture(const QImage& picture) override;
  bool HasPicture() const override;
  QImage Picture() const override;
};

}  // namespace quillon
