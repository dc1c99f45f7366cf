// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SharedWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <vector>

namespace quillon {
namespace {

TEST(SharedWork, EveryPieceRunsOnceWithItsThreadsOwnState) {
  for (int count : {0, 1, 2, 7, 500}) {
    std::vector<std::atomic<int>> runs(count);
    std::atomic<int> made{0};
    ShareWork(count, [&]() -> Piece {
      ++made;
      auto thread = std::this_thread::get_id();
      return [&, thread](int i) {
        EXPECT_EQ(thread, std::this_thread::get_id()) << "a piece runs on the thread that made it";
        ++runs[i];
      };
    });
    for (int i = 0; i < count; ++i)
      EXPECT_EQ(runs[i].load(), 1) << count << " pieces, piece " << i;
    EXPECT_LE(made.load(), count == 1 ? 1 : 2) << count;
    EXPECT_EQ(made.load() == 0, count == 0) << count;
  }
}

TEST(SharedWork, AFailingPieceFailsTheWholeAfterTheOthersEnd) {
  std::atomic<int> running{0};
  std::atomic<bool> thrown{false};
  const auto caller = std::this_thread::get_id();
  const auto fails = [&] {
    ShareWork(40, [&]() -> Piece {
      return [&](int i) {
        ++running;
        // A piece on the second thread lasts until the failure: it still runs when piece 3,
        // which the calling thread always takes, throws.
        if (std::this_thread::get_id() != caller) {
          while (!thrown)
            std::this_thread::yield();
        }
        --running;
        if (i == 3) {
          thrown = true;
          throw std::bad_alloc();
        }
      };
    });
  };
  EXPECT_THROW(fails(), std::bad_alloc);
  EXPECT_EQ(running.load(), 0) << "nothing still runs once the failure is told";
  EXPECT_THROW(ShareWork(3, []() -> Piece { throw std::bad_alloc(); }), std::bad_alloc)
      << "nor when a thread cannot even get ready";
}

}  // namespace
}  // namespace quillon
