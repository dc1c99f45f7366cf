// SPDX-License-Identifier: GPL-3.0-or-later
#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <cmath>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/PropertyPanels.h"

namespace quillon {
namespace {

constexpr int kSliderLow = -128;
constexpr int kSliderHigh = 512;

std::optional<double> PictureField(const ItemRecord& r, double value) {
  return r.kind() == kKindPicture ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

QString PictureSliderText(int position) {
  if (position == 0) return QStringLiteral("Normal");
  const double end = position > 0 ? kSliderHigh : -kSliderLow;
  return QString::number(std::lround(position * 100.0 / end)) + u'%';
}

TColorbox::TColorbox(PanelContext& context, QWidget* parent)
    : PropertyPanel(context, kToolSelectedPicture, QStringLiteral("Colors"),
                    QStringLiteral("Effects"), parent) {
  setObjectName(QStringLiteral("TColorbox"));
  const char* const names[] = {"Saturation", "Contrast", "Lightness"};
  for (int i = 0; i < 3; ++i) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(names[i]));
    slider->setRange(kSliderLow, kSliderHigh);
    auto* label = new QLabel(PictureSliderText(0), this);
    Page(0)->addRow(QString::fromLatin1(names[i]), slider);
    Page(0)->addRow(QString(), label);
    sliders_[i] = slider;
    labels_[i] = label;
    // A drag applies when the slider is released; keys and clicks on the track at once.
    connect(slider, &QSlider::valueChanged, this, [this, slider, label](int v) {
      label->setText(PictureSliderText(v));
      if (!slider->isSliderDown()) SliderReleased();
    });
    connect(slider, &QSlider::sliderReleased, this, &TColorbox::SliderReleased);
  }
  AddTurnButtons(0);
  auto* editClip = AddButtons(0, {QStringLiteral("Edit clip boundary")}).front();
  editClip->setText(QStringLiteral("\u2702"));
  connect(editClip, &QToolButton::clicked, this, [this] { Context().RunTool(kToolEditClip); });
  auto* links = new QLabel(
      QStringLiteral("Click on <a href=\"510\">Insert new clip</a> to add a new clip from the "
                     "original picture.<br>Click on <a href=\"503\">Edit this clip</a> to change "
                     "the clip boundary."),
      this);
  links->setWordWrap(true);
  connect(links, &QLabel::linkActivated, this,
          [this](const QString& link) { Context().RunTool(link.toInt()); });
  Page(0)->addRow(links);
  AddList(1, QStringLiteral("Frame"),
          {ValueListKind::LineWeights,
           [](const ItemRecord& r) { return PictureField(r, r.frame() != 0 ? r.lineWeight() : 0); },
           nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyFrame(l, o, e.value);
           }});
  AddList(1, QStringLiteral("Frame Color"),
          {ValueListKind::Colours,
           [](const ItemRecord& r) { return PictureField(r, r.lineColor()); }, nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyFrameColor(l, o, int32_t(e.value));
           }});
  AddList(1, QStringLiteral("Frame 3-D"),
          {ValueListKind::Surfaces,
           [](const ItemRecord& r) { return PictureField(r, r.surface()); }, nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplySurface(l, o, int32_t(e.value));
           }});
  AddList(1, QStringLiteral("Shadow"),
          {ValueListKind::Shadows,
           [](const ItemRecord& r) {
             return PictureField(
                 r, PackShadow(r.shadowSize(), r.shadowSoftness(), r.shadowLightness()));
           },
           nullptr, nullptr,
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyShadow(l, o, e.shadow.size, e.shadow.softness, e.shadow.lightness, true);
           }});
  SetGuidance({QStringLiteral("Change saturation to fade or intensify color."),
               QStringLiteral("Change contrast to adjust the depth of light and dark areas."),
               QStringLiteral("Change lightness to lighten or darken the colors in the clip."),
               QString()});
  ShowValues();
}

