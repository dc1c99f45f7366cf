// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include <QStringList>
#include <QVariant>
#include <limits>
#include <optional>

#include "page/SizeText.h"
#include "settings/NumberText.h"

namespace quillon {
namespace {

constexpr char kCustomSettings[] = "CustomSettings";
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

struct IntSetting {
  const char* name;
  int32_t TParams::*field;
  int32_t min = kMinInt;
  int32_t max = kMaxInt;
};

// Integer settings other than "units", "angles" and "grid", in the store's order.
constexpr IntSetting kIntSettings[] = {
    {"lineColor", &TParams::lineColor},
    {"lineWidthTab", &TParams::lineWidthTab},
    {"linePattern", &TParams::linePattern},
    {"linePatternTab", &TParams::linePatternTab},
    {"lineFill", &TParams::lineFill},
    {"lineDirectionTab", &TParams::lineDirectionTab},
    {"lineOutlineTab", &TParams::lineOutlineTab},
    {"tcolor", &TParams::tcolor},
    {"tcharset", &TParams::tcharset},
    {"tsize", &TParams::tsize},
    {"tsizetab", &TParams::tsizetab},
    {"tbold", &TParams::tbold},
    {"toptions", &TParams::toptions},
    {"tangle", &TParams::tangle},
    {"tangletab", &TParams::tangletab},
    {"tdir", &TParams::tdir},
    {"polycolor", &TParams::polycolor},
    {"polytab", &TParams::polytab},
    {"polyfill", &TParams::polyfill},
    {"polysides", &TParams::polysides},
    {"polyshape", &TParams::polyshape},
    {"polystate", &TParams::polystate},
    {"bpolyshape", &TParams::bpolyshape},
    {"bpolystate", &TParams::bpolystate},
    {"clframe", &TParams::clframe, 0, 1},
    {"clshadw", &TParams::clshadw, 0, 1},
    {"frcolor", &TParams::frcolor},
    {"shpict", &TParams::shpict},
    {"shtext", &TParams::shtext},
    {"shpoly", &TParams::shpoly},
    {"lgtdir", &TParams::lgtdir, 0, 3},
    {"frplas", &TParams::frplas, 0, 255},
    {"liplas", &TParams::liplas, 0, 255},
    {"txplas", &TParams::txplas, 0, 255},
    {"poplas", &TParams::poplas, 0, 255},
    {"picndx", &TParams::picndx, 1, 7},
    {"expndx", &TParams::expndx, 1, 2},
    {"pspage", &TParams::pspage, 1, 11},
    {"recoveryInterval", &TParams::recoveryInterval, 0, 24 * 3600},
};

// Real-valued settings, kept in the store as decimal strings.
constexpr std::pair<const char*, double TParams::*> kRealSettings[] = {
    {"lineWidth", &TParams::lineWidth},     {"lineDirection", &TParams::lineDirection},
    {"lineOutline", &TParams::lineOutline}, {"polywidth", &TParams::polywidth},
    {"frwidth", &TParams::frwidth},
};

constexpr std::pair<const char*, QString TParams::*> kStringSettings[] = {
    {"tfont", &TParams::tfont},
    {"docdir", &TParams::docdir},
    {"picidr", &TParams::picidr},
    {"expdir", &TParams::expdir},
};

// The letters of a unit block's seventeen values: c to e integers, f to s texts.
struct BlockText {
  char letter;
  QString UnitBlock::*field;
};
constexpr BlockText kBlockTexts[] = {
    {'f', &UnitBlock::paperWidth}, {'g', &UnitBlock::paperHeight}, {'h', &UnitBlock::leftMargin},
    {'i', &UnitBlock::topMargin},  {'j', &UnitBlock::rightMargin}, {'k', &UnitBlock::bottomMargin},
    {'l', &UnitBlock::rows},       {'m', &UnitBlock::columns},     {'n', &UnitBlock::rowGap},
    {'o', &UnitBlock::columnGap},  {'p', &UnitBlock::itemWidth},   {'q', &UnitBlock::itemHeight},
    {'r', &UnitBlock::extraA},     {'s', &UnitBlock::extraB},
};

// The six grid switches, from bit 5 down to bit 0.
constexpr uint8_t defaults_t::*kGridSwitches[6] = {
    &defaults_t::gridHorizontal, &defaults_t::anchorsHorizontal, &defaults_t::snapHorizontal,
    &defaults_t::gridVertical,   &defaults_t::anchorsVertical,   &defaults_t::snapVertical,
};

QString Name(const char* text) {
  return QString::fromLatin1(text);
}

QString BlockValueName(int32_t unit, char letter, int32_t kind) {
  return QString::number(unit) + QStringLiteral("pgset") + QChar::fromLatin1(letter) +
         QString::number(kind);
}

// Reads values of the current group with the registry's types: integers from integer values
// (or, in a text file, from texts that are whole numbers), strings from string values.
class Reader {
 public:
  explicit Reader(QSettings& store) : store_(store) {}

