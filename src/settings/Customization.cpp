// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Customization.h"

#include <algorithm>
#include <cmath>

namespace quillon {

DirectionSlots& SlotsOf(TParams& params, DirectionRole role) {
  switch (role) {
    case DirectionRole::TextAngles:
      return params.customAngles;
    case DirectionRole::FontSizes:
      return params.customSizes;
    default:
      return params.customDirections;
  }
}

const DirectionSlots& SlotsOf(const TParams& params, DirectionRole role) {
  return SlotsOf(const_cast<TParams&>(params), role);
}

void SaveThicknessSlots(TParams& params, const ThicknessSlots& edited, int editedSlot) {
  for (int i = 0; i < kCustomSlots; ++i) {
    custThicknessRec_t slot = edited[i];
    EnterThickness(slot, slot.name, slot.typed, slot.units, params.screen);
    slot.justSaved = i == editedSlot ? 1 : 0;
    params.customWeights[i] = slot;
  }
}

void SavePatternSlots(TParams& params, const PatternSlots& edited, int editedSlot) {
  for (int i = 0; i < kCustomSlots; ++i) {
    custPatternRec_t slot = edited[i];
    slot.name = slot.name.trimmed();
    for (QString& segment : slot.typed)
      segment = segment.trimmed();
    ValidatePattern(slot, params.screen);
    slot.justSaved = i == editedSlot ? 1 : 0;
    params.customPatterns[i] = slot;
  }
}

void SaveDirectionSlots(TParams& params, DirectionRole role, const DirectionSlots& edited,
                        int editedSlot) {
  DirectionSlots& target = SlotsOf(params, role);
  for (int i = 0; i < kCustomSlots; ++i) {
    custDirectionRec_t slot = edited[i];
    slot.name = slot.name.trimmed();
    slot.typed = slot.typed.trimmed();
    ValidateDirection(slot, role);
    slot.justSaved = i == editedSlot ? 1 : 0;
    target[i] = slot;
  }
}

void SaveShadowSlots(TParams& params, const ShadowSlots& edited, int32_t lightDirection) {
  for (int i = 0; i < kCustomSlots; ++i) {
    custShadowRec_t slot = edited[i];
    slot.name = slot.name.trimmed();
    slot.size = std::clamp(slot.size, 0, 255);
    slot.softness = std::clamp(slot.softness, 0, 255);
    slot.lightness = std::clamp(slot.lightness, 0, 255);
    params.customShadows[i] = slot;
  }
  if (lightDirection >= 0 && lightDirection <= 3) params.lgtdir = lightDirection;
}

QString ShadowPercentText(int position) {
  if (position == 0) return QStringLiteral("None");
  return QString::number(std::lround(position * 100.0 / 255)) + u'%';
}

bool TakeChosenColour(TParams& params, uint32_t colour) {
  ValueList list = FillValueList(ValueListKind::Colours, params);
  if (SelectValue(list, static_cast<double>(colour)) >= 0) return false;
  return AddUserColour(params.userColours, static_cast<int32_t>(colour));
}

int32_t AddCustomPatternRecord(ItemList& list, const custPatternRec_t& slot) {
  int32_t lowest = 0;
  for (const ItemRecord& record : list) {
    if (record.recordClass() == kClassLinePattern) lowest = std::min(lowest, record.kind());
  }
  const int32_t number = lowest - 1;
  ItemRecord& record = NewRecord(list, number);
  record.setRecordClass(kClassLinePattern);
  const int count = std::clamp(slot.count, 0, kPatternSegments);
  for (int i = 0; i < kPatternSegments; ++i)
    record.setPatternSegment(i, i < count ? slot.mm[i] : 0.0);
  record.setPatternCount(count);
  return number;
}

}  // namespace quillon
