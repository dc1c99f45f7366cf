// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <cmath>

#include "document/ReplacingFile.h"
#include "output/PictureWriters.h"

namespace quillon {
namespace {

// Little-endian fields appended to a byte array.
void Put16(QByteArray& out, uint32_t v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t PixelsPerMetre(int dpi) {
  return static_cast<uint32_t>(std::lround((dpi > 0 ? dpi : 96) / 0.0254));
}

// The 40-byte information header of a device-independent bitmap.
void PutInfoHeader(QByteArray& out, int width, int height, int bits, uint32_t imageSize, int dpi) {
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // no compression
  Put32(out, imageSize);
  Put32(out, PixelsPerMetre(dpi));
  Put32(out, PixelsPerMetre(dpi));
  Put32(out, 0);
  Put32(out, 0);
}

bool IsWhite(const uint8_t* p) {
  return p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF;
}

// A 32-bit image with its AND mask, as icons up to 256 x 256 keep it.
QByteArray IconImage(const Bitmap& picture) {
  const int w = picture.width(), h = picture.height();
  const int maskStride = ((w + 31) / 32) * 4;
  QByteArray out;
  PutInfoHeader(out, w, 2 * h, 32, static_cast<uint32_t>((4 * w + maskStride) * h), 0);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = row + 3 * x;
      out.append(reinterpret_cast<const char*>(p), 3);
      out.append(IsWhite(p) ? char(0) : char(0xFF));
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray mask(maskStride, '\0');
    const uint8_t* row = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      if (IsWhite(row + 3 * x)) mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(mask);
  }
  return out;
}

// A PNG with white made transparent, for icons larger than the classic format allows.
QByteArray PngImage(const Bitmap& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    const uint8_t* in = picture.Row(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const uint8_t* p = in + 3 * x;
      out[x] = IsWhite(p) ? qRgba(255, 255, 255, 0) : qRgb(p[2], p[1], p[0]);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

PictureFormat PictureFormatOf(const QString& fileName) {
  // Blanks typed around the extension do not change the format; the file keeps its name.
  const QString suffix = QFileInfo(fileName).suffix().trimmed().toLower();
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("ico")) return PictureFormat::Ico;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  return PictureFormat::Jpeg;
}

QByteArray EncodeBmp(const Bitmap& picture, int dpi) {
  const uint32_t imageSize = static_cast<uint32_t>(picture.stride()) * picture.height();
  QByteArray out;
  out.reserve(54 + static_cast<qsizetype>(imageSize));
  out.append("BM");
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  PutInfoHeader(out, picture.width(), picture.height(), 24, imageSize, dpi);
  for (int y = picture.height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(picture.Row(y)), picture.stride());
  }
  return out;
}

QByteArray EncodeIco(const Bitmap& picture) {
  const bool classic = picture.width() <= 256 && picture.height() <= 256;
  const QByteArray image = classic ? IconImage(picture) : PngImage(picture);
  QByteArray out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  // A side of 256 or more is written as 0; the image itself carries the real size.
  out.append(char(picture.width() < 256 ? picture.width() : 0));
  out.append(char(picture.height() < 256 ? picture.height() : 0));
  out.append(char(0));  // no palette
  out.append(char(0));
  Put16(out, 1);   // colour planes
  Put16(out, 32);  // bits per pixel
  Put32(out, static_cast<uint32_t>(image.size()));
  Put32(out, 6 + 16);
  out.append(image);
  return out;
}

QByteArray EncodePng(const Bitmap& picture, int dpi) {
  if (picture.empty()) return {};
  QImage image = picture.Image().convertToFormat(QImage::Format_RGB888);
  const int dotsPerMetre = static_cast<int>(PixelsPerMetre(dpi));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return png;
}

WriteResult WritePicture(const QString& path, const Bitmap& picture, int dpi) {
  // The name is used as given from start to end: the format and the file come from one name.
  const QString& name = path;
  auto failed = [&](QString reason) {
    if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
    if (!reason.isEmpty()) reason[0] = reason[0].toLower();
    return WriteResult{false, "The picture \"" + name.toStdString() +
                                  "\" could not be written: " + reason.toStdString() + "."};
  };
  if (const QString problem = OutputProblem(name); !problem.isEmpty()) return failed(problem);
  if (picture.empty()) return failed(QStringLiteral("the picture is empty"));
  QByteArray bytes;
  std::string error;
  switch (PictureFormatOf(name)) {
    case PictureFormat::Bmp:
      bytes = EncodeBmp(picture, dpi);
      break;
    case PictureFormat::Ico:
      bytes = EncodeIco(picture);
      break;
    case PictureFormat::Png:
      bytes = EncodePng(picture, dpi);
      break;
    case PictureFormat::Jpeg:
      bytes = EncodeJpeg(picture, dpi, &error);
      break;
  }
  if (bytes.isEmpty()) {
    return failed(error.empty() ? QStringLiteral("the encoder failed")
                                : QString::fromStdString(error));
  }
  ReplacingFile file(name);
  if (!file.Open()) return failed(file.error());
  if (!file.Write(bytes.constData(), bytes.size())) return failed(file.error());
  if (!file.Commit()) return failed(file.error());
  return {};
}

}  // namespace quillon
