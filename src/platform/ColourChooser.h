// SPDX-License-Identifier: GPL-3.0-or-later
// The colour chooser: starts from a colour, offers sixteen custom colour slots that it reads
// and writes, and returns the colour chosen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quillon {

// Colour references have red in the low byte (0x00BBGGRR); 0xFFFFFFFF marks an empty slot.
using CustomColourSlots = std::array<uint32_t, 16>;

class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  // The chosen colour, or nothing when cancelled; the slots hold the user's custom colours
  // afterwards, also when cancelled.
  virtual std::optional<uint32_t> ChooseColour(uint32_t initial, CustomColourSlots& custom) = 0;
};

}  // namespace quillon
