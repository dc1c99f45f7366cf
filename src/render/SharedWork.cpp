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
  const PieceMaker* makePiece = nullptr;  // valid while pieces remain to be taken or to end
  std::mutex mutex;
  int count = 0;
  int front = 0, back = 0;  // the pieces front..back - 1 are not taken yet
  std::condition_variable ended;
  int endedCount = 0;
  std::exception_ptr failure;
  bool failed = false;

  // The caller takes the first piece left, the second thread the last one, so that each thread's
  // pieces follow one another; -1 when none is left.
  int Claim(bool first) {
    const std::lock_guard lock(mutex);
    if (front >= back) return -1;
    return first ? front++ : --back;
  }

  // Takes pieces until none is left. The piece function is made on the first piece taken and
  // is gone, with whatever it keeps, before the pieces it ran count as ended: once they all
  // have, the caller returns and what the function refers to may be gone.
  void Take(bool first) {
    int taken = 0;
    {
      Piece piece;
      for (int i = Claim(first); i >= 0; i = Claim(first)) {
        ++taken;
        try {
          if (Failed()) continue;  // after a failure the rest are only counted
          if (!piece) piece = (*makePiece)();
          piece(i);
        } catch (...) {
          const std::lock_guard lock(mutex);
          failed = true;
          if (!failure) failure = std::current_exception();
        }
      }
    }
    if (taken == 0) return;
    const std::lock_guard lock(mutex);
    endedCount += taken;
    if (endedCount == count) ended.notify_all();
  }

  bool Failed() {
    const std::lock_guard lock(mutex);
    return failed;
  }
};

}  // namespace

void ShareWork(int count, const PieceMaker& makePiece) {
  if (count <= 0) return;
  auto work = std::make_shared<Work>();
  work->count = count;
  work->back = count;
  work->makePiece = &makePiece;
  if (count > 1 && std::thread::hardware_concurrency() >= 2) {
    try {
      std::thread([work] { work->Take(false); }).detach();
    } catch (const std::system_error&) {
      // Without a second thread the caller runs every piece.
    }
  }
  work->Take(true);
  std::unique_lock lock(work->mutex);
  work->ended.wait(lock, [&] { return work->endedCount == count; });
  if (work->failure) std::rethrow_exception(work->failure);
}

}  // namespace quillon
