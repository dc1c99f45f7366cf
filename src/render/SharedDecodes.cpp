// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SharedDecodes.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <future>
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
  int64_t cost = 0;  // the bytes kept: the source's, and the picture's once decoded
};

struct Memo {
  std::mutex mutex;
  int sessions = 0;
  std::vector<std::shared_ptr<Entry>> entries;

  // Whether so many more bytes may be kept; called with the mutex held.
  bool Fits(std::size_t more) const {
    int64_t held = static_cast<int64_t>(more);
    for (const std::shared_ptr<Entry>& entry : entries)
      held += entry->cost;
    return held <= kSharedDecodeBudget;
  }
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
  return memo.Fits(bytes);
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
  }
  // The bitmaps are freed here, outside the lock; one still in use lives on with its user.
}

SharedPicture DecodeShared(std::span<const uint8_t> bytes, int32_t type) {
  Memo& memo = TheMemo();
  std::promise<SharedPicture> promise;
  std::shared_ptr<Entry> entry;
  {
    std::unique_lock lock(memo.mutex);
    if (memo.sessions == 0) {
      lock.unlock();
      return Decode(bytes, type);
    }
    for (const std::shared_ptr<Entry>& kept : memo.entries) {
      if (SameSource(*kept, bytes, type)) {
        const std::shared_future<SharedPicture> picture = kept->picture;
        lock.unlock();
        return picture.get();
      }
    }
    if (!memo.Fits(bytes.size())) {
      lock.unlock();
      return Decode(bytes, type);
    }
    entry = std::make_shared<Entry>();
    entry->bytes.assign(bytes.begin(), bytes.end());
    entry->type = type;
    entry->picture = promise.get_future().share();
    entry->cost = static_cast<int64_t>(bytes.size());
    memo.entries.push_back(entry);
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
  // A session that ended meanwhile has forgotten the entry, and its cost with it.
  const std::lock_guard lock(memo.mutex);
  entry->cost += PictureBytes(picture);
  return picture;
}

// Shared by the drawing and the second thread, which holds it while it runs: the drawing may
// end before that thread starts, which then finds the work stopped and touches nothing else.
struct DrawingAhead::Work {
  std::mutex mutex;
  std::condition_variable idle;
  bool stopped = false;
  bool busy = false;

  // Starts a step unless the work was stopped; every step started is ended with EndStep.
  bool BeginStep() {
    const std::lock_guard lock(mutex);
    busy = !stopped;
    return busy;
  }
  void EndStep() {
    const std::lock_guard lock(mutex);
    busy = false;
    idle.notify_all();
  }
  // Stops the work once the step under way, if any, has ended.
  void Stop() {
    std::unique_lock lock(mutex);
    stopped = true;
    idle.wait(lock, [this] { return !busy; });
  }
};

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
  work_ = std::make_shared<Work>();
  // The sources are records of the list, read only within a step, while the drawing waits.
  const auto run = [work = work_, fonts, sources = std::move(sources)] {
    const auto step = [&work](const auto& action) {
      if (!work->BeginStep()) return false;
      try {
        action();
      } catch (...) {
        // The drawing meets the same failure when it gets the same thing itself.
      }
      work->EndStep();
      return true;
    };
    // Listing the families makes the font database read the system's fonts, which the first
    // text would otherwise wait for.
    if (fonts && !step([] { static_cast<void>(QFontDatabase::families()); })) return;
    for (const ItemRecord* source : sources) {
      // Once the session keeps no more, the drawing decodes the rest as it goes.
      bool room = true;
      if (!step([&] {
            room = RoomFor(source->pictureData.size());
            if (room) DecodeShared(source->pictureData, source->clipShape());
          }) ||
          !room) {
        return;
      }
    }
  };
  try {
    std::thread(run).detach();
  } catch (const std::system_error&) {
    // Without a second thread the drawing gets everything ready itself.
    work_.reset();
  }
}

DrawingAhead::~DrawingAhead() {
  if (work_) work_->Stop();
}

}  // namespace quillon