  std::optional<int32_t> Int(const QString& name, int32_t min = kMinInt, int32_t max = kMaxInt) {
    const QVariant v = store_.value(name);
    std::optional<int32_t> value;
    switch (v.typeId()) {
      case QMetaType::Int:
        value = v.toInt();
        break;
      case QMetaType::UInt:
        value = static_cast<int32_t>(v.toUInt());
        break;
      case QMetaType::LongLong:
      case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (ok && n >= kMinInt && n <= kMaxInt) value = static_cast<int32_t>(n);
        break;
      }
      case QMetaType::QString:
        value = ParseWholeNumber(v.toString());
        break;
      default:
        break;
    }
    if (value && (*value < min || *value > max)) return std::nullopt;
    return value;
  }

  std::optional<QString> String(const QString& name) {
    const QVariant v = store_.value(name);
    if (v.typeId() == QMetaType::QString) return v.toString();
    // A text file holding an unquoted comma reads back as a list of the parts.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
    return std::nullopt;
  }

  template <class T>
  void Into(const QString& name, T& target, int32_t min = kMinInt, int32_t max = kMaxInt) {
    if (const auto value = Int(name, min, max)) target = static_cast<T>(*value);
  }
  void Into(const QString& name, QString& target) {
    if (auto value = String(name)) target = std::move(*value);
  }
  void RealInto(const QString& name, double& target) {
    if (const auto text = String(name)) target = ReadNumberString(*text, target);
  }

 private:
  QSettings& store_;
};

void ReadPagesets(Reader& in, TParams& params) {
  in.Into(Name("pspage"), params.pspage, 1, 11);
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    pageset_t& set = params.pagesets[kind - 1];
    in.Into(QStringLiteral("pgseta") + QString::number(kind), set.units, 1, 3);
    in.Into(QStringLiteral("pgsetb") + QString::number(kind), set.orientation, 1, 2);
    for (int32_t unit = 1; unit <= 3; ++unit) {
      UnitBlock& block = set.block(unit);
      in.Into(BlockValueName(unit, 'c', kind), block.quickSelectIndex);
      in.Into(BlockValueName(unit, 'd', kind), block.rowFold, 0, 1);
      in.Into(BlockValueName(unit, 'e', kind), block.columnFold, 0, 1);
      for (const BlockText& text : kBlockTexts) {
        in.Into(BlockValueName(unit, text.letter, kind), block.*text.field);
      }
    }
  }
}

void ReadNewDocumentDefaults(Reader& in, TParams& params) {
  if (const auto units = in.Int(Name("units"), 1, 3)) params.SetNewDocumentUnits(*units);
  in.Into(Name("angles"), params.defaults.angles);
  if (const auto grid = in.Int(Name("grid"))) {
    for (int i = 0; i < 6; ++i)
      params.defaults.*kGridSwitches[i] = (*grid >> (5 - i)) & 1;
  }
  for (int unit = 1; unit <= 3; ++unit) {
    UnitDefaults& d = params.defaults.perUnit[unit - 1];
    in.Into(QStringLiteral("gridx") + QString::number(unit), d.gridXText);
    in.Into(QStringLiteral("gridy") + QString::number(unit), d.gridYText);
    for (int n = 1; n <= 4; ++n) {
      in.Into(QStringLiteral("canvas") + QString::number(unit) + QString::number(n),
              d.canvasText[n - 1]);
    }
  }
}

// The typed grid distances and design areas become numbers; a text that does not parse keeps
// the number it had.
void ParseUnitDefaults(defaults_t& defaults) {
  for (UnitDefaults& d : defaults.perUnit) {
    d.gridX = ParseNumberString(d.gridXText).value_or(d.gridX);
    d.gridY = ParseNumberString(d.gridYText).value_or(d.gridY);
    for (int n = 0; n < 4; ++n)
      d.canvas[n] = ParseNumberString(d.canvasText[n]).value_or(d.canvas[n]);
  }
}

