// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures decoded once for a whole sheet: while a DecodeSession lives, every thread that asks
// for the picture of the same bytes gets the one decoded bitmap, and a second thread can decode
// the sources of a drawing before the drawing reaches them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "document/ItemList.h"
#include "render/Bitmap.h"

namespace quillon {

// Keeps decoded pictures while it lives; the last session to end forgets them all. Sessions may
// nest and may live on several threads at once.
class DecodeSession {
 public:
  DecodeSession();
  ~DecodeSession();
  DecodeSession(const DecodeSession&) = delete;
  DecodeSession& operator=(const DecodeSession&) = delete;
};

// The picture that bytes of the given type hold, decoded to 24 bits, or null when they do not
// decode or the picture is a pixel wide or high or less. Within a session the same bytes are
// decoded once (a caller that asks while another thread decodes them waits for that bitmap), as
// long as the kept pictures stay within kSharedDecodeBudget bytes; otherwise they are decoded
// afresh. Throws what decoding throws (std::bad_alloc).
std::shared_ptr<const Bitmap> DecodeShared(std::span<const uint8_t> bytes, int32_t type);

// How many bytes of decoded pictures a session keeps at most.
inline constexpr int64_t kSharedDecodeBudget = int64_t{128} << 20;

// Gets ready, on a second thread, what drawing the given items will need: the font database
// when there is text, then the decoded sources of the pictures, in drawing order. The drawing
// itself goes on meanwhile and takes what is ready; destroying this object stops the work after
// the step at hand and waits for that step only: a thread that has not started by then does
// nothing. Without a second core nothing is started.
class DrawingAhead {
 public:
  DrawingAhead(const ItemList& list, const std::vector<const ItemRecord*>& order);
  ~DrawingAhead();
  DrawingAhead(const DrawingAhead&) = delete;
  DrawingAhead& operator=(const DrawingAhead&) = delete;

 private:
  struct Work;
  DecodeSession session_;
  std::shared_ptr<Work> work_;
};

}  // namespace quillon
