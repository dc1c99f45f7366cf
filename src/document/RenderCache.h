// SPDX-License-Identifier: GPL-3.0-or-later
// What drawing keeps on an item record between paints (the window's scaled picture). The record
// owns it and lets it go with itself; only the code that fills it knows its form, and it decides
// by itself when what it holds no longer fits the record.
#pragma once

namespace quillon {

class RenderCache {
 public:
  virtual ~RenderCache() = default;
};

}  // namespace quillon
