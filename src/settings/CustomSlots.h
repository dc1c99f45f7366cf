// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own entries of the value lists: twelve slots A to L per list, their records, the
// validation that decides whether a slot is in use, and the user colours.
#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>

#include "document/ScreenMetrics.h"

namespace quillon {

inline constexpr int kCustomSlots = 12;
inline constexpr int kPatternSlotSegments = 12;

// The letter of slot i (0 .. 11): A .. L.
inline QChar SlotLetter(int i) {
  return QChar(u'A' + i);
}

// Weight units: 1 pixels, 2 millimetres, 3 inches. Angle units: 1 degrees, 2 radians.
inline constexpr int32_t kAngleDegrees = 1;
inline constexpr int32_t kAngleRadians = 2;

// The heaviest custom line weight and the range of custom font sizes; beyond them a slot stays
// unused, since drawing a line or text that large would allocate gigabytes.
inline constexpr double kMaxCustomWeightMm = 100;
inline constexpr int32_t kMinCustomFontSize = 1;
inline constexpr int32_t kMaxCustomFontSize = 1638;

struct custThicknessRec_t {
  double mm = 0;
  int32_t pixels = 0;
  int32_t units = 2;
  QString name;
  QString typed;  // the value as typed
  uint8_t inUse = 0;
  uint8_t justSaved = 0;
  friend bool operator==(const custThicknessRec_t&, const custThicknessRec_t&) = default;
};

// Segments alternate dash and space, starting with a dash.
struct custPatternRec_t {
  int32_t units = 2;
  int32_t count = 0;  // leading segments in use
  QString name;
  std::array<QString, kPatternSlotSegments> typed;
  std::array<double, kPatternSlotSegments> mm{};
  std::array<int32_t, kPatternSlotSegments> pixels{};
  uint8_t inUse = 0;
  uint8_t justSaved = 0;
  friend bool operator==(const custPatternRec_t&, const custPatternRec_t&) = default;
};

// A line direction or text angle (degrees, kept in 0..360) or a font size (points).
struct custDirectionRec_t {
  double value = 0;
  int32_t units = kAngleDegrees;
  QString name;
  QString typed;
  uint8_t inUse = 0;
  uint8_t justSaved = 0;
  friend bool operator==(const custDirectionRec_t&, const custDirectionRec_t&) = default;
};

struct custShadowRec_t {
  QString name;
  int32_t size = 85;
  int32_t softness = 85;
  int32_t lightness = 85;
  uint8_t shown = 0;  // offered in the shadow list
  std::array<uint8_t, 2> spare{};
  friend bool operator==(const custShadowRec_t&, const custShadowRec_t&) = default;
};

using ThicknessSlots = std::array<custThicknessRec_t, kCustomSlots>;
using PatternSlots = std::array<custPatternRec_t, kCustomSlots>;
using DirectionSlots = std::array<custDirectionRec_t, kCustomSlots>;
using ShadowSlots = std::array<custShadowRec_t, kCustomSlots>;
using UserColours = std::array<int32_t, kCustomSlots>;  // -1 = empty

enum class DirectionRole { LineDirections, TextAngles, FontSizes };

// Twelve empty slots named "Weight A" .. "Weight L" (and "Pattern ", "Angle ", "Size ",
// "Shadow "); empty direction slots take the given angle unit.
ThicknessSlots EmptyThicknessSlots();
PatternSlots EmptyPatternSlots();
DirectionSlots EmptyDirectionSlots(DirectionRole role, int32_t angleUnits);
ShadowSlots EmptyShadowSlots();
UserColours EmptyUserColours();

// A weight is in use when its typed value is a non-zero measure of at most kMaxCustomWeightMm;
// its absolute value becomes millimetres and screen pixels by its unit.
void ValidateThickness(custThicknessRec_t& slot, const ScreenMetrics& screen);
// Each typed segment that is a measure is converted like a weight; in use when the first two
// segments are above zero; count = leading segments that parse and are not zero.
void ValidatePattern(custPatternRec_t& slot, const ScreenMetrics& screen);
// Directions and text angles: a name, a measure and unit 1 or 2; radians become degrees and the
// value is brought into 0..360. Font sizes: a name and a whole number whose absolute value is
// 1 to 1638 points.
void ValidateDirection(custDirectionRec_t& slot, DirectionRole role);
// A shadow is in use when it is shown.
inline bool ShadowInUse(const custShadowRec_t& slot) {
  return slot.shown != 0;
}

// The weight dialog's Save of one slot: name and value trimmed; a value with double quotes is
// in inches whatever unit was chosen; then validated.
void EnterThickness(custThicknessRec_t& slot, const QString& name, const QString& value,
                    int32_t units, const ScreenMetrics& screen);

// Why a weight as the weight dialog keeps it (after EnterThickness) cannot be used, as a sentence;
// empty when it can be, or when it is empty or zero, which removes the weight from the list.
QString ThicknessRefusal(const custThicknessRec_t& slot, const ScreenMetrics& screen);

// Puts a colour into the first user colour slot, moving the others down (the twelfth drops
// out); nothing when it is already there or is not a colour (negative or above 0x2FFFFFF).
// Returns whether it was added.
bool AddUserColour(UserColours& colours, int32_t colour);

}  // namespace quillon