void ReadCustomSettings(QSettings& store, TParams& params) {
  store.beginGroup(Name(kCustomSettings));
  Reader in(store);
  ReadNewDocumentDefaults(in, params);
  for (const IntSetting& s : kIntSettings) {
    if (s.field != &TParams::pspage) in.Into(Name(s.name), params.*s.field, s.min, s.max);
  }
  for (const auto& [name, field] : kRealSettings)
    in.RealInto(Name(name), params.*field);
  for (const auto& [name, field] : kStringSettings)
    in.Into(Name(name), params.*field);
  for (int i = 0; i < kRecentFiles; ++i) {
    in.Into(QStringLiteral("reopen") + QString::number(i + 1), params.reopen[i]);
  }
  if (const auto hints = in.String(Name("hints"))) {
    for (int i = 0; i < kHintSwitches; ++i) {
      params.hints[i] = i >= hints->size() || hints->at(i) != u'0';
    }
  }
  ReadPagesets(in, params);
  for (int n = 1; n <= kHostSlots; ++n) {
    HostPlacement& slot = params.hostSlots[std::size_t(n - 1)];
    const QString prefix = QStringLiteral("hostslot") + QString::number(n);
    in.Into(prefix + u'l', slot.left);
    in.Into(prefix + u't', slot.top);
    in.Into(prefix + u'w', slot.width, 0);
    in.Into(prefix + u'h', slot.height, 0);
    in.Into(prefix + u'm', slot.maximised, 0, 1);
    in.Into(prefix + u'p', slot.placed, 0, 1);
  }
  store.endGroup();
  ParseUnitDefaults(params.defaults);
}

QString SlotValue(const char* field, int slot) {
  return Name(field) + SlotLetter(slot);
}

void ReadWeights(QSettings& store, TParams& params) {
  params.customWeights = EmptyThicknessSlots();
  store.beginGroup(QStringLiteral("CustomWidths"));
  Reader in(store);
  for (int i = 0; i < kCustomSlots; ++i) {
    custThicknessRec_t& slot = params.customWeights[i];
    in.Into(SlotValue("name", i), slot.name);
    in.Into(SlotValue("value", i), slot.typed);
    in.Into(SlotValue("units", i), slot.units, 1, 3);
    ValidateThickness(slot, params.screen);
  }
  store.endGroup();
}

void ReadShadows(QSettings& store, TParams& params) {
  params.customShadows = EmptyShadowSlots();
  store.beginGroup(QStringLiteral("CustomShadows"));
  Reader in(store);
  for (int i = 0; i < kCustomSlots; ++i) {
    custShadowRec_t& slot = params.customShadows[i];
    in.Into(SlotValue("name", i), slot.name);
    if (const auto value = in.Int(SlotValue("value", i))) {
      const auto bits = static_cast<uint32_t>(*value);
      slot.size = bits & 0xFF;
      slot.softness = (bits >> 8) & 0xFF;
      slot.lightness = (bits >> 16) & 0xFF;
      slot.shown = (bits >> 24) != 0 ? 1 : 0;
    }
  }
  store.endGroup();
}

void ReadPatterns(QSettings& store, TParams& params) {
  params.customPatterns = EmptyPatternSlots();
  store.beginGroup(QStringLiteral("CustomPatterns"));
  Reader in(store);
  for (int i = 0; i < kCustomSlots; ++i) {
    custPatternRec_t& slot = params.customPatterns[i];
    in.Into(SlotValue("name", i), slot.name);
    in.Into(SlotValue("units", i), slot.units, 1, 3);
    for (int n = 0; n < kPatternSlotSegments; ++n) {
      in.Into(SlotValue("value", i) + QString::number(n + 1), slot.typed[n]);
    }
    ValidatePattern(slot, params.screen);
  }
  store.endGroup();
}

void ReadDirections(QSettings& store, const char* group, DirectionRole role,
                    DirectionSlots& slotList, int32_t angleUnits) {
  slotList = EmptyDirectionSlots(role, angleUnits);
  store.beginGroup(Name(group));
  Reader in(store);
  for (int i = 0; i < kCustomSlots; ++i) {
    custDirectionRec_t& slot = slotList[i];
    in.Into(SlotValue("name", i), slot.name);
    in.Into(SlotValue("value", i), slot.typed);
    in.Into(SlotValue("units", i), slot.units, 1, 2);
    ValidateDirection(slot, role);
  }
  store.endGroup();
}

