// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/PageKinds.h"

namespace quillon {

const char* PageKindName(int32_t kind) {
  static constexpr const char* kNames[kPageKindCount] = {
      "Illustrations",  "Postcards",     "Greeting Cards",     "Business Cards",
      "Labels",         "CD/DVD Labels", "Jewel Case Inserts", "DVD Case Inserts",
      "Digital Images", "Brochures",     "Tent Cards"};
  return IsPageKind(kind) ? kNames[kind - 1] : "";
}

const char* UnitCaption(int32_t units) {
  static constexpr const char* kCaptions[3] = {"Pixels", "Millimeters", "Inches"};
  return IsPageUnit(units) ? kCaptions[units - 1] : "";
}

}  // namespace quillon
