// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures through libjpeg-turbo, scaled in the DCT when the clip editor asks for it.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "render/decoders/DecodePicture.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace quillon {
namespace {

// Real encoders write a few dozen scans at most; a cap keeps hostile files from making libjpeg
// repeat whole-picture work thousands of times.
constexpr int kMaxScans = 100;

struct JpegSession {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  bool created = false;

  JpegSession() = default;
  JpegSession(const JpegSession&) = delete;
  JpegSession& operator=(const JpegSession&) = delete;
  ~JpegSession() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

JpegSession& SessionOf(j_common_ptr info) {
  return *static_cast<JpegSession*>(info->client_data);
}

[[noreturn]] void FailWith(j_common_ptr info, const char* text) {
  JpegSession& session = SessionOf(info);
  std::snprintf(session.message, sizeof session.message, "%s", text);
  std::longjmp(session.jump, 1);
}

[[noreturn]] void ExitOnError(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  FailWith(info, text);
}

// Warnings are ignored except those that would make libjpeg invent the rest of the picture:
// running out of data, a marker inside the coded data, or a lost restart marker. Failing there
// also keeps the work proportional to the bytes a file really holds.
void EmitMessage(j_common_ptr info, int level) {
  if (level != -1) return;
  const int code = info->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC)
    ExitOnError(info);
  ++info->err->num_warnings;
}

void LimitScans(j_common_ptr info) {
  if (!info->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
    FailWith(info, "it has more scans than any encoder writes");
}

// Each call into libjpeg runs in a function of its own whose frame holds nothing with a
// destructor, so that the error handler's longjmp back into it is well defined.
bool ReadHeader(JpegSession& s, const uint8_t* data, size_t size) {
  if (setjmp(s.jump)) return false;
  s.info.err = jpeg_std_error(&s.errors);
  s.errors.error_exit = ExitOnError;
  s.errors.emit_message = EmitMessage;
  s.info.client_data = &s;
  jpeg_create_decompress(&s.info);
  s.created = true;
  s.progress.progress_monitor = LimitScans;
  s.info.progress = &s.progress;
  jpeg_mem_src(&s.info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s.info, TRUE);
  return true;
}

bool StartDecompress(JpegSession& s) {
  if (setjmp(s.jump)) return false;
  jpeg_start_decompress(&s.info);
  return true;
}

bool ReadScanline(JpegSession& s, uint8_t* row) {
  if (setjmp(s.jump)) return false;
  JSAMPROW rows[1] = {row};
  if (jpeg_read_scanlines(&s.info, rows, 1) == 1) return true;
  std::snprintf(s.message, sizeof s.message, "%s", "it ends before its last row");
  return false;
}

DecodedPicture Failure(const JpegSession& s) {
  return DecodedPicture::Failure(std::string("The JPEG picture could not be read: ") + s.message +
                                 ".");
}

// Every block of every component costs at least one bit of coded data (its DC code), so a file
// announcing more blocks than eight per byte is damaged; refusing it early spares allocating a
// picture the data can never fill.
bool HoldsEnoughData(const jpeg_decompress_struct& info, size_t size) {
  uint64_t blocks = 0;
  for (int c = 0; c < info.num_components; ++c) {
    blocks += uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
  }
  return blocks <= 8 * uint64_t{size};
}

uint8_t Product(unsigned a, unsigned b) {
  return static_cast<uint8_t>((a * b + 127) / 255);
}

// Converts a CMYK row to blue, green, red. Adobe's files store the inks inverted, so that a
// stored value is the amount of paper left; others store the ink itself.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = Product(y, k);
    bgr[1] = Product(m, k);
    bgr[2] = Product(c, k);
  }
}

}  // namespace

DecodedPicture DecodeJpeg(std::span<const uint8_t> bytes, int scaleDenominator,
                          const DecodeLimits& limits) {
  if (scaleDenominator != 1 && scaleDenominator != 2 && scaleDenominator != 4 &&
      scaleDenominator != 8) {
    return DecodedPicture::Failure("JPEG pictures can be scaled by 1/2, 1/4 or 1/8 only.");
  }
  if (bytes.empty()) return DecodedPicture::Failure("The JPEG picture is empty.");
  JpegSession s;
  if (!ReadHeader(s, bytes.data(), bytes.size())) return Failure(s);
  jpeg_decompress_struct& info = s.info;
  if (std::string size = CheckPictureSize(info.image_width, info.image_height, limits);
      !size.empty()) {
    return DecodedPicture::Failure(size);
  }
  if (info.arith_code)
    return DecodedPicture::Failure("Arithmetic-coded JPEG pictures are not supported.");
  if (!HoldsEnoughData(info, bytes.size())) {
    return DecodedPicture::Failure(
        "The JPEG picture is damaged: it holds less data than its size needs.");
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (!cmyk && info.jpeg_color_space != JCS_GRAYSCALE && info.jpeg_color_space != JCS_YCbCr &&
      info.jpeg_color_space != JCS_RGB) {
    return DecodedPicture::Failure("The JPEG picture uses a colour space that cannot be shown.");
  }
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(scaleDenominator);
  if (!StartDecompress(s)) return Failure(s);

  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  Bitmap bitmap = Bitmap::TryCreate(width, height);
  if (bitmap.empty())
    return DecodedPicture::Failure("There is not enough memory to decode the JPEG picture.");
  std::vector<uint8_t> cmykRow(cmyk ? static_cast<size_t>(width) * 4 : 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* target = cmyk ? cmykRow.data() : bitmap.Row(y);
    if (!ReadScanline(s, target)) return Failure(s);
    if (cmyk) CmykToBgr(cmykRow.data(), bitmap.Row(y), width, info.saw_Adobe_marker);
  }
  DecodedPicture picture = DecodedPicture::Success(std::move(bitmap));
  picture.fullWidth = static_cast<int64_t>(info.image_width);
  picture.fullHeight = static_cast<int64_t>(info.image_height);
  return picture;
}

}  // namespace quillon
