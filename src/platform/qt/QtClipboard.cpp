// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace quillon {

bool QtClipboard::PutPicture(const QImage& picture) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || picture.isNull()) return false;
  clipboard->setImage(picture);
  return true;
}

bool QtClipboard::HasPicture() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  return data != nullptr && data->hasImage();
}

QImage QtClipboard::Picture() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  if (data == nullptr || !data->hasImage()) return QImage();
  return clipboard->image();
}

}  // namespace quillon
