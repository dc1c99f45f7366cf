// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ValueLists.h"

#include <cmath>

namespace quillon {
namespace {

struct Named {
  const char* text;
  double value;
};

constexpr Named kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};
constexpr Named kFills[] = {{"Solid", -2}, {"Clear", -1}};
constexpr Named kLineWeights[] = {{"Thin", 0.0},  {"Medium", 0.5}, {"Thick", 1.0},
                                  {"Heavy", 2.0}, {"Wide", 3.0},   {"Broad", 5.0}};
constexpr Named kOutlineWeights[] = {{"None", 0.0},  {"Thin", 0.1},  {"Medium ", 0.5},
                                     {"Thick", 1.0}, {"Heavy", 2.0}, {"Wide", 3.0},
                                     {"Broad", 5.0}};
constexpr Named kPatterns[] = {
    {"Solid", 0}, {"Dot", 1}, {"Dash", 2}, {"Center", 3}, {"Phantom", 4}};
constexpr Named kDirections[] = {{"Any angle", -1},
                                 {"Horizontal", 0},
                                 {"Vertical (right)", 90},
                                 {"Vertical (left)", 270},
                                 {"Upside down", 180}};
constexpr Named kFontSizes[] = {
    {"8", 8},   {"9", 9},   {"10", 10}, {"11", 11}, {"12", 12}, {"14", 14}, {"16", 16}, {"18", 18},
    {"20", 20}, {"22", 22}, {"24", 24}, {"26", 26}, {"28", 28}, {"36", 36}, {"48", 48}, {"72", 72}};
constexpr Named kFontWeights[] = {{"Thin", 100},   {"Extralight", 200}, {"Light", 300},
                                  {"Normal", 400}, {"Medium", 500},     {"Semibold", 600},
                                  {"Bold", 700},   {"Extrabold", 800},  {"Heavy", 900}};
constexpr Named kSurfaces[] = {{"Flat", 0}, {"Round", 127}};

struct CharacterSet {
  const char* text;
  int32_t code;
  int signatureBit;
};
constexpr CharacterSet kCharacterSets[] = {
    {"Western", 0, 0},
    {"Symbol", 2, 31},
    {"Macintosh", 77, 29},
    {"Japanese (shift-jis)", 128, 17},
    {"Korean (Wansung)", 129, 19},
    {"Korean (Johab)", 130, 21},
    {"Chinese (simplified)", 134, 18},
    {"Chinese (traditional)", 136, 20},
    {"Greek", 161, 3},
    {"Turkish", 162, 4},
    {"Vietnamese", 163, 8},
    {"Hebrew", 177, 5},
    {"Arabic", 178, 6},
    {"Baltic", 186, 7},
    {"Cyrillic", 204, 2},
    {"Thai", 222, 16},
    {"Central/Eastern European", 238, 1},
};

struct NamedShadow {
  const char* text;
  ShadowValue shadow;
};
constexpr NamedShadow kShadows[] = {{"None", {0, 0, 0}},
                                    {"Slight", {30, 10, 100}},
                                    {"Medium", {50, 20, 110}},
                                    {"Broad", {70, 30, 120}}};

ValueListEntry Entry(QString text, EntrySource source, int position, double value = 0) {
  ValueListEntry entry;
  entry.text = std::move(text);
  entry.source = source;
  entry.position = position;
  entry.value = value;
  return entry;
}

template <std::size_t N>
void AddBuiltIns(ValueList& list, const Named (&entries)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    list.entries.push_back(Entry(QString::fromLatin1(entries[i].text), EntrySource::BuiltIn,
                                 static_cast<int>(list.entries.size()), entries[i].value));
  }
}

void AddCustomize(ValueList& list) {
  list.entries.push_back(Entry(QString::fromLatin1(kCustomizeEntry), EntrySource::Customize,
                               static_cast<int>(list.entries.size())));
}

void AddSlot(ValueList& list, const QString& text, int slot, double value, bool justSaved) {
  list.entries.push_back(Entry(text, EntrySource::CustomSlot, slot + 1, value));
  list.entries.back().justSaved = justSaved;
}

void AddColours(ValueList& list, const TParams& params) {
  AddBuiltIns(list, kColours);
  AddCustomize(list);
  for (int i = 0; i < kDialogColours; ++i) {
    if (params.dialogColours[i] == kNoDialogColour) continue;
    list.entries.push_back(Entry(QStringLiteral(" "), EntrySource::ChooserColour, i + 1,
                                 double(params.dialogColours[i])));
  }
  for (int i = 0; i < kCustomSlots; ++i) {
    if (params.userColours[i] != -1)
      AddSlot(list, QStringLiteral(" "), i, params.userColours[i], false);
  }
}

void AddDirections(ValueList& list, const DirectionSlots& slotList) {
  for (int i = 0; i < kCustomSlots; ++i) {
    if (slotList[i].inUse)
      AddSlot(list, slotList[i].name, i, slotList[i].value, slotList[i].justSaved != 0);
  }
}

bool SameReal(double a, double b) {
  return std::abs(a - b) < 0.0001;
}

bool IsValueEntry(const ValueListEntry& e) {
  return e.source != EntrySource::Customize;
}

}  // namespace

