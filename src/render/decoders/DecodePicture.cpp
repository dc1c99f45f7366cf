// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/decoders/DecodePicture.h"

#include <cstring>

#include "render/decoders/MetafilePlayer.h"

namespace quillon {
namespace {

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t at) {
  uint32_t value = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

uint16_t ReadU16(std::span<const uint8_t> bytes, size_t at) {
  uint16_t value = 0;
  if (at + 2 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

// An EMF starts with its header record (type 1) carrying the signature " EMF" at byte 40.
bool LooksLikeEmf(std::span<const uint8_t> bytes) {
  return ReadU32(bytes, 0) == 1 && ReadU32(bytes, 40) == 0x464D4520;
}

// A WMF starts with the placeable header's key, or with a header record of type 1 (memory) or
// 2 (disk) whose header is 9 words long.
bool LooksLikeWmf(std::span<const uint8_t> bytes) {
  if (ReadU32(bytes, 0) == 0x9AC6CDD7) return true;
  const uint16_t kind = ReadU16(bytes, 0);
  return bytes.size() >= 18 && (kind == 1 || kind == 2) && ReadU16(bytes, 2) == 9;
}

// A count with its thousands separated by commas: 30,000.
std::string Grouped(int64_t value) {
  const std::string digits = std::to_string(value < 0 ? -value : value);
  std::string grouped = value < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

std::string CheckPictureSize(int64_t width, int64_t height, const DecodeLimits& limits) {
  if (width <= limits.maxSide && height <= limits.maxSide && width * height <= limits.maxPixels)
    return {};
  const std::string side = Grouped(limits.maxSide);
  const std::string all = limits.maxPixels % 1'000'000 == 0
                              ? std::to_string(limits.maxPixels / 1'000'000) + " megapixels"
                              : Grouped(limits.maxPixels) + " pixels";
  return "The picture is " + Grouped(width) + " x " + Grouped(height) +
         " pixels; pictures larger than " + side + " x " + side + " pixels or " + all +
         " cannot be opened.";
}

DecodedPicture DecodeMetafile(std::span<const uint8_t> bytes, const DecodeLimits& limits) {
  if (LooksLikeEmf(bytes)) return PlayEmf(bytes, limits);
  if (LooksLikeWmf(bytes)) return PlayWmf(bytes, limits);
  return DecodedPicture::Failure(
      "The file is neither an enhanced metafile (EMF) nor a Windows metafile (WMF).");
}

DecodedPicture DecodePicture(std::span<const uint8_t> bytes, int32_t type) {
  if (bytes.empty()) return DecodedPicture::Failure("The picture file is empty.");
  switch (type) {
    case kPictureGif:
      return DecodeGif(bytes);
    case kPictureBmp:
      return DecodeBmp(bytes);
    case kPictureIco:
      return DecodeIco(bytes);
    case kPictureJpeg:
      return DecodeJpeg(bytes);
    case kPictureMetafile:
      return DecodeMetafile(bytes);
    default:
      return DecodedPicture::Failure("Pictures of type " + std::to_string(type) +
                                     " cannot be decoded.");
  }
}

}  // namespace quillon