void TColorbox::ShowValues() {
  PropertyPanel::ShowValues();
  const std::optional<double> values[] = {
      CommonValue([](const ItemRecord& r) { return PictureField(r, r.saturation()); }),
      CommonValue([](const ItemRecord& r) { return PictureField(r, r.contrast()); }),
      // A positive lightness is kept halved.
      CommonValue([](const ItemRecord& r) {
        return PictureField(r, r.lightness() > 0 ? 2.0 * r.lightness() : r.lightness());
      })};
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker quiet(sliders_[i]);
    sliders_[i]->setValue(values[i] ? int(*values[i]) : 0);
    labels_[i]->setText(values[i] ? PictureSliderText(int(*values[i])) : QString());
  }
}

void TColorbox::SliderReleased() {
  const int saturation = sliders_[0]->value();
  const int contrast = sliders_[1]->value();
  const int lightness = sliders_[2]->value();
  ApplyToSelection([=](ItemList& l, EditObserver& o, const GeometryContext&) {
    ApplyColours(l, o, saturation, contrast, lightness > 0 ? lightness / 2 : lightness);
  });
}

TPictbox::TPictbox(PanelContext& context, QWidget* parent)
    : PropertyPanel(context, kToolInsertPicture, QStringLiteral("Clips"), QStringLiteral("Effects"),
                    parent) {
  setObjectName(QStringLiteral("TPictbox"));
  SetHeading(QStringLiteral("Picture"));
  clipArea_ = new QLabel(QStringLiteral("Preview"), this);
  clipArea_->setObjectName(QStringLiteral("Preview"));
  clipArea_->setMinimumHeight(80);
  static_cast<QLabel*>(clipArea_)->setAlignment(Qt::AlignCenter);
  static_cast<QLabel*>(clipArea_)->setFrameShape(QFrame::StyledPanel);
  Page(0)->addRow(clipArea_);
  clipShape_ = new QButtonGroup(this);
  auto* entire = new QRadioButton(QStringLiteral("Entire image"), this);
  auto* round = new QRadioButton(QStringLiteral("Round clips"), this);
  entire->setChecked(true);
  clipShape_->addButton(entire, 0);
  clipShape_->addButton(round, 1);
  Page(0)->addRow(entire);
  Page(0)->addRow(round);
  auto* insert = new QPushButton(QStringLiteral("Insert"), this);
  insert->setObjectName(QStringLiteral("Insert"));
  connect(insert, &QPushButton::clicked, this, [this] { emit InsertRequested(RoundClips()); });
  Page(0)->addRow(insert);
  AddList(1, QStringLiteral("Frame"),
          {ValueListKind::LineWeights, nullptr,
           [](const TParams& p) { return p.clframe != 0 ? p.frwidth : 0.0; },
           [](TParams& p, const ValueListEntry& e, int) {
             p.frwidth = e.value;
             p.clframe = e.value != 0 ? 1 : 0;
           },
           nullptr});
  AddList(1, QStringLiteral("Frame 3-D"),
          {ValueListKind::Surfaces, nullptr, [](const TParams& p) { return double(p.frplas); },
           [](TParams& p, const ValueListEntry& e, int) { p.frplas = int32_t(e.value); }, nullptr});
  AddList(
      1, QStringLiteral("Frame Color"),
      {ValueListKind::Colours, nullptr, [](const TParams& p) { return double(p.frcolor); },
       [](TParams& p, const ValueListEntry& e, int) { p.frcolor = int32_t(e.value); }, nullptr});
  AddList(1, QStringLiteral("Shadow"),
          {ValueListKind::Shadows, nullptr, [](const TParams& p) { return double(p.shpict); },
           [](TParams& p, const ValueListEntry& e, int) {
             p.shpict = int32_t(PackShadow(e.shadow.size, e.shadow.softness, e.shadow.lightness));
             p.clshadw = e.shadow.size != 0 ? 1 : 0;
           },
           nullptr});
  SetGuidance({QStringLiteral("Select how you want to insert the picture"),
               QStringLiteral("To adjust the size of the picture, use the zoom scale in the "
                              "upper right corner."),
               QStringLiteral("Then, click on the Insert button to add the image into your "
                              "design."),
               QStringLiteral("Or, outline one or more clips from this picture to be inserted as "
                              "separate images.")});
  ShowValues();
}

bool TPictbox::RoundClips() const {
  return clipShape_->checkedId() == 1;
}

}  // namespace quillon
