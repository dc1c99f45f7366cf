// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace quillon {

bool QtClipboard::PutPicture(const QImage& picture) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || picture.isNull()) return false;
  clipboard->setImage(picture);
  return true;
}

}  // namespace quillon
