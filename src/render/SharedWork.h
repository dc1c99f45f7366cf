// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces of work shared between the calling thread and a second one, without ever waiting for
// the second thread to start: on a machine whose idle core wakes late it simply takes fewer
// pieces, or none.
#pragma once

#include <functional>
#include <memory>

namespace quillon {

// What one thread does: a Piece runs piece number i; each thread makes its own, so it can keep
// its own working memory from piece to piece.
using Piece = std::function<void(int)>;
using PieceMaker = std::function<Piece()>;

// Runs pieces 0..count-1, each exactly once, on the calling thread and, when there is a second
// core and count > 1, on a second thread as well: the calling thread takes them from the first
// up, the second thread from the last down, until they meet. Returns when every piece has run; the
// first exception a piece throws is thrown here once all pieces taken have ended. makePiece is
// called at most once per thread, on that thread, and only by a thread that has a piece to run.
void ShareWork(int count, const PieceMaker& makePiece);

}  // namespace quillon
