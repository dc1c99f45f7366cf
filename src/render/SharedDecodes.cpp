// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SharedDecodes.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

using SharedPicture = std::shared_ptr<const Bitmap>;

// One source's bytes and the picture they decode to, once it is there.
struct Entry {
  std::vector<uint8_t> bytes;
  int32_t type = 0;
  std::shared_future<SharedPicture> picture;
};

struct Memo {
  std::mutex mutex;
  int sessions = 0;
  int64_t held = 0;  // bytes of the pictures kept, and of the sources they were decoded from
  std::vector<std::shared_ptr<Entry>> entries;
};

Memo& TheMemo() {
  static Memo memo;
  return memo;
}

SharedPicture Decode(std::span<const uint8_t> bytes, int32_t type) {
  DecodedPicture decoded = DecodePicture(bytes, type);
  if (!decoded.ok() || decoded.bitmap.width() <= 1 || decoded.bitmap.height() <= 1) return {};
  return std::make_shared<const Bitmap>(std::move(decoded.bitmap));
}

bool SameSource(const Entry& entry, std::span<const uint8_t> bytes, int32_t type) {
  return entry.type == type && entry.bytes.size() == bytes.size() &&
         std::equal(bytes.begin(), bytes.end(), entry.bytes.begin());
}

// Whether a session keeps the picture of so many more source bytes.
bool RoomFor(std::size_t bytes) {
  Memo& memo = TheMemo();
  const std::lock_guard lock(memo.mutex);
  return memo.held + static_cast<int64_t>(bytes) <= kSharedDecodeBudget;
}

int64_t PictureBytes(const SharedPicture& picture) {
  return picture ? int64_t{picture->stride()} * picture->height() : 0;
}

}  // namespace

DecodeSession::DecodeSession() {
  Memo& memo = TheMemo();
  const std::lock_guard lock(memo.mutex);
  ++memo.sessions;
}

DecodeSession::~DecodeSession() {
  Memo& memo = TheMemo();
  std::vector<std::shared_ptr<Entry>> forgotten;
  {
    const std::lock_guard lock(memo.mutex);
    if (--memo.sessions > 0) return;
    forgotten.swap(memo.entries);
    memo.held = 0;
  }
  // The bitmaps are freed here, outside the lock; one still in use lives on with its user.
}

SharedPicture DecodeShared(std::span<const uint8_t> bytes, int32_t type) {
  Memo& memo = TheMemo();
  std::promise<SharedPicture> promise;
  {
    std::unique_lock lock(memo.mutex);
    if (memo.sessions == 0) {
      lock.unlock();
      return Decode(bytes, type);
    }
    for (const std::shared_ptr<Entry>& entry : memo.entries) {
      if (SameSource(*entry, bytes, type)) {
        const std::shared_future<SharedPicture> picture = entry->picture;
        lock.unlock();
        return picture.get();
      }
    }
    if (memo.held + static_cast<int64_t>(bytes.size()) > kSharedDecodeBudget) {
      lock.unlock();
      return Decode(bytes, type);
    }
    auto entry = std::make_shared<Entry>();
    entry->bytes.assign(bytes.begin(), bytes.end());
    entry->type = type;
    entry->picture = promise.get_future().share();
    memo.entries.push_back(std::move(entry));
    memo.held += static_cast<int64_t>(bytes.size());
  }
  SharedPicture picture;
  try {
    picture = Decode(bytes, type);
  } catch (...) {
    // Whoever waits for this picture learns the same failure.
    promise.set_exception(std::current_exception());
    throw;
  }
  promise.set_value(picture);
  const std::lock_guard lock(memo.mutex);
  memo.held += PictureBytes(picture);
  return picture;
}

DrawingAhead::DrawingAhead(const ItemList& list, const std::vector<const ItemRecord*>& order) {
  if (std::thread::hardware_concurrency() < 2) return;
  const bool text = std::any_of(order.begin(), order.end(),
                                [](const ItemRecord* r) { return r->kind() == kKindText; });
  std::vector<const ItemRecord*> sources;
  for (const ItemRecord* r : order) {
    if (r->kind() != kKindPicture) continue;
    const ItemRecord* source = FindSource(list, r->sourceNumber());
    if (source == nullptr || source->pictureData.empty()) continue;
    if (std::find(sources.begin(), sources.end(), source) == sources.end()) {
      sources.push_back(source);
    }
  }
  // Fonts can only be had once the application is there.
  const bool fonts =
      text && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  if (!fonts && sources.empty()) return;
  const auto work = [this, fonts, sources = std::move(sources)] {
    try {
      // Listing the families makes the font database read the system's fonts, which the first
      // text would otherwise wait for.
      if (fonts) static_cast<void>(QFontDatabase::families());
      for (const ItemRecord* source : sources) {
        // Once the session keeps no more, the drawing decodes the rest as it goes.
        if (stop_.load(std::memory_order_relaxed) || !RoomFor(source->pictureData.size())) return;
        DecodeShared(source->pictureData, source->clipShape());
      }
    } catch (...) {
      // The drawing meets the same failure when it decodes the picture itself.
    }
  };
  try {
    work_ = std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    // Without a second thread the drawing gets everything ready itself.
  }
}

DrawingAhead::~DrawingAhead() {
  stop_.store(true, std::memory_order_relaxed);
  if (work_.valid()) work_.wait();
}

}  // namespace quillon
