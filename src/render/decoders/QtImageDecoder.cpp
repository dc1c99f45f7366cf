// SPDX-License-Identifier: GPL-3.0-or-later
// BMP and ICO files, and the device-independent bitmaps inside metafiles, through Qt's readers.
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <cstring>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/MetafilePlayer.h"

namespace quillon {
namespace {

// Icon files list at most this many images; the directory itself caps the count at 65535.
constexpr int kMaxIconImages = 256;

QByteArray Wrap(std::span<const uint8_t> bytes) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<qsizetype>(bytes.size()));
}

// Draws the image onto a white bitmap, so that transparent pixels come out white.
DecodedPicture OnWhite(const QImage& image, const char* what) {
  Bitmap bitmap = Bitmap::TryCreate(image.width(), image.height());
  if (bitmap.empty())
    return DecodedPicture::Failure(std::string("There is not enough memory to decode the ") + what +
                                   ".");
  QImage target = bitmap.Image();
  QPainter painter(&target);
  painter.drawImage(0, 0, image);
  painter.end();
  return DecodedPicture::Success(std::move(bitmap));
}

DecodedPicture ReadError(const QImageReader& reader, const char* what) {
  return DecodedPicture::Failure(std::string("The ") + what +
                                 " could not be read: " + reader.errorString().toStdString() + ".");
}

// Reads the reader's current image after checking the size it announces.
DecodedPicture ReadCurrent(QImageReader& reader, const char* what, const DecodeLimits& limits) {
  const QSize size = reader.size();
  if (size.isValid()) {
    if (std::string refused = CheckPictureSize(size.width(), size.height(), limits);
        !refused.empty()) {
      return DecodedPicture::Failure(refused);
    }
  }
  QImage image;
  if (!reader.read(&image)) return ReadError(reader, what);
  if (std::string refused = CheckPictureSize(image.width(), image.height(), limits);
      !refused.empty()) {
    return DecodedPicture::Failure(refused);
  }
  return OnWhite(image, what);
}

}  // namespace

