// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CustomSlots.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "document/Geometry.h"
#include "page/SizeText.h"
#include "settings/NumberText.h"

namespace quillon {
namespace {

QString SlotName(const char* prefix, int i) {
  return QString::fromLatin1(prefix) + SlotLetter(i);
}

struct Converted {
  double mm = 0;
  int32_t pixels = 0;
};

// The absolute value v of a weight or pattern segment in its unit, as millimetres and pixels;
// nullopt for an unknown unit or a size too large to draw.
std::optional<Converted> ConvertLength(double v, int32_t units, const ScreenMetrics& screen) {
  v = std::abs(v);
  Converted c;
  switch (units) {
    case 1:
      c.mm = RoundToInt32(v) / screen.PxPerMmX();
      break;
    case 2:
      c.mm = v;
      break;
    case 3:
      c.mm = v * 25.4;
      break;
    default:
      return std::nullopt;
  }
  if (!std::isfinite(c.mm)) return std::nullopt;
  c.pixels = RoundToInt32(c.mm * screen.PxPerMmX());
  return c;
}

// Adds or subtracts whole turns until the angle lies in 0..360, as repeated steps of 360 would,
// but in one step so that huge values cannot stall.
double IntoOneTurn(double degrees) {
  if (degrees > 360) {
    const double r = std::fmod(degrees, 360.0);
    return r == 0 ? 360.0 : r;
  }
  if (degrees < 0) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360.0 : 0.0;
  }
  return degrees;
}

}  // namespace

ThicknessSlots EmptyThicknessSlots() {
  ThicknessSlots result;
  for (int i = 0; i < kCustomSlots; ++i)
    result[i].name = SlotName("Weight ", i);
  return result;
}

PatternSlots EmptyPatternSlots() {
  PatternSlots result;
  for (int i = 0; i < kCustomSlots; ++i)
    result[i].name = SlotName("Pattern ", i);
  return result;
}

DirectionSlots EmptyDirectionSlots(DirectionRole role, int32_t angleUnits) {
  DirectionSlots result;
  const char* prefix = role == DirectionRole::FontSizes ? "Size " : "Angle ";
  for (int i = 0; i < kCustomSlots; ++i) {
    result[i].name = SlotName(prefix, i);
    result[i].units = angleUnits;
  }
  return result;
}

ShadowSlots EmptyShadowSlots() {
  ShadowSlots result;
  for (int i = 0; i < kCustomSlots; ++i)
    result[i].name = SlotName("Shadow ", i);
  return result;
}

UserColours EmptyUserColours() {
  UserColours colours;
  colours.fill(-1);
  return colours;
}

void ValidateThickness(custThicknessRec_t& slot, const ScreenMetrics& screen) {
  slot.inUse = 0;
  const auto value = ParseMeasure(slot.typed);
  if (!value || *value == 0) return;
  const auto converted = ConvertLength(*value, slot.units, screen);
  if (!converted || converted->mm > kMaxCustomWeightMm) return;
  slot.mm = converted->mm;
  slot.pixels = converted->pixels;
  slot.inUse = 1;
}

void ValidatePattern(custPatternRec_t& slot, const ScreenMetrics& screen) {
  slot.count = 0;
  bool leading = true;
  for (int i = 0; i < kPatternSlotSegments; ++i) {
    const auto value = ParseMeasure(slot.typed[i]);
    const auto converted = value ? ConvertLength(*value, slot.units, screen) : std::nullopt;
    slot.mm[i] = converted ? converted->mm : 0;
    slot.pixels[i] = converted ? converted->pixels : 0;
    leading = leading && converted && *value != 0;
    if (leading) ++slot.count;
  }
  slot.inUse = slot.mm[0] > 0 && slot.mm[1] > 0 ? 1 : 0;
}

void ValidateDirection(custDirectionRec_t& slot, DirectionRole role) {
  slot.inUse = 0;
  if (slot.name.trimmed().isEmpty() || slot.typed.trimmed().isEmpty()) return;
  if (role == DirectionRole::FontSizes) {
    const auto points = ParseWholeNumber(slot.typed);
    if (!points) return;
    const double size = std::abs(static_cast<double>(*points));
    if (size < kMinCustomFontSize || size > kMaxCustomFontSize) return;
    slot.value = size;
    slot.inUse = 1;
    return;
  }
  if (slot.units != kAngleDegrees && slot.units != kAngleRadians) return;
  const auto value = ParseMeasure(slot.typed);
  if (!value) return;
  const double degrees = slot.units == kAngleRadians ? *value * 180 / std::numbers::pi : *value;
  if (!std::isfinite(degrees)) return;
  slot.value = IntoOneTurn(degrees);
  slot.inUse = 1;
}

void EnterThickness(custThicknessRec_t& slot, const QString& name, const QString& value,
                    int32_t units, const ScreenMetrics& screen) {
  slot.name = name.trimmed();
  slot.typed = value.trimmed();
  slot.units = units;
  if (slot.typed.contains(u'"')) {
    slot.typed.remove(u'"');
    slot.units = 3;
  }
  ValidateThickness(slot, screen);
}

QString ThicknessRefusal(const custThicknessRec_t& slot, const ScreenMetrics& screen) {
  if (slot.typed.trimmed().isEmpty()) return {};
  const auto value = ParseMeasure(slot.typed);
  const QString quoted = u'"' + slot.typed + u'"';
  if (!value) {
    return quoted + QStringLiteral(" is not a thickness: type a number such as 0.3 or 1/2.");
  }
  if (*value == 0) return {};
  const auto converted = ConvertLength(*value, slot.units, screen);
  if (!converted || converted->mm > kMaxCustomWeightMm) {
    return quoted + QStringLiteral(" is too thick: a line weight can be at most %1 mm (%2 inches).")
                        .arg(kMaxCustomWeightMm)
                        .arg(kMaxCustomWeightMm / 25.4, 0, 'f', 2);
  }
  return {};
}

bool AddUserColour(UserColours& colours, int32_t colour) {
  if (colour < 0 || colour > 0x2FFFFFF) return false;
  if (std::find(colours.begin(), colours.end(), colour) != colours.end()) return false;
  std::copy_backward(colours.begin(), colours.end() - 1, colours.end());
  colours[0] = colour;
  return true;
}

}  // namespace quillon