void ReadUserColours(QSettings& store, TParams& params) {
  params.userColours = EmptyUserColours();
  store.beginGroup(QStringLiteral("CustomColors"));
  Reader in(store);
  for (int i = 0; i < kCustomSlots; ++i)
    in.Into(SlotValue("color", i), params.userColours[i]);
  store.endGroup();
}

void WriteWeights(QSettings& store, const TParams& params) {
  store.beginGroup(QStringLiteral("CustomWidths"));
  for (int i = 0; i < kCustomSlots; ++i) {
    const custThicknessRec_t& slot = params.customWeights[i];
    store.setValue(SlotValue("name", i), slot.name);
    store.setValue(SlotValue("value", i), slot.typed);
    store.setValue(SlotValue("units", i), slot.units);
  }
  store.endGroup();
}

void WriteShadows(QSettings& store, const TParams& params) {
  store.beginGroup(QStringLiteral("CustomShadows"));
  for (int i = 0; i < kCustomSlots; ++i) {
    const custShadowRec_t& slot = params.customShadows[i];
    const uint32_t bits = (uint32_t(slot.size) & 0xFF) | (uint32_t(slot.softness) & 0xFF) << 8 |
                          (uint32_t(slot.lightness) & 0xFF) << 16 |
                          uint32_t(slot.shown ? 1 : 0) << 24;
    store.setValue(SlotValue("name", i), slot.name);
    store.setValue(SlotValue("value", i), static_cast<int32_t>(bits));
  }
  store.endGroup();
}

void WritePatterns(QSettings& store, const TParams& params) {
  store.beginGroup(QStringLiteral("CustomPatterns"));
  for (int i = 0; i < kCustomSlots; ++i) {
    const custPatternRec_t& slot = params.customPatterns[i];
    store.setValue(SlotValue("name", i), slot.name);
    store.setValue(SlotValue("units", i), slot.units);
    for (int n = 0; n < kPatternSlotSegments; ++n) {
      store.setValue(SlotValue("value", i) + QString::number(n + 1), slot.typed[n]);
    }
  }
  store.endGroup();
}

void WriteDirections(QSettings& store, const char* group, const DirectionSlots& slotList) {
  store.beginGroup(Name(group));
  for (int i = 0; i < kCustomSlots; ++i) {
    store.setValue(SlotValue("name", i), slotList[i].name);
    store.setValue(SlotValue("value", i), slotList[i].typed);
    store.setValue(SlotValue("units", i), slotList[i].units);
  }
  store.endGroup();
}

void WriteUserColours(QSettings& store, const TParams& params) {
  store.beginGroup(QStringLiteral("CustomColors"));
  for (int i = 0; i < kCustomSlots; ++i)
    store.setValue(SlotValue("color", i), params.userColours[i]);
  store.endGroup();
}

void WritePagesets(QSettings& store, const TParams& params) {
  store.setValue(Name("pspage"), params.pspage);
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    const pageset_t& set = params.pagesets[kind - 1];
    store.setValue(QStringLiteral("pgseta") + QString::number(kind), set.units);
    store.setValue(QStringLiteral("pgsetb") + QString::number(kind), set.orientation);
    for (int32_t unit = 1; unit <= 3; ++unit) {
      const UnitBlock& block = set.block(unit);
      store.setValue(BlockValueName(unit, 'c', kind), block.quickSelectIndex);
      store.setValue(BlockValueName(unit, 'd', kind), int(block.rowFold));
      store.setValue(BlockValueName(unit, 'e', kind), int(block.columnFold));
      for (const BlockText& text : kBlockTexts) {
        store.setValue(BlockValueName(unit, text.letter, kind), block.*text.field);
      }
    }
  }
}

