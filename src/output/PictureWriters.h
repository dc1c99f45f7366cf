// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a bitmap as a JPEG, PNG, Windows bitmap or icon file, the format chosen by extension.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "render/Bitmap.h"

namespace quillon {

enum class PictureFormat { Jpeg, Bmp, Ico, Png };

// ".bmp", ".ico" and ".png" (any case, blanks around the extension ignored) choose those
// formats; any other extension, or none, means JPEG.
PictureFormat PictureFormatOf(const QString& fileName);

// The file's bytes in each format; dpi goes into the header where the format has one.
// Baseline JPEG, 24-bit colour, quality 90; an empty result means the encoder failed.
QByteArray EncodeJpeg(const Bitmap& picture, int dpi, std::string* error = nullptr);
// 24 bits per pixel, device-independent, rows bottom up.
QByteArray EncodeBmp(const Bitmap& picture, int dpi);
// One image of the picture's full size with white as the transparent colour: 32-bit colour
// with an AND mask up to 256 x 256 pixels, PNG-compressed above that.
QByteArray EncodeIco(const Bitmap& picture);
// 24-bit colour without transparency; dpi goes into the physical size chunk.
QByteArray EncodePng(const Bitmap& picture, int dpi);

struct WriteResult {
  bool ok = true;
  std::string message;  // a sentence naming the file and the reason
};

// Writes the picture in the format its name asks for, through a temporary file beside it
// that replaces the target only when complete; a folder, device or pipe is not replaced.
WriteResult WritePicture(const QString& path, const Bitmap& picture, int dpi);

}  // namespace quillon
