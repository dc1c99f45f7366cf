// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSlider>
#include <QToolButton>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/PropertyPanels.h"

namespace quillon {
namespace {

std::optional<double> TextField(const ItemRecord& r, double value) {
  return r.kind() == kKindText ? std::optional<double>(value) : std::nullopt;
}

// The byte of a text option in the settings: italic, underline, strikeout, justification.
int32_t OptionByte(int32_t options, int byte) {
  return (options >> (8 * byte)) & 0xFF;
}
int32_t WithOptionByte(int32_t options, int byte, int32_t value) {
  const uint32_t mask = 0xFFu << (8 * byte);
  return static_cast<int32_t>((uint32_t(options) & ~mask) |
                              ((uint32_t(value) & 0xFF) << (8 * byte)));
}

uint8_t Byte(int32_t value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// The font list offers names that a record's 32-byte Latin-1 fontName field holds unchanged.
bool FitsFontField(const QString& name) {
  if (name.size() > 32) return false;
  for (QChar c : name) {
    if (c.unicode() > 0xFF) return false;
  }
  return true;
}

}  // namespace

TTextbox::TTextbox(PanelContext& context, int32_t tool, QWidget* parent)
    : PropertyPanel(context, tool, QStringLiteral("Font"), QStringLiteral("Effects"), parent) {
  setObjectName(QStringLiteral("TTextbox"));
  if (!ShowsSelection()) SetHeading(QStringLiteral("Text"));
  ValueCombo* colour = AddList(
      0, QStringLiteral("Color"),
      {ValueListKind::Colours, [](const ItemRecord& r) { return TextField(r, r.textColor()); },
       [](const TParams& p) { return double(p.tcolor); },
       [](TParams& p, const ValueListEntry& e, int) { p.tcolor = int32_t(e.value); },
       [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto& g, auto&) {
         ApplyTextColor(l, o, int32_t(e.value), g);
       }});
  textChanges_[colour] = [](ItemRecord& r, const ValueListEntry& e, auto&) {
    r.setTextColor(int32_t(e.value));
  };
  fonts_ = new QComboBox(this);
  MakeNarrow(fonts_);
  fonts_->setObjectName(QStringLiteral("Name"));
  for (const FontEntry& font : context.Params().fonts) {
    if (FitsFontField(font.name)) fonts_->addItem(font.name);
  }
  Page(0)->addRow(QStringLiteral("Name"), fonts_);
  connect(fonts_, &QComboBox::activated, this, &TTextbox::FontChosen);
  charsets_ = new QComboBox(this);
  MakeNarrow(charsets_);
  charsets_->setObjectName(QStringLiteral("Character Set"));
  Page(0)->addRow(QStringLiteral("Character Set"), charsets_);
  connect(charsets_, &QComboBox::activated, this, &TTextbox::CharsetChosen);
  ValueCombo* size = AddList(
      0, QStringLiteral("Size"),
      {ValueListKind::FontSizes, [](const ItemRecord& r) { return TextField(r, r.fontSize()); },
       [](const TParams& p) { return double(p.tsize); },
       [](TParams& p, const ValueListEntry& e, int position) {
         p.tsize = int32_t(e.value);
         p.tsizetab = position;
       },
       [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto& g, auto&) {
         ApplyFontSize(l, o, int32_t(e.value), g);
       }});
  textChanges_[size] = [](ItemRecord& r, const ValueListEntry& e, auto&) {
    r.setFontSize(int32_t(e.value));
  };
  ValueCombo* weight = AddList(
      0, QStringLiteral("Weight"),
      {ValueListKind::FontWeights, [](const ItemRecord& r) { return TextField(r, r.fontWeight()); },
       [](const TParams& p) { return double(p.tbold); },
       [](TParams& p, const ValueListEntry& e, int) { p.tbold = int32_t(e.value); },
       [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto& g, auto&) {
         ApplyFontWeight(l, o, int32_t(e.value), g);
       }});
  textChanges_[weight] = [](ItemRecord& r, const ValueListEntry& e, auto&) {
    r.setFontWeight(int32_t(e.value));
  };
  weightSlider_ = new QSlider(Qt::Horizontal, this);
  weightSlider_->setRange(1, 9);
  weightSlider_->setObjectName(QStringLiteral("Custom"));
  Page(0)->addRow(QStringLiteral("Custom"), weightSlider_);
  // A drag of the slider applies its weight once, where it is let go; each key step applies.
  weightSlider_->setTracking(false);
  // A click on the track moves one notch.
  weightSlider_->setPageStep(1);
  connect(weightSlider_, &QSlider::valueChanged, this, &TTextbox::WeightMoved);
  const std::vector<QToolButton*> styles =
      AddButtons(0, {QStringLiteral("Normal"), QStringLiteral("Italic"),
                     QStringLiteral("Underline"), QStringLiteral("Strikeout")});
  const char* const styleTexts[] = {"B", "I", "U", "S"};
  for (int i = 0; i < 4; ++i) {
    styles_[i] = styles[std::size_t(i)];
    styles_[i]->setText(QString::fromLatin1(styleTexts[i]));
    styles_[i]->setCheckable(true);
    connect(styles_[i], &QToolButton::clicked, this, [this, i] { StyleClicked(i); });
  }
  const std::vector<QToolButton*> justify =
      AddButtons(0, {QStringLiteral("Left Justified"), QStringLiteral("Center Justified"),
                     QStringLiteral("Right Justified")});
  const char* const justifyTexts[] = {"\u2190", "\u2194", "\u2192"};
  for (int i = 0; i < 3; ++i) {
    justify_[i] = justify[std::size_t(i)];
    justify_[i]->setText(QString::fromUtf8(justifyTexts[i]));
    justify_[i]->setCheckable(true);
    connect(justify_[i], &QToolButton::clicked, this, [this, i] { JustifyClicked(i); });
  }
  ValueCombo* angle =
      AddList(0, QStringLiteral("Angle"),
              {ValueListKind::TextAngles,
               [](const ItemRecord& r) { return TextField(r, r.presetTextAngle()); },
               [](const TParams& p) { return double(p.tdir); },
               [](TParams& p, const ValueListEntry& e, int position) {
                 p.tdir = int32_t(std::lround(e.value));
                 p.tangle = p.tdir < 0 ? -10 : p.tdir * 10;
                 p.tangletab = position;
               },
               [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto& g, auto&) {
                 ApplyTextAngle(l, o, int32_t(std::lround(e.value)), g);
               }});
  textChanges_[angle] = [](ItemRecord& r, const ValueListEntry& e, const GeometryContext& g) {
    SetTextAngle(r, int32_t(std::lround(e.value)), g);
  };
  textChanges_[AddList(1, QStringLiteral("Surface"), SurfaceBinding(&TParams::txplas))] =
      [](ItemRecord& r, const ValueListEntry& e, auto&) { r.setSurface(Byte(int32_t(e.value))); };
  textChanges_[AddList(1, QStringLiteral("Shadow"), ShadowBinding(&TParams::shtext))] =
      [](ItemRecord& r, const ValueListEntry& e, auto&) {
        r.setShadowSize(Byte(e.shadow.size));
        r.setShadowSoftness(Byte(e.shadow.softness));
        r.setShadowLightness(Byte(e.shadow.lightness));
      };
  if (ShowsSelection()) {
    SetGuidance({QStringLiteral("To <b>edit</b> the text, double-click on it."),
                 QStringLiteral("To <b>move</b> the text, place the cursor on the center point, "
                                "hold down the mouse key and move the mouse"),
                 QString(), QString()});
  } else {
    SetGuidance({QStringLiteral("Click where you want the text start."),
                 QStringLiteral("To make a text box, hold down the mouse button, move the mouse, "
                                "and release the button."),
                 QString(), QString()});
  }
  // 303 opens the panel with its angle list chosen.
  if (tool == 303) ListLabelled(QStringLiteral("Angle"))->setFocus();
  ShowValues();
}

void TTextbox::ShowValues() {
  showing_ = true;
  PropertyPanel::ShowValues();
  const TParams& params = Context().Params();
  const bool selection = ShowsSelection();
  std::optional<QString> font;
  if (selection) {
    ItemList* list = Context().ActiveDocument();
    if (list != nullptr) {
      for (const ItemRecord* r : SelectedRecords(*list)) {
        if (r->kind() != kKindText) continue;
        const QString name = QString::fromLatin1(r->fontName());
        if (!font) {
          font = name;
        } else if (*font != name) {
          font = QString();
          break;
        }
      }
    }
  } else {
    font = params.tfont;
  }
  fonts_->setCurrentIndex(font ? fonts_->findText(*font) : -1);
  FillCharsets(font.value_or(QString()));
  const auto charset =
      selection ? CommonValue([](const ItemRecord& r) { return TextField(r, r.fontCharset()); })
                : std::optional<double>(params.tcharset);
  charsets_->setCurrentIndex(charset ? charsets_->findData(int(*charset)) : -1);
  const auto weight =
      selection ? CommonValue([](const ItemRecord& r) { return TextField(r, r.fontWeight()); })
                : std::optional<double>(params.tbold);
  weightSlider_->setValue(weight ? int(std::lround(*weight / 100)) : 4);
  styles_[0]->setChecked(weight && *weight == 700);
  for (int style = 1; style < 4; ++style) {
    std::optional<double> on;
    if (selection) {
      on = CommonValue([style](const ItemRecord& r) {
        const uint8_t v = style == 1   ? r.fontItalic()
                          : style == 2 ? r.fontUnderline()
                                       : r.fontStrikeout();
        return TextField(r, v != 0 ? 1 : 0);
      });
    } else {
      on = OptionByte(params.toptions, style - 1) != 0 ? 1 : 0;
    }
    styles_[style]->setChecked(on && *on == 1);
  }
  const auto justification =
      selection ? CommonValue([](const ItemRecord& r) { return TextField(r, r.justification()); })
                : std::optional<double>(OptionByte(params.toptions, 3));
  for (int i = 0; i < 3; ++i)
    justify_[i]->setChecked(justification && int(*justification) == i + 1);
  showing_ = false;
}

void TTextbox::FillCharsets(const QString& font) {
  charsets_->clear();
  for (const FontEntry& entry : Context().Params().fonts) {
    if (entry.name != font) continue;
    const ValueList sets = FillCharacterSets(entry.signature);
    for (const ValueListEntry& set : sets.entries)
      charsets_->addItem(set.text, int(set.value));
  }
  if (charsets_->count() == 0) charsets_->addItem(QStringLiteral("n/a"), -1);
}

void TTextbox::ListChosen(ValueCombo& combo, int index) {
  const ValueList& list = combo.List();
  const auto change = textChanges_.find(&combo);
  if (change != textChanges_.end() && index >= 0 &&
      static_cast<std::size_t>(index) < list.entries.size() &&
      list.entries[std::size_t(index)].source != EntrySource::Customize) {
    const ValueListEntry entry = list.entries[std::size_t(index)];
    const ListBinding& binding = combo.Binding();
    if (ChangeEditedText(
            [&](ItemRecord& r, const GeometryContext& g) { change->second(r, entry, g); },
            [&](TParams& p) { binding.store(p, entry, index); })) {
      ShowValues();
      return;
    }
  }
  PropertyPanel::ListChosen(combo, index);
  if (combo.objectName() == QStringLiteral("Weight")) ShowValues();
}

void TTextbox::FontChosen(int index) {
  if (showing_ || index < 0) return;
  const QString name = fonts_->itemText(index);
  const std::string field = name.toLatin1().toStdString();
  Change([field](ItemRecord& r, auto&) { r.setFontName(field); },
         [field](ItemList& l, EditObserver& o, const GeometryContext& g) {
           ApplyFontName(l, o, field, g);
         },
         [name](TParams& p) { p.tfont = name; });
  FillCharsets(name);
}

void TTextbox::CharsetChosen(int index) {
  const int32_t charset = charsets_->itemData(index).toInt();
  if (showing_ || index < 0 || charset < 0) return;
  Change([charset](ItemRecord& r, auto&) { r.setFontCharset(charset); },
         [charset](ItemList& l, EditObserver& o, const GeometryContext& g) {
           ApplyCharset(l, o, charset, g);
         },
         [charset](TParams& p) { p.tcharset = charset; });
}

void TTextbox::Change(
    const std::function<void(ItemRecord&, const GeometryContext&)>& text,
    const std::function<void(ItemList&, EditObserver&, const GeometryContext&)>& selection,
    const std::function<void(TParams&)>& store) {
  if (ChangeEditedText(text, store)) return;
  if (ShowsSelection()) {
    ApplyToSelection(selection);
  } else {
    store(Context().Params());
    Context().PanelChanged(Tool());
  }
}

void TTextbox::SetWeight(int32_t weight) {
  Change([weight](ItemRecord& r, auto&) { r.setFontWeight(weight); },
         [weight](ItemList& l, EditObserver& o, const GeometryContext& g) {
           ApplyFontWeight(l, o, weight, g);
         },
         [weight](TParams& p) { p.tbold = weight; });
  ShowValues();
}

void TTextbox::WeightMoved(int position) {
  if (!showing_) SetWeight(position * 100);
}

void TTextbox::StyleClicked(int style) {
  const bool on = styles_[style]->isChecked();
  if (style == 0) {
    SetWeight(on ? 700 : 400);
    return;
  }
  const uint8_t value = on ? 255 : 0;
  Change(
      [style, value](ItemRecord& r, auto&) {
        if (style == 1) r.setFontItalic(value);
        if (style == 2) r.setFontUnderline(value);
        if (style == 3) r.setFontStrikeout(value);
      },
      [style, value](ItemList& l, EditObserver& o, const GeometryContext& g) {
        ApplyTextStyle(l, o, style, value, g);
      },
      [style, value](TParams& p) { p.toptions = WithOptionByte(p.toptions, style - 1, value); });
}

void TTextbox::JustifyClicked(int button) {
  // The buttons run left, centre, right: justification 1, 2 and 3.
  const uint8_t justification = static_cast<uint8_t>(button + 1);
  Change(
      [justification](ItemRecord& r, auto&) { r.setJustification(justification); },
      [justification](ItemList& l, EditObserver& o, const GeometryContext& g) {
        ApplyTextStyle(l, o, 4, justification, g);
      },
      [justification](TParams& p) { p.toptions = WithOptionByte(p.toptions, 3, justification); });
  ShowValues();
}

}  // namespace quillon