void WriteCustomSettings(QSettings& store, const TParams& params) {
  store.beginGroup(Name(kCustomSettings));
  const defaults_t& d = params.defaults;
  store.setValue(Name("units"), d.units);
  store.setValue(Name("angles"), d.angles);
  int grid = 0;
  for (int i = 0; i < 6; ++i)
    grid |= (d.*kGridSwitches[i] != 0 ? 1 : 0) << (5 - i);
  store.setValue(Name("grid"), grid);
  for (int unit = 1; unit <= 3; ++unit) {
    const UnitDefaults& u = d.perUnit[unit - 1];
    store.setValue(QStringLiteral("gridx") + QString::number(unit), u.gridXText);
    store.setValue(QStringLiteral("gridy") + QString::number(unit), u.gridYText);
    for (int n = 1; n <= 4; ++n) {
      store.setValue(QStringLiteral("canvas") + QString::number(unit) + QString::number(n),
                     u.canvasText[n - 1]);
    }
  }
  for (const IntSetting& s : kIntSettings) {
    if (s.field != &TParams::pspage) store.setValue(Name(s.name), params.*s.field);
  }
  for (const auto& [name, field] : kRealSettings) {
    store.setValue(Name(name), FormatNumber(params.*field));
  }
  for (const auto& [name, field] : kStringSettings)
    store.setValue(Name(name), params.*field);
  for (int i = 0; i < kRecentFiles; ++i) {
    store.setValue(QStringLiteral("reopen") + QString::number(i + 1), params.reopen[i]);
  }
  QString hints;
  for (bool on : params.hints)
    hints += on ? u'1' : u'0';
  store.setValue(Name("hints"), hints);
  WritePagesets(store, params);
  for (int n = 1; n <= kHostSlots; ++n) {
    const HostPlacement& slot = params.hostSlots[std::size_t(n - 1)];
    const QString prefix = QStringLiteral("hostslot") + QString::number(n);
    store.setValue(prefix + u'l', slot.left);
    store.setValue(prefix + u't', slot.top);
    store.setValue(prefix + u'w', slot.width);
    store.setValue(prefix + u'h', slot.height);
    store.setValue(prefix + u'm', slot.maximised);
    store.setValue(prefix + u'p', int(slot.placed));
  }
  store.endGroup();
}

}  // namespace

std::unique_ptr<QSettings> OpenSettingsStore() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral("Quillon"));
}

void LoadSettings(TParams& params, QSettings& store) {
  TParams fresh(params.screen);
  fresh.dialogColours = params.dialogColours;
  fresh.fonts = std::move(params.fonts);
  params = std::move(fresh);
  ReadCustomSettings(store, params);
  ReadWeights(store, params);
  ReadShadows(store, params);
  ReadPatterns(store, params);
  const int32_t angleUnits = params.defaults.angles;
  ReadDirections(store, "CustomDirections", DirectionRole::LineDirections, params.customDirections,
                 angleUnits);
  ReadDirections(store, "CustomAngles", DirectionRole::TextAngles, params.customAngles, angleUnits);
  ReadDirections(store, "CustomSizes", DirectionRole::FontSizes, params.customSizes, angleUnits);
  ReadUserColours(store, params);
}

void LoadSettings(TParams& params) {
  LoadSettings(params, *OpenSettingsStore());
}

void SaveSettings(TParams& params, QSettings& store) {
  WriteShadows(store, params);
  WriteWeights(store, params);
  WritePatterns(store, params);
  WriteDirections(store, "CustomDirections", params.customDirections);
  WriteDirections(store, "CustomAngles", params.customAngles);
  WriteDirections(store, "CustomSizes", params.customSizes);
  WriteUserColours(store, params);
  WriteCustomSettings(store, params);
  store.sync();
  params.fonts.clear();
}

void SaveSettings(TParams& params) {
  SaveSettings(params, *OpenSettingsStore());
}

void LoadDialogColours(TParams& params, QSettings& store) {
  store.beginGroup(QStringLiteral("DialogColors"));
  Reader in(store);
  for (int i = 0; i < kDialogColours; ++i) {
    const auto text = in.String(QStringLiteral("color") + QChar(u'A' + i));
    if (!text || text->trimmed().isEmpty()) continue;
    bool ok = false;
    const uint32_t colour = text->trimmed().toUInt(&ok, 16);
    if (ok) params.dialogColours[i] = colour;
  }
  store.endGroup();
}

void SaveDialogColours(const TParams& params, QSettings& store) {
  store.beginGroup(QStringLiteral("DialogColors"));
  for (int i = 0; i < kDialogColours; ++i) {
    const QString name = QStringLiteral("color") + QChar(u'A' + i);
    store.remove(name);
    if (params.dialogColours[i] != kNoDialogColour) {
      store.setValue(
          name, QString::number(params.dialogColours[i], 16).toUpper().rightJustified(8, u'0'));
    }
  }
  store.endGroup();
  store.sync();
}

}  // namespace quillon
