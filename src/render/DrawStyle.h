// SPDX-License-Identifier: GPL-3.0-or-later
// What decides how an item is drawn beyond its mapping: the caller's mode, and the style of one
// item that the item renderer resolves from it and the document.
#pragma once

#include <cstdint>

namespace quillon {

// How items are drawn beyond their mapping.
struct RenderMode {
  bool window = false;       // into the window canvas at its zoom rather than at print quality
  bool shadows = true;       // "Show all shadows"
  bool surfaces = true;      // "Show all 3-D effects"
  bool pictures = true;      // "Show all pictures"; off: pictures draw as outlines
  bool quick = false;        // while items are dragged: no shadows, flat surfaces
  bool busyLoading = false;  // while a document is being loaded and first laid out
  // The window's outline colours of pictures while dragged and with pictures off.
  uint32_t dragOutline = 255;
  uint32_t dragOutlineGap = 65535;
  uint32_t pictureOutline = 0;
  uint32_t pictureOutlineGap = 65535;
};

// How one text or picture item is drawn, resolved from the mode and the document.
struct DrawStyle {
  bool window = false;  // the window canvas at its zoom (window shadow distance, blur at scale 1)
  bool shadow = false;  // the shadow first, when the item has one
  int light = 0;        // the document's light direction
  int surface = 0;      // 0 flat; otherwise the 3-D surface (of text lines, of wide frames)
};

}  // namespace quillon
