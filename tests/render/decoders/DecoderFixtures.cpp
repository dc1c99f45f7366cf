// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/decoders/DecoderFixtures.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>

namespace quillon::fixtures {
namespace {

void Put16(Bytes& b, uint16_t v) {
  b.push_back(v & 0xFF);
  b.push_back(v >> 8);
}

void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

void PutInfoHeader(Bytes& b, int width, int height, int bitCount, uint32_t compression,
                   uint32_t colours) {
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(width));
  Put32(b, static_cast<uint32_t>(height));
  Put16(b, 1);
  Put16(b, static_cast<uint16_t>(bitCount));
  Put32(b, compression);
  Put32(b, 0);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, colours);
  Put32(b, 0);
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

}  // namespace

QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(0, 0, width / 2, height / 2, QColor(255, 0, 0));
  painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(0, 255, 0));
  painter.fillRect(0, height / 2, width / 2, height - height / 2, QColor(0, 0, 255));
  painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
  return image;
}

Bytes MakeJpeg(const QImage& source, JpegKind kind, bool progressive) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  const bool cmyk = kind == JpegKind::Cmyk || kind == JpegKind::AdobeCmyk;
  info.input_components = kind == JpegKind::Grey ? 1 : cmyk ? 4 : 3;
  info.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (cmyk) {
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = kind == JpegKind::AdobeCmyk;
  }
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(image.width()) * 4);
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* rgb = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const uint8_t r = rgb[3 * x], g = rgb[3 * x + 1], b = rgb[3 * x + 2];
      if (kind == JpegKind::Grey) {
        row[x] = static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
      } else if (cmyk) {
        // Ink is the complement of the colour, with no black; Adobe files store it inverted.
        const bool inverted = kind == JpegKind::AdobeCmyk;
        row[4 * x] = inverted ? r : 255 - r;
        row[4 * x + 1] = inverted ? g : 255 - g;
        row[4 * x + 2] = inverted ? b : 255 - b;
        row[4 * x + 3] = inverted ? 255 : 0;
      } else {
        std::memcpy(&row[3 * x], rgb + 3 * x, 3);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& palette,
              const std::vector<GifFrame>& frames) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  int bits = 1;
  while ((1 << bits) < static_cast<int>(palette.size()))
    ++bits;
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  for (size_t i = 0; i < palette.size(); ++i) {
    map->Colors[i] = {static_cast<GifByteType>(palette[i] & 0xFF),
                      static_cast<GifByteType>((palette[i] >> 8) & 0xFF),
                      static_cast<GifByteType>((palette[i] >> 16) & 0xFF)};
  }
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, screenWidth, screenHeight, bits, 0, map);
  for (const GifFrame& frame : frames) {
    if (frame.transparent >= 0) {
      GraphicsControlBlock control{};
      control.TransparentColor = frame.transparent;
      GifByteType block[4];
      EGifGCBToExtension(&control, block);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
    }
    EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                     nullptr);
    // Interlaced frames are written pass by pass, as a reader receives them.
    std::vector<int> order;
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    if (frame.interlaced) {
      for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < frame.height; y += steps[pass])
          order.push_back(y);
    } else {
      for (int y = 0; y < frame.height; ++y)
        order.push_back(y);
    }
    for (int y : order) {
      std::vector<GifPixelType> line(frame.indices.begin() + y * frame.width,
                                     frame.indices.begin() + (y + 1) * frame.width);
      EGifPutLine(gif, line.data(), frame.width);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

Bytes MakeBmp(const QImage& source, int bitCount, bool topDown) {
  const bool indexed = bitCount <= 8;
  QImage image = indexed ? source.convertToFormat(QImage::Format_Indexed8)
                         : source.convertToFormat(QImage::Format_RGB32);
  const QList<QRgb> table = indexed ? image.colorTable() : QList<QRgb>();
  if (indexed && table.size() > (1 << bitCount))
    throw std::invalid_argument("too many colours for the bit count");
  const int width = image.width();
  const int height = image.height();
  const uint32_t stride = (static_cast<uint32_t>(width) * bitCount + 31) / 32 * 4;
  const uint32_t colours = indexed ? static_cast<uint32_t>(table.size()) : 0;
  const uint32_t offset = 14 + 40 + colours * 4;
  Bytes b = {'B', 'M'};
  Put32(b, offset + stride * height);
  Put32(b, 0);
  Put32(b, offset);
  PutInfoHeader(b, width, topDown ? -height : height, bitCount, 0, colours);
  for (QRgb c : table)
    Put32(b, c & 0xFFFFFF);
  for (int i = 0; i < height; ++i) {
    const int y = topDown ? i : height - 1 - i;
    Bytes row(stride, 0);
    for (int x = 0; x < width; ++x) {
      if (indexed) {
        const uint8_t index = image.constScanLine(y)[x];
        const int bit = x * bitCount;
        row[bit / 8] |= static_cast<uint8_t>(index << (8 - bitCount - bit % 8));
        continue;
      }
      const QRgb c = image.pixel(x, y);
      if (bitCount == 16) {
        const uint16_t v = static_cast<uint16_t>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) |
                                                 (qBlue(c) >> 3));
        row[2 * x] = v & 0xFF;
        row[2 * x + 1] = v >> 8;
      } else {
        const int bytes = bitCount / 8;
        row[bytes * x] = qBlue(c);
        row[bytes * x + 1] = qGreen(c);
        row[bytes * x + 2] = qRed(c);
        if (bytes == 4) row[bytes * x + 3] = 0;
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes MakeDib(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  Bytes bmp = MakeBmp(image, 24);
  return Bytes(bmp.begin() + 14, bmp.end());
}

Bytes MakeIco(const std::vector<IconImage>& images) {
  std::vector<Bytes> data;
  for (const IconImage& icon : images) {
    if (icon.png) {
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      QImageWriter(&buffer, "png").write(icon.image);
      data.emplace_back(png.begin(), png.end());
      continue;
    }
    // A BMP-style icon image: the info header with the height doubled, 32-bit rows with
    // alpha, then the 1-bit AND mask.
    const QImage image = icon.image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    Bytes b;
    PutInfoHeader(b, w, 2 * h, 32, 0, 0);
    for (int y = h - 1; y >= 0; --y)
      for (int x = 0; x < w; ++x)
        Put32(b, image.pixel(x, y));
    const int maskStride = (w + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
      Bytes row(static_cast<size_t>(maskStride), 0);
      for (int x = 0; x < w; ++x)
        if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      b.insert(b.end(), row.begin(), row.end());
    }
    data.push_back(b);
  }
  Bytes ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, static_cast<uint16_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const QImage& image = images[i].image;
    ico.push_back(static_cast<uint8_t>(image.width() >= 256 ? 0 : image.width()));
    ico.push_back(static_cast<uint8_t>(image.height() >= 256 ? 0 : image.height()));
    ico.push_back(0);
    ico.push_back(0);
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, static_cast<uint32_t>(data[i].size()));
    Put32(ico, offset);
    offset += static_cast<uint32_t>(data[i].size());
  }
  for (const Bytes& d : data)
    ico.insert(ico.end(), d.begin(), d.end());
  return ico;
}

}  // namespace quillon::fixtures