ValueList FillValueList(ValueListKind kind, const TParams& params) {
  ValueList list;
  list.kind = kind;
  switch (kind) {
    case ValueListKind::Colours:
      AddColours(list, params);
      break;
    case ValueListKind::FillColours:
      AddBuiltIns(list, kFills);
      AddColours(list, params);
      break;
    case ValueListKind::LineWeights:
    case ValueListKind::OutlineWeights:
      if (kind == ValueListKind::LineWeights) {
        AddBuiltIns(list, kLineWeights);
      } else {
        AddBuiltIns(list, kOutlineWeights);
      }
      AddCustomize(list);
      for (int i = 0; i < kCustomSlots; ++i) {
        const custThicknessRec_t& slot = params.customWeights[i];
        if (slot.inUse) AddSlot(list, slot.name, i, slot.mm, slot.justSaved != 0);
      }
      break;
    case ValueListKind::LinePatterns:
      AddBuiltIns(list, kPatterns);
      AddCustomize(list);
      for (int i = 0; i < kCustomSlots; ++i) {
        const custPatternRec_t& slot = params.customPatterns[i];
        if (slot.inUse) AddSlot(list, slot.name, i, i + 1, slot.justSaved != 0);
      }
      break;
    case ValueListKind::LineDirections:
    case ValueListKind::TextAngles:
      AddBuiltIns(list, kDirections);
      AddCustomize(list);
      AddDirections(list, kind == ValueListKind::LineDirections ? params.customDirections
                                                                : params.customAngles);
      break;
    case ValueListKind::FontSizes:
      AddBuiltIns(list, kFontSizes);
      AddCustomize(list);
      AddDirections(list, params.customSizes);
      break;
    case ValueListKind::FontWeights:
      AddBuiltIns(list, kFontWeights);
      break;
    case ValueListKind::CharacterSets:
      return FillCharacterSets(0xFFFFFFFF);
    case ValueListKind::Shadows:
      for (const NamedShadow& s : kShadows) {
        list.entries.push_back(Entry(QString::fromLatin1(s.text), EntrySource::BuiltIn,
                                     static_cast<int>(list.entries.size())));
        list.entries.back().shadow = s.shadow;
      }
      AddCustomize(list);
      for (int i = 0; i < kCustomSlots; ++i) {
        const custShadowRec_t& slot = params.customShadows[i];
        if (!ShadowInUse(slot)) continue;
        AddSlot(list, slot.name, i, 0, false);
        list.entries.back().shadow = {slot.size, slot.softness, slot.lightness};
      }
      break;
    case ValueListKind::Surfaces:
      AddBuiltIns(list, kSurfaces);
      break;
  }
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    if (list.entries[i].justSaved) {
      list.selected = static_cast<int>(i);
      list.selectedJustSaved = true;
      break;
    }
  }
  return list;
}

ValueList FillCharacterSets(uint32_t signature) {
  ValueList list;
  list.kind = ValueListKind::CharacterSets;
  int position = 0;
  for (const CharacterSet& set : kCharacterSets) {
    if (signature & (uint32_t{1} << set.signatureBit)) {
      list.entries.push_back(
          Entry(QString::fromLatin1(set.text), EntrySource::BuiltIn, position, double(set.code)));
    }
    ++position;
  }
  return list;
}

void ClearJustSaved(TParams& params, ValueListKind kind) {
  auto clear = [](auto& slotList) {
    for (auto& slot : slotList)
      slot.justSaved = 0;
  };
  switch (kind) {
    case ValueListKind::LineWeights:
    case ValueListKind::OutlineWeights:
      clear(params.customWeights);
      break;
    case ValueListKind::LinePatterns:
      clear(params.customPatterns);
      break;
    case ValueListKind::LineDirections:
      clear(params.customDirections);
      break;
    case ValueListKind::TextAngles:
      clear(params.customAngles);
      break;
    case ValueListKind::FontSizes:
      clear(params.customSizes);
      break;
    default:
      break;
  }
}

int SelectValue(ValueList& list, double value) {
  list.selected = -1;
  list.selectedJustSaved = false;
  // Built-in entries come first in every list, so list order is the search order.
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    if (IsValueEntry(list.entries[i]) && SameReal(list.entries[i].value, value)) {
      list.selected = static_cast<int>(i);
      break;
    }
  }
  return list.selected;
}

int SelectShadow(ValueList& list, ShadowValue shadow) {
  list.selected = -1;
  list.selectedJustSaved = false;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    if (IsValueEntry(list.entries[i]) && list.entries[i].shadow == shadow) {
      list.selected = static_cast<int>(i);
      break;
    }
  }
  return list.selected;
}

int SelectPattern(ValueList& list, int32_t position, int32_t slot) {
  list.selected = -1;
  list.selectedJustSaved = false;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const ValueListEntry& e = list.entries[i];
    const bool builtIn = e.source == EntrySource::BuiltIn && e.position == position;
    const bool custom = e.source == EntrySource::CustomSlot && position > 5 && e.position == slot;
    if (builtIn || custom) {
      list.selected = static_cast<int>(i);
      break;
    }
  }
  return list.selected;
}

ListSelection ReadSelection(const ValueList& list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.entries.size()) return {};
  const ValueListEntry& e = list.entries[static_cast<std::size_t>(index)];
  return {e.source, e.position};
}

int32_t CharacterSetValue(int index) {
  constexpr int kCount = static_cast<int>(std::size(kCharacterSets));
  return index >= 0 && index < kCount ? kCharacterSets[index].code : -1;
}

int SignatureBitOf(int32_t charset) {
  for (const CharacterSet& set : kCharacterSets) {
    if (set.code == charset) return set.signatureBit;
  }
  return -1;
}

}  // namespace quillon
