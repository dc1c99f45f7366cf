// SPDX-License-Identifier: GPL-3.0-or-later
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "output/PictureWriters.h"

namespace quillon {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->escape, 1);
}

// The libjpeg calls, kept free of objects with destructors because an error leaves by longjmp.
// Returns a malloc'd buffer (freed by the caller) or null with message filled.
unsigned char* Compress(const Bitmap& picture, int dpi, unsigned long* size, char* message) {
  jpeg_compress_struct info;
  ErrorManager errors;
  unsigned char* buffer = nullptr;
  *size = 0;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.message[0] = '\0';
  if (setjmp(errors.escape)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    return nullptr;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, size);
  info.image_width = static_cast<JDIMENSION>(picture.width());
  info.image_height = static_cast<JDIMENSION>(picture.height());
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;  // our rows as they are: blue, green, red
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  // Full-resolution colour keeps coloured text and thin lines crisp.
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  info.optimize_coding = TRUE;  // smaller files; still a baseline frame
  info.density_unit = 1;        // dots per inch
  info.X_density = static_cast<UINT16>(dpi > 0 && dpi < 65536 ? dpi : 96);
  info.Y_density = info.X_density;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.Row(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return buffer;
}

}  // namespace

QByteArray EncodeJpeg(const Bitmap& picture, int dpi, std::string* error) {
  if (picture.empty() || picture.width() > 65500 || picture.height() > 65500) {
    if (error) *error = "A JPEG picture must be 1 to 65,500 pixels on each side";
    return {};
  }
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = "";
  unsigned char* buffer = Compress(picture, dpi, &size, message);
  if (buffer == nullptr) {
    if (error) *error = message;
    return {};
  }
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return bytes;
}

}  // namespace quillon
