// SPDX-License-Identifier: GPL-3.0-or-later
// The selection handles of an item as data: code, position in window pixels, and which of
// them is a rotation dot with its line. Drawing them is the canvas's job.
#pragma once

#include <cstdint>
#include <vector>

#include "document/ItemRecord.h"
#include "document/ToolNumbers.h"
#include "render/GeometryContext.h"

namespace quillon {


struct Handle {
  int32_t code = 0;
  Point position;            // window pixels
  bool rotationDot = false;  // drawn as a dot, joined by the rotation line to lineFrom
  Point lineFrom;
  bool groupColour = false;  // the centre handle of a group frame
  friend bool operator==(const Handle&, const Handle&) = default;
};

// The handles of an item as the window at this zoom and scroll shows them; oneSelected says
// whether it is the document's only selected item (centre handles and rotation dots).
void HandleLayout(const ItemRecord& item, bool oneSelected, Point scroll,
                  const GeometryContext& context, std::vector<Handle>& handles);

// The square a handle covers: (x - w div 2, y - h div 2) to (x + w div 2, y + h div 2).
BoundingBox HandleRect(Point position, HandleSize size);

}  // namespace quillon
