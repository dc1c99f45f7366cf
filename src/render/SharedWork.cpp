// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SharedWork.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace quillon {
namespace {

// Shared by the caller and the second thread; the second thread holds it for as long as it
// runs, so a thread that starts after the work is over finds nothing to take and ends.
struct Work {
  int count = 0;
  const PieceMaker* makePiece = nullptr;  // valid while pieces remain to be taken or to end
  std::atomic<int> next{0};
  std::mutex mutex;
  std::condition_variable ended;
  int endedCount = 0;
  std::exception_ptr failure;
  std::atomic<bool> failed{false};

  // Takes pieces until none is left. The piece function is made on the first piece taken and
  // is gone, with whatever it keeps, before the pieces it ran count as ended: once they all
  // have, the caller returns and what the function refers to may be gone.
  void Take() {
    int taken = 0;
    {
      Piece piece;
      for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
        ++taken;
        if (failed.load()) continue;  // after a failure the rest are only counted
        try {
          if (!piece) piece = (*makePiece)();
          piece(i);
        } catch (...) {
          failed = true;
          const std::lock_guard lock(mutex);
          if (!failure) failure = std::current_exception();
        }
      }
    }
    if (taken == 0) return;
    const std::lock_guard lock(mutex);
    endedCount += taken;
    if (endedCount == count) ended.notify_all();
  }
};

}  // namespace

void ShareWork(int count, const PieceMaker& makePiece) {
  if (count <= 0) return;
  auto work = std::make_shared<Work>();
  work->count = count;
  work->makePiece = &makePiece;
  if (count > 1 && std::thread::hardware_concurrency() >= 2) {
    try {
      std::thread([work] { work->Take(); }).detach();
    } catch (const std::system_error&) {
      // Without a second thread the caller runs every piece.
    }
  }
  work->Take();
  std::unique_lock lock(work->mutex);
  work->ended.wait(lock, [&] { return work->endedCount == count; });
  if (work->failure) std::rethrow_exception(work->failure);
}

}  // namespace quillon
