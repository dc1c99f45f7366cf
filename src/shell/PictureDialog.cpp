// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PictureDialog.h"

#include <QFileInfo>

namespace quillon {
namespace {

// The extensions of the filter entries 1 to 7.
constexpr const char* kFilterExtensions[] = {"jpg", "gif", "bmp", "ico", "emf", "wmf", "qlln"};

}  // namespace

FileDialogRequest InsertPictureRequest(const TParams& params, const QString& lastInserted) {
  FileDialogRequest request;
  request.title = QStringLiteral("Open");
  request.filter = QString::fromLatin1(kInsertPictureFilter);
  request.initialFolder = params.picidr;
  request.initialFileName = lastInserted;
  if (params.picndx >= 1 && params.picndx <= 7) {
    request.filterIndex = params.picndx;
    request.defaultExtension = QString::fromLatin1(kFilterExtensions[params.picndx - 1]);
  }
  return request;
}

QString RememberPictureChoice(TParams& params, const QString& path) {
  const QFileInfo file(path);
  params.picidr = file.absolutePath();
  const QString extension = file.suffix().toLower().remove(QLatin1Char('.'));
  for (int32_t i = 0; i < 7; ++i) {
    if (extension == QLatin1String(kFilterExtensions[i])) params.picndx = i + 1;
  }
  return extension;
}

}  // namespace quillon