DecodedPicture DecodeBmp(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  QByteArray data = Wrap(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setAutoDetectImageFormat(false);
  return ReadCurrent(reader, "bitmap", limits);
}

DecodedPicture DecodeIco(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  QByteArray data = Wrap(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  reader.setAutoDetectImageFormat(false);
  const int count = std::min(reader.imageCount(), kMaxIconImages);
  if (count <= 0) return ReadError(reader, "icon");
  // The largest image wins; among equals the first, which icon editors write as the richest.
  int best = 0;
  int64_t bestArea = -1;
  for (int i = 0; i < count; ++i) {
    if (!reader.jumpToImage(i)) break;
    const QSize size = reader.size();
    const int64_t area = int64_t{size.width()} * size.height();
    if (size.isValid() && area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  reader.jumpToImage(best);
  return ReadCurrent(reader, "icon", limits);
}

namespace {

// What a bitmap info header says, after checking it against the bytes that hold it.
struct DibHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative for top-down rows
  int bitCount = 0;
  uint32_t compression = 0;
  size_t length = 0;  // the header with its colour masks and colour table
};

template <class T>
T ReadAt(std::span<const uint8_t> bytes, size_t at) {
  T value{};
  if (at + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof(T));
  return value;
}

// Accepts the core (12-byte) header and the info headers of 40 bytes or more, with 1, 4, 8, 16,
// 24 or 32 bits per pixel, uncompressed, run-length encoded or with colour masks.
bool ParseDibHeader(std::span<const uint8_t> header, const DecodeLimits& limits, DibHeader& dib) {
  const uint32_t size = ReadAt<uint32_t>(header, 0);
  uint64_t colours = 0;
  uint64_t entrySize = 4;
  uint64_t masks = 0;
  if (size == 12) {
    dib.width = ReadAt<uint16_t>(header, 4);
    dib.height = ReadAt<uint16_t>(header, 6);
    dib.bitCount = ReadAt<uint16_t>(header, 10);
    entrySize = 3;
    if (dib.bitCount <= 8) colours = uint64_t{1} << dib.bitCount;
  } else if (size >= 40) {
    dib.width = ReadAt<int32_t>(header, 4);
    dib.height = ReadAt<int32_t>(header, 8);
    dib.bitCount = ReadAt<uint16_t>(header, 14);
    dib.compression = ReadAt<uint32_t>(header, 16);
    const uint32_t used = ReadAt<uint32_t>(header, 32);
    colours = used != 0 ? used : dib.bitCount <= 8 ? uint64_t{1} << dib.bitCount : 0;
    if (size == 40 && dib.compression == 3) masks = 12;
  } else {
    return false;
  }
  const bool known = dib.bitCount == 1 || dib.bitCount == 4 || dib.bitCount == 8 ||
                     dib.bitCount == 16 || dib.bitCount == 24 || dib.bitCount == 32;
  if (!known || dib.compression > 3 || colours > 65536) return false;
  if (dib.width <= 0 || dib.height == 0) return false;
  if (!CheckPictureSize(dib.width, std::abs(dib.height), limits).empty()) return false;
  const uint64_t length = size + masks + colours * entrySize;
  if (length > header.size()) return false;
  dib.length = static_cast<size_t>(length);
  return true;
}

// The uncompressed rows must all be there. Run-length data is accepted up to 4096 pixels per
// byte, far beyond what real encoders reach, so that a few bytes cannot ask for a huge bitmap.
bool HoldsPixels(const DibHeader& dib, size_t bits) {
  if (dib.compression == 1 || dib.compression == 2)
    return bits > 0 && dib.width * std::abs(dib.height) <= 4096 * static_cast<int64_t>(bits);
  const uint64_t stride = (uint64_t(dib.width) * dib.bitCount + 31) / 32 * 4;
  return stride * uint64_t(std::abs(dib.height)) <= bits;
}

DibImage DecodeDib(std::span<const uint8_t> header, const DibHeader& dib,
                   std::span<const uint8_t> bits) {
  // Qt reads a device-independent bitmap as the body of a BMP file: put a file header before it
  // whose pixel offset points just past the colour table.
  const uint32_t offset = 14 + static_cast<uint32_t>(dib.length);
  const uint32_t fileSize = offset + static_cast<uint32_t>(bits.size());
  char fileHeader[14] = {'B', 'M'};
  std::memcpy(fileHeader + 2, &fileSize, 4);
  std::memcpy(fileHeader + 10, &offset, 4);
  QByteArray file;
  file.reserve(static_cast<qsizetype>(fileSize));
  file.append(fileHeader, 14);
  file.append(reinterpret_cast<const char*>(header.data()), static_cast<qsizetype>(dib.length));
  file.append(reinterpret_cast<const char*>(bits.data()), static_cast<qsizetype>(bits.size()));
  QBuffer buffer(&file);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setAutoDetectImageFormat(false);
  QImage image;
  if (!reader.read(&image)) return {};
  // Metafiles copy bitmaps without blending, so any alpha channel is dropped.
  return {.image = image.convertToFormat(QImage::Format_RGB32), .bottomUp = dib.height > 0};
}

// Takes the bitmap's pixels from the budget, or refuses it when the budget has too few left.
bool Spend(const DibHeader& dib, int64_t& budget) {
  const int64_t pixels = dib.width * std::abs(dib.height);
  if (pixels > budget) return false;
  budget -= pixels;
  return true;
}

}  // namespace

DibImage ReadDib(std::span<const uint8_t> header, std::span<const uint8_t> bits,
                 const DecodeLimits& limits, int64_t& budget) {
  DibHeader dib;
  if (!ParseDibHeader(header, limits, dib) || !HoldsPixels(dib, bits.size()) ||
      !Spend(dib, budget)) {
    return {};
  }
  return DecodeDib(header, dib, bits);
}

DibImage ReadPackedDib(std::span<const uint8_t> packed, const DecodeLimits& limits,
                       int64_t& budget) {
  DibHeader dib;
  if (!ParseDibHeader(packed, limits, dib)) return {};
  const std::span<const uint8_t> bits = packed.subspan(dib.length);
  if (!HoldsPixels(dib, bits.size()) || !Spend(dib, budget)) return {};
  return DecodeDib(packed, dib, bits);
}

}  // namespace quillon
